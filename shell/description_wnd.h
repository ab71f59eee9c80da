// The Description window: the explanatory text in a styled, scrollable text
// area with the product name as a bold title line, and a print command for
// it. The main window opens it; there is never more than one.
#pragma once

#include "framework/text_area.h"
#include "framework/window.h"

#include <memory>

class DescriptionWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& Record() const override { return Class(); }

    // Building, raised by the framework while it constructs the window.
    void Layout();
    void CreateControls();
    void CreateControls0();

    // The two text areas, found by name: DescribeFld, empty and read-only,
    // beneath DescribeFld2, which holds the text. A missing one raises
    // NilObjectException.
    fw::TextArea& DescribeFld() const;
    fw::TextArea& DescribeFld2() const;

    // Registers the Control, About and Print handlers on this window.
    void AddMenuHandlers(fw::Window& window);
    // Sets the title line bold.
    void Event_Open();
    // Enables the Window menu's Control and About items; a missing one
    // raises NilObjectException.
    void Event_EnableMenuItems();

    // Menu handlers; each returns false.
    bool ControlMenuItem_Action();
    bool AboutMenuItem_Action();
    // Prints the first block of the current text, edits and bold title
    // included; a cancelled print dialog prints nothing.
    bool Print_Action();

    // Whether the class handles the named window event itself.
    bool IsEventImplemented(const fw::String& event) const;
};

// The live window of the class, or a new one when none is alive.
std::shared_ptr<class DescriptionWnd> DescriptionWnd();
