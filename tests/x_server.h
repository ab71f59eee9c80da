// A virtual X server of a test's own, for what only a real display shows:
// real key and mouse events (xdotool), the clipboard (xclip), the titles the
// window system receives (xprop). While it runs, DISPLAY names it, so the
// application and every X tool the test starts meet on it.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <initializer_list>

inline bool Installed(std::initializer_list<const char*> programs) {
    for (const char* program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty()) return false;
    return true;
}

class XServer {
public:
    XServer() {
        if (!Installed({"Xvfb", "xdotool"})) return;
        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (server_.waitForReadyRead(10000)) display_ = ":" + QString::fromUtf8(server_.readLine()).trimmed();
        if (Up()) qputenv("DISPLAY", display_.toUtf8());
    }
    ~XServer() {
        server_.kill();
        server_.waitForFinished(3000);
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool Up() const { return display_.size() > 1; }

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
    QProcess server_;
    QString display_;
};
