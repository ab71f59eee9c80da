#include "framework/text_area.h"

#include "framework/control_class.h"
#include "framework/edit_commands.h"
#include "framework/pasting.h"
#include "framework/printing_qt.h"
#include "framework/qt_conversions.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextEdit>

namespace fw {

namespace {

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

AreaWidget* EditOf(const TextArea& area) { return static_cast<AreaWidget*>(area.Widget()); }

}  // namespace

const ClassRecord& TextArea::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<TextArea>(
        TextEdit::Class(),
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
        {kKeyDown}));
    return record;
}

TextArea::TextArea(QWidget* home) {
    auto* edit = new AreaWidget(home);
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

bool TextArea::RaiseKeyDown(const String& key) { return Raise(*this, kKeyDown, *this, key); }

std::shared_ptr<fw::StyledTextPrinter> TextArea::StyledTextPrinter(const std::shared_ptr<Graphics>& graphics,
                                                                   double width) const {
    auto* edit = static_cast<QTextEdit*>(Widget());  // off the UI thread, that raises first
    if (!graphics) RaiseNil("Graphics");
    auto layout = std::make_unique<fw::StyledTextPrinter::Layout>();
    layout->document.reset(edit->document()->clone());
    // Laid out for the printer's resolution, so that fonts given in points
    // keep their size on paper.
    layout->document->documentLayout()->setPaintDevice(&graphics->Target().Surface());
    layout->document->setTextWidth(width * graphics->Target().PixelsPerPoint());
    return std::make_shared<fw::StyledTextPrinter>(graphics, std::move(layout));
}

}  // namespace fw
