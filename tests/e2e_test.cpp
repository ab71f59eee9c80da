// End-to-end: the application, watched and driven through its probe (see
// tests/probe/probe.cpp), on the offscreen platform and once on a virtual X
// server with the real X11 platform plugin.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

const QString kAbout = "AboutWnd.AboutWnd";
const QString kMain = "ControlWnd.ControlWnd";
const QString kProbed = TESMORA_BINARY_DIR "/tests/tesmora_probed";

class RunningApp {
public:
    explicit RunningApp(const QString& platform = "offscreen", const QString& wrapper = {},
                        const QString& probe = "1", const QString& input = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TESMORA_TEST_PROBE", probe);
        env.insert("QT_QPA_PLATFORM", platform);
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        if (!input.isEmpty()) process_.setStandardInputFile(input);
        const QString app = kProbed;
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

    bool Running() const { return process_.state() == QProcess::Running; }

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
    RunningApp fromTerminal("offscreen", {}, "1", ptsname(terminal));
    std::vector<std::unique_ptr<RunningApp>> off;
    for (const QString value : {"0", "off", "true", " 1"})
        off.push_back(std::make_unique<RunningApp>("offscreen", QString(), value));
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
    while (app.bytesToWrite() > 0 && app.waitForBytesWritten(5000)) {
    }
    QThread::msleep(300);
    EXPECT_LT(PeakMemory(app.processId()) - before, 8 << 10) << "KiB";
    app.write(("\nclose " + kAbout + "\n").toUtf8());  // reported to no one
    ASSERT_TRUE(app.waitForFinished(15000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
}

}  // namespace
