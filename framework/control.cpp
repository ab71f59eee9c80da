#include "framework/control.h"

#include "framework/application.h"
#include "framework/picture_qt.h"
#include "framework/qt_bridge.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

namespace fw {

QString ToQString(const String& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

String FromQString(const QString& text) { return text.toStdString(); }

// The four colour bytes are red, green and blue, then a fourth byte that
// layout data always leaves 0, meaning opaque.
QColor ToQColor(const Color& color) {
    return QColor(color.red, color.green, color.blue, 255 - color.transparency);
}

String KeyText(const QKeyEvent& event) {
    const int key = event.key();
    const bool command = event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (command && key >= Qt::Key_A && key <= Qt::Key_Z) return String(1, char(key - Qt::Key_A + 1));
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

// Layout data measures fonts in points on the same grid as the controls'
// places, where a point is one unit of the window's coordinates. So a size
// is a size in those units (logical pixels), and a text keeps its proportion
// to the box it was laid out for whatever the screen's resolution; size 0
// leaves the desktop's standard size.
void SetLayoutFontSize(QFont& font, float size) {
    if (size > 0) font.setPixelSize(std::max(1, qRound(size)));
}

// The family that a layout font name stands for: "System" is the desktop's
// standard font.
QString FamilyFor(const String& name) {
    return name != "System" && !name.empty() ? ToQString(name) : QApplication::font().family();
}

QFont FontFor(const String& name, float size, bool bold, bool italic, bool underline) {
    QFont font = QApplication::font();
    font.setFamily(FamilyFor(name));
    SetLayoutFontSize(font, size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

Qt::Alignment HorizontalAlignment(std::int64_t alignment) {
    switch (alignment) {
        case 2: return Qt::AlignHCenter;
        case 3: return Qt::AlignRight;
        default: return Qt::AlignLeft;
    }
}

// Hands each key typed into a text control to the control's KeyDown handler
// before the control acts on it.
class KeyFilter : public QObject {
public:
    KeyFilter(TextEdit& edit, QObject* parent) : QObject(parent), edit_(edit) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        String key = KeyText(*static_cast<QKeyEvent*>(event));
        if (key.empty()) return false;
        bool swallowed = false;
        RunHandler([&] { swallowed = edit_.FilterKey(key); });
        return swallowed;
    }

private:
    TextEdit& edit_;
};

class RectangleWidget : public QWidget {
public:
    using QWidget::QWidget;
    Color fill{0xE6, 0xE6, 0xE6, 0}, topLeft{0x80, 0x80, 0x80, 0}, bottomRight{0x33, 0x33, 0x33, 0};
    double thickness = 1;

protected:
    // A bevelled frame: the top and left edges in one colour, the bottom
    // and right edges in another, around the fill.
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int t = std::max(0, int(thickness + 0.5));
        const int w = width(), h = height();
        painter.fillRect(rect(), ToQColor(fill));
        painter.fillRect(0, 0, w, t, ToQColor(topLeft));
        painter.fillRect(0, 0, t, h, ToQColor(topLeft));
        painter.fillRect(0, h - t, w, t, ToQColor(bottomRight));
        painter.fillRect(w - t, 0, t, h, ToQColor(bottomRight));
    }
};

class CanvasWidget : public QWidget {
public:
    CanvasWidget(Canvas& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!owner_.Backdrop()) return;
        QPainter painter(this);
        painter.drawImage(0, 0, ImageOf(*owner_.Backdrop()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        QPoint at = event->position().toPoint();
        bool taken = false;
        RunHandler([&] { taken = owner_.MouseDown(at.x(), at.y()); });
        // A press the canvas does not handle goes on to the window.
        if (!taken && !owner_.EventHandler("MouseDown")) event->ignore();
    }

private:
    Canvas& owner_;
};

// The declarations shared by every control with a place on the window.
std::vector<PropertyDecl> RectControlProperties() {
    return {
        Property<&Control::SetName>("Name"),
        Property<&Control::SetIndex>("Index"),
        Property<&RectControl::SetLeft>("Left"),
        Property<&RectControl::SetTop>("Top"),
        Property<&RectControl::SetWidth>("Width"),
        Property<&RectControl::SetHeight>("Height"),
        Property<&RectControl::SetLockLeft>("LockLeft"),
        Property<&RectControl::SetLockTop>("LockTop"),
        Property<&RectControl::SetLockRight>("LockRight"),
        Property<&RectControl::SetLockBottom>("LockBottom"),
        Property<&RectControl::SetTabIndex>("TabIndex"),
        Property<&RectControl::SetTabStop>("TabStop"),
        Property<&RectControl::SetEnabled>("Enabled"),
        Property<&RectControl::SetVisible>("Visible"),
        Property<&RectControl::SetTooltip>("Tooltip"),
        Property<&RectControl::SetInitialParent>("InitialParent"),
        // Tab panels, automatic deactivation and transparency to the window's
        // background need nothing here: controls without a fill show the
        // window through them.
        IgnoredProperty("TabPanelIndex", PropertyType::Integer),
        IgnoredProperty("AllowAutoDeactivate", PropertyType::Boolean),
        IgnoredProperty("Transparent", PropertyType::Boolean),
    };
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

template <class C>
ClassRecord ControlClass(String name, const ClassRecord& base, std::vector<PropertyDecl> properties,
                         std::vector<ControlEvent> events = {}) {
    ClassRecord record{.name = std::move(name), .base = &base};
    record.properties = std::move(properties);
    record.controlEvents = std::move(events);
    if constexpr (!std::is_abstract_v<C>) record.create = [] { return std::make_shared<C>(); };
    return record;
}

}  // namespace

// ---------------------------------------------------------------------------
// Control

const ClassRecord& Control::Class() {
    static const ClassRecord& record = RuntimeRegisterClass({.name = "Control"});
    return record;
}

Control::~Control() = default;

Window* Control::Owner() const { return static_cast<Window*>(owner_.lock().get()); }

void Control::AttachTo(Window& window) {
    owner_ = window.shared_from_this();
    if (auto* child = dynamic_cast<PaneChild*>(this)) {
        child->SetWindow(std::static_pointer_cast<Window>(window.shared_from_this()));
        child->SetIndex(index_);
    }
}

void Control::SetEventHandler(std::string_view event, Delegate delegate) {
    handlers_[String(event)] = std::move(delegate);
}

const Delegate* Control::EventHandler(std::string_view event) const {
    auto it = handlers_.find(event);
    return it == handlers_.end() ? nullptr : &it->second;
}

// ---------------------------------------------------------------------------
// RectControl

const ClassRecord& RectControl::Class() {
    static const ClassRecord& record =
        RuntimeRegisterClass(ControlClass<RectControl>("RectControl", Control::Class(), RectControlProperties()));
    return record;
}

namespace {
QWidget* g_newWidgetHome = nullptr;
}  // namespace

NewWidgetHome::NewWidgetHome(QWidget* home) : previous_(g_newWidgetHome) { g_newWidgetHome = home; }
NewWidgetHome::~NewWidgetHome() { g_newWidgetHome = previous_; }
QWidget* NewWidgetHome::Current() { return g_newWidgetHome; }

RectControl::RectControl() : impl_(std::make_unique<RectControlImpl>()) {}

RectControl::~RectControl() { delete impl_->widget.data(); }

void RectControl::SetWidget(QWidget* widget) {
    impl_->widget = widget;
    widget->hide();
}

QWidget* RectControl::Widget() const { return impl_->widget; }

namespace {
void ApplyPendingLook(RectControlImpl& c) {
    if (c.widget && c.pendingFont) c.widget->setFont(*c.pendingFont);
    if (c.widget && c.pendingPalette) c.widget->setPalette(*c.pendingPalette);
    c.pendingFont.reset();
    c.pendingPalette.reset();
}

template <class Look>
void ChangeLook(RectControlImpl& c, std::optional<Look>& pending, const Look& current,
                const std::function<void(Look&)>& change) {
    if (!pending) pending = current;
    change(*pending);
    if (c.streamDepth == 0) ApplyPendingLook(c);
}
}  // namespace

void RectControl::BeginProperties() { ++impl_->streamDepth; }

void RectControl::EndProperties() {
    if (--impl_->streamDepth == 0) ApplyPendingLook(*impl_);
}

void RectControl::ChangeFont(const std::function<void(QFont&)>& change) {
    if (impl_->widget) ChangeLook(*impl_, impl_->pendingFont, impl_->widget->font(), change);
}

void RectControl::ChangePalette(const std::function<void(QPalette&)>& change) {
    if (impl_->widget) ChangeLook(*impl_, impl_->pendingPalette, impl_->widget->palette(), change);
}

void RectControl::AttachTo(Window& window) {
    Control::AttachTo(window);
    SetInitialParent("");
}

namespace {
void UpdateGeometry(RectControl& control) {
    RectControlImpl& c = control.Impl();
    if (!c.widget) return;
    std::int64_t dx = 0, dy = 0;
    if (c.parent) {
        dx = c.parent->Left();
        dy = c.parent->Top();
    }
    c.widget->setGeometry(int(c.left - dx), int(c.top - dy), int(c.width), int(c.height));
}

void RememberAnchor(RectControlImpl& c) {
    c.anchorLeft = c.left;
    c.anchorTop = c.top;
    c.anchorWidth = c.width;
    c.anchorHeight = c.height;
}
}  // namespace

void RectControl::SetLeft(std::int64_t v) { impl_->left = v; RememberAnchor(*impl_); UpdateGeometry(*this); }
void RectControl::SetTop(std::int64_t v) { impl_->top = v; RememberAnchor(*impl_); UpdateGeometry(*this); }
void RectControl::SetWidth(std::int64_t v) { impl_->width = v; RememberAnchor(*impl_); UpdateGeometry(*this); }
void RectControl::SetHeight(std::int64_t v) { impl_->height = v; RememberAnchor(*impl_); UpdateGeometry(*this); }
void RectControl::SetLockLeft(bool v) { impl_->lockLeft = v; }
void RectControl::SetLockTop(bool v) { impl_->lockTop = v; }
void RectControl::SetLockRight(bool v) { impl_->lockRight = v; }
void RectControl::SetLockBottom(bool v) { impl_->lockBottom = v; }
void RectControl::SetTabIndex(std::int64_t v) { impl_->tabIndex = v; }

void RectControl::SetTabStop(bool v) {
    impl_->tabStop = v;
    if (!impl_->widget || impl_->widget->focusPolicy() == Qt::NoFocus) return;
    impl_->widget->setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
}

void RectControl::SetEnabled(bool v) {
    impl_->enabled = v;
    if (impl_->widget) impl_->widget->setEnabled(v);
}

void RectControl::SetVisible(bool v) {
    impl_->visible = v;
    if (impl_->widget && Owner()) impl_->widget->setVisible(v);
}

void RectControl::SetTooltip(const String& v) {
    if (impl_->widget) impl_->widget->setToolTip(ToQString(v));
}

void RectControl::SetInitialParent(const String& name) {
    Window* window = Owner();
    if (!window || !impl_->widget) return;
    impl_->parent = nullptr;
    QWidget* parentWidget = window->Impl().content;
    if (!name.empty()) {
        auto& parent = RuntimeCheckCast<RectControl>(window->ControlByName(name));
        impl_->parent = &parent;
        parentWidget = parent.Widget();
    }
    // Adding a control already puts it on the window; its stream names the
    // window again. Moving a widget to the parent it has is not free.
    if (impl_->widget->parentWidget() != parentWidget) impl_->widget->setParent(parentWidget);
    UpdateGeometry(*this);
    impl_->widget->setVisible(impl_->visible);
}

std::int64_t RectControl::Left() const { return impl_->left; }
std::int64_t RectControl::Top() const { return impl_->top; }
std::int64_t RectControl::Width() const { return impl_->width; }
std::int64_t RectControl::Height() const { return impl_->height; }
std::int64_t RectControl::TabIndex() const { return impl_->tabIndex; }
bool RectControl::TabStop() const { return impl_->tabStop; }
bool RectControl::Enabled() const { return impl_->enabled; }
RectControl* RectControl::Parent() const { return impl_->parent; }

// Controls directly on the window follow the edges they are locked to when
// the window is resized; controls inside containers keep their place in the
// container.
void ApplyAnchors(Window& window, QSize contentSize) {
    const std::int64_t dw = contentSize.width() - window.Impl().width;
    const std::int64_t dh = contentSize.height() - window.Impl().height;
    for (Control* control : window.Controls()) {
        auto* rect = dynamic_cast<RectControl*>(control);
        if (!rect || rect->Parent() || !rect->Widget()) continue;
        RectControlImpl& c = rect->Impl();
        std::int64_t left = c.anchorLeft, top = c.anchorTop, width = c.anchorWidth, height = c.anchorHeight;
        if (c.lockRight) (c.lockLeft ? width : left) += dw;
        if (c.lockBottom) (c.lockTop ? height : top) += dh;
        rect->Widget()->setGeometry(int(left), int(top), int(width), int(height));
    }
}

// ---------------------------------------------------------------------------
// TextControl

const ClassRecord& FontControl::Class() {
    static const ClassRecord& record =
        RuntimeRegisterClass(ControlClass<FontControl>("FontControl", RectControl::Class(), FontProperties()));
    return record;
}

void FontControl::SetFontName(const String& v) { fontName_ = v; ApplyFont(); }
void FontControl::SetFontSize(float v) { fontSize_ = v; ApplyFont(); }
void FontControl::SetBold(bool v) { bold_ = v; ApplyFont(); }
void FontControl::SetItalic(bool v) { italic_ = v; ApplyFont(); }
void FontControl::SetUnderline(bool v) { underline_ = v; ApplyFont(); }

const ClassRecord& TextControl::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<TextControl>(
        "TextControl", FontControl::Class(),
        {
            Property<&TextControl::SetTextColor>("TextColor"),
            Property<&TextControl::SetTextAlignment>("TextAlignment"),
        }));
    return record;
}

void FontControl::ApplyFont() {
    ChangeFont([this](QFont& font) { font = FontFor(fontName_, fontSize_, bold_, italic_, underline_); });
}

// Only the active and inactive looks take the colour: a disabled control
// keeps the desktop's dimmed text.
void TextControl::SetTextColor(const Color& color) {
    ChangePalette([&](QPalette& palette) {
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Text, ToQColor(color));
            palette.setColor(group, QPalette::WindowText, ToQColor(color));
        }
    });
}

