#include "shell/about_wnd.h"

#include "main_window/control_wnd.h"
#include "resources/about_wnd_layout.h"
#include "shell/pictures.h"

namespace {

// Makes a control of the class, runs its construction and gives it to the
// window under its name; from then on the window holds it.
void AddNewControl(fw::Window& window, const fw::ClassRecord& controlClass, const fw::String& name) {
    std::shared_ptr<fw::Control> control = window.New(controlClass);
    control->Constructor();
    window.AddControl(name, control);
}

// The About window steps aside for the main window, which is built on the
// first call.
void GiveWayToMainWindow() {
    AboutWnd()->Hide();
    ControlWnd()->Show();
}

}  // namespace

const fw::ClassRecord& AboutWnd::Class() {
    static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
        .name = "AboutWnd.AboutWnd",
        .base = &fw::Window::Class(),
        .events =
            {
                fw::On<&AboutWnd::CreateControls>("CreateControls"),
                fw::On<&AboutWnd::Event_KeyDown>("KeyDown"),
                fw::On<&AboutWnd::Layout>("Layout"),
                fw::On<&AboutWnd::Event_MouseDown>("MouseDown"),
            },
    });
    return record;
}

void AboutWnd::Layout() { fw::SetProperties(*this, about_wnd_layout::kWindow); }

void AboutWnd::CreateControls() { CreateControls0(); }

void AboutWnd::CreateControls0() {
    using namespace about_wnd_layout;
    AddNewControl(*this, fw::Label::Class(), "StaticText5");
    fw::SetProperties(StaticText5(), kStaticText5);

    AddNewControl(*this, fw::Label::Class(), "StaticText1");
    fw::SetProperties(StaticText1(), kStaticText1);

    // The handler is connected only once Period and RunMode are set.
    AddNewControl(*this, _wrapper_Timer1::Class(), "Timer1");
    fw::SetProperties(Timer1(), kTimer1);
    fw::RuntimeAddEventHandler(Timer1(), "Action",
                               fw::RuntimeCreateDelegate(&AboutWnd::Timer1_Action, this, "( Timer )"));

    // The picture is in place before the canvas's own properties; without
    // one the canvas stays empty and the window is built all the same.
    AddNewControl(*this, fw::Canvas::Class(), "Canvas1");
    Canvas1().SetBackdrop(Rovi96());
    fw::SetProperties(Canvas1(), kCanvas1);
}

fw::Label& AboutWnd::StaticText5() { return fw::RuntimeCheckCast<fw::Label>(ControlByName("StaticText5")); }
fw::Label& AboutWnd::StaticText1() { return fw::RuntimeCheckCast<fw::Label>(ControlByName("StaticText1")); }
fw::Timer& AboutWnd::Timer1() { return fw::RuntimeCheckCast<fw::Timer>(ControlByName("Timer1")); }
fw::Canvas& AboutWnd::Canvas1() { return fw::RuntimeCheckCast<fw::Canvas>(ControlByName("Canvas1")); }

// The window gives way once per showing. Once a key or a click has done it,
// or the window is no longer shown for any other reason (the main window's
// activation hides it, also one it has just built), the timer leaves the
// windows alone: it would take the focus from wherever the user went on to.
void AboutWnd::Timer1_Action(fw::Timer&) {
    if (IsVisible()) GiveWayToMainWindow();
}

bool AboutWnd::Event_KeyDown(const fw::String&) {
    GiveWayToMainWindow();
    return false;
}

bool AboutWnd::Event_MouseDown(std::int64_t, std::int64_t) {
    GiveWayToMainWindow();
    return false;
}

bool AboutWnd::IsEventImplemented(const fw::String& event) const { return fw::IsEventImplemented(*this, event); }

std::shared_ptr<class AboutWnd> AboutWnd() { return fw::ImplicitInstance<class AboutWnd>(); }

// ---------------------------------------------------------------------------
// The timer wrapper

const fw::ClassRecord& AboutWnd::_wrapper_Timer1::Class() {
    static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
        .name = "AboutWnd._wrapper_Timer1",
        .base = &fw::Timer::Class(),
        .create = [] { return std::make_shared<_wrapper_Timer1>(); },
    });
    return record;
}

void AboutWnd::_wrapper_Timer1::SetWindow(const std::shared_ptr<fw::Window>& window) {
    ownerWindow = fw::WeakRef(window);
}

std::shared_ptr<fw::Window> AboutWnd::_wrapper_Timer1::Window() {
    std::shared_ptr<fw::Object> window = ownerWindow.Value();
    if (!window) return nullptr;
    return fw::RuntimeCheckCast<fw::Window>(window);
}

std::int64_t AboutWnd::_wrapper_Timer1::Index() { return index_; }

void AboutWnd::_wrapper_Timer1::SetIndex(std::int64_t index) { index_ = index; }
