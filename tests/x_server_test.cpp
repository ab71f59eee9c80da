// The real executable as a user meets it on a virtual X server: what the
// window system receives as titles, and real key presses (xdotool) on the
// About window and the menus. Also what it says when it cannot start.
#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

#include "tests/x_server.h"


namespace {

const QString kApp = TESMORA_BINARY_DIR "/shell/tesmora";

// The shipped application on a virtual X server without a window manager.
class OnXServer {
public:
    OnXServer() {
        if (!x_.Up()) return;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("TESMORA_TEST_PROBE");
        env.insert("QT_QPA_PLATFORM", "xcb");
        app_.setProcessEnvironment(env);
        app_.start(kApp, {});
    }
    ~OnXServer() {
        if (app_.state() == QProcess::NotRunning) return;
        Keys({"ctrl+q"});
        if (!app_.waitForFinished(5000)) app_.kill();
        app_.waitForFinished(3000);
    }

    // Runs an X tool on the application's display; its output.
    QString Tool(const QString& program, const QStringList& args) const { return x_.Output(program, args); }

    // Real key presses to the window that has the input focus.
    void Keys(const QStringList& keys) const { Tool("xdotool", QStringList{"key", "--delay", "80"} + keys); }

    // Where the window of that title has its top left corner on screen.
    QPoint Corner(const QString& title) const {
        const QString id = Tool("xdotool", {"search", "--onlyvisible", "--name", "^" + title + "$"});
        const QString shell = Tool("xdotool", {"getwindowgeometry", "--shell", id});
        static const QRegularExpression x("X=(\\d+)"), y("Y=(\\d+)");
        return QPoint(x.match(shell).captured(1).toInt(), y.match(shell).captured(1).toInt());
    }

    // The titles of the application's windows on screen, as the window
    // system has them.
    QStringList Titles() const {
        QStringList titles;
        const QString ids = Tool("xdotool", {"search", "--onlyvisible", "--class", "tesmora"});
        static const QRegularExpression quoted(R"re(= "(.*)"$)re");
        for (const QString& id : ids.split('\n', Qt::SkipEmptyParts)) {
            const auto match = quoted.match(Tool("xprop", {"-id", id, "-notype", "_NET_WM_NAME"}));
            if (match.hasMatch()) titles << match.captured(1);
        }
        titles.sort();
        return titles;
    }

    // Waits until the titles on screen are as wanted; the milliseconds that
    // took, or -1.
    qint64 WaitForTitles(const QStringList& wanted, int timeoutMs = 15000) const {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            if (Titles() == wanted) return clock.elapsed();
            QThread::msleep(50);
        }
        return -1;
    }
    // Waits for the About window, the one window on screen at start-up.
    bool WaitForStartUpWindow() const {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 15000 && Titles().size() != 1) QThread::msleep(50);
        return Titles().size() == 1;
    }

    int ExitStatus() {
        if (!app_.waitForFinished(10000)) return -1;
        return app_.exitStatus() == QProcess::NormalExit ? app_.exitCode() : -1;
    }
    std::string Errors() { return app_.readAllStandardError().toStdString(); }

private:
    XServer x_;
    QProcess app_;
};

#define SKIP_WITHOUT_X_TOOLS()                                              \
    if (!Installed({"Xvfb", "xdotool", "xprop", "xclip"}))                  \
    GTEST_SKIP() << "needs Xvfb, xdotool, xprop (x11-utils) and xclip"

// A key that gives no text dismisses the About window long before its
// timer; the titles are the layout data's, nothing appended.
TEST(OnXServer, AKeyWithoutTextDismissesTheAboutWindowAndTitlesAreAsStored) {
    SKIP_WITHOUT_X_TOOLS();
    OnXServer x;
    ASSERT_TRUE(x.WaitForStartUpWindow()) << x.Errors();
    x.Keys({"F1"});
    const qint64 took = x.WaitForTitles({"Quillon"}, 3000);
    EXPECT_GE(took, 0) << x.Titles().join(", ").toStdString();
    x.Keys({"ctrl+q"});
    EXPECT_EQ(x.ExitStatus(), 0) << x.Errors();
}

