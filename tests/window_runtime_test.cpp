// The window layer's runtime: implicit instances, checked casts, event tables,
// delegates, timers and the report of exceptions that escape a handler.
#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/menu.h"
#include "framework/push_button.h"
#include "framework/rectangle.h"
#include "framework/text_edit.h"
#include "framework/timer.h"
#include "framework/window.h"
#include "tests/gui_test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

namespace {

// A window built in code, recording the events it gets.
class ProbeWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class() {
        static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
            .name = "ProbeWnd.ProbeWnd",
            .base = &fw::Window::Class(),
            .events = {fw::On<&ProbeWnd::Layout>("Layout"),
                       fw::On<&ProbeWnd::CreateControls>("CreateControls"),
                       fw::On<&ProbeWnd::AddMenuHandlers>("AddMenuHandlers"),
                       fw::On<&ProbeWnd::Event_Open>("Open"), fw::On<&ProbeWnd::Event_Close>("Close")},
        });
        return record;
    }
    const fw::ClassRecord& Record() const override { return Class(); }

    void Layout() {
        events.push_back("Layout");
        SetWidth(300);
        SetHeight(200);
        SetVisible(true);
    }
    void CreateControls() {
        events.push_back("CreateControls");
        if (failWhileBuilding) throw fw::NilObjectException("no such control");
        auto box = New(fw::Rectangle::Class());
        box->Constructor();
        AddControl("Box", box);
        auto& rect = fw::RuntimeCheckCast<fw::Rectangle>(ControlByName("Box"));
        rect.SetLeft(100), rect.SetTop(50), rect.SetWidth(80), rect.SetHeight(60);

        auto button = New(fw::PushButton::Class());
        button->Constructor();
        AddControl("Button", button);
        auto& push = fw::RuntimeCheckCast<fw::PushButton>(ControlByName("Button"));
        push.SetLeft(110), push.SetTop(60), push.SetWidth(40), push.SetHeight(20);
        push.SetInitialParent("Box");
    }
    void AddMenuHandlers(fw::Window&) { events.push_back("AddMenuHandlers"); }
    void Event_Open() { events.push_back("Open"); }
    void Event_Close() { events.push_back("Close"); }

    void Button_Action(fw::PushButton&) {
        ++pushes;
        if (throwOnPush) throw fw::NilObjectException("pressed into nothing");
    }
    bool Button_Wrong(fw::PushButton&, const fw::String&) { return false; }

    static inline bool failWhileBuilding = false;
    std::vector<std::string> events;
    int pushes = 0;
    bool throwOnPush = false;
};

TEST(ImplicitInstance, IsFoundWhileItLivesShownOrHiddenAndNotAfterClosing) {
    EXPECT_EQ(fw::GetImplicitWindow("ProbeWnd.ProbeWnd"), nullptr);
    auto first = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_EQ(fw::ImplicitInstance<ProbeWnd>(), first);
    EXPECT_TRUE(first->IsVisible());

    first->Hide();
    EXPECT_FALSE(first->IsVisible());
    EXPECT_EQ(fw::ImplicitInstance<ProbeWnd>(), first);

    first->Close();
    EXPECT_EQ(fw::GetImplicitWindow("ProbeWnd.ProbeWnd"), nullptr);
    auto second = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_NE(second, first);
}

TEST(ImplicitInstance, BuildsInEventOrderAndClosingRaisesClose) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_EQ(window->events,
              (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers", "Open"}));
    window->Close();
    EXPECT_EQ(window->events.back(), "Close");
}

TEST(ImplicitInstance, AWindowWhoseBuildingFailedIsNotLive) {
    ProbeWnd::failWhileBuilding = true;
    EXPECT_THROW(fw::ImplicitInstance<ProbeWnd>(), fw::NilObjectException);
    ProbeWnd::failWhileBuilding = false;
    EXPECT_EQ(fw::GetImplicitWindow("ProbeWnd.ProbeWnd"), nullptr);
    EXPECT_NE(fw::ImplicitInstance<ProbeWnd>(), nullptr);
}

TEST(ImplicitInstance, ClosingTheLastVisibleWindowEndsTheApplication) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_FALSE(fw::QuitRequested());
    window->Close();
    EXPECT_TRUE(fw::QuitRequested());
    EXPECT_EQ(fw::QuitCode(), 0);
}

