#include "framework/application.h"

#include "framework/window.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace fw {

namespace {

struct RuntimeState {
    std::shared_ptr<Application> app;
    std::unique_ptr<QApplication> qtApp;  // only when the runtime made it
    ExceptionHelper exceptionHelper = nullptr;
    double version = 0;
    bool inEventLoop = false;
    std::optional<int> quitCode;
    int unhandled = 0;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

const char* ClassNameOf(const std::exception& error) {
    if (auto* e = dynamic_cast<const RuntimeException*>(&error)) return e->ClassName();
    return "RuntimeException";
}

int g_argc = 1;
char g_name[] = "tesmora";
char* g_argv[] = {g_name, nullptr};

}  // namespace

const ClassRecord& Application::Class() {
    static const ClassRecord& record = RuntimeRegisterClass({.name = "Application"});
    return record;
}

void Application::SetSupportsHiDPI(bool on) {
    // Qt 6 scales for high-resolution screens by itself; switching support
    // off keeps one device pixel per point.
    if (!on) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

void Application::_x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                                    std::int64_t nonRelease, std::int64_t stageCode,
                                    const String& longVersion, const String& shortVersion,
                                    const String& packageInfo) {
    major_ = major;
    minor_ = minor;
    bug_ = bug;
    nonRelease_ = nonRelease;
    stageCode_ = stageCode;
    longVersion_ = longVersion;
    shortVersion_ = shortVersion;
    packageInfo_ = packageInfo;
    if (qApp) {
        QCoreApplication::setApplicationName(QString::fromStdString(packageInfo));
        QCoreApplication::setApplicationVersion(QString::fromStdString(shortVersion));
        QGuiApplication::setApplicationDisplayName(QString::fromStdString(packageInfo));
    }
}

void Application::SetMenuBar(std::shared_ptr<fw::MenuBar> menuBar) { menuBar_ = std::move(menuBar); }

void Application::AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    CheckUIThread();
    menuHandlers_[itemName] = std::move(handler);
}

const std::function<bool()>* Application::MenuHandler(std::string_view itemName) const {
    auto it = menuHandlers_.find(itemName);
    return it == menuHandlers_.end() ? nullptr : &it->second;
}

void Application::RaiseEvent(std::string_view event) {
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

bool QuitRequested() { return State().quitCode.has_value(); }
int QuitCode() { return State().quitCode.value_or(0); }

void RuntimeInit(int& argc, char** argv) {
    if (QApplication::instance()) return;
    // The application takes no arguments; Qt's own (such as -platform) are
    // still honoured.
    State().qtApp = std::make_unique<QApplication>(argc, argv);
    // The framework, not Qt, decides when the last window's closing ends
    // the application (see Window::Close).
    QApplication::setQuitOnLastWindowClosed(false);
}

void RuntimePerformInitializers(std::span<const ModuleInitializer> initializers) {
    if (!QApplication::instance()) RuntimeInit(g_argc, g_argv);
    for (ModuleInitializer init : initializers) init();
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) { State().exceptionHelper = helper; }
ExceptionHelper RuntimeExceptionHelper() { return State().exceptionHelper; }

std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
    try {
        function(argument);
    } catch (const RuntimeException&) {
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
    // This platform loads no plug-ins.
}

void RunFrameworkInitialization(std::function<void()> lateStartup) {
    QTimer::singleShot(0, qApp, [lateStartup = std::move(lateStartup)] { RunHandler(lateStartup); });
}

int RuntimeRun() {
    auto& state = State();
    if (state.quitCode) return *state.quitCode;
    state.inEventLoop = true;
    int code = QApplication::exec();
    state.inEventLoop = false;
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
    int status = state.unhandled > 0 ? 1 : state.quitCode.value_or(0);
    state.qtApp.reset();
    return status;
}

void UnhandledException(const std::exception& error) {
    auto& state = State();
    ++state.unhandled;
    std::fprintf(stderr, "Unhandled %s: %s\n", ClassNameOf(error), error.what());
    std::fflush(stderr);
    if (state.inEventLoop) {
        QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                        QStringLiteral("An unexpected error ended the application."), QMessageBox::Ok);
        box.setInformativeText(QStringLiteral("%1: %2").arg(QString::fromUtf8(ClassNameOf(error)),
                                                            QString::fromUtf8(error.what())));
        box.exec();
    }
    Quit(1);
}

void UnhandledException(std::exception_ptr error) {
    if (!error) return;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        UnhandledException(e);
    }
}

int UnhandledExceptionCount() { return State().unhandled; }

void RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        UnhandledException(error);
    }
}

}  // namespace fw
