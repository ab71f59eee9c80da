// Framework-internal: a window's Qt side, its state and its widgets: the
// frame with the menu bar above the content area, in whose coordinates every
// control is placed (window_frame.cpp).
#pragma once

#include "framework/property_types.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QMenuBar;

namespace fw {

class Control;
class Window;

// The top-level widget of a window: the menu bar above the content area.
class WindowFrame : public QWidget {
public:
    explicit WindowFrame(Window& owner);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Window& owner_;
};

// The content area, in whose coordinates every control is placed.
class ContentArea : public QWidget {
public:
    ContentArea(Window& owner, QWidget* parent);
    // The size the window's layout data gives.
    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Window& owner_;
};

struct WindowImpl {
    explicit WindowImpl(Window& owner);
    ~WindowImpl();

    void ApplyFrame();
    void PlaceOnScreen();

    Window& owner;
    std::unique_ptr<WindowFrame> frame;
    ContentArea* content = nullptr;
    QMenuBar* menuBar = nullptr;
    // The last widget of the window other than its menu bar to have the
    // focus: the one the menu bar took it from while the bar holds it.
    QPointer<QWidget> focusBeforeMenuBar;
    std::vector<std::shared_ptr<Control>> controls;
    std::map<String, std::function<bool()>, std::less<>> menuHandlers;

    std::int64_t width = 100, height = 100;
    std::int64_t minWidth = 0, minHeight = 0, maxWidth = 32000, maxHeight = 32000;
    std::int64_t type = 0;
    String title;
    bool hasCloseButton = true, hasMaximizeButton = true, hasMinimizeButton = true;
    bool resizeable = true, visible = false, menuBarVisible = false;
    bool hasBackgroundColor = false;
    Color backgroundColor{0xFF, 0xFF, 0xFF, 0};
    bool open = false, placed = false;
};

// From the first call on, a window that the window manager activates while
// a menu is open becomes the active one, and the menus close.
void FollowTheWindowManagerPastOpenMenus();

}  // namespace fw
