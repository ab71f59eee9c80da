// The About window: what its layout builds, and how it gives way to the main
// window (its timer, a key, a mouse press) or ends the run when closed first.
#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/label.h"
#include "framework/picture.h"
#include "framework/timer.h"
#include "framework/window_impl.h"
#include "main_window/control_wnd.h"
#include "resources/notices.h"
#include "shell/about_wnd.h"
#include "shell/pictures.h"
#include "tests/gui_test_support.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

QWidget* Frame(const fw::Window& window) { return window.Impl().frame.get(); }

// A click at a point of the window's content area, delivered as the window
// system delivers it: to whichever widget stands there, and on to its
// parents when that widget lets the press pass.
void ClickAt(const fw::Window& window, QPoint inContent) {
    QPoint inFrame = window.Impl().content->mapTo(Frame(window), inContent);
    QTest::mouseClick(Frame(window)->windowHandle(), Qt::LeftButton, {}, inFrame);
}

QPoint Centre(const fw::RectControl& control) { return control.Widget()->geometry().center(); }

bool MainWindowShown() {
    auto main = fw::GetImplicitWindow("ControlWnd.ControlWnd");
    return main && main->IsVisible();
}

TEST(AboutWindow, IsAVisibleDialogStyleWindowOfItsLayoutSize) {
    auto about = AboutWnd();
    EXPECT_TRUE(about->IsVisible());
    EXPECT_EQ(about->Width(), 314);
    EXPECT_EQ(about->Height(), 200);
    EXPECT_EQ(about->Title(), "");
    EXPECT_TRUE(about->Resizeable());
    EXPECT_EQ(Frame(*about)->windowType(), Qt::Dialog);
    EXPECT_TRUE(Frame(*about)->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(about->Impl().content->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(AboutWnd(), about);
}

TEST(AboutWindow, BuildsItsFourControlsInOrder) {
    auto about = AboutWnd();
    std::vector<fw::String> names;
    for (fw::Control* control : about->Controls()) names.push_back(control->Name());
    EXPECT_EQ(names, (std::vector<fw::String>{"StaticText5", "StaticText1", "Timer1", "Canvas1"}));
}

TEST(AboutWindow, LabelsShowTheNoticeAndTheProductName) {
    struct Case {
        const char* name;
        QRect geometry;
        fw::String text;
        qreal pointSize;
        bool bold;
        QColor color;
    };
    auto about = AboutWnd();
    for (const Case& c : {Case{"StaticText5", QRect(0, 171, 313, 16), kNotice, 11, false, QColor(0xCD, 0x22, 0x18)},
                          Case{"StaticText1", QRect(0, 0, 308, 51), "Tesmora", 28, true, QColor(0x80, 0x00, 0x00)}}) {
        SCOPED_TRACE(c.name);
        auto& label = fw::RuntimeCheckCast<fw::Label>(about->ControlByName(c.name));
        auto* widget = static_cast<QLabel*>(label.Widget());
        EXPECT_EQ(widget->geometry(), c.geometry);
        EXPECT_EQ(widget->parentWidget(), about->Impl().content);
        EXPECT_TRUE(widget->isVisible());
        EXPECT_EQ(label.Value(), c.text);
        EXPECT_EQ(widget->font().pixelSize(), c.pointSize);  // layout points are window units
        EXPECT_EQ(widget->font().bold(), c.bold);
        EXPECT_FALSE(widget->font().italic());
        EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::WindowText), c.color);
        EXPECT_TRUE(widget->alignment() & Qt::AlignHCenter);
    }
    // The copyright sign takes two bytes: one more byte than characters.
    EXPECT_EQ(QString::fromUtf8(kNotice).size() + 1, qsizetype(sizeof(kNotice) - 1));
}

TEST(AboutWindow, TheCanvasShowsTheEmblemCentredAcrossTheWindow) {
    auto about = AboutWnd();
    fw::Canvas& canvas = about->Canvas1();
    EXPECT_EQ(canvas.Widget()->geometry(), QRect(107, 54, 100, 105));
    ASSERT_NE(canvas.Backdrop(), nullptr);
    EXPECT_EQ(canvas.Backdrop(), Rovi96());
    EXPECT_EQ(canvas.Widget()->focusPolicy(), Qt::NoFocus);
}

