// Framework-internal: the widgets through which a window shows the
// application's menu bar (see menu_display.cpp).
#pragma once

class QMenuBar;
class QWidget;

namespace fw {

class Window;

// Builds the shared menu bar's widgets for a window, or returns nullptr when
// the application has no menu bar.
QMenuBar* CreateMenuBarFor(Window& window, QWidget* parent);

}  // namespace fw
