// Framework-internal: the windows that are built and not yet closed. The
// framework keeps an open window alive whether or not the system holds a
// reference to it; window.h gives the lookups.
#pragma once

#include <memory>

namespace fw {

class Window;

void AddLiveWindow(std::shared_ptr<Window> window);
void ForgetLiveWindow(const Window& window);
// Keeps a closed window until the event that closed it is over, since its
// widgets may still be on the call stack.
void ReleaseOnceEventEnds(std::shared_ptr<Window> window);

}  // namespace fw
