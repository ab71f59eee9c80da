#include "framework/text_edit.h"

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/qt_bridge.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>
#include <limits>
#include <string>

namespace fw {

String KeyText(const QKeyEvent& event) {
    const int key = event.key();
    // Ctrl with a letter is a command (Ctrl+V pastes) and never types its
    // letter. Any other modifier (Alt, AltGr, Super, Meta, Hyper) leaves the
    // key's text to be inserted, so such a key counts as the text it carries:
    // holding a modifier must not get a character past a field's filter.
    const Qt::KeyboardModifiers held = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (held == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z) return String(1, char(key - Qt::Key_A + 1));
    switch (key) {
        case Qt::Key_Backspace: return "\x08";
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return "\t";
        case Qt::Key_Return:
        case Qt::Key_Enter: return "\r";
        case Qt::Key_Escape: return "\x1b";
        case Qt::Key_Home: return "\x01";
        case Qt::Key_End: return "\x04";
        case Qt::Key_PageUp: return "\x0b";
        case Qt::Key_PageDown: return "\x0c";
        case Qt::Key_Left: return "\x1c";
        case Qt::Key_Right: return "\x1d";
        case Qt::Key_Up: return "\x1e";
        case Qt::Key_Down: return "\x1f";
        case Qt::Key_Delete: return "\x7f";
        default: return FromQString(event.text());
    }
}

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

}  // namespace

// ---------------------------------------------------------------------------
// Pasting

namespace {

// The clipboard's text, asked for once per paste. The clipboard belongs to
// another program, which may answer once and leave, answer late, or never;
// whatever it does, this gives its text or an empty one. Qt's own paste
// asks again after the Edit menu's enabling has asked, and reads a null
// pointer when the owner has left in between. The formats are asked first
// because an owner that never answers then costs Qt's wait once, not once
// for each text format Qt would try.
QString ClipboardText(QClipboard::Mode mode) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData(mode) : nullptr;
    if (!data) return {};
    const QStringList formats = data->formats();
    const bool text = std::any_of(formats.begin(), formats.end(),
                                  [](const QString& f) { return f.startsWith(QLatin1String("text/plain")); });
    return text ? data->text() : QString();
}

// A pasted or dropped text as the field will show it, so that what the
// field holds is what it shows. Format characters (zero-width spaces and
// joiners, direction marks, the byte-order mark; text from web pages and
// PDFs carries them) show nothing, so they are dropped; every space
// separator (a no-break space, a thin space) becomes an ordinary space,
// which Val skips as it does at the start. In a one-line field each line
// break and each other control character but the tab becomes a space too.
QString Incoming(const QString& text, bool oneLine) {
    std::u32string kept;
    kept.reserve(std::size_t(text.size()));
    for (const uint code : text.toUcs4()) {
        const QChar::Category category = QChar::category(char32_t(code));
        if (category == QChar::Other_Format) continue;
        const bool lineBreak = category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
                               (category == QChar::Other_Control && code != '\t');
        const bool space = category == QChar::Separator_Space || (oneLine && lineBreak);
        kept += space ? U' ' : char32_t(code);
    }
    return QString::fromUcs4(kept.data(), qsizetype(kept.size()));
}

// What a text's editing commands can do now. Paste is offered in any
// editable text without asking the clipboard's owner first: that owner may
// answer only once (see ClipboardText), and would then have nothing left for
// the paste itself.
struct EditState {
    bool editable = false;
    bool undo = false;
    bool redo = false;
    bool selection = false;   // a selection that may be copied
    bool unselected = false;  // text that Select All would add to the selection
};

// A text's context menu, with the entries and enabling of Qt's own. Qt's
// asks the clipboard's owner whether to offer Paste, and a one-line field's
// Paste there would be Qt's rather than the field's; this one's Paste is the
// field's own, as Edit > Paste is.
template <class Widget>
void PopUpEditMenu(Widget& widget, const QPoint& at) {
    const EditState state = widget.State();
    auto* menu = new QMenu(&widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto add = [&](const char* text, QKeySequence::StandardKey key, bool enabled, auto run) {
        QString label = QString::fromUtf8(text);
        if (key != QKeySequence::UnknownKey && QGuiApplication::styleHints()->showShortcutsInContextMenus())
            label += u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
        menu->addAction(label, &widget, run)->setEnabled(enabled);
    };
    if (state.editable) {
        add("&Undo", QKeySequence::Undo, state.undo, [&widget] { widget.undo(); });
        add("&Redo", QKeySequence::Redo, state.redo, [&widget] { widget.redo(); });
        menu->addSeparator();
        add("Cu&t", QKeySequence::Cut, state.selection, [&widget] { widget.cut(); });
    }
    add("&Copy", QKeySequence::Copy, state.selection, [&widget] { widget.copy(); });
    if (state.editable) {
        add("&Paste", QKeySequence::Paste, true, [&widget] { widget.Paste(); });
        add("Delete", QKeySequence::UnknownKey, state.selection, [&widget] { widget.DeleteSelection(); });
    }
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, state.unselected, [&widget] { widget.selectAll(); });
    menu->popup(at);
}

