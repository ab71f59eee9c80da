#include "framework/window.h"

#include "framework/application.h"
#include "framework/key_text.h"
#include "framework/qt_bridge.h"
#include "framework/timer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace fw {

namespace {

// Every window built and not yet closed; the framework keeps an open window
// alive whether or not the system holds a reference to it.
std::vector<std::shared_ptr<Window>>& Live() {
    static std::vector<std::shared_ptr<Window>> windows;
    return windows;
}

void Forget(const Window& window) {
    auto& live = Live();
    live.erase(std::remove_if(live.begin(), live.end(), [&](const auto& w) { return w.get() == &window; }),
               live.end());
}

// Closed windows wait here until the event that closed them is over, since
// their widgets may still be on the call stack.
std::vector<std::shared_ptr<Window>>& Closing() {
    static std::vector<std::shared_ptr<Window>> windows;
    return windows;
}

// The control as a T when its class is T's or one derived from it. Class
// records answer with a short walk along the bases, where a dynamic_cast
// compares type names; building a window asks this of every control.
template <class T>
T* ControlAs(Control* control) {
    return control->Record().IsA(T::Class()) ? static_cast<T*>(control) : nullptr;
}

// Keyboard focus order. Controls directly on the window follow their tab
// indexes; controls inside containers form one group, ordered by their own
// tab indexes, at the place of the first container. So the cells of a table
// split over two containers are visited row by row, as their indexes say.
void OrderKeyboardFocus(Window& window) {
    struct Stop {
        std::int64_t group, index;
        QWidget* widget;
    };
    const std::vector<Control*> controls = window.Controls();
    std::vector<RectControl*> rects;
    rects.reserve(controls.size());
    std::int64_t firstContainer = INT64_MAX;
    for (Control* control : controls) {
        auto* rect = ControlAs<RectControl>(control);
        if (!rect) continue;
        rects.push_back(rect);
        const RectControl* container = rect->Parent();
        if (container && !container->Parent()) firstContainer = std::min(firstContainer, container->TabIndex());
    }
    std::vector<Stop> stops;
    stops.reserve(rects.size());
    for (RectControl* rect : rects) {
        if (!rect->Widget() || !(rect->Widget()->focusPolicy() & Qt::TabFocus)) continue;
        std::int64_t group = rect->Parent() ? firstContainer : rect->TabIndex();
        stops.push_back({group, rect->TabIndex(), rect->Widget()});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        return std::tie(a.group, a.index) < std::tie(b.group, b.index);
    });
    for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1].widget, stops[i].widget);
    // A window opens with the focus in its first field the user can type in
    // (a read-only text lying under another gets none), else its first stop.
    auto typable = [](const Stop& stop) {
        auto* line = qobject_cast<QLineEdit*>(stop.widget);
        auto* text = qobject_cast<QTextEdit*>(stop.widget);
        return stop.widget->isEnabled() && ((line && !line->isReadOnly()) || (text && !text->isReadOnly()));
    };
    auto first = std::find_if(stops.begin(), stops.end(), typable);
    if (first == stops.end()) first = stops.begin();
    if (first != stops.end()) first->widget->setFocus(Qt::OtherFocusReason);
}

// What the window manager adds around a window (title bar, borders), as
// it stands around the application's windows already on screen; nothing
// before the first one is there, or without a window manager.
QSize FrameDecoration() {
    QSize decoration(0, 0);
    for (const auto& window : Live()) {
        const QWidget& frame = *window->Impl().frame;
        if (frame.isVisible()) decoration = decoration.expandedTo(frame.frameGeometry().size() - frame.size());
    }
    return decoration;
}

// While a menu is open Qt keeps the window it belongs to active, also when
// the window manager gives another window the focus (a task bar, a click
// on a title bar); the menu would stay drawn over that window, which would
// never hear that it became active. So the menus close, and the window
// that got the focus becomes the active one.
void FollowTheWindowManagerPastOpenMenus() {
    static bool following = false;
    if (std::exchange(following, true)) return;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* focus) {
        if (!focus || !QApplication::activePopupWidget()) return;
        for (const auto& window : Live()) {
            QWidget* frame = window->Impl().frame.get();
            if (frame->windowHandle() != focus || QApplication::activeWindow() == frame) continue;
            while (QWidget* menu = QApplication::activePopupWidget())
                if (!menu->close()) break;
            QApplication::setActiveWindow(frame);
            return;
        }
    });
}

}  // namespace

// ---------------------------------------------------------------------------

WindowFrame::WindowFrame(Window& owner) : owner_(owner) {}

bool WindowFrame::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) RunHandler([this] { owner_.RaiseEvent("Activate"); });
    if (event->type() == QEvent::WindowDeactivate) RunHandler([this] { owner_.RaiseEvent("Deactivate"); });
    return QWidget::event(event);
}

void WindowFrame::closeEvent(QCloseEvent* event) {
    // The user closed the window through its frame.
    if (owner_.IsOpen()) RunHandler([this] { owner_.Close(); });
    event->accept();
}

// Every key press reaches the window's KeyDown, with an empty text for a key
// that carries none (F1, Insert, Pause); a modifier pressed alone does not.
void WindowFrame::keyPressEvent(QKeyEvent* event) {
    bool taken = false;
    if (!IsModifierKey(event->key())) RunHandler([&] { taken = owner_.RaiseKeyDown(KeyText(*event)); });
    if (!taken) QWidget::keyPressEvent(event);
}

