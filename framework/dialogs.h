// The framework's two ways of telling the user that input was wrong: the
// system alert sound and a modal message box. Both go through the platform
// in place (platform.h).
#pragma once

#include "framework/property_types.h"

namespace fw {

// Sounds the system alert.
void Beep();

// Shows `message` in a modal message box and returns once the user has
// dismissed it. The box is titled with the application's display name and
// carries a warning icon and one OK button; the message is shown as plain
// text, never interpreted as markup.
void MsgBox(const String& message);

}  // namespace fw