// Off the user-interface thread, window, control, menu and dialog operations
// raise before they touch anything.
TEST(UIThread, OperationsOffItRaiseThreadAccessingUIException) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    auto& button = fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Button"));
    auto menu = std::make_shared<fw::MenuItem>();
    fw::Timer timer;
    const int beeps = fw::Dialogs().beeps;
    const std::pair<const char*, std::function<void()>> operations[] = {
        {"implicit instance", [] { fw::ImplicitInstance<ProbeWnd>(); }},
        {"Show", [&] { window->Show(); }},
        {"Hide", [&] { window->Hide(); }},
        {"Close", [&] { window->Close(); }},
        {"ControlByName", [&] { window->ControlByName("Button"); }},
        {"New", [&] { window->New(fw::PushButton::Class()); }},
        {"SetProperties", [&] { fw::SetProperties(*window, {}); }},
        {"a control's widget", [&] { button.SetCaption("Off"); }},
        {"a control's place", [&] { button.SetEnabled(false); }},
        {"a timer", [&] { timer.SetRunMode(2); }},
        {"menu Lookup", [&] { menu->Lookup("EditCopy"); }},
        {"menu Enabled", [&] { menu->SetEnabled(false); }},
        {"Beep", [] { fw::Beep(); }},
        {"MsgBox", [] { fw::MsgBox("off the UI thread"); }},
    };
    for (const auto& [what, operation] : operations) {
        SCOPED_TRACE(what);
        std::exception_ptr raised;
        std::thread([&] {
            try {
                operation();
            } catch (...) {
                raised = std::current_exception();
            }
        }).join();
        ASSERT_TRUE(raised);
        EXPECT_THROW(std::rethrow_exception(raised), fw::ThreadAccessingUIException);
    }
    EXPECT_TRUE(window->IsVisible());
    EXPECT_TRUE(menu->Enabled());
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(fw::Dialogs().beeps, beeps);
    EXPECT_NO_THROW(button.SetCaption("On"));
}

TEST(CheckedCast, RaisesOnNilAndOnAnotherClass) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_THROW(fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Missing")),
                 fw::NilObjectException);
    EXPECT_THROW(fw::RuntimeCheckCast<fw::TextArea>(window->ControlByName("Box")), fw::TypeMismatchException);
    // A control passes as any of its bases.
    EXPECT_NO_THROW(fw::RuntimeCheckCast<fw::RectControl>(window->ControlByName("Box")));
    EXPECT_NO_THROW(fw::RuntimeCheckCast<fw::Control>(window->ControlByName("Button")));
}

TEST(EventTable, AnswersExactlyForTheEventsOfTheClassTable) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    for (const char* event : {"Layout", "CreateControls", "AddMenuHandlers", "Open", "Close"})
        EXPECT_TRUE(fw::RuntimeIsEventHandled(*window, "ProbeWnd.ProbeWnd", event, true)) << event;
    for (const char* event : {"Activate", "KeyDown", "MouseDown", "EnableMenuItems"})
        EXPECT_FALSE(fw::RuntimeIsEventHandled(*window, "ProbeWnd.ProbeWnd", event, true)) << event;
    // Events the class has no handler for do nothing.
    EXPECT_FALSE(window->RaiseKeyDown("a"));
    EXPECT_FALSE(window->RaiseMouseDown(1, 2));
}

TEST(Delegates, ConnectOnlyWithTheEventsSignature) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    auto& button = fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Button"));
    EXPECT_THROW(fw::RuntimeAddEventHandler(button, "Action",
                                            fw::RuntimeCreateDelegate(&ProbeWnd::Button_Action, window.get(),
                                                                      "( TextField )")),
                 fw::TypeMismatchException);
    EXPECT_THROW(fw::RuntimeAddEventHandler(button, "KeyDown",
                                            fw::RuntimeCreateDelegate(&ProbeWnd::Button_Wrong, window.get(),
                                                                      "( PushButton, String ) as Boolean")),
                 fw::FunctionNotFoundException);

    fw::RuntimeAddEventHandler(
        button, "Action", fw::RuntimeCreateDelegate(&ProbeWnd::Button_Action, window.get(), "( PushButton )"));
    QTest::mouseClick(button.Widget(), Qt::LeftButton);
    EXPECT_EQ(window->pushes, 1);
}

