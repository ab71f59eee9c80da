// The probe through which the end-to-end tests and the start-up benchmark
// watch and drive the application. It is linked into tesmora_probed only,
// next to the application's own main; the shipped tesmora has no probe.
//
// It is on only when the environment variable TESMORA_TEST_PROBE is "1".
// Then it prints a line to standard output whenever a window comes on
// screen, leaves it, or is closed while on screen ("shown AboutWnd.AboutWnd",
// "hidden ...", "closed ..."), and runs commands read line by line from
// standard input inside the event loop:
//   key K                       a key press (a character, or Return, Tab,
//                               Escape, Backspace) to the focused control
//                               or, with none, the active window
//   click CLASS CONTROL         a mouse click in the middle of a control
//   type CLASS CONTROL TEXT     focus a field and type each character
//   text CLASS CONTROL          prints "text CONTROL VALUE"
//   place CLASS CONTROL         prints "place CONTROL X Y", the control's
//                               middle in screen coordinates
//   close CLASS                 closes the window as its close button does
//   popup                       prints "popup" and the enabled entries of
//                               the open pop-up menu, without mnemonics or
//                               shortcuts, each after a "|"; "popup" alone
//                               when none is open
// CLASS is a window's full class name ("ControlWnd.ControlWnd").
//
// Standard input is read only when it is not a terminal (a program in the
// background of a shell would be stopped for reading it), only as much as
// is there (the event loop never waits for it), and a line longer than
// kMaxLine bytes is dropped whole. A closed standard output ends the
// reports, not the program.
#include "framework/qt_conversions.h"
#include "framework/text_edit.h"
#include "framework/window.h"
#include "framework/window_impl.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr qsizetype kMaxLine = 4096;

bool g_reporting = true;

void Say(const QString& line) {
    if (!g_reporting) return;
    const QByteArray bytes = (line + '\n').toUtf8();
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
                         std::size_t(bytes.size());
    if (!written || std::fflush(stdout) != 0) g_reporting = false;
}

std::shared_ptr<fw::Window> WindowOf(const QString& className) {
    return fw::GetImplicitWindow(className.toStdString());
}

std::shared_ptr<fw::Window> WindowOfFrame(const QObject* frame) {
    for (const auto& window : fw::LiveWindows())
        if (window->Impl().frame.get() == frame) return window;
    return nullptr;
}

fw::RectControl* ControlOf(const QString& className, const QString& name) {
    auto window = WindowOf(className);
    return window ? fw::As<fw::RectControl>(window->ControlByName(name.toStdString())) : nullptr;
}

// Where a key goes: the focused widget, else the active window, else (the
// window system may not have activated a window yet) the window built last
// of those on screen.
QWidget* KeyTarget() {
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    if (auto front = fw::FrontmostWindow()) return front->Impl().frame.get();
    auto live = fw::LiveWindows();
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

void Run(const QString& line) {
    const QStringList words = line.split(' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) return;
    const QString& command = words[0];
    if (command == "key" && words.size() >= 2) {
        SendKey(KeyTarget(), words[1]);
    } else if (command == "click" && words.size() >= 3) {
        fw::RectControl* control = ControlOf(words[1], words[2]);
        Click(control ? control->Widget() : nullptr);
    } else if (command == "type" && words.size() >= 4) {
        if (fw::RectControl* control = ControlOf(words[1], words[2])) {
            control->Widget()->setFocus();
            for (QChar c : words.mid(3).join(' ')) SendKey(control->Widget(), QString(c));
        }
    } else if (command == "text" && words.size() >= 3) {
        auto* edit = fw::As<fw::TextEdit>(ControlOf(words[1], words[2]));
        Say(QString("text %1 %2").arg(words[2], edit ? fw::ToQString(edit->Text()) : QString("(none)")));
    } else if (command == "place" && words.size() >= 3) {
        fw::RectControl* control = ControlOf(words[1], words[2]);
        const QPoint at = control ? control->Widget()->mapToGlobal(control->Widget()->rect().center()) : QPoint(-1, -1);
        Say(QString("place %1 %2 %3").arg(words[2]).arg(at.x()).arg(at.y()));
    } else if (command == "popup") {
        QString line = "popup";
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            for (const QAction* action : menu->actions())
                if (!action->isSeparator() && action->isEnabled()) line += '|' + action->text().section('\t', 0, 0).remove('&');
        Say(line);
    } else if (command == "close" && words.size() >= 2) {
        if (auto window = WindowOf(words[1])) window->Impl().frame->close();
    }
}

// Reports windows coming on screen and leaving it. Qt sends ShowToParent
// and HideToParent once show() and hide() have done their work; a frame is
// reported once per change, and one that left the live windows has closed.
class WindowWatcher final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::ShowToParent) {
            if (shown_.contains(object)) return false;
            if (auto window = WindowOfFrame(object)) {
                const QString name = fw::ToQString(window->Record().name);
                shown_.insert(object, name);
                Say("shown " + name);
            }
        } else if (event->type() == QEvent::HideToParent) {
            auto it = shown_.find(object);
            if (it == shown_.end()) return false;
            const QString name = it.value();
            shown_.erase(it);
            Say((WindowOfFrame(object) ? "hidden " : "closed ") + name);
        }
        return false;
    }

private:
    QHash<const QObject*, QString> shown_;
};

// Commands from standard input. A command may open a modal dialog whose
// own event loop reads the next commands; they run in order all the same,
// since every reading takes its lines off one queue.
class CommandReader final : public QObject {
public:
    explicit CommandReader(QObject* parent) : QObject(parent) {
        notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &CommandReader::ReadAvailable);
    }

private:
    void ReadAvailable() {
        pollfd ready{STDIN_FILENO, POLLIN, 0};
        if (::poll(&ready, 1, 0) <= 0) return;  // nothing there after all: never wait
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
        if (n <= 0) {
            notifier_->setEnabled(false);  // end of input
            return;
        }
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] == '\n') {
                if (!overlong_) lines_.push_back(QString::fromUtf8(pending_).trimmed());
                pending_.clear();
                overlong_ = false;
            } else if (pending_.size() < kMaxLine) {
                pending_ += buffer[i];
            } else {
                overlong_ = true;
            }
        }
        while (!lines_.empty()) {
            const QString line = lines_.front();
            lines_.pop_front();
            Run(line);
        }
    }

    QSocketNotifier* notifier_ = nullptr;
    QByteArray pending_;
    bool overlong_ = false;
    std::deque<QString> lines_;
};

bool StandardInputReadable() {
    return ::fcntl(STDIN_FILENO, F_GETFL) != -1 && !::isatty(STDIN_FILENO);
}

// Runs as the Qt application object is made, before start-up goes on.
void InstallProbe() {
    const char* flag = std::getenv("TESMORA_TEST_PROBE");
    if (!flag || std::strcmp(flag, "1") != 0) return;
    // A reader that went away must not end the program with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    qApp->installEventFilter(new WindowWatcher(qApp));
    if (StandardInputReadable())
        QTimer::singleShot(0, qApp, [] { new CommandReader(qApp); });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
