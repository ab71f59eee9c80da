// Start-up: the module initialisers, the application object with its version
// data and About handlers, a whole run, and what a step that fails leaves
// behind.
#include "framework/application.h"
#include "framework/window_impl.h"
#include "resources/notices.h"
#include "shell/about_wnd.h"
#include "shell/file_types.h"
#include "shell/menu.h"
#include "shell/startup.h"
#include "shell/tesmora.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// Runs the whole application as the process's entry does.
int RunApplication() {
    static char name[] = "tesmora";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    return ApplicationMain(argc, argv);
}

TEST(ModuleInitializers, BuildTheClassRecordsInTheirOrder) {
    fw::RuntimePerformInitializers(ModuleInitializers());
    const std::vector<fw::String> ours = {"ControlWnd.ControlWnd", "Menu", "AboutWnd._wrapper_Timer1",
                                          "AboutWnd.AboutWnd", "Tesmora", "DescriptionWnd.DescriptionWnd"};
    std::vector<fw::String> registered;
    for (const fw::String& name : fw::RuntimeClassNames())
        if (std::find(ours.begin(), ours.end(), name) != ours.end()) registered.push_back(name);
    EXPECT_EQ(registered, ours);
}

TEST(EarlyStartup, MakesOneApplicationObjectWithItsVersionData) {
    EarlyStartup();
    std::shared_ptr<Tesmora> app = App();
    EXPECT_EQ(app, fw::GetAppObject());
    EXPECT_EQ(App(), app);
    EXPECT_EQ(app->MajorVersion(), 3);
    EXPECT_EQ(app->MinorVersion(), 0);
    EXPECT_EQ(app->BugVersion(), 0);
    EXPECT_EQ(app->NonReleaseVersion(), 0);
    EXPECT_EQ(app->StageCode(), 3);
    EXPECT_EQ(app->ShortVersion(), "3.0");
    EXPECT_EQ(app->Version(), "3.0");
    EXPECT_EQ(app->PackageInfo(), "Tesmora");
    EXPECT_EQ(app->Description(), "Tesmora");
    EXPECT_EQ(app->LongVersion(), kNotice);
    EXPECT_EQ(app->Copyright(), kNotice);
    EXPECT_EQ(app->MenuBar(), Menu());
    // Start-up opens no window before the event loop.
    EXPECT_TRUE(fw::LiveWindows().empty());
}

TEST(EarlyStartup, RegistersBothAboutHandlersWhichShowTheAboutWindowAndReturnFalse) {
    EarlyStartup();
    for (const char* item : {"AboutDOR", "AboutMenuItem"}) {
        SCOPED_TRACE(item);
        const std::function<bool()>* handler = App()->MenuHandler(item);
        ASSERT_NE(handler, nullptr);
        AboutWnd()->Hide();
        EXPECT_FALSE((*handler)());
        EXPECT_TRUE(AboutWnd()->IsVisible());
        EXPECT_FALSE((*handler)());  // also when it is already shown
    }
    EXPECT_EQ(fw::LiveWindows().size(), 1u);
}

TEST(Tesmora, AnswersOnlyForEnableMenuItems) {
    Tesmora app;
    EXPECT_TRUE(app.IsEventImplemented("EnableMenuItems"));
    for (const char* event : {"Activate", "AppearanceChanged", "CancelClose", "Close", "Deactivate",
                              "HandleAppleEvent", "NewDocument", "Open", "OpenDocument", "UnhandledException"})
        EXPECT_FALSE(app.IsEventImplemented(event)) << event;
}

TEST(Tesmora, EnablesTheAboutItemOfTheApplicationMenuWhetherOrNotAWindowIsOpen) {
    EarlyStartup();
    for (bool windowOpen : {false, true}) {
        if (windowOpen) AboutWnd();
        AboutDOR()->SetEnabled(false);
        App()->RaiseEvent("EnableMenuItems");
        EXPECT_TRUE(AboutDOR()->Enabled()) << "window open: " << windowOpen;
    }
}

