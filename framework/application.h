// The application object and the runtime around it: start, the event loop,
// quitting, and the report of an exception that nothing caught.
#pragma once

#include "framework/object.h"

#include <exception>
#include <functional>
#include <memory>
#include <span>

namespace fw {

class MenuBar;

class Application : public Object {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    // High-resolution display support; to be switched on before any window
    // or application object exists.
    static void SetSupportsHiDPI(bool on);

    // The version data, handed over once at start-up.
    void _x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                           std::int64_t nonRelease, std::int64_t stageCode, const String& longVersion,
                           const String& shortVersion, const String& packageInfo);
    std::int64_t MajorVersion() const { return state_->major; }
    std::int64_t MinorVersion() const { return state_->minor; }
    std::int64_t BugVersion() const { return state_->bug; }
    std::int64_t NonReleaseVersion() const { return state_->nonRelease; }
    std::int64_t StageCode() const { return state_->stageCode; }
    String LongVersion() const { return state_->longVersion; }
    String Copyright() const { return state_->longVersion; }
    String ShortVersion() const { return state_->shortVersion; }
    String Version() const { return state_->shortVersion; }
    String PackageInfo() const { return state_->packageInfo; }
    String Description() const { return state_->packageInfo; }

    void SetMenuBar(std::shared_ptr<fw::MenuBar> menuBar);
    std::shared_ptr<fw::MenuBar> MenuBar() const { return state_->menuBar; }

    // Menu handlers of the application, asked after the frontmost window's.
    void AddMenuHandler(const String& itemName, std::function<bool()> handler);
    const std::function<bool()>* MenuHandler(std::string_view itemName) const;

    void RaiseEvent(std::string_view event);

private:
    struct State {
        std::int64_t major = 0, minor = 0, bug = 0, nonRelease = 0, stageCode = 0;
        String longVersion, shortVersion, packageInfo;
        std::shared_ptr<fw::MenuBar> menuBar;
        std::map<String, std::function<bool()>, std::less<>> menuHandlers;
    };
    UIThreadOnly<State> state_;
};

// The registered application object, or nullptr before registration.
std::shared_ptr<Application> GetAppObject();
void RuntimeRegisterAppObject(std::shared_ptr<Application> app);

// Ends the event loop; RuntimeRun then returns the code.
void Quit(int code = 0);

// ---------------------------------------------------------------------------
// The runtime, in the order start-up calls it.

using ModuleInitializer = void (*)();

// Starts the runtime: the Qt application object, unless one exists. When no
// display can be opened, or the platform plugin cannot be started, says
// which in one line on standard error and ends the process with status 1.
void RuntimeInit(int& argc, char** argv);
// Builds the class records of the framework's own classes, then runs the
// module initialisers in table order.
void RuntimePerformInitializers(std::span<const ModuleInitializer> initializers);
// Registers the routine that calls a start-up step and hands back the
// exception that escaped it, if any.
using ExceptionHelper = std::exception_ptr (*)(void (*function)(void*), void* argument);
void RuntimeSetExceptionHelper(ExceptionHelper helper);
ExceptionHelper RuntimeExceptionHelper();
// Calls a function and returns the exception that escaped it, whatever its
// type.
std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);
void RuntimeSetVersion(double version);
double RuntimeVersion();
// Makes sure the records of the framework's own classes that the system may
// meet (its exceptions, WeakRef, MessageDialog) exist.
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();
// Calls lateStartup once the framework is ready: from the event loop, as the
// first thing it does.
void RunFrameworkInitialization(std::function<void()> lateStartup);
// Runs the event loop until Quit; returns the quit code.
int RuntimeRun();
void RuntimePerformFinalizers();
// The process's exit status: the quit code, or non-zero after an
// unhandled exception.
int RuntimeExit();

// Reports an exception that escaped the system's code, of whatever type: a
// line on standard error with its class (or type) and message, and a modal
// message while the event loop runs; the application then ends with a
// non-zero status.
void UnhandledException(const std::exception& error);
// The same for an exception as the exception helper hands it back.
void UnhandledException(std::exception_ptr error);

// Runs a handler of the system's from inside a Qt event, so that an
// exception escaping it reaches the report instead of unwinding through Qt.
void RunHandler(const std::function<void()>& handler);

}  // namespace fw
