#include "framework/application.h"

#include "framework/canvas.h"
#include "framework/label.h"
#include "framework/menu.h"
#include "framework/platform.h"
#include "framework/push_button.h"
#include "framework/qt_conversions.h"
#include "framework/rectangle.h"
#include "framework/text_area.h"
#include "framework/text_field.h"
#include "framework/timer.h"
#include "framework/window.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <filesystem>
#include <optional>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace fw {

namespace {

struct RuntimeState {
    std::shared_ptr<Application> app;
    std::unique_ptr<QApplication> qtApp;  // only when the runtime made it
    ExceptionHelper exceptionHelper = nullptr;
    double version = 0;
    bool inEventLoop = false;
    std::optional<int> quitCode;
    bool unhandled = false;  // an exception was reported
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

// A type's name as the source spells it ("std::bad_alloc").
std::string TypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                 std::free);
    return status == 0 && name ? name.get() : type.name();
}

std::string ClassNameOf(const std::exception& error) {
    if (auto* e = dynamic_cast<const RuntimeException*>(&error)) return e->ClassName();
    return TypeName(typeid(error));
}

// The one report of an exception that nothing caught.
void Report(const std::string& type, const std::string& message) {
    auto& state = State();
    state.unhandled = true;
    std::fprintf(stderr, "Unhandled %s: %s\n", type.c_str(), message.c_str());
    std::fflush(stderr);
    if (state.inEventLoop)
        CurrentPlatform().ShowMessage(Platform::MessageKind::Error, "An unexpected error ended the application.",
                                      type + ": " + message);
    Quit(1);
}

// Qt ends the process when no platform plugin can be started, blaming the
// installation. While the Qt application is made, its messages are held
// back: a fatal one gives way to one line that says what is wrong, and the
// status 1; the others go out as usual once the application stands.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

struct MessageHold {
    QtMessageHandler previous = nullptr;
    std::vector<HeldMessage> held;
    std::string name, command;  // the program's name, and how it was started
};

MessageHold& Hold() {
    static MessageHold hold;
    return hold;
}

// The X11 plugin says first that it could not reach the display; any other
// failure is the platform's own (a plugin that does not exist, or one that
// cannot be loaded).
bool NoDisplay(const std::vector<HeldMessage>& held) {
    return std::any_of(held.begin(), held.end(), [](const HeldMessage& m) {
        return m.category == "qt.qpa.xcb" && m.text.startsWith(QLatin1String("could not connect to display"));
    });
}

// Qt's reason in one line: what its platform messages said about the plugin
// asked for, and which plugins there are; not its advice to reinstall.
QString PlatformFailure(const std::vector<HeldMessage>& held, const QString& fatal) {
    QStringList reasons;
    for (const HeldMessage& m : held)
        if (m.category.startsWith("qt.qpa")) reasons << m.text.simplified();
    const qsizetype available = fatal.indexOf(QLatin1String("Available platform plugins"));
    reasons << (available >= 0 ? fatal.mid(available) : fatal).simplified();
    return reasons.join(QLatin1String("; "));
}

// Says on one line, after the program's name, why it could not start, and
// ends the process with status 1.
[[noreturn]] void FailToStart(const QString& why) {
    std::fprintf(stderr, "%s: %s\n", Hold().name.c_str(), why.toUtf8().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    MessageHold& hold = Hold();
    if (type == QtFatalMsg) {
        if (NoDisplay(hold.held))
            FailToStart(QStringLiteral("no display could be opened; run it in a desktop session, or without one "
                                       "under a virtual display: xvfb-run -a ") +
                        QString::fromStdString(hold.command));
        FailToStart(QStringLiteral("the platform plugin could not be started: ") + PlatformFailure(hold.held, text));
    }
    hold.held.push_back({type, context.file, context.function, context.category, context.line, text});
}

void ReleaseMessages() {
    MessageHold& hold = Hold();
    qInstallMessageHandler(hold.previous);
    for (const HeldMessage& m : std::exchange(hold.held, {})) {
        // A message without a category must not come out with an empty one.
        const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(),
                                         m.category.isNull() ? nullptr : m.category.constData());
        if (hold.previous) hold.previous(m.type, context, m.text);
        else std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(m.type, context, m.text)));
    }
}

// How the program was started: its argv[0], or where start-up gave none,
// the executable's path.
std::string CommandOf(int argc, char** argv) {
    if (argc > 0 && argv[0] && *argv[0]) return argv[0];
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

}  // namespace

const ClassRecord& Application::Class() {
    static const ClassRecord& record = RuntimeRegisterClass({.name = "Application"});
    return record;
}

void Application::SetSupportsHiDPI(bool on) {
    CheckUIThread();
    // Qt 6 scales for high-resolution screens by itself; switching support
    // off keeps one device pixel per point.
    if (!on) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

void Application::_x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                                    std::int64_t nonRelease, std::int64_t stageCode,
                                    const String& longVersion, const String& shortVersion,
                                    const String& packageInfo) {
    State& state = *state_;
    state.major = major;
    state.minor = minor;
    state.bug = bug;
    state.nonRelease = nonRelease;
    state.stageCode = stageCode;
    state.longVersion = longVersion;
    state.shortVersion = shortVersion;
    state.packageInfo = packageInfo;
    // Only the name, not a display name: Qt would append a display name to
    // every window title, and the titles are the layout data's. The name
    // still stands in for an empty title and heads message boxes.
    if (qApp) {
        QCoreApplication::setApplicationName(ToQString(packageInfo));
        QCoreApplication::setApplicationVersion(ToQString(shortVersion));
    }
}

void Application::SetMenuBar(std::shared_ptr<fw::MenuBar> menuBar) { state_->menuBar = std::move(menuBar); }

