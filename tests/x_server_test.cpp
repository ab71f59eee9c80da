// The real executable as a user meets it on a virtual X server: what the
// window system receives as titles, and real key presses (xdotool) on the
// About window and the menus. Also what it says when it cannot start.
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "tests/x_server.h"

namespace {

const QString kApp = TESMORA_BINARY_DIR "/shell/tesmora";

// The virtual screen: its size, Qt's scale factor, and whether a window
// manager runs on it.
struct Screen {
    QString size = "1024x768";
    QString scaleFactor = "1";
    bool windowManager = false;
};

// The shipped application on a virtual X server, without a window manager
// unless the screen asks for one.
class OnXServer {
public:
    explicit OnXServer(const Screen& screen = {}) : x_(screen.size) {
        if (!x_.Up()) return;
        managed_ = screen.windowManager && x_.StartWindowManager();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("TESMORA_TEST_PROBE");
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_SCALE_FACTOR", screen.scaleFactor);
        app_.setProcessEnvironment(env);
        app_.start(kApp, {});
    }
    bool Managed() const { return managed_; }
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

    // The id of the window on screen with that title, or an empty text.
    QString Id(const QString& title) const {
        return Tool("xdotool", {"search", "--onlyvisible", "--name", "^" + title + "$"}).section('\n', 0, 0);
    }
    // The ids of the application's windows on screen, menus included.
    QStringList Shown() const {
        return Tool("xdotool", {"search", "--onlyvisible", "--class", "tesmora"}).split('\n', Qt::SkipEmptyParts);
    }
    // A property of a window as xprop prints it.
    QString Property(const QString& id, const QString& name) const {
        return Tool("xprop", {"-id", id, name}).simplified();
    }
    // The window's place and size on screen, as the window system has them.
    QRect Geometry(const QString& id) const {
        const QString info = Tool("xwininfo", {"-id", id});
        auto field = [&](const char* name) {
            return QRegularExpression(QString(name) + ":\\s+(-?\\d+)").match(info).captured(1).toInt();
        };
        return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
    }
    // Where the window of that title has its top left corner on screen.
    QPoint Corner(const QString& title) const {
        const QString shell = Tool("xdotool", {"getwindowgeometry", "--shell", Id(title)});
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
        return WaitUntil([&] { return Titles() == wanted; }, timeoutMs) ? clock.elapsed() : -1;
    }
    // Waits for the About window, the one window on screen at start-up.
    bool WaitForStartUpWindow() const {
        return WaitUntil([&] { return Titles().size() == 1; }, 15000);
    }