void TextControl::SetTextAlignment(std::int64_t alignment) { ApplyAlignment(alignment); }

// ---------------------------------------------------------------------------
// Rectangle

const ClassRecord& Rectangle::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<Rectangle>(
        "Rectangle", RectControl::Class(),
        {
            Property<&Rectangle::SetFillColor>("FillColor"),
            Property<&Rectangle::SetTopLeftColor>("TopLeftColor"),
            Property<&Rectangle::SetBottomRightColor>("BottomRightColor"),
            Property<&Rectangle::SetBorderThickness>("BorderThickness"),
        }));
    return record;
}

Rectangle::Rectangle() { SetWidget(new RectangleWidget(NewWidgetHome::Current())); }

void Rectangle::SetFillColor(const Color& c) { static_cast<RectangleWidget*>(Widget())->fill = c; }
void Rectangle::SetTopLeftColor(const Color& c) { static_cast<RectangleWidget*>(Widget())->topLeft = c; }
void Rectangle::SetBottomRightColor(const Color& c) { static_cast<RectangleWidget*>(Widget())->bottomRight = c; }
void Rectangle::SetBorderThickness(double t) { static_cast<RectangleWidget*>(Widget())->thickness = t; }

// ---------------------------------------------------------------------------
// TextEdit

namespace {
std::vector<PropertyDecl> TextEditProperties() {
    return {
        Property<&TextEdit::SetValue>("Value"),
        Property<&TextEdit::SetReadOnly>("ReadOnly"),
        Property<&TextEdit::SetBackgroundColor>("BackgroundColor"),
        Property<&TextEdit::SetHasBorder>("HasBorder"),
        Property<&TextEdit::SetAllowTabs>("AllowTabs"),
        // The desktop draws its own focus ring and spell checking; format
        // masks and data binding have no use in this system.
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

void TextEdit::SetHasBorder(bool border) {
    if (auto* frame = qobject_cast<QFrame*>(Widget())) frame->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
    if (auto* line = qobject_cast<QLineEdit*>(Widget())) line->setFrame(border);
}

void TextEdit::InstallKeyFilter() { Widget()->installEventFilter(new KeyFilter(*this, Widget())); }

bool TextEdit::FilterKey(const String& key) {
    const Delegate* handler = EventHandler("KeyDown");
    if (!handler) return false;
    if (auto* area = dynamic_cast<TextArea*>(this)) return handler->Invoke<bool, TextArea&, const String&>(*area, key);
    return handler->Invoke<bool, TextField&, const String&>(static_cast<TextField&>(*this), key);
}

// ---------------------------------------------------------------------------
// TextArea

namespace {
QTextEdit* EditOf(const TextArea& area) { return static_cast<QTextEdit*>(area.Widget()); }
}  // namespace

const ClassRecord& TextArea::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<TextArea>(
        "TextArea", TextEdit::Class(),
        {
            Property<&TextArea::SetMultiLine>("MultiLine"),
            Property<&TextArea::SetAllowStyledText>("AllowStyledText"),
            Property<&TextArea::SetHasVerticalScrollbar>("HasVerticalScrollbar"),
            Property<&TextArea::SetHasHorizontalScrollbar>("HasHorizontalScrollbar"),
            Property<&TextArea::SetHideSelection>("HideSelection"),
            Property<&TextArea::SetLineSpacing>("LineSpacing"),
            // 0 asks for the font's own line height.
            IgnoredProperty("LineHeight", PropertyType::Double),
            IgnoredProperty("MaximumCharactersAllowed", PropertyType::Integer),
        },
        {{"KeyDown", "( TextArea, String ) as Boolean"}}));
    return record;
}

TextArea::TextArea() {
    auto* edit = new QTextEdit(NewWidgetHome::Current());
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

void TextArea::SetReadOnly(bool v) { EditOf(*this)->setReadOnly(v); }

void TextArea::SetMultiLine(bool v) { EditOf(*this)->setLineWrapMode(v ? QTextEdit::WidgetWidth : QTextEdit::NoWrap); }

// Styled text is set by the program (SelBold); what is pasted comes in plain.
void TextArea::SetAllowStyledText(bool) {}

void TextArea::SetHasVerticalScrollbar(bool v) {
    EditOf(*this)->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TextArea::SetHasHorizontalScrollbar(bool v) {
    EditOf(*this)->setHorizontalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TextArea::SetLineSpacing(double spacing) {
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

bool TextArea::IsBoldAt(std::int64_t position) const {
    QTextCursor cursor(EditOf(*this)->document());
    cursor.setPosition(int(position) + 1);  // the format of the character before the cursor
    return cursor.charFormat().fontWeight() >= QFont::Bold;
}

bool TextArea::CanDo(EditCommand command) const {
    QTextEdit* edit = EditOf(*this);
    const bool selection = edit->textCursor().hasSelection();
    switch (command) {
        case EditCommand::Undo: return !edit->isReadOnly() && edit->document()->isUndoAvailable();
        case EditCommand::Cut: return !edit->isReadOnly() && selection;
        case EditCommand::Copy: return selection;
        case EditCommand::Paste: return edit->canPaste();
    }
    return false;
}

void TextArea::Do(EditCommand command) {
    QTextEdit* edit = EditOf(*this);
    switch (command) {
        case EditCommand::Undo: edit->undo(); break;
        case EditCommand::Cut: edit->cut(); break;
        case EditCommand::Copy: edit->copy(); break;
        case EditCommand::Paste: edit->paste(); break;
    }
}

// Setting an alignment lays the document out again, even when it does not
// change it; streams mostly give the alignment the text already has.
void TextArea::ApplyAlignment(std::int64_t alignment) {
    const Qt::Alignment wanted = HorizontalAlignment(alignment);
    if ((EditOf(*this)->alignment() & Qt::AlignHorizontal_Mask) != wanted) EditOf(*this)->setAlignment(wanted);
}

// ---------------------------------------------------------------------------
// TextField

namespace {
QLineEdit* LineOf(const TextField& field) { return static_cast<QLineEdit*>(field.Widget()); }
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
    SetWidget(new QLineEdit(NewWidgetHome::Current()));
    InstallKeyFilter();
}

String TextField::Text() const { return FromQString(LineOf(*this)->text()); }
void TextField::SetText(const String& text) { LineOf(*this)->setText(ToQString(text)); }
void TextField::SetReadOnly(bool v) { LineOf(*this)->setReadOnly(v); }
void TextField::SetPassword(bool v) { LineOf(*this)->setEchoMode(v ? QLineEdit::Password : QLineEdit::Normal); }
void TextField::SetHint(const String& v) { LineOf(*this)->setPlaceholderText(ToQString(v)); }

// 0 sets no limit.
void TextField::SetMaximumCharactersAllowed(std::int64_t v) {
    LineOf(*this)->setMaxLength(v > 0 && v < 32767 ? int(v) : 32767);
}

bool TextField::CanDo(EditCommand command) const {
    QLineEdit* line = LineOf(*this);
    switch (command) {
        case EditCommand::Undo: return !line->isReadOnly() && line->isUndoAvailable();
        case EditCommand::Cut: return !line->isReadOnly() && line->hasSelectedText();
        case EditCommand::Copy: return line->hasSelectedText();
        case EditCommand::Paste: return !line->isReadOnly() && !QApplication::clipboard()->text().isEmpty();
    }
    return false;
}

void TextField::Do(EditCommand command) {
    QLineEdit* line = LineOf(*this);
    switch (command) {
        case EditCommand::Undo: line->undo(); break;
        case EditCommand::Cut: line->cut(); break;
        case EditCommand::Copy: line->copy(); break;
        case EditCommand::Paste: line->paste(); break;
    }
}

void TextField::ApplyAlignment(std::int64_t alignment) {
    LineOf(*this)->setAlignment(HorizontalAlignment(alignment) | Qt::AlignVCenter);
}

// ---------------------------------------------------------------------------
// Label

namespace {
QLabel* LabelOf(const Label& label) { return static_cast<QLabel*>(label.Widget()); }

// Below this, a text would no longer be readable; it is cut off instead.
constexpr int kSmallestFittedPixelSize = 8;

// Layout data places one-line labels by the font metrics of the desktop it
// was made on. A wider desktop font would cut off the end of such a text, so
// the label draws it a little smaller, just small enough to show all of it.
class FittingLabel : public QLabel {
protected:
    void paintEvent(QPaintEvent* event) override {
        const QFont fitted = FittedFont(*this);
        if (fitted == font()) return QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setFont(fitted);
        style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), text(),
                              foregroundRole());
    }
};

}  // namespace

QFont FittedFont(const QLabel& label) {
    QFont font = label.font();
    if (label.wordWrap()) return font;
    const int width = label.contentsRect().width();
    int size = QFontInfo(font).pixelSize();
    while (size > kSmallestFittedPixelSize && QFontMetrics(font).size(0, label.text()).width() > width)
        font.setPixelSize(--size);
    return font;
}

const ClassRecord& Label::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<Label>(
        "Label", TextControl::Class(),
        {
            Property<&Label::SetValue>("Value"),
            Property<&Label::SetMultiLine>("MultiLine"),
            Property<&Label::SetSelectable>("Selectable"),
            IgnoredProperty("DataSource", PropertyType::String),
            IgnoredProperty("DataField", PropertyType::String),
        }));
    return record;
}

Label::Label() {
    auto* label = new FittingLabel;
    label->setParent(NewWidgetHome::Current());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A label takes no focus and no clicks: presses go on to the window.
    label->setFocusPolicy(Qt::NoFocus);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetWidget(label);
}

void Label::SetValue(const String& v) { LabelOf(*this)->setText(ToQString(v)); }
String Label::Value() const { return FromQString(LabelOf(*this)->text()); }
void Label::SetMultiLine(bool v) { LabelOf(*this)->setWordWrap(v); }

void Label::SetSelectable(bool v) {
    LabelOf(*this)->setTextInteractionFlags(v ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    LabelOf(*this)->setAttribute(Qt::WA_TransparentForMouseEvents, !v);
}

void Label::ApplyAlignment(std::int64_t alignment) {
    LabelOf(*this)->setAlignment(HorizontalAlignment(alignment) | Qt::AlignVCenter);
}

// ---------------------------------------------------------------------------
// PushButton

namespace {
QPushButton* ButtonOf(const PushButton& button) { return static_cast<QPushButton*>(button.Widget()); }
}  // namespace

const ClassRecord& PushButton::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<PushButton>(
        "PushButton", FontControl::Class(),
        {
            Property<&PushButton::SetCaption>("Caption"),
            Property<&PushButton::SetDefault>("Default"),
            Property<&PushButton::SetCancel>("Cancel"),
            IgnoredProperty("MacButtonStyle", PropertyType::Integer),
        },
        {{"Action", "( PushButton )"}}));
    return record;
}

