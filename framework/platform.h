// What the framework asks of the desktop and nobody can see or get past
// without a user: the alert sound, a modal message box, the print dialog.
// The framework asks whichever platform is in place: the desktop's own,
// unless another was put in its place (the tests put one that records what
// was asked and answers for the user).
#pragma once

#include "framework/property_types.h"

#include <memory>

namespace fw {

class Graphics;

class Platform {
public:
    // A warning about what the user entered, or the report of an error that
    // ends the application.
    enum class MessageKind { Warning, Error };

    virtual ~Platform() = default;

    // Sounds the system alert.
    virtual void Beep() = 0;
    // Shows a modal message box titled with the application's name, with one
    // OK button, and returns once the user has dismissed it. `text` is shown
    // as plain text, never as markup; `detail`, unless empty, beneath it.
    virtual void ShowMessage(MessageKind kind, const String& text, const String& detail) = 0;
    // Shows the modal print dialog with the application's default printer
    // settings. Gives the chosen printer's Graphics, or nullptr when the user
    // cancels.
    virtual std::shared_ptr<Graphics> ChoosePrinter() = 0;
};

// The platform in place.
Platform& CurrentPlatform();
// Puts `platform` in place; nullptr puts the desktop's own back. It must
// outlive its time in place.
void SetPlatform(Platform* platform);

}  // namespace fw