void Application::AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    state_->menuHandlers[itemName] = std::move(handler);
}

const std::function<bool()>* Application::MenuHandler(std::string_view itemName) const {
    const auto& handlers = state_->menuHandlers;
    auto it = handlers.find(itemName);
    return it == handlers.end() ? nullptr : &it->second;
}

void Application::RaiseEvent(std::string_view event) {
    CheckUIThread();
    if (const EventBinding* binding = Record().FindEvent(event))
        if (auto* handler = std::get_if<std::function<void(Object&)>>(&binding->handler)) (*handler)(*this);
}

std::shared_ptr<Application> GetAppObject() { return State().app; }

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) { State().app = std::move(app); }

void Quit(int code) {
    auto& state = State();
    if (!state.quitCode) state.quitCode = code;
    if (state.inEventLoop) QCoreApplication::exit(*state.quitCode);
}

void RuntimeInit(int& argc, char** argv) {
    if (QApplication::instance()) return;
    // The application takes no arguments; Qt's own (such as -platform) are
    // still honoured.
    Hold().command = CommandOf(argc, argv);
    Hold().name = Hold().command.substr(Hold().command.rfind('/') + 1);
    Hold().previous = qInstallMessageHandler(HoldMessage);
    State().qtApp = std::make_unique<QApplication>(argc, argv);
    ReleaseMessages();
    // A plugin may start without a screen (the framebuffer one where there
    // is no framebuffer); Qt would crash placing the first window. Its
    // reason went out just before.
    if (!QGuiApplication::primaryScreen())
        FailToStart(QStringLiteral("the platform plugin \"%1\" found no screen to show windows on")
                        .arg(QGuiApplication::platformName()));
    // The framework, not Qt, decides when the last window's closing ends
    // the application (see Window::Close).
    QApplication::setQuitOnLastWindowClosed(false);
}

void RuntimePerformInitializers(std::span<const ModuleInitializer> initializers) {
    // Without RuntimeInit first, Qt is started with the executable's path
    // as the program's name.
    if (!QApplication::instance()) {
        static std::string command = CommandOf(0, nullptr);
        static int argc = 1;
        static char* argv[] = {command.data(), nullptr};
        RuntimeInit(argc, argv);
    }
    // The framework's own class records come first, so that from here on
    // each is known by name, also one that no window uses.
    static const ClassRecord& (*const kFrameworkClasses[])() = {
        Application::Class, Window::Class, Control::Class, RectControl::Class, FontControl::Class,
        TextControl::Class, TextEdit::Class, TextArea::Class, TextField::Class, Label::Class,
        PushButton::Class, Canvas::Class, Rectangle::Class, Timer::Class, MenuItem::Class,
        QuitMenuItem::Class, AppleMenuItem::Class, MenuBar::Class,
    };
    for (auto record : kFrameworkClasses) record();
    for (ModuleInitializer init : initializers) init();
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) { State().exceptionHelper = helper; }
ExceptionHelper RuntimeExceptionHelper() { return State().exceptionHelper; }

std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
    try {
        function(argument);
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

void RuntimeSetVersion(double version) { State().version = version; }
double RuntimeVersion() { return State().version; }

void RuntimeInitExternalClasses() {
    static const char* const kExternal[] = {
        "FunctionNotFoundException", "IllegalCastException", "NilObjectException",
        "OutOfBoundsException",      "StackOverflowException", "TypeMismatchException",
        "UnsupportedFormatException", "MessageDialog",         "WeakRef",
    };
    for (const char* name : kExternal)
        if (!RuntimeFindClass(name)) RuntimeRegisterClass({.name = name});
}

void InitPluginEntrypoints() {
    // The framework takes no plug-ins: there is nothing to load.
}

void RunFrameworkInitialization(std::function<void()> lateStartup) {
    QTimer::singleShot(0, qApp, [lateStartup = std::move(lateStartup)] { RunHandler(lateStartup); });
}

// Qt's X11 plugin ends the process with exit(1) from inside the event loop
// when the connection to the X server breaks. The exit handlers would then
// destroy the windows and the Qt application under the running loop (a
// message box's included) and crash. exit() destroys the calling thread's
// objects before any static one and before any exit handler runs, so this
// one, of the loop's thread, ends the process at once with Qt's status.
namespace {
struct EndAtOnceOnExitFromTheLoop {
    ~EndAtOnceOnExitFromTheLoop() {
        if (!State().inEventLoop) return;
        std::fflush(nullptr);
        std::_Exit(1);
    }
};
}  // namespace

int RuntimeRun() {
    auto& state = State();
    if (state.quitCode) return *state.quitCode;
    thread_local EndAtOnceOnExitFromTheLoop endAtOnce;
    state.inEventLoop = true;
    // Also when an exception unwinds out of the loop.
    struct LoopEnd {
        ~LoopEnd() { State().inEventLoop = false; }
    } loopEnd;
    int code = QApplication::exec();
    if (!state.quitCode) state.quitCode = code;
    return *state.quitCode;
}

void RuntimePerformFinalizers() {
    // Windows and controls go before the Qt application that their widgets
    // need.
    RuntimeReleaseWindows();
    State().app.reset();
}

int RuntimeExit() {
    auto& state = State();
    int status = state.unhandled ? 1 : state.quitCode.value_or(0);
    state.qtApp.reset();
    return status;
}

void UnhandledException(const std::exception& error) { Report(ClassNameOf(error), error.what()); }

void UnhandledException(std::exception_ptr error) {
    if (!error) return;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        UnhandledException(e);
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        Report(type ? TypeName(*type) : "exception", "(an exception of a type that carries no message)");
    }
}

void RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

}  // namespace fw
