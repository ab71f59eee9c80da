#include "framework/test_probe.h"

#include "framework/text_edit.h"
#include "framework/qt_bridge.h"
#include "framework/window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fw {

namespace {

bool g_enabled = false;

void Say(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::shared_ptr<Window> WindowOf(const QString& className) {
    return GetImplicitWindow(className.toStdString());
}

RectControl* ControlOf(const QString& className, const QString& name) {
    auto window = WindowOf(className);
    return window ? dynamic_cast<RectControl*>(window->ControlByName(name.toStdString())) : nullptr;
}

// Where a key goes: the focused widget, else the active window, else (the
// window system may not have activated a window yet) the window built last
// of those on screen.
QWidget* KeyTarget() {
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    if (auto front = FrontmostWindow()) return front->Impl().frame.get();
    auto live = LiveWindows();
    for (auto it = live.rbegin(); it != live.rend(); ++it)
        if ((*it)->IsVisible()) return (*it)->Impl().frame.get();
    return nullptr;
}

int KeyCode(const QString& key) {
    if (key == "Return") return Qt::Key_Return;
    if (key == "Tab") return Qt::Key_Tab;
    if (key == "Escape") return Qt::Key_Escape;
    if (key == "Backspace") return Qt::Key_Backspace;
    return key.isEmpty() ? 0 : key.at(0).toUpper().unicode();
}

void SendKey(QWidget* target, const QString& key) {
    if (!target) return;
    const int code = KeyCode(key);
    const QString text = key.size() == 1 ? key : (code == Qt::Key_Return ? "\r" : code == Qt::Key_Tab ? "\t" : "");
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

void Click(QWidget* target) {
    if (!target) return;
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    const QPointF global = target->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// One command line: "key K", "click CLASS CONTROL", "type CLASS CONTROL TEXT",
// "text CLASS CONTROL", "place CLASS CONTROL", "close CLASS".
void Run(const QString& line) {
    const QStringList words = line.split(' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) return;
    const QString& command = words[0];
    if (command == "key" && words.size() >= 2) {
        SendKey(KeyTarget(), words[1]);
    } else if (command == "click" && words.size() >= 3) {
        RectControl* control = ControlOf(words[1], words[2]);
        Click(control ? control->Widget() : nullptr);
    } else if (command == "type" && words.size() >= 4) {
        if (RectControl* control = ControlOf(words[1], words[2])) {
            control->Widget()->setFocus();
            for (QChar c : words.mid(3).join(' ')) SendKey(control->Widget(), QString(c));
        }
    } else if (command == "text" && words.size() >= 3) {
        auto* edit = dynamic_cast<TextEdit*>(ControlOf(words[1], words[2]));
        Say(QString("text %1 %2").arg(words[2], edit ? ToQString(edit->Text()) : QString("(none)")));
    } else if (command == "place" && words.size() >= 3) {
        RectControl* control = ControlOf(words[1], words[2]);
        const QPoint at = control ? control->Widget()->mapToGlobal(control->Widget()->rect().center()) : QPoint(-1, -1);
        Say(QString("place %1 %2 %3").arg(words[2]).arg(at.x()).arg(at.y()));
    } else if (command == "close" && words.size() >= 2) {
        if (auto window = WindowOf(words[1])) window->Impl().frame->close();
    }
}

}  // namespace

void InstallTestProbe() {
    const char* flag = std::getenv("TESMORA_TEST_PROBE");
    g_enabled = flag && *flag && std::string(flag) != "0";
    if (!g_enabled || !qApp) return;
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier] {
        static QString pending;
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            notifier->setEnabled(false);
            return;
        }
        pending += QString::fromUtf8(buffer, int(n));
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QString line = pending.left(end).trimmed();
            pending.remove(0, end + 1);
            Run(line);
        }
    });
}

void ProbeReport(const char* what, const Window& window) {
    if (g_enabled) Say(QString("%1 %2").arg(what, ToQString(window.Record().name)));
}

}  // namespace fw
