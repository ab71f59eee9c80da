#include "shell/startup.h"

#include "main_window/control_wnd.h"
#include "resources/notices.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"
#include "shell/file_types.h"
#include "shell/menu.h"
#include "shell/tesmora.h"

#include <exception>

namespace {

// The runtime version the application was made for.
constexpr double kRuntimeVersion = 2019.031;

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

void PerformModuleInitializers(void*) { fw::RuntimePerformInitializers(kModuleInitializers); }

// Everything from the early steps to the end of the event loop.
void StartAndRun(void*) {
    EarlyStartup();
    fw::RunFrameworkInitialization(LateStartup);
    fw::RuntimeRun();
}

}  // namespace

int ApplicationMain(int& argc, char** argv) {
    fw::RuntimeInit(argc, argv);
    Main(fw::CallFunctionWithExceptionHandling(PerformModuleInitializers, nullptr));
    fw::RuntimePerformFinalizers();
    return fw::RuntimeExit();
}

std::span<const fw::ModuleInitializer> ModuleInitializers() { return kModuleInitializers; }

void Main(std::exception_ptr failure) {
    if (!failure) {
        fw::RuntimeSetExceptionHelper(fw::CallFunctionWithExceptionHandling);
        fw::RuntimeSetVersion(kRuntimeVersion);
        failure = fw::RuntimeExceptionHelper()(StartAndRun, nullptr);
    }
    if (failure) fw::UnhandledException(failure);
}

void EarlyStartup() {
    // On before any window or application object exists.
    fw::Application::SetSupportsHiDPI(true);
    fw::RuntimeInitExternalClasses();
    fw::InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
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

void LateStartup() { MakeDefaultView(); }

// The About window shows itself, as its layout says; it is not shown here.
void MakeDefaultView() { AboutWnd(); }
