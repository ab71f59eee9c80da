#include "shell/description_wnd.h"

#include "framework/dialogs.h"
#include "framework/control_table.h"
#include "framework/printing.h"
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

// The empty, read-only area first; the one with the text, built after it,
// lies above it.
const fw::ControlEntry kControls[] = {
    {fw::TextArea::Class, "DescribeFld", kDescribeFldStream},
    {fw::TextArea::Class, "DescribeFld2", kDescribeFld2Stream},
};

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

void DescriptionWnd::CreateControls0() { fw::BuildControls(*this, kControls); }

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
