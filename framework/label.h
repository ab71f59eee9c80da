// A text the user reads but does not edit.
#pragma once

#include "framework/text_control.h"

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

}  // namespace fw
