#include "framework/window.h"

#include "framework/application.h"
#include "framework/focus_order.h"
#include "framework/menu_display.h"
#include "framework/rect_control.h"
#include "framework/timer.h"
#include "framework/window_impl.h"
#include "framework/window_registry.h"

#include <QLayout>
#include <QMenuBar>
#include <QTextEdit>

#include <algorithm>

namespace fw {

const ClassRecord& Window::Class() {
    static const ClassRecord& record = RuntimeRegisterClass({
        .name = "Window",
        .properties =
            {
                Property<&Window::SetWidth>("Width"),
                Property<&Window::SetHeight>("Height"),
                Property<&Window::SetMinimumWidth>("MinimumWidth"),
                Property<&Window::SetMinimumHeight>("MinimumHeight"),
                Property<&Window::SetMaximumWidth>("MaximumWidth"),
                Property<&Window::SetMaximumHeight>("MaximumHeight"),
                Property<&Window::SetType>("Type"),
                Property<&Window::SetTitle>("Title"),
                Property<&Window::SetHasCloseButton>("HasCloseButton"),
                Property<&Window::SetHasMaximizeButton>("HasMaximizeButton"),
                Property<&Window::SetHasMinimizeButton>("HasMinimizeButton"),
                Property<&Window::SetResizeable>("Resizeable"),
                Property<&Window::SetVisible>("Visible"),
                Property<&Window::SetHasBackgroundColor>("HasBackgroundColor"),
                Property<&Window::SetBackgroundColor>("BackgroundColor"),
                Property<&Window::SetMenuBarVisible>("MenuBarVisible"),
                // Full-screen mode, window composition, live resizing, window
                // procedures and placement choices are not offered: windows
                // open centred on the screen.
                IgnoredProperty("HasFullScreenButton", PropertyType::Boolean),
                IgnoredProperty("FullScreen", PropertyType::Boolean),
                IgnoredProperty("Composite", PropertyType::Boolean),
                IgnoredProperty("LiveResize", PropertyType::Boolean),
                IgnoredProperty("MacProcId", PropertyType::Integer),
                IgnoredProperty("DefaultLocation", PropertyType::Integer),
            },
    });
    return record;
}

Window::Window() : impl_(std::make_unique<WindowImpl>(*this)) {}

Window::~Window() = default;

void Window::Constructor() {
    CheckUIThread();
    FollowTheWindowManagerPastOpenMenus();
    AddLiveWindow(std::static_pointer_cast<Window>(shared_from_this()));
    impl_->open = true;
    try {
        RaiseEvent("Layout");
        impl_->ApplyFrame();
        RaiseEvent("CreateControls");
        if (impl_->menuBarVisible) {
            impl_->menuBar = CreateMenuBarFor(*this, impl_->frame.get());
            if (impl_->menuBar) impl_->frame->layout()->setMenuBar(impl_->menuBar);
        }
        if (const EventBinding* b = Record().FindEvent("AddMenuHandlers"))
            std::get<std::function<void(Object&, Window&)>>(b->handler)(*this, *this);
        OrderKeyboardFocus(Controls());
        RaiseEvent("Open");
        // What the window's own code did to its texts while opening (a title
        // set bold) is not the user's to undo: the history starts here.
        // The controls' widgets are the window's texts: searching the content
        // area would also go through every scroll bar and viewport in it.
        for (const auto& control : impl_->controls)
            if (auto* rect = As<RectControl>(control.get()))
                if (auto* text = qobject_cast<QTextEdit*>(rect->Widget())) text->document()->clearUndoRedoStacks();
    } catch (...) {
        // A window whose building failed is not a live window: the next
        // lookup builds a new one rather than finding this half-built one.
        impl_->open = false;
        ForgetLiveWindow(*this);
        throw;
    }
    if (impl_->visible) Show();
}

void Window::Show() {
    CheckUIThread();
    if (!impl_->open) return;
    impl_->visible = true;
    impl_->PlaceOnScreen();
    // A minimised window comes back, keeping whether it was maximised.
    impl_->frame->setWindowState(impl_->frame->windowState() & ~Qt::WindowMinimized);
    impl_->frame->show();
    impl_->frame->raise();
    impl_->frame->activateWindow();
}

void Window::Hide() {
    CheckUIThread();
    impl_->visible = false;
    impl_->frame->hide();
}

void Window::Close() {
    CheckUIThread();
    if (!impl_->open) return;
    impl_->open = false;
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    ForgetLiveWindow(*this);
    RaiseEvent("Close");
    impl_->visible = false;
    impl_->frame->hide();
    // A closed window's timers end with it: none may call its handlers.
    for (Control* control : Controls())
        if (auto* timer = As<Timer>(control)) timer->SetRunMode(0);
    ReleaseOnceEventEnds(self);
    // With no global menu bar, a process without a visible window could not
    // be reached: closing the last one ends the application.
    auto live = LiveWindows();
    if (std::none_of(live.begin(), live.end(), [](const auto& w) { return w->IsVisible(); })) Quit(0);
}

bool Window::IsVisible() const { return impl_->open && impl_->frame->isVisible(); }
bool Window::IsOpen() const { return impl_->open; }

std::shared_ptr<Control> Window::New(const ClassRecord& controlClass) {
    CheckUIThread();
    if (!controlClass.create) throw TypeMismatchException(controlClass.name + " is not a control class");
    std::shared_ptr<Object> object = controlClass.create(*this);
    if (!As<Control>(object.get())) throw TypeMismatchException(controlClass.name + " is not a control class");
    return std::static_pointer_cast<Control>(object);
}

void Window::AddControl(const String& name, const std::shared_ptr<Control>& control) {
    CheckUIThread();
    if (!control) RaiseNil("Control");
    control->SetName(name);
    impl_->controls.push_back(control);
    control->AttachTo(*this);
}

Control* Window::ControlByName(std::string_view name) const {
    CheckUIThread();
    for (const auto& control : impl_->controls)
        if (control->Name() == name) return control.get();
    return nullptr;
}

std::vector<Control*> Window::Controls() const {
    std::vector<Control*> all;
    all.reserve(impl_->controls.size());
    for (const auto& control : impl_->controls) all.push_back(control.get());
    return all;
}

void Window::AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    CheckUIThread();
    impl_->menuHandlers[itemName] = std::move(handler);
}

