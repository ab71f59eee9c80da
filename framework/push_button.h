// A button that raises Action when pushed.
#pragma once

#include "framework/font_control.h"

namespace fw {

class PushButton : public FontControl {
public:
    static constexpr std::string_view kClassName = "PushButton";
    static constexpr EventOf<void(PushButton&)> kAction{"Action"};
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    explicit PushButton(QWidget* home = nullptr);
    void SetCaption(std::string_view);
    String Caption() const;
    void SetDefault(bool);
    void SetCancel(bool);
    void Push();  // as a click does: raises Action
};

}  // namespace fw
