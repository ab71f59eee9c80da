// The framework's dialogs: the system alert sound and a modal message box,
// which tell the user that input was wrong, and the print dialog. Each goes
// through the platform in place (platform.h).
#pragma once

#include "framework/property_types.h"

#include <memory>

namespace fw {

class Graphics;

// Sounds the system alert.
void Beep();

// Shows `message` in a modal message box and returns once the user has
// dismissed it. The box is titled with the application's display name and
// carries a warning icon and one OK button; the message is shown as plain
// text, never interpreted as markup.
void MsgBox(const String& message);

// Shows the modal print dialog, with the application's default printer
// settings. Gives the chosen printer's Graphics (printing.h), or nullptr
// when the user cancels.
std::shared_ptr<Graphics> OpenPrinterDialog();

}  // namespace fw
