#include "main_window/control_wnd.h"

#include "framework/application.h"
#include "framework/control_table.h"
#include "main_window/calculator_commands.h"
#include "main_window/key_filters.h"
#include "resources/control_wnd_layout.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"
#include "shell/menu.h"
#include "shell/pictures.h"

#include <iterator>
#include <string_view>

// Outside the class, the accessor function ControlWnd() hides the class name.
using MainWindow = class ControlWnd;

namespace {

using namespace control_wnd_layout;

// In creation order: a rectangle before the fields inside it.
const fw::ControlEntry kControls[] = {
    {fw::Rectangle::Class, "Rectangle1", kRectangle1Stream},
    {fw::TextArea::Class, "tpFld", kTpFldStream, fw::Connect<&MainWindow::tpFld_KeyDown>(fw::TextArea::kKeyDown)},
    {fw::TextArea::Class, "fnFld", kFnFldStream, fw::Connect<&MainWindow::fnFld_KeyDown>(fw::TextArea::kKeyDown)},
    {fw::Rectangle::Class, "Rectangle2", kRectangle2Stream},
    {fw::TextArea::Class, "fpFld", kFpFldStream, fw::Connect<&MainWindow::fpFld_KeyDown>(fw::TextArea::kKeyDown)},
    {fw::TextArea::Class, "tnFld", kTnFldStream, fw::Connect<&MainWindow::tnFld_KeyDown>(fw::TextArea::kKeyDown)},
    {fw::TextField::Class, "preFld", kPreFldStream, fw::Connect<&MainWindow::preFld_KeyDown>(fw::TextField::kKeyDown)},
    {fw::TextField::Class, "dtFld", kDtFldStream, fw::Connect<&MainWindow::dtFld_KeyDown>(fw::TextField::kKeyDown)},
    {fw::TextField::Class, "tFld", kTFldStream, fw::Connect<&MainWindow::tFld_KeyDown>(fw::TextField::kKeyDown)},
    {fw::TextField::Class, "pppFld", kPppFldStream, fw::Connect<&MainWindow::pppFld_KeyDown>(fw::TextField::kKeyDown)},
    {fw::PushButton::Class, "ClearBtn", kClearBtnStream,
     fw::Connect<&MainWindow::ClearBtn_Action>(fw::PushButton::kAction)},
    {fw::PushButton::Class, "CalculateBtn", kCalculateBtnStream,
     fw::Connect<&MainWindow::CalculateBtn_Action>(fw::PushButton::kAction)},
    {fw::Label::Class, "StaticText4", kStaticText4Stream},
    {fw::Label::Class, "StaticText5", kStaticText5Stream},
    {fw::Canvas::Class, "Canvas2", kCanvas2Stream,
     fw::Connect<&MainWindow::Canvas2_MouseDown>(fw::Canvas::kMouseDown), Info32},
    {fw::Label::Class, "cTxt", kCTxtStream},
    {fw::Label::Class, "StaticText6", kStaticText6Stream},
    {fw::Label::Class, "StaticText7", kStaticText7Stream},
    {fw::Label::Class, "StaticText11", kStaticText11Stream},
    {fw::Label::Class, "StaticText12", kStaticText12Stream},
    {fw::Label::Class, "StaticText13", kStaticText13Stream},
    {fw::Label::Class, "StaticText14", kStaticText14Stream},
    {fw::Label::Class, "StaticText15", kStaticText15Stream},
    {fw::Label::Class, "StaticText16", kStaticText16Stream},
    {fw::Label::Class, "StaticText1", kStaticText1Stream},
};
static_assert(std::size(kControls) == 25);

template <class T>
T& Find(MainWindow& window, std::string_view name) {
    return fw::RuntimeCheckCast<T>(window.ControlByName(name));
}

// The window's eight fields as the Calculate and Clear commands see them.
class WindowFields final : public EntryFields {
public:
    explicit WindowFields(MainWindow& window) : window_(window) {}

