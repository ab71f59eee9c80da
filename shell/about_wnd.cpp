#include "shell/about_wnd.h"

const fw::ClassRecord& AboutWnd::Class() {
    static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
        .name = "AboutWnd.AboutWnd",
        .base = &fw::Window::Class(),
    });
    return record;
}

std::shared_ptr<class AboutWnd> AboutWnd() { return fw::ImplicitInstance<class AboutWnd>(); }
