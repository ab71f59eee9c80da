// End-to-end: the application, watched and driven through its probe (see
// tests/probe/probe.cpp), on the offscreen platform, and on a virtual X
// server with the real X11 platform plugin and real key and mouse events.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "tests/x_server.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

const QString kAbout = "AboutWnd.AboutWnd";
const QString kMain = "ControlWnd.ControlWnd";
const QString kProbed = TESMORA_BINARY_DIR "/tests/tesmora_probed";

class RunningApp {
public:
    explicit RunningApp(const QString& platform = "offscreen", const QString& probe = "1",
                        const QString& input = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TESMORA_TEST_PROBE", probe);
        env.insert("QT_QPA_PLATFORM", platform);
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        if (!input.isEmpty()) process_.setStandardInputFile(input);
        process_.start(kProbed, {});
        clock_.start();
    }
    ~RunningApp() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

    // Waits for a line of the probe; returns the milliseconds since start,
    // or -1 when it did not come in time.
    qint64 WaitFor(const QString& line, int timeoutMs = 15000) {
        return WaitForLine([&](const QString& got) { return got == line; }, timeoutMs).isNull() ? -1 : clock_.elapsed();
    }
    // Waits for a line that begins with `start`; returns it, or a null text.
    QString WaitForStart(const QString& start, int timeoutMs = 15000) {
        return WaitForLine([&](const QString& got) { return got.startsWith(start); }, timeoutMs);
    }
    bool Seen(const QString& line) const { return seen_.contains(line); }
    // What the process wrote to standard error, for failure messages.
    std::string Errors() { return process_.readAllStandardError().toStdString(); }

    void Send(const QString& command) {
        process_.write((command + "\n").toUtf8());
        process_.waitForBytesWritten(1000);
    }

    bool Running() const { return process_.state() == QProcess::Running; }

    // The exit status, or -1 when the process did not end in time.
    int ExitStatus(int timeoutMs = 15000) {
        if (!process_.waitForFinished(timeoutMs)) return -1;
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    template <class Match>
    QString WaitForLine(const Match& match, int timeoutMs) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            while (process_.canReadLine()) {
                const QString got = QString::fromUtf8(process_.readLine()).trimmed();
                seen_ << got;
                if (match(got)) return got;
            }
            if (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning) break;
        }
        return {};
    }

    QProcess process_;
    QElapsedTimer clock_;
    QStringList seen_;
};

TEST(EndToEnd, AboutWindowComesFirstAndGivesWayToTheMainWindowAfterItsTimer) {
    RunningApp app;
    ASSERT_GE(app.WaitFor("shown " + kAbout), 0);
    const qint64 mainShown = app.WaitFor("shown " + kMain, 20000);
    ASSERT_GE(mainShown, 0);
    EXPECT_GE(mainShown, 3900);
    EXPECT_TRUE(app.Seen("hidden " + kAbout));
    app.Send("close " + kMain);
    EXPECT_EQ(app.ExitStatus(), 0) << app.Errors();
}

TEST(EndToEnd, AKeyPressDismissesTheAboutWindowAtOnce) {
    RunningApp app;
    const qint64 aboutShown = app.WaitFor("shown " + kAbout);
    ASSERT_GE(aboutShown, 0);
    app.Send("key a");
    ASSERT_GE(app.WaitFor("hidden " + kAbout), 0);
    const qint64 mainShown = app.WaitFor("shown " + kMain);
    ASSERT_GE(mainShown, 0);
    EXPECT_LT(mainShown - aboutShown, 3000);
    app.Send("close " + kMain);
    EXPECT_EQ(app.ExitStatus(), 0) << app.Errors();
}

TEST(EndToEnd, CalculatesThroughTypingAndClicks) {
    RunningApp app;
    ASSERT_GE(app.WaitFor("shown " + kAbout), 0);
    app.Send("key Return");
    ASSERT_GE(app.WaitFor("shown " + kMain), 0);
    app.Send("type " + kMain + " preFld 0.3");
    app.Send("type " + kMain + " dtFld 50");
    app.Send("type " + kMain + " tFld 3x");  // the letter beeps and is dropped
    app.Send("click " + kMain + " CalculateBtn");
    app.Send("text " + kMain + " pppFld");
    EXPECT_GE(app.WaitFor("text pppFld 4.8"), 0);
    app.Send("close " + kMain);
    EXPECT_EQ(app.ExitStatus(), 0) << app.Errors();
}