    fw::String Text(EntryField field) override { return Field(field).Text(); }
    void SetText(EntryField field, const fw::String& text) override { Field(field).SetText(text); }
    void SetFocus(EntryField field) override { Field(field).SetFocus(); }

private:
    fw::TextEdit& Field(EntryField field) {
        switch (field) {
            case EntryField::tpFld: return window_.tpFld();
            case EntryField::fpFld: return window_.fpFld();
            case EntryField::fnFld: return window_.fnFld();
            case EntryField::tnFld: return window_.tnFld();
            case EntryField::preFld: return window_.preFld();
            case EntryField::dtFld: return window_.dtFld();
            case EntryField::tFld: return window_.tFld();
            case EntryField::pppFld: return window_.pppFld();
        }
        throw fw::OutOfBoundsException("no such entry field");
    }

    MainWindow& window_;
};

}  // namespace

const fw::ClassRecord& ControlWnd::Class() {
    static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
        .name = "ControlWnd.ControlWnd",
        .base = &fw::Window::Class(),
        .events =
            {
                fw::On<&ControlWnd::Event_Activate>("Activate"),
                fw::On<&ControlWnd::AddMenuHandlers>("AddMenuHandlers"),
                fw::On<&ControlWnd::Event_Close>("Close"),
                fw::On<&ControlWnd::CreateControls>("CreateControls"),
                fw::On<&ControlWnd::Event_EnableMenuItems>("EnableMenuItems"),
                fw::On<&ControlWnd::Layout>("Layout"),
            },
    });
    return record;
}

// ---------------------------------------------------------------------------
// Building

void ControlWnd::Layout() { fw::SetProperties(*this, kControlWndStream); }

void ControlWnd::CreateControls() { CreateControls0(); }

void ControlWnd::CreateControls0() { fw::BuildControls(*this, kControls); }

// ---------------------------------------------------------------------------
// Controls

fw::Rectangle& ControlWnd::Rectangle1() { return Find<fw::Rectangle>(*this, "Rectangle1"); }
fw::TextArea& ControlWnd::tpFld() { return Find<fw::TextArea>(*this, "tpFld"); }
fw::TextArea& ControlWnd::fnFld() { return Find<fw::TextArea>(*this, "fnFld"); }
fw::Rectangle& ControlWnd::Rectangle2() { return Find<fw::Rectangle>(*this, "Rectangle2"); }
fw::TextArea& ControlWnd::fpFld() { return Find<fw::TextArea>(*this, "fpFld"); }
fw::TextArea& ControlWnd::tnFld() { return Find<fw::TextArea>(*this, "tnFld"); }
fw::TextField& ControlWnd::preFld() { return Find<fw::TextField>(*this, "preFld"); }
fw::TextField& ControlWnd::dtFld() { return Find<fw::TextField>(*this, "dtFld"); }
fw::TextField& ControlWnd::tFld() { return Find<fw::TextField>(*this, "tFld"); }
fw::TextField& ControlWnd::pppFld() { return Find<fw::TextField>(*this, "pppFld"); }
fw::PushButton& ControlWnd::ClearBtn() { return Find<fw::PushButton>(*this, "ClearBtn"); }
fw::PushButton& ControlWnd::CalculateBtn() { return Find<fw::PushButton>(*this, "CalculateBtn"); }
fw::Label& ControlWnd::StaticText4() { return Find<fw::Label>(*this, "StaticText4"); }
fw::Label& ControlWnd::StaticText5() { return Find<fw::Label>(*this, "StaticText5"); }
fw::Canvas& ControlWnd::Canvas2() { return Find<fw::Canvas>(*this, "Canvas2"); }
fw::Label& ControlWnd::cTxt() { return Find<fw::Label>(*this, "cTxt"); }
fw::Label& ControlWnd::StaticText6() { return Find<fw::Label>(*this, "StaticText6"); }
fw::Label& ControlWnd::StaticText7() { return Find<fw::Label>(*this, "StaticText7"); }
fw::Label& ControlWnd::StaticText11() { return Find<fw::Label>(*this, "StaticText11"); }
fw::Label& ControlWnd::StaticText12() { return Find<fw::Label>(*this, "StaticText12"); }
fw::Label& ControlWnd::StaticText13() { return Find<fw::Label>(*this, "StaticText13"); }
fw::Label& ControlWnd::StaticText14() { return Find<fw::Label>(*this, "StaticText14"); }
fw::Label& ControlWnd::StaticText15() { return Find<fw::Label>(*this, "StaticText15"); }
fw::Label& ControlWnd::StaticText16() { return Find<fw::Label>(*this, "StaticText16"); }
fw::Label& ControlWnd::StaticText1() { return Find<fw::Label>(*this, "StaticText1"); }

