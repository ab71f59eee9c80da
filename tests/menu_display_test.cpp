// The shared menu bar as each window shows it: its widgets, the enabling
// pass before a menu opens or a shortcut acts, and what choosing an item runs.
#include "framework/application.h"
#include "framework/control_table.h"
#include "framework/menu.h"
#include "framework/property_encoder.h"
#include "framework/text_area.h"
#include "framework/text_field.h"
#include "framework/window.h"
#include "framework/window_impl.h"
#include "shell/menu.h"
#include "tests/gui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

const fw::ClassRecord& RegisterTestClass(const char* name, const fw::ClassRecord& base,
                                         std::vector<fw::EventBinding> events) {
    fw::ClassRecord record;
    record.name = name;
    record.base = &base;
    record.events = std::move(events);
    return fw::RuntimeRegisterClass(std::move(record));
}

// A window with a menu bar and one text field, whose EnableMenuItems event
// runs what the test gives it.
class MenuTestWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class() {
        static const fw::ClassRecord& record =
            RegisterTestClass("MenuTestWnd", fw::Window::Class(),
                              {fw::On<&MenuTestWnd::Layout>("Layout"),
                               fw::On<&MenuTestWnd::CreateControls>("CreateControls"),
                               fw::On<&MenuTestWnd::Event_EnableMenuItems>("EnableMenuItems")});
        return record;
    }
    const fw::ClassRecord& Record() const override { return Class(); }

    void Layout() {
        SetWidth(240);
        SetHeight(80);
        SetResizeable(false);  // a fixed size, so the frame has one before it is shown
        SetMenuBarVisible(true);
        SetVisible(true);
    }
    void CreateControls() {
        static constexpr auto kField = fw::PropertyStream([] {
            return std::array{fw::Prop("Left", 10), fw::Prop("Top", 10), fw::Prop("Width", 200), fw::Prop("Height", 22)};
        });
        static constexpr auto kArea = fw::PropertyStream([] {
            return std::array{fw::Prop("Left", 10), fw::Prop("Top", 40), fw::Prop("Width", 200), fw::Prop("Height", 22)};
        });
        static constexpr fw::ControlEntry kControls[] = {
            {fw::TextField::Class, "Field", kField},
            {fw::TextArea::Class, "Area", kArea},
        };
        fw::BuildControls(*this, kControls);
    }
    void Event_EnableMenuItems() {
        g_log.push_back("window enables");
        if (onEnable) onEnable();
    }

    fw::TextEdit& Text(const char* name) { return fw::RuntimeCheckCast<fw::TextEdit>(ControlByName(name)); }
    fw::TextEdit& Field() { return Text("Field"); }
    QMenuBar* Bar() { return Impl().menuBar; }

    std::function<void()> onEnable;
};

class MenuTestApp : public fw::Application {
public:
    static const fw::ClassRecord& Class() {
        static const fw::ClassRecord& record = RegisterTestClass(
            "MenuTestApp", fw::Application::Class(), {fw::On<&MenuTestApp::Event_EnableMenuItems>("EnableMenuItems")});
        return record;
    }
    const fw::ClassRecord& Record() const override { return Class(); }

    void Event_EnableMenuItems() {
        g_log.push_back("app enables");
        if (onEnable) onEnable();
    }

    std::function<void()> onEnable;
};

std::shared_ptr<MenuTestApp> StartApplication() {
    auto app = std::make_shared<MenuTestApp>();
    app->SetMenuBar(Menu());
    fw::RuntimeRegisterAppObject(app);
    return app;
}

std::shared_ptr<MenuTestWnd> OpenWindow() {
    auto window = std::make_shared<MenuTestWnd>();
    window->Constructor();
    return window;
}

// An entry's text as shown, without the "&" that marks its mnemonic.
QString Shown(const QAction* action) {
    QString text = action->text();
    return text.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

// A menu as given to Qt: each entry's text with its mnemonic marked, a tab
// and its shortcut where it has one, "-" for a separator.
std::vector<std::string> Entries(const QMenu& menu) {
    std::vector<std::string> entries;
    for (QAction* action : menu.actions()) {
        std::string entry = action->isSeparator() ? "-" : action->text().toStdString();
        if (!action->shortcut().isEmpty()) entry += "\t" + action->shortcut().toString().toStdString();
        entries.push_back(entry);
    }
    return entries;
}

QMenu* MenuTitled(QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions())
        if (Shown(action) == title) return action->menu();
    return nullptr;
}

