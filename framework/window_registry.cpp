#include "framework/window_registry.h"

#include "framework/window.h"
#include "framework/window_impl.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>

namespace fw {

namespace {

std::vector<std::shared_ptr<Window>>& Live() {
    static std::vector<std::shared_ptr<Window>> windows;
    return windows;
}

// Closed windows wait here until the event that closed them is over, since
// their widgets may still be on the call stack.
std::vector<std::shared_ptr<Window>>& Closing() {
    static std::vector<std::shared_ptr<Window>> windows;
    return windows;
}

}  // namespace

void AddLiveWindow(std::shared_ptr<Window> window) { Live().push_back(std::move(window)); }

void ForgetLiveWindow(const Window& window) {
    auto& live = Live();
    live.erase(std::remove_if(live.begin(), live.end(), [&](const auto& w) { return w.get() == &window; }),
               live.end());
}

void ReleaseOnceEventEnds(std::shared_ptr<Window> window) {
    Closing().push_back(std::move(window));
    QTimer::singleShot(0, qApp, [] { Closing().clear(); });
}

std::shared_ptr<Window> GetImplicitWindow(std::string_view className) {
    CheckUIThread();
    for (const auto& window : Live())
        if (window->Record().name == className) return window;
    return nullptr;
}

std::vector<std::shared_ptr<Window>> LiveWindows() {
    CheckUIThread();
    return Live();
}

void RuntimeReleaseWindows() {
    CheckUIThread();
    Closing().clear();
    // Closing one window may not build another, but be safe against it.
    while (!Live().empty()) {
        auto windows = std::move(Live());
        Live().clear();
    }
}

std::shared_ptr<Window> FrontmostWindow() {
    CheckUIThread();
    QWidget* active = QApplication::activeWindow();
    for (const auto& window : Live())
        if (window->Impl().frame.get() == active) return window;
    return nullptr;
}

}  // namespace fw
