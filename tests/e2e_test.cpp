// End-to-end: the real executable, watched and driven through its test probe
// (see framework/test_probe.h), on the offscreen platform and once on a
// virtual X server with the real X11 platform plugin.
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

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

}  // namespace