// ---------------------------------------------------------------------------
// Key filters: whole numbers in the counts, decimals in the percentages and
// the result.

bool ControlWnd::tpFld_KeyDown(fw::TextArea&, const fw::String& key) { return FilterKey(KeyRule::WholeNumber, key); }
bool ControlWnd::fnFld_KeyDown(fw::TextArea&, const fw::String& key) { return FilterKey(KeyRule::WholeNumber, key); }
bool ControlWnd::fpFld_KeyDown(fw::TextArea&, const fw::String& key) { return FilterKey(KeyRule::WholeNumber, key); }
bool ControlWnd::tnFld_KeyDown(fw::TextArea&, const fw::String& key) { return FilterKey(KeyRule::WholeNumber, key); }
bool ControlWnd::preFld_KeyDown(fw::TextField&, const fw::String& key) { return FilterKey(KeyRule::Decimal, key); }
bool ControlWnd::dtFld_KeyDown(fw::TextField&, const fw::String& key) { return FilterKey(KeyRule::Decimal, key); }
bool ControlWnd::tFld_KeyDown(fw::TextField&, const fw::String& key) { return FilterKey(KeyRule::Decimal, key); }
bool ControlWnd::pppFld_KeyDown(fw::TextField&, const fw::String& key) { return FilterKey(KeyRule::Decimal, key); }

// ---------------------------------------------------------------------------
// Commands

void ControlWnd::ClearBtn_Action(fw::PushButton&) {
    WindowFields fields(*this);
    ::ClearBtn_Action(fields);
}

void ControlWnd::CalculateBtn_Action(fw::PushButton&) {
    WindowFields fields(*this);
    ::CalculateBtn_Action(fields);
}

bool ControlWnd::Canvas2_MouseDown(fw::Canvas&, std::int64_t, std::int64_t) {
    DescriptionWnd()->Show();
    return false;
}

// ---------------------------------------------------------------------------
// Window events and menus

void ControlWnd::AddMenuHandlers(fw::Window& window) {
    auto& self = fw::RuntimeCheckCast<ControlWnd>(&window);
    fw::AddMenuHandler(self, "DescriptionMenuItem", &ControlWnd::DescriptionMenuItem_Action);
    fw::AddMenuHandler(self, "AboutDOR", &ControlWnd::AboutDOR_Action);
}

bool ControlWnd::DescriptionMenuItem_Action() {
    DescriptionWnd()->Show();
    return false;
}

bool ControlWnd::AboutDOR_Action() {
    AboutWnd()->Show();
    return false;
}

// The main window is the application: closing it ends the run.
void ControlWnd::Event_Close() { fw::Quit(0); }

// The About window doubles as the start-up screen; it goes once the main
// window is in use.
void ControlWnd::Event_Activate() { AboutWnd()->Hide(); }

// The main window is already up, so Control has nothing to do; the other
// two windows can be reached from here.
void ControlWnd::Event_EnableMenuItems() {
    SetItemEnabled(ControlMenuItem(), false);
    SetItemEnabled(DescriptionMenuItem(), true);
    SetItemEnabled(AboutMenuItem(), true);
}

bool ControlWnd::IsEventImplemented(const fw::String& event) const { return fw::IsEventImplemented(*this, event); }

std::shared_ptr<class ControlWnd> ControlWnd() { return fw::ImplicitInstance<class ControlWnd>(); }
