#include "framework/font_control.h"

#include "framework/control_class.h"
#include "framework/qt_conversions.h"

#include <QApplication>

#include <vector>

namespace fw {

namespace {

// Layout data measures fonts in points on the same grid as the controls'
// places, where a point is one unit of the window's coordinates. So a size
// is a size in those units (logical pixels), and a text keeps its proportion
// to the box it was laid out for whatever the screen's resolution; size 0
// leaves the desktop's standard size.
void SetLayoutFontSize(QFont& font, float size) {
    if (size > 0) font.setPixelSize(std::max(1, qRound(size)));
}

// A layout font name is a family, or "System" (or nothing) for the
// desktop's standard font, which the font starts from.
QFont FontFor(const String& name, float size, bool bold, bool italic, bool underline) {
    QFont font = QApplication::font();
    if (name != "System" && !name.empty()) font.setFamily(ToQString(name));
    SetLayoutFontSize(font, size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

std::vector<PropertyDecl> FontProperties() {
    return {
        Property<&FontControl::SetFontName>("FontName"),
        Property<&FontControl::SetFontSize>("FontSize"),
        Property<&FontControl::SetBold>("Bold"),
        Property<&FontControl::SetItalic>("Italic"),
        Property<&FontControl::SetUnderline>("Underline"),
        // Only points are used.
        IgnoredProperty("FontUnit", PropertyType::Enum8),
    };
}

}  // namespace

const ClassRecord& FontControl::Class() {
    static const ClassRecord& record =
        RuntimeRegisterClass(ControlClass<FontControl>(RectControl::Class(), FontProperties()));
    return record;
}

void FontControl::SetFontName(std::string_view v) { font_->name = v; ApplyFont(); }
void FontControl::SetFontSize(float v) { font_->size = v; ApplyFont(); }
void FontControl::SetBold(bool v) { font_->bold = v; ApplyFont(); }
void FontControl::SetItalic(bool v) { font_->italic = v; ApplyFont(); }
void FontControl::SetUnderline(bool v) { font_->underline = v; ApplyFont(); }

void FontControl::BeginProperties() {
    RectControl::BeginProperties();
    ++font_->streamDepth;
}

void FontControl::EndProperties() {
    if (--font_->streamDepth == 0 && font_->changed) ApplyFont();
    RectControl::EndProperties();
}

void FontControl::ApplyFont() {
    Font& f = *font_;
    f.changed = f.streamDepth > 0;
    if (f.changed) return;
    ChangeFont([&f](QFont& font) { font = FontFor(f.name, f.size, f.bold, f.italic, f.underline); });
}

}  // namespace fw
