// A probe for end-to-end tests of the real executable, off unless the
// environment variable TESMORA_TEST_PROBE is set (and not "0").
//
// When on, the framework prints a line to standard output whenever a window
// is shown, hidden or closed ("shown AboutWnd.AboutWnd"), and runs commands
// read line by line from standard input inside the event loop:
//   key K                       a key press (a character, or Return, Tab,
//                               Escape, Backspace) to the focused control
//                               or, with none, the active window
//   click CLASS CONTROL         a mouse click in the middle of a control
//   type CLASS CONTROL TEXT     focus a field and type each character
//   text CLASS CONTROL          prints "text CONTROL VALUE"
//   place CLASS CONTROL         prints "place CONTROL X Y", the control's
//                               middle in screen coordinates
//   close CLASS                 closes the window as its close button does
// CLASS is a window's full class name ("ControlWnd.ControlWnd").
#pragma once

namespace fw {

class Window;

void InstallTestProbe();
void ProbeReport(const char* what, const Window& window);

}  // namespace fw