TEST(AboutWindow, WithoutItsPictureIsBuiltWithAnEmptyCanvasAndStillGivesWay) {
    WithoutTheApplicationsPictures missing;
    auto about = AboutWnd();
    EXPECT_EQ(about->Canvas1().Backdrop(), nullptr);
    EXPECT_TRUE(about->IsVisible());
    QTest::keyClick(Frame(*about), Qt::Key_Space);
    EXPECT_FALSE(about->IsVisible());
    EXPECT_TRUE(MainWindowShown());
}

TEST(AboutWindow, ResizingMovesNoControl) {
    auto about = AboutWnd();
    auto geometries = [&] {
        return std::vector<QRect>{about->StaticText5().Widget()->geometry(), about->StaticText1().Widget()->geometry(),
                                  about->Canvas1().Widget()->geometry()};
    };
    const std::vector<QRect> before = geometries();
    Frame(*about)->resize(600, 450);
    QCoreApplication::processEvents();
    ASSERT_GT(about->Width(), 314);
    EXPECT_EQ(geometries(), before);
}

TEST(AboutWindow, ItsTimerIsAOneShotOfFourSecondsRunningFromTheStart) {
    auto about = AboutWnd();
    fw::Timer& timer = about->Timer1();
    EXPECT_EQ(timer.Period(), 4000);
    EXPECT_EQ(timer.RunMode(), 1);
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_EQ(&timer.Record(), &AboutWnd::_wrapper_Timer1::Class());
    EXPECT_EQ(timer.Record().name, "AboutWnd._wrapper_Timer1");
    EXPECT_TRUE(timer.Record().IsA(fw::Timer::Class()));
}

TEST(AboutWindow, AnswersOnlyForItsFourEvents) {
    auto about = AboutWnd();
    for (const char* event : {"CreateControls", "KeyDown", "Layout", "MouseDown"})
        EXPECT_TRUE(about->IsEventImplemented(event)) << event;
    for (const char* event : {"Open", "Close", "Activate", "EnableMenuItems", "AddMenuHandlers", "Paint", "CancelClose"})
        EXPECT_FALSE(about->IsEventImplemented(event)) << event;
}

// Each way of dismissing the window, as a user or the event loop does it.
struct Dismissal {
    const char* how;
    std::function<void(class AboutWnd&)> act;
};

void PrintTo(const Dismissal& dismissal, std::ostream* out) { *out << dismissal.how; }

class AboutWindowGivesWay : public testing::TestWithParam<Dismissal> {};

TEST_P(AboutWindowGivesWay, HidingItselfAndShowingTheMainWindow) {
    auto about = AboutWnd();
    ASSERT_FALSE(MainWindowShown());
    GetParam().act(*about);
    EXPECT_FALSE(about->IsVisible());
    EXPECT_TRUE(about->IsOpen());  // hidden, not closed
    EXPECT_TRUE(MainWindowShown());
    EXPECT_EQ(AboutWnd(), about);
}

INSTANTIATE_TEST_SUITE_P(
    , AboutWindowGivesWay,
    testing::Values(
        Dismissal{"Key", [](class AboutWnd& w) { QTest::keyClick(Frame(w), Qt::Key_A); }},
        Dismissal{"Escape", [](class AboutWnd& w) { QTest::keyClick(Frame(w), Qt::Key_Escape); }},
        Dismissal{"ClickOnNotice", [](class AboutWnd& w) { ClickAt(w, Centre(w.StaticText5())); }},
        Dismissal{"ClickOnTitle", [](class AboutWnd& w) { ClickAt(w, Centre(w.StaticText1())); }},
        Dismissal{"ClickOnEmblem", [](class AboutWnd& w) { ClickAt(w, Centre(w.Canvas1())); }},
        Dismissal{"ClickOnBackground", [](class AboutWnd& w) { ClickAt(w, QPoint(10, 100)); }},
        Dismissal{"TimerFires", [](class AboutWnd& w) { w.Timer1().Fire(); }}),
    [](const testing::TestParamInfo<Dismissal>& info) { return info.param.how; });

TEST(AboutWindow, KeyAndMouseHandlersAlwaysPassTheEventOn) {
    auto about = AboutWnd();
    for (const char* key : {"a", "\r", "\x1b", " ", "\x1c"}) EXPECT_FALSE(about->RaiseKeyDown(key));
    for (auto [x, y] : {std::pair{0, 0}, std::pair{313, 199}, std::pair{-1, -1}}) EXPECT_FALSE(about->RaiseMouseDown(x, y));
    EXPECT_FALSE(about->IsVisible());
}

