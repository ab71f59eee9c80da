// A text the user reads but does not edit.
#pragma once

#include "framework/text_control.h"

class QFont;
class QLabel;

namespace fw {

class Label : public TextControl {
public:
    static constexpr std::string_view kClassName = "Label";
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    explicit Label(QWidget* home = nullptr);
    void SetValue(std::string_view);
    String Value() const;
    void SetMultiLine(bool);
    void SetSelectable(bool);

protected:
    void ApplyAlignment(std::int64_t alignment) override;
};

// The font in which a one-line label draws its text: its own, made smaller
// where the text would not fit the label's width otherwise.
QFont FittedFont(const QLabel& label);

}  // namespace fw
