#include "shell/description_wnd.h"

#include "framework/printing.h"
#include "framework/property_stream.h"
#include "main_window/control_wnd.h"
#include "resources/description_wnd_layout.h"
#include "resources/notices.h"
#include "shell/about_wnd.h"
#include "shell/menu.h"

#include <string_view>

namespace {

// The title line is the product name; the line break behind it stays plain.
constexpr auto kTitleLength = static_cast<std::int64_t>(std::string_view(kProductName).size());

// One block, in points: 7.5 inches square, which fits the printable area of
// both Letter and A4 paper.
constexpr double kPrintBlock = 540;

// Makes a text area, gives it to the window under its name, and applies its
// stream to it as found again by that name.
void AddTextArea(fw::Window& window, const fw::String& name, fw::PropertyStreamView stream) {
    std::shared_ptr<fw::Control> control = window.New(fw::TextArea::Class());
    control->Constructor();
    window.AddControl(name, control);
    control.reset();  // from here on the window holds it
    fw::SetProperties(fw::RuntimeCheckCast<fw::TextArea>(window.ControlByName(name)), stream);
}

}  // namespace

const fw::ClassRecord& DescriptionWnd::Class() {
    static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
        .name = "DescriptionWnd.DescriptionWnd",
        .base = &fw::Window::Class(),
        .events = {fw::On<&DescriptionWnd::AddMenuHandlers>("AddMenuHandlers"),
                   fw::On<&DescriptionWnd::CreateControls>("CreateControls"),
                   fw::On<&DescriptionWnd::Event_EnableMenuItems>("EnableMenuItems"),
                   fw::On<&DescriptionWnd::Layout>("Layout"),
                   fw::On<&DescriptionWnd::Event_Open>("Open")},
    });
    return record;
}

void DescriptionWnd::Layout() { fw::SetProperties(*this, kDescriptionWndStream); }

void DescriptionWnd::CreateControls() { CreateControls0(); }

void DescriptionWnd::CreateControls0() {
    AddTextArea(*this, "DescribeFld", kDescribeFldStream);
    AddTextArea(*this, "DescribeFld2", kDescribeFld2Stream);
}

fw::TextArea& DescriptionWnd::DescribeFld() const {
    return fw::RuntimeCheckCast<fw::TextArea>(ControlByName("DescribeFld"));
}

fw::TextArea& DescriptionWnd::DescribeFld2() const {
    return fw::RuntimeCheckCast<fw::TextArea>(ControlByName("DescribeFld2"));
}

void DescriptionWnd::AddMenuHandlers(fw::Window& window) {
    auto& self = fw::RuntimeCheckCast<DescriptionWnd>(&window);
    fw::AddMenuHandler(self, "ControlMenuItem", &DescriptionWnd::ControlMenuItem_Action);
    fw::AddMenuHandler(self, "AboutMenuItem", &DescriptionWnd::AboutMenuItem_Action);
    fw::AddMenuHandler(self, "Print", &DescriptionWnd::Print_Action);
}

// Each step goes through the accessor, so a field that is gone raises
// NilObjectException at the step that needs it.
void DescriptionWnd::Event_Open() {
    DescribeFld2().SetSelStart(0);
    DescribeFld2().SetSelLength(kTitleLength);
    DescribeFld2().SetSelBold(true);
}

// The Description item stays as it is: this window is already open.
void DescriptionWnd::Event_EnableMenuItems() {
    SetItemEnabled(ControlMenuItem(), true);
    SetItemEnabled(AboutMenuItem(), true);
}

bool DescriptionWnd::ControlMenuItem_Action() {
    ControlWnd()->Show();
    return false;
}

bool DescriptionWnd::AboutMenuItem_Action() {
    AboutWnd()->Show();
    return false;
}

// One block on one page: what does not fit into the first 540 points is
// left out.
bool DescriptionWnd::Print_Action() {
    std::shared_ptr<fw::Graphics> page = fw::OpenPrinterDialog();
    if (!page) return false;  // cancelled: nothing printed, nothing said
    DescribeFld2().StyledTextPrinter(page, kPrintBlock)->DrawBlock(0, 0, kPrintBlock);
    return false;
}

bool DescriptionWnd::IsEventImplemented(const fw::String& event) const { return fw::IsEventImplemented(*this, event); }

std::shared_ptr<class DescriptionWnd> DescriptionWnd() { return fw::ImplicitInstance<class DescriptionWnd>(); }
