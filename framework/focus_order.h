// Framework-internal: the order in which Tab visits a window's controls.
#pragma once

#include <vector>

namespace fw {

class Control;

// Sets the keyboard focus order of a window's controls, given in order of
// adding, and gives the focus to the first field the user can type in.
void OrderKeyboardFocus(const std::vector<Control*>& controls);

}  // namespace fw