// The nth entry (from 0) of that text in the menu.
QAction* EntryTitled(QMenu* menu, const QString& text, int nth = 0) {
    for (QAction* action : menu->actions())
        if (Shown(action) == text && nth-- == 0) return action;
    return nullptr;
}

void OpenMenu(QMenuBar* bar, const QString& title) { emit MenuTitled(bar, title)->aboutToShow(); }

std::function<bool()> Answer(const char* who, bool answers) {
    return [who, answers] {
        g_log.push_back(who);
        return answers;
    };
}

bool Contains(const std::vector<std::string>& log, const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

}  // namespace

// Each menu and item shows its text as written, with a mnemonic of its own
// among its siblings: a word's first letter where one is free.
TEST(MenuDisplay, ShowsTheMenusAndItemsThatHaveText) {
    StartApplication();
    auto window = OpenWindow();
    QMenuBar* bar = window->Bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isNativeMenuBar());

    std::vector<std::string> titles;
    for (QAction* action : bar->actions()) titles.push_back(action->text().toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&Window"}));

    const struct {
        const char* menu;
        std::vector<std::string> entries;
    } menus[] = {
        {"File", {"&Quit\tCtrl+Q"}},
        {"Edit", {"&Undo\tCtrl+Z", "-", "&Cut\tCtrl+X", "C&opy\tCtrl+C", "&Paste\tCtrl+V"}},
        {"Window", {"&Control", "&Description", "&About Tesmora", "About &Tesmora"}},
    };
    for (const auto& menu : menus) EXPECT_EQ(Entries(*MenuTitled(bar, menu.menu)), menu.entries) << menu.menu;
}

TEST(MenuDisplay, EachWindowHasItsOwnWidgetsForTheSharedItems) {
    StartApplication();
    auto first = OpenWindow();
    auto second = OpenWindow();
    ASSERT_NE(first->Bar(), second->Bar());
    ControlMenuItem()->SetAutoEnabled(true);
    first->AddMenuHandler("ControlMenuItem", [] { return false; });

    OpenMenu(first->Bar(), "Window");
    OpenMenu(second->Bar(), "Window");
    EXPECT_TRUE(EntryTitled(MenuTitled(first->Bar(), "Window"), "Control")->isEnabled());
    EXPECT_FALSE(EntryTitled(MenuTitled(second->Bar(), "Window"), "Control")->isEnabled())
        << "only the first window answers the item";
}

TEST(MenuDisplay, NoBarWithoutApplicationOrItsMenuBar) {
    EXPECT_EQ(OpenWindow()->Bar(), nullptr);
    fw::RuntimeRegisterAppObject(std::make_shared<fw::Application>());
    EXPECT_EQ(OpenWindow()->Bar(), nullptr);
}

TEST(MenuEnabling, AutoEnablingThenTextThenWindowThenApplication) {
    auto app = StartApplication();
    auto window = OpenWindow();
    QApplication::clipboard()->setText("12");
    window->Field().SetFocus();

    // Two items enable themselves automatically: one with a handler, one
    // without. Every item starts enabled, to show that the pass sets all.
    DescriptionMenuItem()->SetAutoEnabled(true);
    AboutMenuItem()->SetAutoEnabled(true);
    window->AddMenuHandler("DescriptionMenuItem", [] { return false; });
    for (const char* name : {"ControlMenuItem", "DescriptionMenuItem", "AboutMenuItem", "AboutDOR", "EditCut",
                             "EditPaste", "FileQuit"})
        Menu()->Lookup(name)->SetEnabled(true);

    std::vector<std::string> seenByWindow;
    window->onEnable = [&] {
        for (const char* name : {"FileQuit", "DescriptionMenuItem", "AboutMenuItem", "ControlMenuItem",
                                 "EditPaste", "EditCut"})
            if (Menu()->Lookup(name)->Enabled()) seenByWindow.push_back(name);
        ControlMenuItem()->SetEnabled(true);
        AboutDOR()->SetEnabled(false);
    };
    app->onEnable = [] { AboutDOR()->SetEnabled(true); };

    g_log.clear();
    OpenMenu(window->Bar(), "Window");
    EXPECT_EQ(g_log, (std::vector<std::string>{"window enables", "app enables"}));
    EXPECT_EQ(seenByWindow, (std::vector<std::string>{"FileQuit", "DescriptionMenuItem", "EditPaste"}));

    const struct {
        const char* menu;
        const char* text;
        int nth;
        bool enabled;
    } shown[] = {
        {"Window", "Control", 0, true},       {"Window", "Description", 0, true},
        {"Window", "About Tesmora", 0, false}, {"Window", "About Tesmora", 1, true},
        {"Edit", "Paste", 0, true},           {"Edit", "Cut", 0, false},
        {"Edit", "Undo", 0, false},           {"File", "Quit", 0, true},
    };
    for (const auto& s : shown)
        EXPECT_EQ(EntryTitled(MenuTitled(window->Bar(), s.menu), s.text, s.nth)->isEnabled(), s.enabled)
            << s.menu << " / " << s.text << " #" << s.nth;
}