PushButton::PushButton() {
    auto* button = new QPushButton(NewWidgetHome::Current());
    // Return presses a button only when the layout makes it the default.
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { RunHandler([this] { Push(); }); });
    SetWidget(button);
}

void PushButton::SetCaption(const String& v) { ButtonOf(*this)->setText(ToQString(v)); }
String PushButton::Caption() const { return FromQString(ButtonOf(*this)->text()); }
void PushButton::SetDefault(bool v) { ButtonOf(*this)->setDefault(v); }

void PushButton::SetCancel(bool v) {
    if (v) ButtonOf(*this)->setShortcut(QKeySequence(Qt::Key_Escape));
}

void PushButton::Push() {
    if (const Delegate* handler = EventHandler("Action")) handler->Invoke<void, PushButton&>(*this);
}

// ---------------------------------------------------------------------------
// Canvas

const ClassRecord& Canvas::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<Canvas>(
        "Canvas", RectControl::Class(),
        {
            Property<&Canvas::SetAllowFocus>("AllowFocus"),
            IgnoredProperty("AllowFocusRing", PropertyType::Boolean),
            IgnoredProperty("AllowTabs", PropertyType::Boolean),
            IgnoredProperty("DoubleBuffer", PropertyType::Boolean),
        },
        {{"MouseDown", "( Canvas, Integer, Integer ) as Boolean"}}));
    return record;
}