TEST(Delegates, AnExceptionEscapingAHandlerIsReportedAndEndsTheApplication) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    auto& button = fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Button"));
    fw::RuntimeAddEventHandler(
        button, "Action", fw::RuntimeCreateDelegate(&ProbeWnd::Button_Action, window.get(), "( PushButton )"));
    window->throwOnPush = true;

    testing::internal::CaptureStderr();
    QTest::mouseClick(button.Widget(), Qt::LeftButton);
    std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(fw::UnhandledExceptionCount(), 1);
    EXPECT_NE(report.find("NilObjectException: pressed into nothing"), std::string::npos) << report;
    EXPECT_TRUE(fw::QuitRequested());
    EXPECT_NE(fw::RuntimeExit(), 0);
}

TEST(Placement, AControlInsideAnotherIsPlacedByWindowCoordinates) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    auto& button = fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Button"));
    auto& box = fw::RuntimeCheckCast<fw::Rectangle>(window->ControlByName("Box"));
    EXPECT_EQ(button.Widget()->parentWidget(), box.Widget());
    EXPECT_EQ(button.Widget()->geometry(), QRect(10, 10, 40, 20));
    QPoint inWindow = button.Widget()->mapTo(box.Widget()->parentWidget(), QPoint(0, 0));
    EXPECT_EQ(inWindow, QPoint(110, 60));
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(window->Height(), 200);
}

// A timer with an owner to call back.
class TimerOwner {
public:
    void Tick(fw::Timer&) { ++ticks; }
    int ticks = 0;
};

TEST(Timers, ASingleShotTimerFiresOnceFromTheEventLoop) {
    TimerOwner owner;
    fw::Timer timer;
    fw::RuntimeAddEventHandler(timer, "Action", fw::RuntimeCreateDelegate(&TimerOwner::Tick, &owner, "( Timer )"));
    timer.SetPeriod(20);
    timer.SetRunMode(1);
    EXPECT_EQ(owner.ticks, 0);  // nothing happens outside the event loop
    QTest::qWait(150);
    EXPECT_EQ(owner.ticks, 1);
    EXPECT_FALSE(timer.IsRunning());
}

TEST(Timers, NeverFireBeforeTheirPeriodEnds) {
    TimerOwner owner;
    fw::Timer timer;
    fw::RuntimeAddEventHandler(timer, "Action", fw::RuntimeCreateDelegate(&TimerOwner::Tick, &owner, "( Timer )"));
    QElapsedTimer clock;
    clock.start();
    timer.SetPeriod(400);
    timer.SetRunMode(1);
    QTRY_VERIFY_WITH_TIMEOUT(owner.ticks == 1, 2000);
    EXPECT_GE(clock.elapsed(), 400);
}

TEST(Timers, RunModeTwoRepeatsAndZeroStops) {
    TimerOwner owner;
    fw::Timer timer;
    fw::RuntimeAddEventHandler(timer, "Action", fw::RuntimeCreateDelegate(&TimerOwner::Tick, &owner, "( Timer )"));
    timer.SetPeriod(10);
    timer.SetRunMode(2);
    QTRY_VERIFY_WITH_TIMEOUT(owner.ticks >= 3, 2000);
    timer.SetRunMode(0);
    int after = owner.ticks;
    QTest::qWait(60);
    EXPECT_EQ(owner.ticks, after);
}

TEST(WeakReferences, DoNotKeepTheirWindowAlive) {
    fw::WeakRef ref;
    {
        auto window = fw::ImplicitInstance<ProbeWnd>();
        ref = fw::WeakRef(window);
        EXPECT_EQ(ref.Value(), window);
        window->Close();
    }
    fw::RuntimeReleaseWindows();
    EXPECT_EQ(ref.Value(), nullptr);
}

}  // namespace

namespace {

TEST(UnhandledExceptions, InTheEventLoopAreShownInAMessageAndEndTheRunNonZero) {
    QString message;
    DismissNextMessageBox(&message);
    fw::RunFrameworkInitialization([] { throw fw::NilObjectException("no About window"); });

    testing::internal::CaptureStderr();
    const int quitCode = fw::RuntimeRun();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_NE(report.find("NilObjectException: no About window"), std::string::npos) << report;
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(quitCode, 1);
    EXPECT_NE(fw::RuntimeExit(), 0);
}

}  // namespace
