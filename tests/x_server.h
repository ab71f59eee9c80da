// A virtual X server of a test's own, for what only a real display shows:
// real key and mouse events (xdotool), the clipboard (xclip), the titles and
// window states the window system receives (xprop), and, with a window
// manager, minimising and activating windows as a task bar does. While it
// runs, DISPLAY names it, so the application and every X tool the test
// starts meet on it.
#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

#include <initializer_list>

inline bool Installed(std::initializer_list<const char*> programs) {
    for (const char* program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty()) return false;
    return true;
}

// Waits, asking every 50 ms, until the condition holds; whether it did in time.
template <class Condition>
bool WaitUntil(const Condition& holds, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!holds()) {
        if (clock.elapsed() > timeoutMs) return false;
        QThread::msleep(50);
    }
    return true;
}

class XServer {
public:
    explicit XServer(const QString& screen = "1024x768") {
        if (!Installed({"Xvfb", "xdotool"})) return;
        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen + "x24", "-nolisten", "tcp"});
        if (server_.waitForReadyRead(10000)) display_ = ":" + QString::fromUtf8(server_.readLine()).trimmed();
        if (Up()) qputenv("DISPLAY", display_.toUtf8());
    }
    ~XServer() {
        windowManager_.kill();
        windowManager_.waitForFinished(3000);
        Kill();
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool Up() const { return display_.size() > 1; }

    // Starts a window manager (openbox), which minimising and the window
    // states need; true once it manages the screen.
    bool StartWindowManager() {
        if (!Up() || !Installed({"openbox", "xprop"})) return false;
        windowManager_.start("openbox", {});
        return WaitUntil([&] { return Output("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); },
                         10000);
    }

    // Ends the server at once, as a crash or a log-out does.
    void Kill() {
        server_.kill();
        server_.waitForFinished(3000);
    }

    // Runs an X tool to its end; true when it succeeded.
    bool Run(const QString& program, const QStringList& arguments) const {
        QProcess tool;
        tool.start(program, arguments);
        return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    }
    // Runs an X tool to its end; what it printed.
    QString Output(const QString& program, const QStringList& arguments) const {
        QProcess tool;
        tool.start(program, arguments);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

private:
    QProcess server_, windowManager_;
    QString display_;
};
