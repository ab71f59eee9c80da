#include "main_window/control_wnd.h"

const fw::ClassRecord& ControlWnd::Class() {
    static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
        .name = "ControlWnd.ControlWnd",
        .base = &fw::Window::Class(),
    });
    return record;
}

std::shared_ptr<class ControlWnd> ControlWnd() { return fw::ImplicitInstance<class ControlWnd>(); }
