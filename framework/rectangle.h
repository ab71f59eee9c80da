// A filled, bevelled rectangle that other controls may sit in.
#pragma once

#include "framework/rect_control.h"

namespace fw {

class Rectangle : public RectControl {
public:
    static constexpr std::string_view kClassName = "Rectangle";
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    explicit Rectangle(QWidget* home = nullptr);
    void SetFillColor(const Color&);
    void SetTopLeftColor(const Color&);
    void SetBottomRightColor(const Color&);
    void SetBorderThickness(double);
};

}  // namespace fw
