// The font of a control that shows text.
#pragma once

#include "framework/rect_control.h"

namespace fw {

// The font properties shared by every control that shows text.
class FontControl : public RectControl {
public:
    static constexpr std::string_view kClassName = "FontControl";
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    void SetFontName(std::string_view);
    void SetFontSize(float);
    void SetBold(bool);
    void SetItalic(bool);
    void SetUnderline(bool);

    String FontName() const { return font_->name; }
    float FontSize() const { return font_->size; }
    bool Bold() const { return font_->bold; }
    bool Italic() const { return font_->italic; }
    bool Underline() const { return font_->underline; }

    // A stream sets the font's parts one by one; the font is made once, at
    // its end.
    void BeginProperties() override;
    void EndProperties() override;

private:
    void ApplyFont();
    struct Font {
        String name = "System";
        float size = 0;
        bool bold = false, italic = false, underline = false;
        int streamDepth = 0;
        bool changed = false;  // by a stream, not yet applied
    };
    UIThreadOnly<Font> font_;
};

}  // namespace fw
