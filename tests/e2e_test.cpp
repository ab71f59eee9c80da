// End-to-end: the real executable, watched and driven through its test probe
// (see framework/test_probe.h), on the offscreen platform and on virtual X
// servers with the real X11 platform plugin.
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <signal.h>

namespace {

const QString kAbout = "AboutWnd.AboutWnd";
const QString kMain = "ControlWnd.ControlWnd";

class RunningApp {
public:
    explicit RunningApp(const QString& platform = "offscreen", const QString& wrapper = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TESMORA_TEST_PROBE", "1");
        env.insert("QT_QPA_PLATFORM", platform);
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        const QString app = TESMORA_BINARY_DIR "/shell/tesmora";
        if (wrapper.isEmpty()) process_.start(app, {});
        else process_.start(wrapper, {"-a", app});
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
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            while (process_.canReadLine()) {
                const QString got = QString::fromUtf8(process_.readLine()).trimmed();
                seen_ << got;
                if (got == line) return clock_.elapsed();
            }
            if (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning) break;
        }
        return -1;
    }
    bool Seen(const QString& line) const { return seen_.contains(line); }
    // What the process wrote to standard error, for failure messages.
    std::string Errors() { return process_.readAllStandardError().toStdString(); }

    void Send(const QString& command) {
        process_.write((command + "\n").toUtf8());
        process_.waitForBytesWritten(1000);
    }

    // The exit status, or -1 when the process did not end in time.
    int ExitStatus(int timeoutMs = 15000) {
        if (!process_.waitForFinished(timeoutMs)) return -1;
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
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

TEST(EndToEnd, RunsOnARealXServer) {
    const QString xvfb = QStandardPaths::findExecutable("xvfb-run");
    if (xvfb.isEmpty()) GTEST_SKIP() << "xvfb-run is not installed";
    RunningApp app("xcb", xvfb);
    ASSERT_GE(app.WaitFor("shown " + kAbout, 20000), 0);
    app.Send("key a");
    ASSERT_GE(app.WaitFor("shown " + kMain), 0);
    app.Send("type " + kMain + " tpFld 30");
    app.Send("type " + kMain + " fpFld 10");
    app.Send("type " + kMain + " fnFld 1");
    app.Send("type " + kMain + " tnFld 1");
    app.Send("click " + kMain + " CalculateBtn");
    app.Send("text " + kMain + " pppFld");
    EXPECT_GE(app.WaitFor("text pppFld 75"), 0);
    app.Send("close " + kMain);
    EXPECT_EQ(app.ExitStatus(15000), 0) << app.Errors();
}

// A virtual X server of the test's own, on which the application, a
// clipboard owner and the keys sent meet.
class XServer {
public:
    XServer() {
        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (server_.waitForReadyRead(10000)) display_ = ":" + QString::fromUtf8(server_.readLine()).trimmed();
    }
    ~XServer() {
        server_.kill();
        server_.waitForFinished(3000);
    }
    const QString& Display() const { return display_; }
    // Whether the clipboard's owner gives `text`, asked for up to 5 s.
    bool ClipboardHolds(const QByteArray& text) const {
        for (int tries = 0; tries < 50; ++tries) {
            QProcess reader;
            Start(reader, "xclip", {"-selection", "clipboard", "-o"});
            if (reader.waitForFinished(5000) && reader.readAllStandardOutput() == text) return true;
            QThread::msleep(100);
        }
        return false;
    }
    void Start(QProcess& client, const QString& program, const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        client.setProcessEnvironment(env);
        client.start(program, arguments);
    }

private:
    QProcess server_;
    QString display_;
};

// Pastes with Ctrl+V from clipboard owners that behave in every way one
// may: the application neither crashes nor waits for ever, and a count
// field takes in one line.
TEST(EndToEnd, PastesWhateverTheClipboardOwnerDoes) {
    for (const char* tool : {"Xvfb", "xclip", "xdotool"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " is not installed";
    XServer x;
    ASSERT_FALSE(x.Display().isEmpty());
    qputenv("DISPLAY", x.Display().toUtf8());
    RunningApp app("xcb");
    ASSERT_GE(app.WaitFor("shown " + kAbout, 20000), 0);
    app.Send("key a");
    ASSERT_GE(app.WaitFor("shown " + kMain), 0);
    app.Send("type " + kMain + " tpFld 1");

    enum class Owner { None, ServesOnce, Slow, Silent, Stays };
    const struct {
        Owner owner;
        const char* clip;
        QStringList keys;
        QString shown;
    } steps[] = {
        {Owner::None, "", {"Return", "KP_Enter", "5"}, "15"},
        {Owner::ServesOnce, "2", {"ctrl+v"}, "152"},
        {Owner::Slow, "3", {"ctrl+v"}, "1523"},
        {Owner::Silent, "4", {"ctrl+v"}, "1523"},  // given up after Qt's wait
        {Owner::Stays, "6\n7", {"ctrl+v"}, "15236 7"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys.join(' ').toStdString() + " " + step.clip);
        QProcess owner;
        if (step.owner != Owner::None) {
            // -quiet keeps it in the foreground, where the test can stop it;
            // once it has served the test below, one request is left.
            QStringList arguments{"-selection", "clipboard", "-quiet"};
            if (step.owner == Owner::ServesOnce) arguments << "-loops" << "2";
            x.Start(owner, "xclip", arguments);
            owner.waitForStarted();
            owner.write(step.clip);
            owner.waitForBytesWritten();
            owner.closeWriteChannel();
            ASSERT_TRUE(x.ClipboardHolds(step.clip));
        }
        if (step.owner == Owner::Slow || step.owner == Owner::Silent) ::kill(owner.processId(), SIGSTOP);
        QProcess keys;
        x.Start(keys, "xdotool", QStringList{"key"} + step.keys);
        keys.waitForFinished(5000);
        if (step.owner == Owner::Slow) {
            QThread::msleep(1000);
            ::kill(owner.processId(), SIGCONT);
        }
        app.Send("text " + kMain + " tpFld");
        EXPECT_GE(app.WaitFor("text tpFld " + step.shown), 0) << app.Errors();
        if (owner.state() != QProcess::NotRunning) {
            owner.kill();
            owner.waitForFinished(3000);
        }
    }
    app.Send("close " + kMain);
    EXPECT_EQ(app.ExitStatus(), 0) << app.Errors();
}

}  // namespace