// The widget of a TextArea: Qt's multi-line editor, kept to one line when
// its MultiLine is false, with every paste going through Insert.
class AreaWidget : public QTextEdit {
public:
    using QTextEdit::QTextEdit;

    bool oneLine = false;

    void Paste(QClipboard::Mode mode = QClipboard::Clipboard) { Insert(ClipboardText(mode)); }
    void DeleteSelection() { textCursor().removeSelectedText(); }

    EditState State() const {
        const QTextCursor cursor = textCursor();
        const int selected = cursor.selectionEnd() - cursor.selectionStart();
        return {.editable = !isReadOnly(),
                .undo = document()->isUndoAvailable(),
                .redo = document()->isRedoAvailable(),
                .selection = selected > 0,
                .unselected = selected < document()->characterCount() - 1};
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste)) return Paste();
        if (oneLine && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) return event->ignore();
        QTextEdit::keyPressEvent(event);
    }

    // Drops and the middle button end here.
    void insertFromMimeData(const QMimeData* source) override {
        if (source) Insert(source->text());
    }

    void contextMenuEvent(QContextMenuEvent* event) override { PopUpEditMenu(*this, event->globalPos()); }

private:
    void Insert(const QString& text) {
        const QString incoming = Incoming(text, oneLine);
        if (isReadOnly() || incoming.isEmpty()) return;
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        cursor.insertText(incoming);
        cursor.endEditBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
    }
};

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

// The Edit menu's commands on either widget.
bool CanRun(const EditState& state, TextEdit::EditCommand command) {
    switch (command) {
        case TextEdit::EditCommand::Undo: return state.editable && state.undo;
        case TextEdit::EditCommand::Cut: return state.editable && state.selection;
        case TextEdit::EditCommand::Copy: return state.selection;
        case TextEdit::EditCommand::Paste: return state.editable;
    }
    return false;
}

template <class Widget>
void Run(Widget& widget, TextEdit::EditCommand command) {
    switch (command) {
        case TextEdit::EditCommand::Undo: widget.undo(); break;
        case TextEdit::EditCommand::Cut: widget.cut(); break;
        case TextEdit::EditCommand::Copy: widget.copy(); break;
        case TextEdit::EditCommand::Paste: widget.Paste(); break;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// TextEdit

namespace {
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
        RuntimeRegisterClass(ControlClass<TextEdit>("TextEdit", TextControl::Class(), TextEditProperties()));
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
    const Delegate* handler = EventHandler("KeyDown");
    if (!handler) return false;
    auto* area = dynamic_cast<TextArea*>(this);
    // One character at a time, as each would have been typed on its own.
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        const String key = text.substr(start, end - start);
        const bool swallowed = area ? handler->Invoke<bool, TextArea&, const String&>(*area, key)
                                    : handler->Invoke<bool, TextField&, const String&>(static_cast<TextField&>(*this), key);
        if (swallowed) return true;
        start = end;
    }
    return false;
}

// ---------------------------------------------------------------------------
// TextArea

namespace {
AreaWidget* EditOf(const TextArea& area) { return static_cast<AreaWidget*>(area.Widget()); }
}  // namespace

const ClassRecord& TextArea::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<TextArea>(
        "TextArea", TextEdit::Class(),
        {
            Property<&TextArea::SetMultiLine>("MultiLine"),
            Property<&TextArea::SetHasVerticalScrollbar>("HasVerticalScrollbar"),
            Property<&TextArea::SetHasHorizontalScrollbar>("HasHorizontalScrollbar"),
            Property<&TextArea::SetLineSpacing>("LineSpacing"),
            // Styled text is set by the program (SelBold); what is pasted
            // comes in plain. How a selection shows without the focus is the
            // desktop's.
            IgnoredProperty("AllowStyledText", PropertyType::Boolean),
            IgnoredProperty("HideSelection", PropertyType::Boolean),
            // 0 asks for the font's own line height.
            IgnoredProperty("LineHeight", PropertyType::Double),
            IgnoredProperty("MaximumCharactersAllowed", PropertyType::Integer),
        },
        {{"KeyDown", "( TextArea, String ) as Boolean"}}));
    return record;
}

