#include "shell/startup.h"

#include "main_window/control_wnd.h"
#include "resources/notices.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"
#include "shell/file_types.h"
#include "shell/menu.h"
#include "shell/tesmora.h"

#include <exception>
#include <utility>

namespace {

// The runtime version the application was made for.
constexpr double kRuntimeVersion = 2019.031;

StartupObserver& Observer() {
    static StartupObserver observer;
    return observer;
}

struct Step {
    std::string_view name;
    void (*run)();
};

void Perform(std::span<const Step> steps) {
    for (const Step& step : steps) {
        if (Observer()) Observer()(step.name);
        step.run();
    }
}

template <class C>
void BuildClassRecord() {
    C::Class();
}

constexpr fw::ModuleInitializer kModuleInitializers[] = {
    FileTypes::InitializeFields,
    BuildClassRecord<class ControlWnd>,
    BuildClassRecord<class Menu>,
    BuildClassRecord<AboutWnd::_wrapper_Timer1>,
    BuildClassRecord<class AboutWnd>,
    BuildClassRecord<Tesmora>,
    BuildClassRecord<class DescriptionWnd>,
};

// An exception that escaped a step and waits for Main to report it.
std::exception_ptr pendingException;

void PerformModuleInitializers(void*) {
    static constexpr Step kSteps[] = {
        {"RuntimePerformInitializers", [] { fw::RuntimePerformInitializers(kModuleInitializers); }},
    };
    Perform(kSteps);
}

// Everything from the early steps to the end of the event loop.
void StartAndRun(void*) {
    static constexpr Step kSteps[] = {
        {"EarlyStartup", EarlyStartup},
        {"RunFrameworkInitialization", [] { fw::RunFrameworkInitialization(LateStartup); }},
        {"RuntimeRun", [] { fw::RuntimeRun(); }},
    };
    Perform(kSteps);
}

}  // namespace

int ApplicationMain(int& argc, char** argv) {
    fw::RuntimeInit(argc, argv);
    pendingException = fw::CallFunctionWithExceptionHandling(PerformModuleInitializers, nullptr);
    Main();
    fw::RuntimePerformFinalizers();
    return fw::RuntimeExit();
}

std::span<const fw::ModuleInitializer> ModuleInitializers() { return kModuleInitializers; }

void Main() {
    if (!pendingException) {
        fw::RuntimeSetExceptionHelper(fw::CallFunctionWithExceptionHandling);
        fw::RuntimeSetVersion(kRuntimeVersion);
        pendingException = fw::RuntimeExceptionHelper()(StartAndRun, nullptr);
    }
    if (pendingException) fw::UnhandledException(std::exchange(pendingException, nullptr));
}

void EarlyStartup() {
    static constexpr Step kSteps[] = {
        // On before any window or application object exists.
        {"SetSupportsHiDPI", [] { fw::Application::SetSupportsHiDPI(true); }},
        {"RuntimeInitExternalClasses", fw::RuntimeInitExternalClasses},
        {"InitPluginEntrypoints", fw::InitPluginEntrypoints},
        {"InitFileTypes", InitFileTypes},
        {"NewAppInstance", NewAppInstance},
        {"ApplicationAddMenuHandlers", ApplicationAddMenuHandlers},
    };
    Perform(kSteps);
}

void InitFileTypes() { FileTypes::Initialize(); }

void NewAppInstance() {
    auto app = std::make_shared<Tesmora>();
    app->Constructor();
    // Version 3.0.0, non-release 0, stage code 3; the notice, the short
    // version and the product name.
    app->_x_SetVersionData(3, 0, 0, 0, 3, kNotice, "3.0", kProductName);
    app->SetMenuBar(Menu());  // the menu bar is built at this first call
    fw::RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {
    // The application object lives, and keeps its handlers, until the
    // runtime ends: the delegates need not keep it alive.
    fw::AddMenuHandler(*App(), "AboutDOR", &Tesmora::AboutDOR_Action);
    fw::AddMenuHandler(*App(), "AboutMenuItem", &Tesmora::AboutMenuItem_Action);
}

void LateStartup() {
    static constexpr Step kSteps[] = {{"MakeDefaultView", MakeDefaultView}};
    Perform(kSteps);
}

// The About window shows itself, as its layout says; it is not shown here.
void MakeDefaultView() { AboutWnd(); }

void SetStartupObserver(StartupObserver observer) { Observer() = std::move(observer); }