TEST(EndToEnd, ClosingTheStartUpWindowBeforeItGivesWayEndsTheApplication) {
    RunningApp app;
    ASSERT_GE(app.WaitFor("shown " + kAbout), 0);
    app.Send("close " + kAbout);
    EXPECT_EQ(app.ExitStatus(), 0) << app.Errors();
    EXPECT_FALSE(app.Seen("shown " + kMain));
}

}  // namespace

namespace {

// Waits for the About window, dismisses it with a key and waits for the
// main window; whether it came.
bool ToTheMainWindow(RunningApp& app) {
    if (app.WaitFor("shown " + kAbout, 20000) < 0) return false;
    app.Send("key a");
    return app.WaitFor("shown " + kMain) >= 0;
}

// A real click in the middle of a control of the main window; button 3 is
// the right button.
bool Click(const XServer& x, RunningApp& app, const QString& control, const QString& button = "1") {
    app.Send("place " + kMain + " " + control);
    const QStringList place = app.WaitForStart("place " + control + " ").split(' ');
    return place.size() == 4 && x.Run("xdotool", {"mousemove", place[2], place[3], "click", button});
}

// The enabled entries of the pop-up menu, once one is open (see the probe's
// "popup"); a null text when none opened within a few seconds.
QString OpenMenu(RunningApp& app) {
    QString line;
    WaitUntil([&] {
        app.Send("popup");
        line = app.WaitForStart("popup", 1000);
        return line.startsWith("popup|");
    });
    return line.startsWith("popup|") ? line.mid(6) : QString();
}

// Whether the clipboard's owner gives `text` (but for the line breaks at
// either end), asked for up to 5 s.
bool ClipboardHolds(const XServer& x, const QByteArray& text) {
    return WaitUntil([&] { return x.Output("xclip", {"-selection", "clipboard", "-o"}).toUtf8() == text.trimmed(); });
}

// Whether a request waits unread at the process's X connection (bytes on its
// socket's receive queue): what a stopped clipboard owner has been asked.
bool RequestWaitsAt(const XServer& x, qint64 pid) {
    const QRegularExpression waiting(QString(R"(^u_str\s+\S+\s+[1-9].*pid=%1,)").arg(pid),
                                     QRegularExpression::MultilineOption);
    return WaitUntil([&] { return waiting.match(x.Output("ss", {"-x", "-p"})).hasMatch(); });
}

// Real events arrive on their own time: asks for the field's text until it is
// the one expected or a few seconds passed; gives the last text it got.
std::string SettledText(RunningApp& app, const QString& field, const QString& expected) {
    const QString start = "text " + field;
    QString got;
    WaitUntil([&] {
        app.Send("text " + kMain + " " + field);
        got = app.WaitForStart(start, 1000).mid(start.size() + 1);
        return got == expected;
    });
    return got.toStdString();
}

TEST(EndToEnd, RunsOnARealXServer) {
    XServer x;
    if (!x.Up()) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    RunningApp app("xcb");
    ASSERT_TRUE(ToTheMainWindow(app));
    app.Send("type " + kMain + " tpFld 30");
    app.Send("type " + kMain + " fpFld 10");
    app.Send("type " + kMain + " fnFld 1");
    app.Send("type " + kMain + " tnFld 1");
    ASSERT_TRUE(Click(x, app, "CalculateBtn"));
    EXPECT_EQ(SettledText(app, "pppFld", "75"), "75");
    // The click left the focus in the field: typing goes on there.
    ASSERT_TRUE(x.Run("xdotool", {"key", "2"}));
    EXPECT_EQ(SettledText(app, "tnFld", "12"), "12");
    app.Send("close " + kMain);
    EXPECT_EQ(app.ExitStatus(15000), 0) << app.Errors();
}

TEST(EndToEnd, NeitherAModifierNorADeadKeyGetsACharacterPastAFieldsRule) {
    XServer x;
    if (!x.Up()) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    // A layout with dead keys.
    ASSERT_TRUE(x.Run("setxkbmap", {"us", "-variant", "intl"}));
    RunningApp app("xcb");
    ASSERT_TRUE(ToTheMainWindow(app));
    const struct {
        const char* field;
        QStringList keys;  // each ends on a key the field takes
        const char* expected;
    } cases[] = {
        {"tpFld", {"1", "super+e", "5"}, "15"},
        {"fpFld", {"alt+e", "ISO_Level3_Shift+e", "ctrl+alt+e", "super+period", "2"}, "2"},
        {"fnFld", {"super+3", "alt+4"}, "34"},
        {"tnFld", {"dead_acute", "e", "7"}, "7"},
        {"preFld", {"dead_tilde", "space", "super+period", "5"}, ".5"},
        {"dtFld", {"4", "ctrl+a", "6"}, "6"},  // Ctrl with a letter still commands the field
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        ASSERT_TRUE(Click(x, app, c.field));
        ASSERT_TRUE(x.Run("xdotool", QStringList{"key"} + c.keys));
        EXPECT_EQ(SettledText(app, c.field, c.expected), c.expected);
    }
    app.Send("close " + kMain);
    EXPECT_EQ(app.ExitStatus(), 0) << app.Errors();
}

// Pastes with Ctrl+V and with the context menu's Paste from clipboard
// owners that behave in every way one may: the application neither crashes
// nor waits for ever, every field takes in one line, and the menu's Paste
// asks the owner only once.
TEST(EndToEnd, PastesWhateverTheClipboardOwnerDoes) {
    XServer x;
    if (!x.Up() || !Installed({"xclip", "ss"}))
        GTEST_SKIP() << "Xvfb, xdotool, xclip or ss is not installed";
    RunningApp app("xcb");
    ASSERT_TRUE(ToTheMainWindow(app));
    app.Send("type " + kMain + " tpFld 1");

    enum class Owner { None, ServesOnce, Slow, Silent, Stays };
    const struct {
        Owner owner;
        const char* clip;
        QStringList keys;
        const char* field;
        QString menu;  // when not null: the keys go to the field's context
                       // menu, which offers these entries
        QString shown;
    } steps[] = {
        {Owner::None, "", {"Return", "KP_Enter", "5"}, "tpFld", {}, "15"},
        {Owner::ServesOnce, "2", {"ctrl+v"}, "tpFld", {}, "152"},
        {Owner::Slow, "3", {"ctrl+v"}, "tpFld", {}, "1523"},
        {Owner::Silent, "4", {"ctrl+v"}, "tpFld", {}, "1523"},  // given up after Qt's wait
        {Owner::Stays, "6\n7", {"ctrl+v"}, "tpFld", {}, "15236 7"},
        // One right-click after another goes to another field: two in one
        // place within the double-click time would be a double click.
        {Owner::Stays, "\n30", {"p"}, "preFld", "Paste", " 30"},
        {Owner::ServesOnce, "\n8", {"p"}, "fnFld", "Paste", " 8"},
        {Owner::ServesOnce, "4\n2", {"p"}, "preFld", "Undo|Paste|Select All", " 304 2"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(step.field, step.keys.join(' '), step.clip).toStdString());
        QProcess owner;
        if (step.owner != Owner::None) {
            // -quiet keeps it in the foreground, where the test can stop it;
            // once it has served the test below, one request is left.
            QStringList arguments{"-selection", "clipboard", "-quiet"};
            if (step.owner == Owner::ServesOnce) arguments << "-loops" << "2";
            owner.start("xclip", arguments);
            owner.waitForStarted();
            owner.write(step.clip);
            owner.waitForBytesWritten();
            owner.closeWriteChannel();
            ASSERT_TRUE(ClipboardHolds(x, step.clip));
        }
        if (step.owner == Owner::Slow || step.owner == Owner::Silent) ::kill(owner.processId(), SIGSTOP);
        if (!step.menu.isNull()) {
            ASSERT_TRUE(Click(x, app, step.field, "3"));
            EXPECT_EQ(OpenMenu(app).toStdString(), step.menu.toStdString());
        }
        x.Run("xdotool", QStringList{"key"} + step.keys);
        // The slow owner answers only once the application waits for it.
        if (step.owner == Owner::Slow) {
            EXPECT_TRUE(RequestWaitsAt(x, owner.processId()));
            ::kill(owner.processId(), SIGCONT);
        }
        app.Send(QString("text %1 %2").arg(kMain, step.field));
        EXPECT_GE(app.WaitFor(QString("text %1 %2").arg(step.field, step.shown)), 0) << app.Errors();
        if (owner.state() != QProcess::NotRunning) {
            owner.kill();
            owner.waitForFinished(3000);
        }
    }
    app.Send("close " + kMain);
    EXPECT_EQ(app.ExitStatus(), 0) << app.Errors();
}

// The X server goes (a log-out, a crash) while a message box runs its own
// event loop: Qt's one line, and the status 1 it asks for; no crash.
TEST(EndToEnd, LosingTheXServerUnderAnOpenMessageEndsWithOneLineAndStatusOne) {
    XServer x;
    if (!x.Up()) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    RunningApp app("xcb");
    ASSERT_TRUE(ToTheMainWindow(app));
    app.Send("click " + kMain + " CalculateBtn");  // every field empty: a message
    ASSERT_TRUE(WaitUntil(
        [&] { return !x.Output("xdotool", {"search", "--onlyvisible", "--name", "^Tesmora$"}).isEmpty(); }));
    x.Kill();
    EXPECT_EQ(app.ExitStatus(), 1);
    QStringList lines = QString::fromUtf8(app.Errors()).split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return line.startsWith("QStandardPaths:"); });
    EXPECT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.value(0).contains("X11 connection broke")) << lines.join('\n').toStdString();
}

