// The framework's two ways of telling the user that input was wrong: the
// system alert sound and a modal message box.
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

// What the two calls above have done in this process, so that tests can see
// a beep, which has no visible trace, and a message after its box is gone.
struct DialogLog {
    int beeps = 0;
    int messages = 0;
    String lastMessage;
};
DialogLog& Dialogs();

}  // namespace fw
