#include "shell/about_wnd.h"

#include "framework/control_table.h"
#include "main_window/control_wnd.h"
#include "resources/about_wnd_layout.h"
#include "shell/pictures.h"

namespace {

using namespace about_wnd_layout;

// In creation order. The timer's handler is connected once its stream has
// set Period and RunMode; the canvas has its picture before its stream, and
// without one it stays empty and the window is built all the same.
const fw::ControlEntry kControls[] = {
    {fw::Label::Class, "StaticText5", kStaticText5},
    {fw::Label::Class, "StaticText1", kStaticText1},
    {AboutWnd::_wrapper_Timer1::Class, "Timer1", kTimer1,
     fw::Connect<&AboutWnd::Timer1_Action>(fw::Timer::kAction)},
    {fw::Canvas::Class, "Canvas1", kCanvas1, {}, Rovi96},
};

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

void AboutWnd::Layout() { fw::SetProperties(*this, kWindow); }

void AboutWnd::CreateControls() { CreateControls0(); }

void AboutWnd::CreateControls0() { fw::BuildControls(*this, kControls); }

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
        .create = [](fw::Window&) { return std::make_shared<_wrapper_Timer1>(); },
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
