#include "framework/text_field.h"

#include "framework/control_class.h"
#include "framework/dialogs.h"
#include "framework/edit_commands.h"
#include "framework/pasting.h"
#include "framework/qt_conversions.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

#include <limits>

namespace fw {

namespace {

// The widget of a TextField: Qt's one-line editor, whose pastes and drops
// are taken whole or, when they would pass the field's length limit,
// refused with a beep; Qt's own would cut them at the limit.
class FieldWidget : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    void Paste(QClipboard::Mode mode = QClipboard::Clipboard) {
        if (isReadOnly()) return;
        const QString pasted = Incoming(ClipboardText(mode), true);
        if (pasted.isEmpty()) return;
        if (!Fits(pasted.size() - selectedText().size())) return Beep();
        insert(pasted);
    }
    void DeleteSelection() { del(); }

    // A password is neither cut nor copied.
    EditState State() const {
        return {.editable = !isReadOnly(),
                .undo = isUndoAvailable(),
                .redo = isRedoAvailable(),
                .selection = hasSelectedText() && echoMode() == Normal,
                .unselected = selectedText().size() < text().size()};
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste)) return Paste();
        QLineEdit::keyPressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
            deselect();
            return Paste(QClipboard::Selection);
        }
        QLineEdit::mouseReleaseEvent(event);
    }

    // A drop comes in as a paste does.
    void dropEvent(QDropEvent* event) override {
        const QMimeData* data = event->mimeData();
        if (!data || isReadOnly()) return QLineEdit::dropEvent(event);
        QMimeData incoming;
        incoming.setText(Incoming(data->text(), true));
        if (incoming.text().isEmpty()) return event->ignore();
        if (!Fits(incoming.text().size())) {
            event->ignore();
            return Beep();
        }
        QDropEvent copy(event->position(), event->possibleActions(), &incoming, event->buttons(), event->modifiers());
        copy.setDropAction(event->dropAction());
        QLineEdit::dropEvent(&copy);
        event->setDropAction(copy.dropAction());
        event->setAccepted(copy.isAccepted());
    }

    void contextMenuEvent(QContextMenuEvent* event) override { PopUpEditMenu(*this, event->globalPos()); }

private:
    // Whether the text, grown by `added` characters, stays within the limit.
    bool Fits(qsizetype added) const { return text().size() + added <= maxLength(); }
};

FieldWidget* LineOf(const TextField& field) { return static_cast<FieldWidget*>(field.Widget()); }

}  // namespace

const ClassRecord& TextField::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<TextField>(
        TextEdit::Class(),
        {
            Property<&TextField::SetPassword>("Password"),
            Property<&TextField::SetHint>("Hint"),
            Property<&TextField::SetMaximumCharactersAllowed>("MaximumCharactersAllowed"),
        },
        {kKeyDown}));
    return record;
}

TextField::TextField(QWidget* home) {
    auto* line = new FieldWidget(home);
    line->setMaxLength(std::numeric_limits<int>::max());  // Qt's default cuts at 32,767
    SetWidget(line);
    InstallKeyFilter();
}

String TextField::Text() const { return FromQString(LineOf(*this)->text()); }
void TextField::SetText(const String& text) { LineOf(*this)->setText(ToQString(text)); }
void TextField::SetReadOnly(bool v) { LineOf(*this)->setReadOnly(v); }
void TextField::SetPassword(bool v) { LineOf(*this)->setEchoMode(v ? QLineEdit::Password : QLineEdit::Normal); }
void TextField::SetHint(const String& v) { LineOf(*this)->setPlaceholderText(ToQString(v)); }

// 0 sets no limit.
void TextField::SetMaximumCharactersAllowed(std::int64_t v) {
    const std::int64_t most = std::numeric_limits<int>::max();
    const int length = int(v > 0 && v < most ? v : most);
    // Setting the length Qt already has still makes it go over the text.
    if (LineOf(*this)->maxLength() != length) LineOf(*this)->setMaxLength(length);
}

bool TextField::CanDo(EditCommand command) const { return CanRun(LineOf(*this)->State(), command); }
void TextField::Do(EditCommand command) { Run(*LineOf(*this), command); }

void TextField::ApplyAlignment(std::int64_t alignment) {
    LineOf(*this)->setAlignment(HorizontalAlignment(alignment) | Qt::AlignVCenter);
}

bool TextField::RaiseKeyDown(const String& key) { return Raise(*this, kKeyDown, *this, key); }

}  // namespace fw
