#include "framework/qt_bridge.h"

namespace fw {

// Until menus are shown, windows have none.
QMenuBar* CreateMenuBarFor(Window&, QWidget*) { return nullptr; }

}  // namespace fw
