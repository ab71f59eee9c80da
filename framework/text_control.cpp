#include "framework/text_control.h"

#include "framework/contrast.h"
#include "framework/control_class.h"
#include "framework/qt_conversions.h"

namespace fw {

const ClassRecord& TextControl::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<TextControl>(
        FontControl::Class(),
        {
            Property<&TextControl::SetTextColor>("TextColor"),
            Property<&TextControl::SetTextAlignment>("TextAlignment"),
        }));
    return record;
}

void TextControl::SetTextColor(const Color& color) {
    ChangePalette([&](QPalette& palette) {
        const QColor text = ToQColor(color);
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Text, text);
            palette.setColor(group, QPalette::WindowText, text);
        }
    });
}

// Fields draw on their own background, labels on the window's.
void TextControl::CompletePalette(QPalette& palette) {
    const QPalette::ColorRole background = HasFieldBackground() ? QPalette::Base : QPalette::Window;
    const QColor text = ReadablyDimmed(palette.color(QPalette::Active, QPalette::Text),
                                       palette.color(QPalette::Active, background));
    palette.setColor(QPalette::Disabled, QPalette::Text, text);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, text);
}

void TextControl::SetTextAlignment(std::int64_t alignment) { ApplyAlignment(alignment); }

}  // namespace fw