ContentArea::ContentArea(Window& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

QSize ContentArea::sizeHint() const {
    return QSize(int(owner_.Impl().width), int(owner_.Impl().height));
}

void ContentArea::mousePressEvent(QMouseEvent* event) {
    QPoint at = event->position().toPoint();
    RunHandler([&] { owner_.RaiseMouseDown(at.x(), at.y()); });
}

void ContentArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyAnchors(owner_, size());
}

WindowImpl::WindowImpl(Window& window) : owner(window), frame(std::make_unique<WindowFrame>(window)) {
    auto* layout = new QVBoxLayout(frame.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    content = new ContentArea(window, frame.get());
    layout->addWidget(content);
}

WindowImpl::~WindowImpl() {
    // Controls release their widgets before the frame that holds them goes.
    controls.clear();
    frame.reset();
}

void WindowImpl::ApplyFrame() {
    Qt::WindowFlags flags = (type == 2 ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (hasCloseButton) flags |= Qt::WindowCloseButtonHint;
    if (hasMinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (hasMaximizeButton && resizeable) flags |= Qt::WindowMaximizeButtonHint;
    frame->setWindowFlags(flags);
    // A window without a title shows the application's name. Qt would put
    // the name only in _NET_WM_NAME and leave WM_NAME empty, which is all
    // that older window managers and tools read; both get the same text.
    frame->setWindowTitle(title.empty() ? QCoreApplication::applicationName() : ToQString(title));

    // A window that cannot be resized keeps the size its layout gives; its
    // limits do not cut it (a stored maximum below the width is ignored).
    if (resizeable) {
        content->setMinimumSize(int(minWidth), int(minHeight));
        content->setMaximumSize(int(maxWidth), int(maxHeight));
        content->resize(int(width), int(height));
        frame->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    } else {
        content->setFixedSize(int(width), int(height));
        frame->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }

    content->setAutoFillBackground(hasBackgroundColor);
    if (hasBackgroundColor) {
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, ToQColor(backgroundColor));
        content->setPalette(palette);
    }
}

void WindowImpl::PlaceOnScreen() {
    if (placed) return;
    placed = true;
    // Control widgets are made unhidden, to appear with the window; one whose
    // control never joined the window must not appear.
    for (QWidget* child : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool joined = std::any_of(controls.begin(), controls.end(), [&](const auto& control) {
            auto* rect = ControlAs<RectControl>(control.get());
            return rect && rect->Widget() == child;
        });
        if (!joined) child->hide();
    }
    // The window opens at its layout size (Qt's adjustSize would cap it at
    // two thirds of the screen). A resizeable window that the screen cannot
    // hold, its frame included, is fitted to it; one of fixed size keeps its
    // size and stands so that its title bar and menu bar are on the screen.
    QSize size = frame->sizeHint();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size);
    const QSize decoration = FrameDecoration();
    if (resizeable) size = size.boundedTo(area.size() - decoration).expandedTo(frame->minimumSizeHint());
    frame->resize(size);
    const QPoint centred = area.center() - QPoint((size.width() + decoration.width()) / 2,
                                                  (size.height() + decoration.height()) / 2);
    frame->move(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
}

// ---------------------------------------------------------------------------

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
                // Full-screen mode, window composition, live resizing, classic
                // window procedures and placement choices have no counterpart
                // here: windows open centred on the screen.
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
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    Live().push_back(self);
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
        OrderKeyboardFocus(*this);
        RaiseEvent("Open");
        // What the window's own code did to its texts while opening (a title
        // set bold) is not the user's to undo: the history starts here.
        // The controls' widgets are the window's texts: searching the content
        // area would also go through every scroll bar and viewport in it.
        for (const auto& control : impl_->controls)
            if (auto* rect = ControlAs<RectControl>(control.get()))
                if (auto* text = qobject_cast<QTextEdit*>(rect->Widget())) text->document()->clearUndoRedoStacks();
    } catch (...) {
        // A window whose building failed is not a live window: the next
        // lookup builds a new one rather than finding this half-built one.
        impl_->open = false;
        Forget(*this);
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
    // The offscreen platform that tests use stacks no windows.
    if (QGuiApplication::platformName() != "offscreen") impl_->frame->raise();
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
    Forget(*this);
    RaiseEvent("Close");
    impl_->visible = false;
    impl_->frame->hide();
    // A closed window's timers end with it: none may call its handlers.
    for (Control* control : Controls())
        if (auto* timer = ControlAs<Timer>(control)) timer->SetRunMode(0);
    Closing().push_back(self);
    QTimer::singleShot(0, qApp, [] { Closing().clear(); });
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
    NewWidgetHome home(impl_->content);
    std::shared_ptr<Object> object = controlClass.create();
    if (!object->Record().IsA(Control::Class())) throw TypeMismatchException(controlClass.name + " is not a control class");
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

std::shared_ptr<Window> GetImplicitWindow(std::string_view className) {
    CheckUIThread();
    for (const auto& window : Live())
        if (window->Record().name == className) return window;
    return nullptr;
}

std::vector<std::shared_ptr<Window>> LiveWindows() {
    CheckUIThread();
    return Live();
}

void RuntimeReleaseWindows() {
    CheckUIThread();
    Closing().clear();
    // Closing one window may not build another, but be safe against it.
    while (!Live().empty()) {
        auto windows = std::move(Live());
        Live().clear();
    }
}

std::shared_ptr<Window> FrontmostWindow() {
    CheckUIThread();
    QWidget* active = QApplication::activeWindow();
    for (const auto& window : Live())
        if (window->Impl().frame.get() == active) return window;
    return nullptr;
}

}  // namespace fw
