#include "shell/menu.h"

#include "framework/application.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct ExpectedRow {
    const char* name;
    const char* text;
    const char* shortcut;
    const char* className;
    bool autoEnabled;
};

// The bar's items in creation order: each menu, then the items inside it.
const ExpectedRow kRows[] = {
    {"UntitledMenu3", "", "", "MenuItem", false},
    {"UntitledMenu2", "File", "", "MenuItem", false},
    {"FileQuit", "Quit", "Cmd+Q", "QuitMenuItem", true},
    {"UntitledMenu8", "", "", "MenuItem", false},
    {"UntitledMenu0", "Edit", "", "MenuItem", false},
    {"EditUndo", "Undo", "Cmd+Z", "MenuItem", false},
    {"UntitledMenu1", "-", "", "MenuItem", false},
    {"EditCut", "Cut", "Cmd+X", "MenuItem", false},
    {"EditCopy", "Copy", "Cmd+C", "MenuItem", false},
    {"EditPaste", "Paste", "Cmd+V", "MenuItem", false},
    {"EditClear", "", "", "MenuItem", false},
    {"UntitledMenu7", "", "", "MenuItem", false},
    {"WindowMenu", "Window", "", "MenuItem", false},
    {"ControlMenuItem", "Control", "", "MenuItem", false},
    {"DescriptionMenuItem", "Description", "", "MenuItem", false},
    {"AboutMenuItem", "About Tesmora", "", "MenuItem", false},
    {"UntitledMenu6", "", "", "MenuItem", false},
    {"AboutDOR", "About Tesmora", "", "AppleMenuItem", false},
    {"UntitledMenu5", "", "", "AppleMenuItem", false},
    {"UntitledMenu4", "", "", "MenuItem", false},
};

std::vector<std::shared_ptr<fw::MenuItem>> Flatten(const fw::MenuItem& menu) {
    std::vector<std::shared_ptr<fw::MenuItem>> items;
    for (std::int64_t i = 0; i < menu.Count(); ++i) {
        items.push_back(menu.Item(i));
        auto below = Flatten(*menu.Item(i));
        items.insert(items.end(), below.begin(), below.end());
    }
    return items;
}

std::shared_ptr<fw::Application> StartApplication(std::shared_ptr<fw::MenuBar> bar) {
    auto app = std::make_shared<fw::Application>();
    app->SetMenuBar(std::move(bar));
    fw::RuntimeRegisterAppObject(app);
    return app;
}

struct Accessor {
    const char* name;
    std::function<std::shared_ptr<fw::MenuItem>()> get;
};

const std::vector<Accessor>& Accessors() {
    static const std::vector<Accessor> accessors = {
        {"AboutDOR", [] { return std::shared_ptr<fw::MenuItem>(AboutDOR()); }},
        {"AboutMenuItem", [] { return AboutMenuItem(); }},
        {"DescriptionMenuItem", [] { return DescriptionMenuItem(); }},
        {"ControlMenuItem", [] { return ControlMenuItem(); }},
    };
    return accessors;
}

}  // namespace

TEST(Menu, HasFiveMenusWithTheFirstAndLastEmpty) {
    std::shared_ptr<class Menu> bar = Menu();
    const struct {
        const char* text;
        std::int64_t items;
    } menus[] = {{"", 0}, {"File", 2}, {"Edit", 7}, {"Window", 6}, {"", 0}};
    ASSERT_EQ(bar->Count(), 5);
    for (std::int64_t i = 0; i < 5; ++i) {
        EXPECT_EQ(bar->Item(i)->Value(), menus[i].text) << "menu " << i;
        EXPECT_EQ(bar->Item(i)->Count(), menus[i].items) << "menu " << i;
    }
}

TEST(Menu, BuildsEveryRowInOrder) {
    auto items = Flatten(*Menu());
    ASSERT_EQ(items.size(), std::size(kRows));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const fw::MenuItem& item = *items[i];
        const ExpectedRow& row = kRows[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(item.Name(), row.name);
        EXPECT_EQ(item.Value(), row.text);
        EXPECT_EQ(item.Shortcut(), row.shortcut);
        EXPECT_EQ(item.Record().name, row.className);
        EXPECT_EQ(item.AutoEnabled(), row.autoEnabled);
        EXPECT_TRUE(item.Visible());
    }
}