    int ExitStatus() {
        if (!app_.waitForFinished(10000)) return -1;
        return app_.exitStatus() == QProcess::NormalExit ? app_.exitCode() : -1;
    }
    std::string Errors() { return app_.readAllStandardError().toStdString(); }

private:
    XServer x_;
    QProcess app_;
    bool managed_ = false;
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
    // A click on File, then over to Edit once File's menu is open, and its
    // Copy once Edit's has taken its place.
    const QPoint bar = x.Corner("Quillon") + QPoint(0, 10);
    auto at = [&](int dx) { return QStringList{QString::number(bar.x() + dx), QString::number(bar.y())}; };
    const QStringList closed = x.Shown();
    x.Tool("xdotool", QStringList{"mousemove"} + at(15) + QStringList{"click", "1"});
    ASSERT_TRUE(WaitUntil([&] { return x.Shown().size() == closed.size() + 1; }));
    const QStringList fileOpen = x.Shown();
    x.Tool("xdotool", QStringList{"mousemove"} + at(40) + QStringList{"mousemove"} + at(60));
    ASSERT_TRUE(WaitUntil([&] {
        const QStringList shown = x.Shown();
        return shown.size() == fileOpen.size() && shown != fileOpen;
    }));
    x.Keys({"o"});
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

// Under a window manager, as a user with a task bar meets it: a window the
// application shows comes back from minimised and to the front; the About
// window has a title in WM_NAME too; and the main window activated while
// the About window's menu is open hides the About window, menu and all.
TEST(OnXServer, UnderAWindowManagerShownWindowsComeToTheFrontAlsoFromMinimised) {
    SKIP_WITHOUT_X_TOOLS();
    if (!Installed({"openbox"})) GTEST_SKIP() << "needs openbox";
    OnXServer x({.windowManager = true});
    ASSERT_TRUE(x.Managed());
    ASSERT_TRUE(x.WaitForStartUpWindow()) << x.Errors();
    EXPECT_EQ(x.Property(x.Id("Tesmora"), "WM_NAME"), "WM_NAME(STRING) = \"Tesmora\"");
    x.Keys({"space"});
    ASSERT_GE(x.WaitForTitles({"Quillon"}), 0) << x.Titles().join(", ").toStdString();
    x.Keys({"alt+w", "d"});
    ASSERT_GE(x.WaitForTitles({"Description", "Quillon"}), 0) << x.Titles().join(", ").toStdString();

    // The ids are taken while no window comes or goes.
    const QMap<QString, QString> ids{{"Quillon", x.Id("Quillon")}, {"Description", x.Id("Description")}};
    auto activate = [&](const QString& title) { x.Tool("xdotool", {"windowactivate", "--sync", ids[title]}); };
    const struct {
        const char* window;
        const char* from;  // the window whose Window menu shows it
        const char* key;
    } cases[] = {{"Description", "Quillon", "d"}, {"Tesmora", "Description", "a"}, {"Quillon", "Description", "c"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        activate(c.from);
        x.Keys({"alt+w", c.key});
        ASSERT_TRUE(WaitUntil([&] { return !x.Id(c.window).isEmpty(); }));
        const QString id = x.Id(c.window);
        x.Tool("xdotool", {"windowminimize", id});
        ASSERT_TRUE(WaitUntil([&] { return x.Property(id, "WM_STATE").contains("Iconic"); }));
        activate(c.from);
        x.Keys({"alt+w", c.key});
        EXPECT_TRUE(WaitUntil([&] {
            return x.Property(id, "WM_STATE").contains("Normal") && !x.Property(id, "_NET_WM_STATE").contains("HIDDEN") &&
                   x.Tool("xdotool", {"getactivewindow"}) == id;
        })) << x.Property(id, "WM_STATE").toStdString();
    }

    // The About window in front with its Window menu open; then a task bar
    // activates the main window.
    activate("Description");
    x.Keys({"alt+w", "a"});
    ASSERT_TRUE(WaitUntil([&] { return !x.Id("Tesmora").isEmpty(); }));
    const QStringList before = x.Shown();
    x.Keys({"alt+w"});
    ASSERT_TRUE(WaitUntil([&] { return x.Shown().size() == before.size() + 1; }));
    x.Tool("xdotool", {"windowactivate", ids["Quillon"]});
    QStringList left = ids.values();
    left.sort();
    EXPECT_TRUE(WaitUntil([&] {
        QStringList shown = x.Shown();
        shown.sort();
        return shown == left;
    })) << x.Shown().join(", ").toStdString();
    x.Keys({"ctrl+q"});
    EXPECT_EQ(x.ExitStatus(), 0) << x.Errors();
}

// Windows open at their stored size (Qt would cap them at two thirds of the
// screen); a screen too small for a window fits a resizeable one to it and
// keeps a fixed-size one's title bar and menu bar on it.
TEST(OnXServer, WindowsOpenAtTheirStoredSizeWhereTheScreenHoldsThem) {
    SKIP_WITHOUT_X_TOOLS();
    const struct {
        Screen screen;
        bool holdsThem;
    } cases[] = {{{"1280x720"}, true}, {{"800x600", "2"}, false}};  // 400 x 300 in window units
    for (const auto& c : cases) {
        const Screen& screen = c.screen;
        SCOPED_TRACE((screen.size + " scaled " + screen.scaleFactor).toStdString());
        OnXServer x(screen);
        ASSERT_TRUE(x.WaitForStartUpWindow()) << x.Errors();
        x.Keys({"space"});
        ASSERT_GE(x.WaitForTitles({"Quillon"}), 0) << x.Titles().join(", ").toStdString();
        x.Keys({"alt+w", "d"});
        ASSERT_GE(x.WaitForTitles({"Description", "Quillon"}), 0) << x.Titles().join(", ").toStdString();
        const QRect main = x.Geometry(x.Id("Quillon")), description = x.Geometry(x.Id("Description"));
        const int scale = screen.scaleFactor.toInt();
        if (c.holdsThem) {
            // The stored sizes, 515 x 440 and 427 x 491, beside the same menu bar.
            EXPECT_EQ(description.height() - 491 * scale, main.height() - 440 * scale);
            EXPECT_EQ(description.width(), 427 * scale);
        } else {
            const QSize size(screen.size.section('x', 0, 0).toInt(), screen.size.section('x', 1).toInt());
            EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(description)) << description.height();
        }
        EXPECT_GE(main.top(), 0);
        EXPECT_GE(main.left(), 0);
        EXPECT_EQ(main.width(), 515 * scale);
        x.Keys({"ctrl+q"});
        EXPECT_EQ(x.ExitStatus(), 0) << x.Errors();
    }
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
