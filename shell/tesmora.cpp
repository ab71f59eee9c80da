#include "shell/tesmora.h"

#include "shell/about_wnd.h"
#include "shell/menu.h"

namespace {

bool ShowAboutWindow() {
    AboutWnd()->Show();
    return false;
}

}  // namespace

const fw::ClassRecord& Tesmora::Class() {
    static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
        .name = "Tesmora",
        .base = &fw::Application::Class(),
        .events = {fw::On<&Tesmora::Event_EnableMenuItems>("EnableMenuItems")},
    });
    return record;
}

void Tesmora::Event_EnableMenuItems() {
    SetItemEnabled(AboutDOR(), true);
}

bool Tesmora::AboutDOR_Action() { return ShowAboutWindow(); }

bool Tesmora::AboutMenuItem_Action() { return ShowAboutWindow(); }

bool Tesmora::IsEventImplemented(const fw::String& event) const { return fw::IsEventImplemented(*this, event); }

std::shared_ptr<Tesmora> App() { return fw::RuntimeCheckCast<Tesmora>(fw::GetAppObject()); }