TEST(Menu, IsBuiltOnceAndSharedAfterwards) {
    std::shared_ptr<class Menu> first = Menu();
    std::shared_ptr<class Menu> second = Menu();
    EXPECT_EQ(first, second);
    EXPECT_EQ(Menu::implicitInstance, first);
    EXPECT_EQ(second->Count(), 5);
}

TEST(Menu, ClassRecordsTellTheItemClassesApart) {
    auto bar = Menu();
    EXPECT_TRUE(bar->Record().IsA(fw::MenuBar::Class()));
    EXPECT_TRUE(bar->Record().IsA(fw::MenuItem::Class()));
    EXPECT_NO_THROW(fw::RuntimeCheckCast<fw::QuitMenuItem>(bar->Lookup("FileQuit")));
    EXPECT_NO_THROW(fw::RuntimeCheckCast<fw::MenuItem>(bar->Lookup("AboutDOR")));
    EXPECT_THROW(fw::RuntimeCheckCast<fw::AppleMenuItem>(bar->Lookup("AboutMenuItem")), fw::TypeMismatchException);
    EXPECT_THROW(fw::RuntimeCheckCast<fw::QuitMenuItem>(bar->Lookup("EditUndo")), fw::TypeMismatchException);
}

TEST(MenuItem, ChildLooksOneLevelDownLookupTheWholeTree) {
    auto bar = Menu();
    EXPECT_EQ(bar->Child("WindowMenu")->Value(), "Window");
    EXPECT_EQ(bar->Child("AboutDOR"), nullptr);
    EXPECT_EQ(bar->Lookup("AboutDOR"), bar->Child("WindowMenu")->Item(4));
    EXPECT_EQ(bar->Lookup("WindowMenu"), bar->Child("WindowMenu"));
    EXPECT_EQ(bar->Lookup("Print"), nullptr);
    EXPECT_EQ(bar->Lookup(""), nullptr) << "no item is nameless";
}

TEST(MenuItem, RefusesNilItemsAndIndexesOutsideItsItems) {
    fw::MenuItem menu;
    EXPECT_THROW(menu.AddMenu(nullptr), fw::NilObjectException);
    EXPECT_EQ(menu.Count(), 0);
    menu.AddMenu(std::make_shared<fw::MenuItem>());
    EXPECT_NO_THROW(menu.Item(0));
    EXPECT_THROW(menu.Item(1), fw::OutOfBoundsException);
    EXPECT_THROW(menu.Item(-1), fw::OutOfBoundsException);
}

TEST(MenuItemAccessors, FindTheirItemsInTheApplicationsBar) {
    StartApplication(Menu());
    for (const Accessor& accessor : Accessors()) {
        std::shared_ptr<fw::MenuItem> item = accessor.get();
        ASSERT_NE(item, nullptr) << accessor.name;
        EXPECT_EQ(item->Name(), accessor.name);
        EXPECT_EQ(item, accessor.get()) << accessor.name << " finds the same item again";
    }
    EXPECT_TRUE(AboutDOR()->Record().IsA(fw::AppleMenuItem::Class()));
}

TEST(MenuItemAccessors, RaiseNilObjectWithoutApplicationOrMenuBar) {
    for (const Accessor& accessor : Accessors())
        EXPECT_THROW(accessor.get(), fw::NilObjectException) << accessor.name << " without application";
    StartApplication(nullptr);
    for (const Accessor& accessor : Accessors())
        EXPECT_THROW(accessor.get(), fw::NilObjectException) << accessor.name << " without menu bar";
}

TEST(MenuItemAccessors, GiveNullptrForAnItemNotInTheBar) {
    StartApplication(std::make_shared<fw::MenuBar>());
    for (const Accessor& accessor : Accessors()) EXPECT_EQ(accessor.get(), nullptr) << accessor.name;
}
