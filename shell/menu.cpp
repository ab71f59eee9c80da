#include "shell/menu.h"

#include "framework/application.h"

#include <span>
#include <string_view>

namespace {

enum class Kind { Item, Quit, Apple };

// One item of the tree. `menu` names the top-level menu it goes into, or is
// nullptr for a menu of the bar itself; a nullptr `shortcut` is never set.
struct Row {
    const char* menu;
    const char* name;
    const char* text;
    const char* shortcut;
    Kind kind;
    bool autoEnabled;
};

constexpr Row kUntitled0[] = {
    {nullptr, "UntitledMenu3", "", "", Kind::Item, false},
};

constexpr Row kUntitled1[] = {
    {nullptr, "UntitledMenu2", "File", "", Kind::Item, false},
    {"UntitledMenu2", "FileQuit", "Quit", "Cmd+Q", Kind::Quit, true},
    {"UntitledMenu2", "UntitledMenu8", "", "", Kind::Item, false},
};

constexpr Row kUntitled2[] = {
    {nullptr, "UntitledMenu0", "Edit", "", Kind::Item, false},
    {"UntitledMenu0", "EditUndo", "Undo", "Cmd+Z", Kind::Item, false},
    {"UntitledMenu0", "UntitledMenu1", "-", nullptr, Kind::Item, false},
    {"UntitledMenu0", "EditCut", "Cut", "Cmd+X", Kind::Item, false},
    {"UntitledMenu0", "EditCopy", "Copy", "Cmd+C", Kind::Item, false},
    {"UntitledMenu0", "EditPaste", "Paste", "Cmd+V", Kind::Item, false},
    {"UntitledMenu0", "EditClear", "", "", Kind::Item, false},
    {"UntitledMenu0", "UntitledMenu7", "", "", Kind::Item, false},
};

constexpr Row kUntitled3[] = {
    {nullptr, "WindowMenu", "Window", "", Kind::Item, false},
    {"WindowMenu", "ControlMenuItem", "Control", "", Kind::Item, false},
    {"WindowMenu", "DescriptionMenuItem", "Description", "", Kind::Item, false},
    {"WindowMenu", "AboutMenuItem", "About Tesmora", "", Kind::Item, false},
    {"WindowMenu", "UntitledMenu6", "", "", Kind::Item, false},
    {"WindowMenu", "AboutDOR", "About Tesmora", "", Kind::Apple, false},
    {"WindowMenu", "UntitledMenu5", "", "", Kind::Apple, false},
};

constexpr Row kUntitled4[] = {
    {nullptr, "UntitledMenu4", "", "", Kind::Item, false},
};

std::shared_ptr<fw::MenuItem> NewItem(Kind kind) {
    switch (kind) {
        case Kind::Quit: return std::make_shared<fw::QuitMenuItem>();
        case Kind::Apple: return std::make_shared<fw::AppleMenuItem>();
        case Kind::Item: break;
    }
    return std::make_shared<fw::MenuItem>();
}

std::shared_ptr<fw::MenuItem> BuildItem(const Row& row) {
    std::shared_ptr<fw::MenuItem> item = NewItem(row.kind);
    item->Constructor();
    item->SetName(row.name);
    item->SetAutoEnabled(row.autoEnabled);
    item->SetValue(row.text);
    item->SetVisible(true);
    if (row.shortcut) item->SetShortcut(row.shortcut);
    return item;
}

// Appends each row where it belongs, fetching its menu again from the bar
// for every item.
void AppendRows(fw::MenuBar& bar, std::span<const Row> rows) {
    for (const Row& row : rows) {
        std::shared_ptr<fw::MenuItem> item = BuildItem(row);
        if (!row.menu) {
            bar.AddMenu(item);
            continue;
        }
        std::shared_ptr<fw::MenuItem> menu = bar.Child(row.menu);
        if (!menu) fw::RaiseNil(fw::MenuItem::Class().name);
        menu->AddMenu(item);
    }
}

// The steps every item accessor shares: the application's menu bar, a
// search by name, and a checked cast of what was found.
template <class T>
std::shared_ptr<T> FindMenuItem(std::string_view name) {
    std::shared_ptr<fw::Application> app = fw::GetAppObject();
    if (!app) fw::RaiseNil(fw::Application::Class().name);
    std::shared_ptr<fw::MenuBar> bar = app->MenuBar();
    if (!bar) fw::RaiseNil(fw::MenuBar::Class().name);
    std::shared_ptr<fw::MenuItem> item = bar->Lookup(name);
    if (!item) return nullptr;
    return fw::RuntimeCheckCast<T>(item);
}

}  // namespace

std::shared_ptr<class Menu> Menu::implicitInstance;

const fw::ClassRecord& Menu::Class() {
    static const fw::ClassRecord& record = []() -> const fw::ClassRecord& {
        fw::ClassRecord menu;
        menu.name = "Menu";
        menu.base = &fw::MenuBar::Class();
        return fw::RuntimeRegisterClass(std::move(menu));
    }();
    return record;
}

void Menu::Constructor() {
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
    Untitled4();
}

void Menu::Untitled0() { AppendRows(*this, kUntitled0); }
void Menu::Untitled1() { AppendRows(*this, kUntitled1); }
void Menu::Untitled2() { AppendRows(*this, kUntitled2); }
void Menu::Untitled3() { AppendRows(*this, kUntitled3); }
void Menu::Untitled4() { AppendRows(*this, kUntitled4); }

std::shared_ptr<class Menu> Menu() {
    if (Menu::implicitInstance) return Menu::implicitInstance;
    auto built = std::make_shared<class Menu>();
    built->Constructor();
    Menu::implicitInstance = built;
    return built;
}

std::shared_ptr<fw::AppleMenuItem> AboutDOR() { return FindMenuItem<fw::AppleMenuItem>("AboutDOR"); }
std::shared_ptr<fw::MenuItem> AboutMenuItem() { return FindMenuItem<fw::MenuItem>("AboutMenuItem"); }
std::shared_ptr<fw::MenuItem> DescriptionMenuItem() { return FindMenuItem<fw::MenuItem>("DescriptionMenuItem"); }
std::shared_ptr<fw::MenuItem> ControlMenuItem() { return FindMenuItem<fw::MenuItem>("ControlMenuItem"); }

void SetItemEnabled(const std::shared_ptr<fw::MenuItem>& item, bool enabled) {
    if (!item) fw::RaiseNil(fw::MenuItem::Class().name);
    item->SetEnabled(enabled);
}