Canvas::Canvas() {
    auto* widget = new CanvasWidget(*this, NewWidgetHome::Current());
    widget->setFocusPolicy(Qt::NoFocus);
    SetWidget(widget);
}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
    backdrop_ = std::move(picture);
    if (Widget()) Widget()->update();
}

void Canvas::SetAllowFocus(bool v) { Widget()->setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus); }

bool Canvas::MouseDown(std::int64_t x, std::int64_t y) {
    const Delegate* handler = EventHandler("MouseDown");
    return handler && handler->Invoke<bool, Canvas&, std::int64_t, std::int64_t>(*this, x, y);
}

// ---------------------------------------------------------------------------
// Timer

struct TimerImpl {
    QTimer timer;
    std::int64_t runMode = 0;
};

const ClassRecord& Timer::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<Timer>(
        "Timer", Control::Class(),
        {
            Property<&Timer::SetPeriod>("Period"),
            Property<&Timer::SetRunMode>("RunMode"),
        },
        {{"Action", "( Timer )"}}));
    return record;
}

Timer::Timer() : impl_(std::make_unique<TimerImpl>()) {
    impl_->timer.setInterval(1000);
    // Qt's default coarse timers may fire up to 5 % early; a period is a
    // period.
    impl_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] { RunHandler([this] { Fire(); }); });
}

Timer::~Timer() = default;

void Timer::SetPeriod(std::int64_t ms) {
    impl_->timer.setInterval(int(std::clamp<std::int64_t>(ms, 0, INT32_MAX)));
}

void Timer::SetRunMode(std::int64_t mode) {
    impl_->runMode = mode;
    impl_->timer.stop();
    if (mode == 0) return;
    impl_->timer.setSingleShot(mode == 1);
    impl_->timer.start();
}

std::int64_t Timer::Period() const { return impl_->timer.interval(); }
std::int64_t Timer::RunMode() const { return impl_->runMode; }
bool Timer::IsRunning() const { return impl_->timer.isActive(); }

void Timer::Fire() {
    if (const Delegate* handler = EventHandler("Action")) handler->Invoke<void, Timer&>(*this);
}

}  // namespace fw
