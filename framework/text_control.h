// The text colour and alignment of labels and editable texts.
#pragma once

#include "framework/font_control.h"

class QPalette;

namespace fw {

// Text colour and alignment, beside the font, for labels and text fields.
class TextControl : public FontControl {
public:
    static constexpr std::string_view kClassName = "TextControl";
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    void SetTextColor(const Color&);
    void SetTextAlignment(std::int64_t);  // 0 default, 1 left, 2 centred, 3 right

protected:
    virtual void ApplyAlignment(std::int64_t alignment) = 0;
    // Whether the text stands on the control's own field colour rather
    // than on the window behind it.
    virtual bool HasFieldBackground() const { return false; }
    // Gives the text of the disabled control a dimmed but readable colour,
    // from the text and background colours the palette has.
    void CompletePalette(QPalette& palette) override;
};

}  // namespace fw
