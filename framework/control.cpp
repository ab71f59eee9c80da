#include "framework/control.h"

#include "framework/qt_bridge.h"

#include <QApplication>

#include <cmath>
#include <vector>

namespace fw {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

String FromQString(const QString& text) { return text.toStdString(); }

// The four colour bytes are red, green and blue, then a fourth byte that
// layout data always leaves 0, meaning opaque.
QColor ToQColor(const Color& color) {
    return QColor(color.red, color.green, color.blue, 255 - color.transparency);
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

}  // namespace


Qt::Alignment HorizontalAlignment(std::int64_t alignment) {
    switch (alignment) {
        case 2: return Qt::AlignHCenter;
        case 3: return Qt::AlignRight;
        default: return Qt::AlignLeft;
    }
}

namespace {

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
}  // namespace

// ---------------------------------------------------------------------------
// Control

const ClassRecord& Control::Class() {
    static const ClassRecord& record = RuntimeRegisterClass({.name = "Control"});
    return record;
}

Control::~Control() = default;

Window* Control::Owner() const { return static_cast<Window*>(state_->owner.lock().get()); }

void Control::AttachTo(Window& window) {
    state_->owner = window.shared_from_this();
    if (auto* child = dynamic_cast<PaneChild*>(this)) {
        child->SetWindow(std::static_pointer_cast<Window>(window.shared_from_this()));
        child->SetIndex(state_->index);
    }
}

void Control::SetEventHandler(std::string_view event, Delegate delegate) {
    state_->handlers[String(event)] = std::move(delegate);
}

const Delegate* Control::EventHandler(std::string_view event) const {
    const auto& handlers = state_->handlers;
    auto it = handlers.find(event);
    return it == handlers.end() ? nullptr : &it->second;
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

RectControl::~RectControl() { delete impl_.Unchecked().widget.data(); }

// The new widget is left neither shown nor hidden: on a window not yet on
// screen it appears with the window, unless its layout hides it (see
// ApplyVisible). Between its making and its joining a window nothing shows.
void RectControl::SetWidget(QWidget* widget) { impl_->widget = widget; }

QWidget* RectControl::Widget() const { return impl_->widget; }

void RectControl::BeginProperties() { ++impl_->streamDepth; }

void RectControl::EndProperties() {
    if (--impl_->streamDepth > 0) return;
    if (impl_->geometryPending) UpdateGeometry();
    ApplyPendingLook();
}

void RectControl::ApplyPendingLook() {
    RectControlImpl& c = *impl_;
    if (c.widget && c.pendingFont) c.widget->setFont(*c.pendingFont);
    if (c.widget && c.pendingPalette) {
        CompletePalette(*c.pendingPalette);
        c.widget->setPalette(*c.pendingPalette);
    }
    c.pendingFont.reset();
    c.pendingPalette.reset();
}

void RectControl::ChangeFont(const std::function<void(QFont&)>& change) {
    RectControlImpl& c = *impl_;
    if (!Widget()) return;
    if (!c.pendingFont) c.pendingFont = c.widget->font();
    change(*c.pendingFont);
    if (c.streamDepth == 0) ApplyPendingLook();
}

void RectControl::ChangePalette(const std::function<void(QPalette&)>& change) {
    RectControlImpl& c = *impl_;
    if (!Widget()) return;
    if (!c.pendingPalette) c.pendingPalette = c.widget->palette();
    change(*c.pendingPalette);
    if (c.streamDepth == 0) ApplyPendingLook();
}

void RectControl::AttachTo(Window& window) {
    Control::AttachTo(window);
    SetInitialParent("");
}

// A stream sets the four sides one by one, and names the parent last; the
// widget is placed once, at the stream's end.
void RectControl::UpdateGeometry() {
    RectControlImpl& c = *impl_;
    c.geometryPending = c.streamDepth > 0;
    if (!Widget() || c.geometryPending) return;
    std::int64_t dx = 0, dy = 0;
    if (c.parent) {
        dx = c.parent->Left();
        dy = c.parent->Top();
    }
    c.widget->setGeometry(int(c.left - dx), int(c.top - dy), int(c.width), int(c.height));
}

namespace {
void RememberAnchor(RectControlImpl& c) {
    c.anchorLeft = c.left;
    c.anchorTop = c.top;
    c.anchorWidth = c.width;
    c.anchorHeight = c.height;
}
}  // namespace

void RectControl::SetLeft(std::int64_t v) { impl_->left = v; RememberAnchor(*impl_); UpdateGeometry(); }
void RectControl::SetTop(std::int64_t v) { impl_->top = v; RememberAnchor(*impl_); UpdateGeometry(); }
void RectControl::SetWidth(std::int64_t v) { impl_->width = v; RememberAnchor(*impl_); UpdateGeometry(); }
void RectControl::SetHeight(std::int64_t v) { impl_->height = v; RememberAnchor(*impl_); UpdateGeometry(); }
void RectControl::SetLockLeft(bool v) { impl_->lockLeft = v; }
void RectControl::SetLockTop(bool v) { impl_->lockTop = v; }
void RectControl::SetLockRight(bool v) { impl_->lockRight = v; }
void RectControl::SetLockBottom(bool v) { impl_->lockBottom = v; }
void RectControl::SetTabIndex(std::int64_t v) { impl_->tabIndex = v; }

void RectControl::SetTabStop(bool v) {
    QWidget* widget = Widget();
    impl_->tabStop = v;
    if (!widget) return;
    if (!impl_->focusOnClick) widget->setFocusPolicy(v ? Qt::TabFocus : Qt::NoFocus);
    else if (widget->focusPolicy() != Qt::NoFocus) widget->setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
}

void RectControl::TakeNoFocusOnClick() {
    impl_->focusOnClick = false;
    SetTabStop(impl_->tabStop);
}

// Layouts enable nearly every control, and a widget never disabled by hand
// is already enabled as far as it can be: Qt would set the same state again.
void RectControl::SetEnabled(bool v) {
    QWidget* widget = Widget();
    impl_->enabled = v;
    if (widget && widget->testAttribute(Qt::WA_ForceDisabled) == v) widget->setEnabled(v);
}

namespace {
// A widget that was never shown or hidden by hand appears with its window.
// Only hiding it, or showing it where its parent is already on screen,
// takes a call, and each call costs Qt's show or hide events.
void ApplyVisible(RectControlImpl& c) {
    QWidget* widget = c.widget;
    const QWidget* parent = widget->parentWidget();
    if (!c.visible || widget->testAttribute(Qt::WA_WState_ExplicitShowHide) || (parent && parent->isVisible()))
        widget->setVisible(c.visible);
}
}  // namespace

void RectControl::SetVisible(bool v) {
    QWidget* widget = Widget();
    impl_->visible = v;
    if (widget && Owner()) ApplyVisible(*impl_);
}

// Qt sends an event for every tooltip set, also an unchanged one; layouts
// set the empty tooltip a new widget has.
void RectControl::SetTooltip(std::string_view v) {
    const QString tip = ToQString(v);
    QWidget* widget = Widget();
    if (widget && widget->toolTip() != tip) widget->setToolTip(tip);
}

void RectControl::SetInitialParent(std::string_view name) {
    Window* window = Owner();
    if (!window || !Widget()) return;
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
    UpdateGeometry();
    ApplyVisible(*impl_);
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

void FontControl::SetFontName(std::string_view v) { font_->name = v; ApplyFont(); }
void FontControl::SetFontSize(float v) { font_->size = v; ApplyFont(); }
void FontControl::SetBold(bool v) { font_->bold = v; ApplyFont(); }
void FontControl::SetItalic(bool v) { font_->italic = v; ApplyFont(); }
void FontControl::SetUnderline(bool v) { font_->underline = v; ApplyFont(); }

const ClassRecord& TextControl::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<TextControl>(
        "TextControl", FontControl::Class(),
        {
            Property<&TextControl::SetTextColor>("TextColor"),
            Property<&TextControl::SetTextAlignment>("TextAlignment"),
        }));
    return record;
}

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

namespace {

// Relative luminance and contrast ratio as accessibility guidelines define
// them.
double Luminance(const QColor& color) {
    auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

double Contrast(double la, double lb) { return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05); }

// The smallest contrast that keeps ordinary text readable.
constexpr double kReadableContrast = 4.5;

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) { return Contrast(Luminance(a), Luminance(b)); }

// The desktop's disabled grey would make a dimmed control's text the
// faintest on screen. Instead the text keeps its own colour, moved toward
// the background just as far as readable contrast allows; a colour already
// fainter than that stays as it is.
//
// Every text control asks this while its layout is applied, with the few
// colour pairs a window uses; each pair is worked out once.
QColor ReadablyDimmed(const QColor& text, const QColor& background) {
    struct Answer {
        QRgba64 text, background;
        QColor dimmed;
    };
    static std::vector<Answer> answers;
    for (const Answer& a : answers)
        if (a.text == text.rgba64() && a.background == background.rgba64()) return a.dimmed;

    // The screen draws 8 bits a channel: each candidate is such a colour,
    // so that the contrast reached is the contrast drawn. No channel moves
    // by more than 255, so the steps meet every 8-bit colour on the way.
    constexpr int kSteps = 255;
    const double backgroundLuminance = Luminance(background);
    auto mix = [](int from, int to, double t) { return qRound(from + t * (to - from)); };
    QColor dimmed = text;
    for (int step = 1; step <= kSteps; ++step) {
        const double t = double(step) / kSteps;
        const QColor mixed(mix(text.red(), background.red(), t), mix(text.green(), background.green(), t),
                           mix(text.blue(), background.blue(), t));
        if (Contrast(Luminance(mixed), backgroundLuminance) < kReadableContrast) break;
        dimmed = mixed;
    }
    if (answers.size() < 64) answers.push_back({text.rgba64(), background.rgba64(), dimmed});
    return dimmed;
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