TEST(MenuEnabling, AnExceptionInAHandlerIsReportedNotThrownThroughQt) {
    StartApplication();
    auto window = OpenWindow();
    window->onEnable = [] { throw fw::NilObjectException("no item"); };
    testing::internal::CaptureStderr();
    OpenMenu(window->Bar(), "File");
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("Unhandled NilObjectException: no item"), std::string::npos) << report;
    EXPECT_EQ(RunEndsWith(), 1);
}

TEST(MenuShortcuts, RunTheEnablingPassBeforeTheyAct) {
    auto app = StartApplication();
    app->AddMenuHandler("FileQuit", Answer("quits", false));  // Quit then ends the run
    auto window = OpenWindow();
    QWidget* frame = window->Impl().frame.get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));

    g_log.clear();
    QTest::keyClick(frame->focusWidget(), Qt::Key_A);
    EXPECT_TRUE(g_log.empty()) << "a key that is no shortcut runs no handler";

    // The window disables Quit: its shortcut must not act.
    window->onEnable = [] { Menu()->Lookup("FileQuit")->SetEnabled(false); };
    QTest::keyClick(frame->focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(g_log, (std::vector<std::string>{"window enables", "app enables"}));

    window->onEnable = nullptr;
    QTest::keyClick(frame->focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(Contains(g_log, "quits"));
    EXPECT_EQ(RunEndsWith(), 0);
}

TEST(MenuChoice, WindowHandlerThenApplicationsUntilOneAnswers) {
    auto app = StartApplication();
    auto window = OpenWindow();
    QAction* aboutDOR = EntryTitled(MenuTitled(window->Bar(), "Window"), "About Tesmora", 1);
    const struct {
        bool windowAnswers, appAnswers;
        std::vector<std::string> log;
    } cases[] = {
        {true, true, {"window"}},
        {false, true, {"window", "app"}},
        {false, false, {"window", "app"}},
    };
    for (const auto& c : cases) {
        window->AddMenuHandler("AboutDOR", Answer("window", c.windowAnswers));
        app->AddMenuHandler("AboutDOR", Answer("app", c.appAnswers));
        g_log.clear();
        aboutDOR->setEnabled(true);
        aboutDOR->trigger();
        EXPECT_EQ(g_log, c.log) << c.windowAnswers << c.appAnswers;
    }
    EXPECT_EQ(RunEndsWith(), kNoQuit) << "only the Quit item quits when unanswered";
}

class MenuQuit : public testing::TestWithParam<bool> {};

TEST_P(MenuQuit, EndsTheApplicationOnlyWhenNoHandlerAnswers) {
    const bool answered = GetParam();
    auto app = StartApplication();
    auto window = OpenWindow();
    QAction* quit = EntryTitled(MenuTitled(window->Bar(), "File"), "Quit");
    quit->setEnabled(true);
    app->AddMenuHandler("FileQuit", Answer("app", answered));
    quit->trigger();
    EXPECT_EQ(RunEndsWith(), answered ? kNoQuit : 0);
}

INSTANTIATE_TEST_SUITE_P(, MenuQuit, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Answered" : "Unanswered"; });

TEST(MenuChoice, EditItemsGoToTheFocusedTextControlFirst) {
    StartApplication();
    auto window = OpenWindow();
    window->AddMenuHandler("EditPaste", Answer("window paste", true));
    QAction* paste = EntryTitled(MenuTitled(window->Bar(), "Edit"), "Paste");
    QApplication::clipboard()->setText("3.5");

    for (const char* name : {"Field", "Area"}) {
        SCOPED_TRACE(name);
        fw::TextEdit& text = window->Text(name);
        text.SetFocus();
        OpenMenu(window->Bar(), "Edit");
        ASSERT_TRUE(paste->isEnabled());
        g_log.clear();
        paste->trigger();
        EXPECT_EQ(text.Text(), "3.5");
        EXPECT_TRUE(g_log.empty()) << "the text control carried it out";

        // One that cannot paste leaves the item to the window's handler.
        text.SetReadOnly(true);
        paste->trigger();
        EXPECT_EQ(text.Text(), "3.5");
        EXPECT_TRUE(Contains(g_log, "window paste"));
    }
}
