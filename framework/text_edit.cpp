#include "framework/text_edit.h"

#include "framework/application.h"
#include "framework/control_class.h"
#include "framework/key_text.h"
#include "framework/qt_conversions.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace fw {

namespace {

// Hands each key typed into a text control, and each text an input method
// commits there (dead keys compose through one), to the control's KeyDown
// handler before the control acts on it.
class KeyFilter : public QObject {
public:
    KeyFilter(TextEdit& edit, QObject* parent) : QObject(parent), edit_(edit) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) return Swallows(KeyText(*static_cast<QKeyEvent*>(event)));
        if (event->type() == QEvent::InputMethod) {
            auto* input = static_cast<QInputMethodEvent*>(event);
            // A rejected commit is dropped whole; the event still goes on, as
            // it also ends the composition shown in the field.
            if (Swallows(FromQString(input->commitString()))) input->setCommitString(QString());
        }
        return false;
    }

private:
    bool Swallows(const String& text) {
        if (text.empty()) return false;
        bool swallowed = false;
        RunHandler([&] { swallowed = edit_.FilterKey(text); });
        return swallowed;
    }

    TextEdit& edit_;
};

std::vector<PropertyDecl> TextEditProperties() {
    return {
        Property<&TextEdit::SetValue>("Value"),
        Property<&TextEdit::SetReadOnly>("ReadOnly"),
        Property<&TextEdit::SetBackgroundColor>("BackgroundColor"),
        Property<&TextEdit::SetHasBorder>("HasBorder"),
        // Tab moves the focus out of every text: no layout lets a text take
        // tabs. The desktop draws its own focus ring and spell checking;
        // format masks and data binding have no use in this system.
        IgnoredProperty("AllowTabs", PropertyType::Boolean),
        IgnoredProperty("AllowFocusRing", PropertyType::Boolean),
        IgnoredProperty("AllowSpellChecking", PropertyType::Boolean),
        IgnoredProperty("Format", PropertyType::String),
        IgnoredProperty("ValidationMask", PropertyType::String),
        IgnoredProperty("DataSource", PropertyType::String),
        IgnoredProperty("DataField", PropertyType::String),
    };
}

}  // namespace

const ClassRecord& TextEdit::Class() {
    static const ClassRecord& record =
        RuntimeRegisterClass(ControlClass<TextEdit>(TextControl::Class(), TextEditProperties()));
    return record;
}

void TextEdit::SetFocus() {
    if (Widget()) Widget()->setFocus(Qt::OtherFocusReason);
}

void TextEdit::SetBackgroundColor(const Color& color) {
    ChangePalette([&](QPalette& palette) { palette.setColor(QPalette::Base, ToQColor(color)); });
}

// Layouts give the border a new text already has; setting the frame again
// would still make Qt lay the text out anew.
void TextEdit::SetHasBorder(bool border) {
    const QFrame::Shape shape = border ? QFrame::StyledPanel : QFrame::NoFrame;
    if (auto* frame = qobject_cast<QFrame*>(Widget()); frame && frame->frameShape() != shape) frame->setFrameShape(shape);
    if (auto* line = qobject_cast<QLineEdit*>(Widget()); line && line->hasFrame() != border) line->setFrame(border);
}

void TextEdit::InstallKeyFilter() { Widget()->installEventFilter(new KeyFilter(*this, Widget())); }

bool TextEdit::FilterKey(const String& text) {
    // One character at a time, as each would have been typed on its own.
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        if (RaiseKeyDown(text.substr(start, end - start))) return true;
        start = end;
    }
    return false;
}

}  // namespace fw
