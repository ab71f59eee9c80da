#include "framework/dialogs.h"

#include "framework/object.h"
#include "framework/platform.h"

namespace fw {

void Beep() {
    CheckUIThread();
    CurrentPlatform().Beep();
}

void MsgBox(const String& message) {
    CheckUIThread();
    CurrentPlatform().ShowMessage(Platform::MessageKind::Warning, message, {});
}

std::shared_ptr<Graphics> OpenPrinterDialog() {
    CheckUIThread();
    return CurrentPlatform().ChoosePrinter();
}

}  // namespace fw