// The window gives way once per showing: a timer that fires after a key or
// a click did it, or after the window was hidden (as the main window's
// activation hides one it has just built), touches no window.
TEST(AboutWindow, ATimerFiringOnceTheWindowIsNoLongerShownLeavesTheWindowsAlone) {
    const Dismissal before[] = {
        {"Key", [](class AboutWnd& w) { QTest::keyClick(Frame(w), Qt::Key_Space); }},
        {"Click", [](class AboutWnd& w) { ClickAt(w, QPoint(10, 100)); }},
        {"Hidden", [](class AboutWnd& w) { w.Hide(); }},
    };
    for (const Dismissal& dismissal : before) {
        SCOPED_TRACE(dismissal.how);
        auto about = AboutWnd();
        dismissal.act(*about);
        auto main = fw::GetImplicitWindow("ControlWnd.ControlWnd");
        if (main) main->Hide();  // the user went on to another window
        about->Timer1().Fire();
        EXPECT_FALSE(about->IsVisible());
        EXPECT_FALSE(MainWindowShown());
        EXPECT_EQ(fw::GetImplicitWindow("ControlWnd.ControlWnd"), main);  // none built either
        about->Close();
        if (main) main->Close();
    }
}

// With no input, the window gives way once its timer runs out, cut short
// here (the end-to-end test measures the four seconds), and the timer stops.
TEST(AboutWindow, WithNoInputGivesWayWhenItsTimerRunsOut) {
    auto about = AboutWnd();
    about->Timer1().SetPeriod(1);
    EXPECT_TRUE(about->IsVisible());
    QTRY_VERIFY(!about->IsVisible());
    EXPECT_TRUE(MainWindowShown());
    EXPECT_FALSE(about->Timer1().IsRunning());
}

TEST(AboutWindow, ComesBackTheSameAfterGivingWay) {
    auto about = AboutWnd();
    about->Timer1().Fire();
    AboutWnd()->Show();
    EXPECT_TRUE(about->IsVisible());
    EXPECT_EQ(about->StaticText5().Value(), kNotice);
    EXPECT_EQ(about->Canvas1().Backdrop(), Rovi96());
}

TEST(AboutWindow, ClosedBeforeGivingWayEndsTheRunWithZero) {
    auto about = AboutWnd();
    Frame(*about)->close();  // as the frame's close button does
    EXPECT_FALSE(about->IsOpen());
    EXPECT_EQ(RunEndsWith(), 0);
    // Its timer ended with it: the main window is never built.
    EXPECT_FALSE(about->Timer1().IsRunning());
    EXPECT_EQ(fw::GetImplicitWindow("ControlWnd.ControlWnd"), nullptr);
    // A later lookup builds a new About window.
    EXPECT_NE(AboutWnd(), about);
}

TEST(AboutWindow, ClosedAfterGivingWayLeavesTheRunGoing) {
    auto about = AboutWnd();
    about->Timer1().Fire();
    about->Close();
    EXPECT_EQ(RunEndsWith(), kNoQuit);
}

TEST(AboutTimer, KnowsItsWindowOnlyWhileTheWindowExists) {
    std::shared_ptr<fw::Object> kept;
    AboutWnd::_wrapper_Timer1* timer = nullptr;
    {
        auto about = AboutWnd();
        timer = &fw::RuntimeCheckCast<AboutWnd::_wrapper_Timer1>(&about->Timer1());
        kept = timer->shared_from_this();
        EXPECT_EQ(timer->Window(), about);
        EXPECT_EQ(timer->Index(), 0);
        about->Close();
    }
    fw::RuntimeReleaseWindows();
    EXPECT_EQ(timer->Window(), nullptr);
}

TEST(AboutTimer, HasNoWindowBeforeItIsAdded) {
    auto timer = fw::RuntimeCheckCast<AboutWnd::_wrapper_Timer1>(AboutWnd()->New(AboutWnd::_wrapper_Timer1::Class()));
    EXPECT_EQ(timer->Window(), nullptr);
    timer->SetIndex(3);
    EXPECT_EQ(timer->Index(), 3);
    EXPECT_FALSE(timer->IsRunning());
}

}  // namespace