TEST(Tesmora, AppRaisesBeforeAnApplicationObjectIsRegistered) {
    EXPECT_THROW(App(), fw::NilObjectException);
}

// A whole run: before the event loop, the early steps have run and no window
// exists; the late step then opens the About window, the one window on
// screen; closing it ends the run with 0, finalised.
TEST(Startup, RunsTheEarlyStepsThenOpensTheAboutWindowFromTheEventLoopAndEndsWithZero) {
    std::vector<std::string> windowsOnScreen;
    // Posted before the run: the event loop's first task, before the late step.
    QTimer::singleShot(0, qApp, [&] {
        EXPECT_NE(fw::RuntimeFindClass("DescriptionWnd.DescriptionWnd"), nullptr) << "module initialisers";
        EXPECT_EQ(fw::RuntimeExceptionHelper(), &fw::CallFunctionWithExceptionHandling);
        EXPECT_EQ(fw::RuntimeVersion(), 2019.031);
        EXPECT_EQ(FileTypes::pAllFileTypes().size(), 2u);
        EXPECT_NE(App()->MenuHandler("AboutDOR"), nullptr) << "the early steps to the last";
        EXPECT_TRUE(fw::LiveWindows().empty()) << "a window before the event loop";
        QTimer::singleShot(0, qApp, [&] {
            for (const auto& window : fw::LiveWindows())
                if (window->IsVisible()) windowsOnScreen.push_back(window->Record().name);
            AboutWnd()->Impl().frame->close();  // as the user would
        });
    });

    testing::internal::CaptureStderr();
    EXPECT_EQ(RunApplication(), 0);
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(windowsOnScreen, std::vector<std::string>{"AboutWnd.AboutWnd"});
    EXPECT_EQ(errors.find("Unhandled"), std::string::npos) << errors;
    EXPECT_EQ(fw::GetAppObject(), nullptr) << "the finalisers ran";
    EXPECT_TRUE(fw::LiveWindows().empty());
}

// An exception that escaped the module initialisers is reported at once, of
// whatever type, and nothing else starts.
TEST(Main, ReportsTheInitialisersExceptionAtOnceAndStartsNothing) {
    const struct {
        std::exception_ptr failure;
        const char* report;
    } failures[] = {
        {std::make_exception_ptr(fw::NilObjectException("no class")), "Unhandled NilObjectException: no class"},
        {std::make_exception_ptr(std::bad_alloc()), "Unhandled std::bad_alloc: std::bad_alloc"},
        {std::make_exception_ptr(std::runtime_error("library failed")), "Unhandled std::runtime_error: library failed"},
        {std::make_exception_ptr(42), "Unhandled int"},
    };
    for (const auto& f : failures) {
        testing::internal::CaptureStderr();
        Main(f.failure);
        const std::string report = testing::internal::GetCapturedStderr();
        EXPECT_NE(report.find(f.report), std::string::npos) << report;
    }
    EXPECT_EQ(fw::RuntimeExceptionHelper(), nullptr);
    EXPECT_EQ(fw::GetAppObject(), nullptr);
    EXPECT_TRUE(fw::LiveWindows().empty());
    EXPECT_EQ(fw::RuntimeExit(), 1);
}

// The first early step that raises (off the user-interface thread, the very
// first one) stops the start-up: the steps after it do not run (the file
// types would be declared off that thread too), no window opens, and the
// report says what failed.
TEST(Main, AnEarlyStepThatRaisesIsReportedAndNothingAfterItRuns) {
    testing::internal::CaptureStderr();
    std::thread([] { Main(nullptr); }).join();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_NE(report.find("Unhandled ThreadAccessingUIException"), std::string::npos) << report;
    EXPECT_TRUE(FileTypes::pAllFileTypes().empty()) << "the file types were declared";
    EXPECT_EQ(fw::GetAppObject(), nullptr);
    EXPECT_TRUE(fw::LiveWindows().empty());
    EXPECT_EQ(fw::RuntimeExit(), 1);
}

}  // namespace