const std::function<bool()>* Window::MenuHandler(std::string_view itemName) const {
    auto it = impl_->menuHandlers.find(itemName);
    return it == impl_->menuHandlers.end() ? nullptr : &it->second;
}

// The window's events reach its handlers, whatever they do, only on the
// user-interface thread.
void Window::RaiseEvent(std::string_view event) {
    CheckUIThread();
    if (const EventBinding* b = Record().FindEvent(event))
        if (auto* handler = std::get_if<std::function<void(Object&)>>(&b->handler)) (*handler)(*this);
}

bool Window::RaiseKeyDown(const String& key) {
    CheckUIThread();
    if (const EventBinding* b = Record().FindEvent("KeyDown"))
        if (auto* handler = std::get_if<std::function<bool(Object&, const String&)>>(&b->handler))
            return (*handler)(*this, key);
    return false;
}

bool Window::RaiseMouseDown(std::int64_t x, std::int64_t y) {
    CheckUIThread();
    if (const EventBinding* b = Record().FindEvent("MouseDown"))
        if (auto* handler = std::get_if<std::function<bool(Object&, std::int64_t, std::int64_t)>>(&b->handler))
            return (*handler)(*this, x, y);
    return false;
}

void Window::SetWidth(std::int64_t v) { impl_->width = v; }
void Window::SetHeight(std::int64_t v) { impl_->height = v; }
void Window::SetMinimumWidth(std::int64_t v) { impl_->minWidth = v; }
void Window::SetMinimumHeight(std::int64_t v) { impl_->minHeight = v; }
void Window::SetMaximumWidth(std::int64_t v) { impl_->maxWidth = v; }
void Window::SetMaximumHeight(std::int64_t v) { impl_->maxHeight = v; }
void Window::SetType(std::int64_t v) { impl_->type = v; }
void Window::SetTitle(const String& v) { impl_->title = v; }
void Window::SetHasCloseButton(bool v) { impl_->hasCloseButton = v; }
void Window::SetHasMaximizeButton(bool v) { impl_->hasMaximizeButton = v; }
void Window::SetHasMinimizeButton(bool v) { impl_->hasMinimizeButton = v; }
void Window::SetResizeable(bool v) { impl_->resizeable = v; }
void Window::SetVisible(bool v) { impl_->visible = v; }
void Window::SetHasBackgroundColor(bool v) { impl_->hasBackgroundColor = v; }
void Window::SetBackgroundColor(const Color& v) { impl_->backgroundColor = v; }
void Window::SetMenuBarVisible(bool v) { impl_->menuBarVisible = v; }

String Window::Title() const { return impl_->title; }
std::int64_t Window::Width() const { return impl_->content->width(); }
std::int64_t Window::Height() const { return impl_->content->height(); }
bool Window::Resizeable() const { return impl_->resizeable; }
bool Window::MenuBarVisible() const { return impl_->menuBarVisible; }

}  // namespace fw
