// Framework-internal: what a key event means to KeyDown handlers.
#pragma once

#include "framework/property_types.h"

class QKeyEvent;

namespace fw {

// The key text a key event carries for KeyDown handlers: printable keys as
// the text they carry, whatever modifiers are held; editing and navigation
// keys, and letters with Ctrl (and no modifier beside it but Shift), as
// control characters; an empty text for keys that carry none (Shift alone, F1).
String KeyText(const QKeyEvent& event);

// Whether the key is a modifier or a lock key, which pressed alone reaches
// no window's KeyDown.
bool IsModifierKey(int key);

}  // namespace fw