// The shipped executable carries no probe: nothing in it so much as names
// the probe's switch.
TEST(EndToEnd, TheShippedExecutableHasNoProbe) {
    QFile shipped(TESMORA_BINARY_DIR "/shell/tesmora");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_FALSE(shipped.readAll().contains("TESMORA_TEST_PROBE"));
}

// The probe is on for "1" alone, and never reads a terminal: a program in
// the background of a shell would be stopped for it.
TEST(EndToEnd, ProbeStaysOffForOtherValuesAndReadsNoTerminal) {
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    RunningApp fromTerminal("offscreen", "1", ptsname(terminal));
    std::vector<std::unique_ptr<RunningApp>> off;
    for (const QString value : {"0", "off", "true", " 1"})
        off.push_back(std::make_unique<RunningApp>("offscreen", value));
    ASSERT_GE(fromTerminal.WaitFor("shown " + kAbout), 0);
    const QByteArray command = ("close " + kAbout + "\n").toUtf8();
    ASSERT_EQ(write(terminal, command.constData(), command.size()), command.size());
    for (auto& app : off) app->Send("close " + kAbout);
    EXPECT_LT(fromTerminal.WaitFor("closed " + kAbout, 1500), 0);
    EXPECT_TRUE(fromTerminal.Running());
    for (auto& app : off) {
        EXPECT_LT(app->WaitFor("shown " + kAbout, 100), 0);
        EXPECT_TRUE(app->Running());
    }
    close(terminal);
}