// Keyboard only: Alt and a menu's letter open it, Right moves to the next
// menu, a letter chooses an item. Edit, reached from File, acts on the field
// that had the focus before the menu bar took it; Window leads to the
// Description window.
TEST(OnXServer, MenusWorkFromTheKeyboardAndEditActsOnTheFieldThatHadTheFocus) {
    SKIP_WITHOUT_X_TOOLS();
    OnXServer x;
    ASSERT_TRUE(x.WaitForStartUpWindow()) << x.Errors();
    x.Keys({"Return"});
    ASSERT_GE(x.WaitForTitles({"Quillon"}), 0);

    x.Keys({"1", "2", "shift+Home"});  // typed and selected in the first count field
    // A click on File, then over to Edit, and its Copy.
    const QPoint bar = x.Corner("Quillon") + QPoint(0, 10);
    auto at = [&](int dx) { return QStringList{QString::number(bar.x() + dx), QString::number(bar.y())}; };
    x.Tool("xdotool", QStringList{"mousemove"} + at(15) + QStringList{"click", "1", "sleep", "0.3", "mousemove"} +
                          at(40) + QStringList{"sleep", "0.1", "mousemove"} + at(60) +
                          QStringList{"sleep", "0.3", "key", "o"});
    EXPECT_EQ(x.Tool("xclip", {"-o", "-selection", "clipboard"}), "12");

    // The same from the keyboard: File, over to Edit, Copy.
    x.Keys({"End", "3", "shift+Home"});
    x.Keys({"alt+f", "Right", "o"});
    EXPECT_EQ(x.Tool("xclip", {"-o", "-selection", "clipboard"}), "123");

    x.Keys({"alt+w", "d"});                      // Window, Description
    EXPECT_GE(x.WaitForTitles({"Description", "Quillon"}), 0) << x.Titles().join(", ").toStdString();
    x.Keys({"ctrl+q"});
    EXPECT_EQ(x.ExitStatus(), 0) << x.Errors();
}

// A failure to start says what failed and ends with status 1. Without a
// display (none named, or no server behind it): one line that says so and
// how to run the application. Any other failure of the platform, also with
// a display at hand: Qt's reason, which plugin and which ones there are,
// in one line; a plugin that finds no screen says so last, after Qt's
// reason.
TEST(FailureToStart, SaysWhatFailedAndEndsWithOne) {
    XServer server;
    const QString working = server.Up() ? qEnvironmentVariable("DISPLAY") : QString();
    // A display number no server listens on.
    int unused = 4000;
    while (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(unused))) ++unused;
    const QString unreachable = QString(":%1").arg(unused);
    const QStringList noDisplay = {"no display could be opened", "xvfb-run"};
    const QStringList noPlugin = {"\"bogus\"", "xcb", "offscreen"};
    const struct {
        const char* what;
        QString display, platform;
        QStringList args, said;
        bool oneLine;
    } cases[] = {
        {"no display named", "", "", {}, noDisplay, true},
        {"no server behind the display", unreachable, "", {}, noDisplay, true},
        {"a plugin that does not exist, by variable", working, "bogus", {}, noPlugin, true},
        {"a plugin that does not exist, by argument", working, "", {"-platform", "bogus"}, noPlugin, true},
        {"a plugin without a screen", working, "linuxfb:fb=/nonexistent", {}, {"\"linuxfb\" found no screen"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TESMORA_TEST_PROBE"})
            env.remove(name);
        if (!c.display.isEmpty()) env.insert("DISPLAY", c.display);
        if (!c.platform.isEmpty()) env.insert("QT_QPA_PLATFORM", c.platform);
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(kApp, c.args);
        ASSERT_TRUE(app.waitForFinished(10000));
        const QString errors = QString::fromUtf8(app.readAllStandardError());
        const QString last = errors.trimmed().section('\n', -1);
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(app.exitCode(), 1);
        if (c.oneLine) {
            EXPECT_EQ(errors.count('\n'), 1) << errors.toStdString();
        }
        for (const QString& part : c.said)
            EXPECT_TRUE(last.contains(part)) << part.toStdString() << " in " << errors.toStdString();
        if (c.said != noDisplay) {
            EXPECT_FALSE(errors.contains("no display")) << errors.toStdString();
        }
    }
}

}  // namespace