TextArea::TextArea() {
    auto* edit = new AreaWidget(NewWidgetHome::Current());
    edit->setAcceptRichText(false);
    edit->setTabChangesFocus(true);
    // Lines break between words only: a number longer than a narrow area
    // stays on its one line and scrolls, rather than leaving its last digits
    // alone in view on a line of their own.
    edit->setWordWrapMode(QTextOption::WordWrap);
    edit->document()->setDocumentMargin(2);
    SetWidget(edit);
    InstallKeyFilter();
}

String TextArea::Text() const { return FromQString(EditOf(*this)->toPlainText().replace(QChar::ParagraphSeparator, '\r').replace('\n', '\r')); }

void TextArea::SetText(const String& text) {
    // Line breaks are carriage returns in the system's texts.
    QString plain = ToQString(text);
    plain.replace("\r\n", "\n").replace('\r', '\n');
    EditOf(*this)->setPlainText(plain);
}

// Qt tells the text of every setting, also of the one it has.
void TextArea::SetReadOnly(bool v) {
    if (EditOf(*this)->isReadOnly() != v) EditOf(*this)->setReadOnly(v);
}

// A one-line area holds no line break: Return and Enter insert none, and
// pasted or dropped text comes in as one line.
void TextArea::SetMultiLine(bool v) {
    EditOf(*this)->oneLine = !v;
    EditOf(*this)->setWordWrapMode(v ? QTextOption::WordWrap : QTextOption::NoWrap);
}

void TextArea::SetHasVerticalScrollbar(bool v) {
    EditOf(*this)->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TextArea::SetHasHorizontalScrollbar(bool v) {
    EditOf(*this)->setHorizontalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TextArea::SetLineSpacing(double spacing) {
    // Single spacing is what a new text has; going over it would change nothing.
    QTextDocument* document = EditOf(*this)->document();
    if (spacing == 1.0 && document->blockCount() == 1 &&
        document->firstBlock().blockFormat().lineHeightType() == QTextBlockFormat::SingleHeight)
        return;
    QTextBlockFormat format;
    format.setLineHeight(spacing * 100, QTextBlockFormat::ProportionalHeight);
    QTextCursor cursor(EditOf(*this)->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
}

void TextArea::SetSelStart(std::int64_t start) {
    QTextCursor cursor = EditOf(*this)->textCursor();
    cursor.setPosition(int(start));
    EditOf(*this)->setTextCursor(cursor);
}

void TextArea::SetSelLength(std::int64_t length) {
    QTextCursor cursor = EditOf(*this)->textCursor();
    int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    EditOf(*this)->setTextCursor(cursor);
}

std::int64_t TextArea::SelStart() const { return EditOf(*this)->textCursor().selectionStart(); }

std::int64_t TextArea::SelLength() const {
    QTextCursor cursor = EditOf(*this)->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TextArea::SetSelBold(bool bold) {
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    EditOf(*this)->textCursor().mergeCharFormat(format);
}

bool TextArea::CanDo(EditCommand command) const { return CanRun(EditOf(*this)->State(), command); }
void TextArea::Do(EditCommand command) { Run(*EditOf(*this), command); }

// Setting an alignment lays the document out again, even when it does not
// change it; streams mostly give the alignment the text already has.
void TextArea::ApplyAlignment(std::int64_t alignment) {
    const Qt::Alignment wanted = HorizontalAlignment(alignment);
    if ((EditOf(*this)->alignment() & Qt::AlignHorizontal_Mask) != wanted) EditOf(*this)->setAlignment(wanted);
}

// ---------------------------------------------------------------------------
// TextField

namespace {
FieldWidget* LineOf(const TextField& field) { return static_cast<FieldWidget*>(field.Widget()); }
}  // namespace

const ClassRecord& TextField::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<TextField>(
        "TextField", TextEdit::Class(),
        {
            Property<&TextField::SetPassword>("Password"),
            Property<&TextField::SetHint>("Hint"),
            Property<&TextField::SetMaximumCharactersAllowed>("MaximumCharactersAllowed"),
        },
        {{"KeyDown", "( TextField, String ) as Boolean"}}));
    return record;
}

TextField::TextField() {
    auto* line = new FieldWidget(NewWidgetHome::Current());
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

}  // namespace fw