// The peak memory of a process so far, in KiB.
long PeakMemory(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// "tesmora_probed | head -1": the reader goes after the first line, and the
// next report must not end the program. A line without end is not kept whole.
TEST(EndToEnd, ProbeOutlivesItsReaderAndBoundsItsLines) {
    QProcess app, head;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TESMORA_TEST_PROBE", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    app.setProcessEnvironment(env);
    app.setStandardOutputProcess(&head);
    head.start("head", {"-1"});
    app.start(kProbed, {});
    ASSERT_TRUE(head.waitForFinished(15000));
    EXPECT_EQ(head.readAllStandardOutput().trimmed(), ("shown " + kAbout).toUtf8());
    const long before = PeakMemory(app.processId());
    app.write(QByteArray(16 << 20, 'x'));
    // Once all is written, the application has read all but what the pipe
    // holds (64 KiB): a line kept whole would already weigh some 16 MiB.
    while (app.bytesToWrite() > 0 && app.waitForBytesWritten(5000)) {
    }
    ASSERT_EQ(app.bytesToWrite(), 0);
    EXPECT_LT(PeakMemory(app.processId()) - before, 8 << 10) << "KiB";
    app.write(("\nclose " + kAbout + "\n").toUtf8());  // reported to no one
    ASSERT_TRUE(app.waitForFinished(15000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
}

}  // namespace
