#include "framework/rect_control.h"

#include "framework/control_class.h"
#include "framework/qt_conversions.h"
#include "framework/rect_control_impl.h"
#include "framework/window.h"
#include "framework/window_impl.h"

#include <vector>

namespace fw {

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

}  // namespace

const ClassRecord& RectControl::Class() {
    static const ClassRecord& record =
        RuntimeRegisterClass(ControlClass<RectControl>(Control::Class(), RectControlProperties()));
    return record;
}

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
        auto* rect = As<RectControl>(control);
        if (!rect || rect->Parent() || !rect->Widget()) continue;
        RectControlImpl& c = rect->Impl();
        std::int64_t left = c.anchorLeft, top = c.anchorTop, width = c.anchorWidth, height = c.anchorHeight;
        if (c.lockRight) (c.lockLeft ? width : left) += dw;
        if (c.lockBottom) (c.lockTop ? height : top) += dh;
        rect->Widget()->setGeometry(int(left), int(top), int(width), int(height));
    }
}

}  // namespace fw
