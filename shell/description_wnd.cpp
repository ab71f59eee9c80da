#include "shell/description_wnd.h"

const fw::ClassRecord& DescriptionWnd::Class() {
    static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
        .name = "DescriptionWnd.DescriptionWnd",
        .base = &fw::Window::Class(),
    });
    return record;
}

std::shared_ptr<class DescriptionWnd> DescriptionWnd() { return fw::ImplicitInstance<class DescriptionWnd>(); }
