// Start-up: the module initialisers, the application object with its version
// data and About handlers, the order of the steps of a whole run, and what
// a step that fails leaves behind.
#include "framework/application.h"
#include "framework/qt_bridge.h"
#include "gui_test_support.h"
#include "resources/notices.h"
#include "shell/about_wnd.h"
#include "shell/menu.h"
#include "shell/startup.h"
#include "shell/tesmora.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
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

TEST(Startup, RunsItsStepsInOrderOpensTheAboutWindowFirstAndEndsWithZero) {
    std::vector<std::string> seen;
    std::vector<std::string> windowsOnScreen;
    SetStartupObserver([&](std::string_view step) {
        seen.emplace_back(step);
        if (step != "MakeDefaultView") return;
        // Once the late step has run: look at the screen, then close the
        // About window as the user would.
        QTimer::singleShot(0, [&] {
            for (const auto& window : fw::LiveWindows())
                if (window->IsVisible()) windowsOnScreen.push_back(window->Record().name);
            AboutWnd()->Impl().frame->close();
        });
    });

    EXPECT_EQ(RunApplication(), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"RuntimePerformInitializers", "EarlyStartup", "SetSupportsHiDPI",
                                              "RuntimeInitExternalClasses", "InitPluginEntrypoints", "InitFileTypes",
                                              "NewAppInstance", "ApplicationAddMenuHandlers",
                                              "RunFrameworkInitialization", "RuntimeRun", "MakeDefaultView"}));
    EXPECT_EQ(windowsOnScreen, std::vector<std::string>{"AboutWnd.AboutWnd"});
    EXPECT_EQ(fw::RuntimeVersion(), 2019.031);
    EXPECT_EQ(fw::RuntimeExceptionHelper(), &fw::CallFunctionWithExceptionHandling);
    EXPECT_EQ(fw::UnhandledExceptionCount(), 0);
}

// A step that raises: the steps after it, the event loop and every window
// are skipped; the exception is reported and the run still finalises with a
// non-zero status.
class FailingStep : public testing::TestWithParam<const char*> {};

TEST_P(FailingStep, IsReportedAndEndsTheRunBeforeAnyWindow) {
    const std::string failing = GetParam();
    std::vector<std::string> seen;
    SetStartupObserver([&](std::string_view step) {
        seen.emplace_back(step);
        if (step == failing) throw fw::NilObjectException(failing + " failed");
    });

    testing::internal::CaptureStderr();
    const int status = RunApplication();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_NE(status, 0);
    EXPECT_EQ(seen.back(), failing);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "RuntimeRun"), 0);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "MakeDefaultView"), 0);
    EXPECT_EQ(fw::UnhandledExceptionCount(), 1);
    EXPECT_NE(report.find("NilObjectException: " + failing + " failed"), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(, FailingStep,
                         testing::Values("RuntimePerformInitializers", "EarlyStartup", "SetSupportsHiDPI",
                                         "RuntimeInitExternalClasses", "InitPluginEntrypoints", "InitFileTypes",
                                         "NewAppInstance", "ApplicationAddMenuHandlers",
                                         "RunFrameworkInitialization"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// Exceptions that are no framework exception, or of no exception class at
// all, are reported just the same, before and inside the event loop, and
// the run still finalises and ends non-zero.
struct ForeignFailure {
    const char* step;
    void (*raise)();
    const char* report;
    bool inEventLoop;
};

void PrintTo(const ForeignFailure& failure, std::ostream* out) { *out << failure.step; }

class ForeignException : public testing::TestWithParam<ForeignFailure> {};

TEST_P(ForeignException, IsReportedWithItsTypeAndTheRunFinalises) {
    const ForeignFailure& failure = GetParam();
    SetStartupObserver([&](std::string_view step) {
        if (step == failure.step) failure.raise();
    });
    QString message;
    if (failure.inEventLoop) DismissNextMessageBox(&message);

    testing::internal::CaptureStderr();
    const int status = RunApplication();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(status, 1);
    EXPECT_NE(report.find(failure.report), std::string::npos) << report;
    EXPECT_EQ(fw::UnhandledExceptionCount(), 1);
    EXPECT_EQ(message.isEmpty(), !failure.inEventLoop) << "a message box while the event loop runs";
    EXPECT_EQ(fw::GetAppObject(), nullptr) << "the finalisers ran";
    EXPECT_TRUE(fw::LiveWindows().empty());
}

INSTANTIATE_TEST_SUITE_P(
    , ForeignException,
    testing::Values(ForeignFailure{"RuntimePerformInitializers", [] { throw std::bad_alloc(); },
                                   "Unhandled std::bad_alloc: std::bad_alloc", false},
                    ForeignFailure{"ApplicationAddMenuHandlers", [] { throw std::runtime_error("library failed"); },
                                   "Unhandled std::runtime_error: library failed", false},
                    ForeignFailure{"MakeDefaultView", [] { throw 42; }, "Unhandled int", true}),
    [](const testing::TestParamInfo<ForeignFailure>& info) { return std::string(info.param.step); });

TEST(FailingInitializer, IsReportedBeforeMainDoesAnything) {
    std::vector<std::string> seen;
    SetStartupObserver([&](std::string_view step) {
        seen.emplace_back(step);
        if (step == "RuntimePerformInitializers") throw fw::NilObjectException("no class");
    });
    testing::internal::CaptureStderr();
    EXPECT_NE(RunApplication(), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(seen, std::vector<std::string>{"RuntimePerformInitializers"});
    EXPECT_EQ(fw::RuntimeExceptionHelper(), nullptr);
}

}  // namespace
