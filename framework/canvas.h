// A drawing surface: shows a backdrop picture and reports mouse presses.
#pragma once

#include "framework/rect_control.h"

#include <memory>

namespace fw {

class Picture;

class Canvas : public RectControl {
public:
    static constexpr std::string_view kClassName = "Canvas";
    // A mouse press at (x, y) in the canvas; true takes it.
    static constexpr EventOf<bool(Canvas&, std::int64_t, std::int64_t)> kMouseDown{"MouseDown"};
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    explicit Canvas(QWidget* home = nullptr);
    void SetBackdrop(std::shared_ptr<Picture> picture);
    const std::shared_ptr<Picture>& Backdrop() const { return *backdrop_; }
    void SetAllowFocus(bool);
    // A mouse press at (x, y) in the canvas; true when a handler took it.
    bool MouseDown(std::int64_t x, std::int64_t y);

private:
    UIThreadOnly<std::shared_ptr<Picture>> backdrop_;
};

}  // namespace fw
