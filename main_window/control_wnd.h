// The main window: the 2x2 table of counts, the three percentages and the
// result, the Calculate and Clear buttons and the info icon.
//
// The window keeps no state of its own: everything it holds is in its
// controls, which it builds from its layout data and finds again by name.
#pragma once

#include "framework/canvas.h"
#include "framework/label.h"
#include "framework/push_button.h"
#include "framework/rectangle.h"
#include "framework/text_area.h"
#include "framework/text_field.h"
#include "framework/window.h"

#include <cstdint>
#include <memory>

class ControlWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& Record() const override { return Class(); }

    // Building, raised by the framework while it constructs the window.
    void Layout();
    void CreateControls();
    void CreateControls0();

    // The controls, each found by its name and checked to be of its class.
    fw::Rectangle& Rectangle1();
    fw::TextArea& tpFld();
    fw::TextArea& fnFld();
    fw::Rectangle& Rectangle2();
    fw::TextArea& fpFld();
    fw::TextArea& tnFld();
    fw::TextField& preFld();
    fw::TextField& dtFld();
    fw::TextField& tFld();
    fw::TextField& pppFld();
    fw::PushButton& ClearBtn();
    fw::PushButton& CalculateBtn();
    fw::Label& StaticText4();
    fw::Label& StaticText5();
    fw::Canvas& Canvas2();
    fw::Label& cTxt();
    fw::Label& StaticText6();
    fw::Label& StaticText7();
    fw::Label& StaticText11();
    fw::Label& StaticText12();
    fw::Label& StaticText13();
    fw::Label& StaticText14();
    fw::Label& StaticText15();
    fw::Label& StaticText16();
    fw::Label& StaticText1();

    // Key filters of the eight fields: true swallows the key (after a beep).
    bool tpFld_KeyDown(fw::TextArea& field, const fw::String& key);
    bool fnFld_KeyDown(fw::TextArea& field, const fw::String& key);
    bool fpFld_KeyDown(fw::TextArea& field, const fw::String& key);
    bool tnFld_KeyDown(fw::TextArea& field, const fw::String& key);
    bool preFld_KeyDown(fw::TextField& field, const fw::String& key);
    bool dtFld_KeyDown(fw::TextField& field, const fw::String& key);
    bool tFld_KeyDown(fw::TextField& field, const fw::String& key);
    bool pppFld_KeyDown(fw::TextField& field, const fw::String& key);

    void ClearBtn_Action(fw::PushButton& button);
    void CalculateBtn_Action(fw::PushButton& button);

    // A press on the info icon shows the Description window.
    bool Canvas2_MouseDown(fw::Canvas& canvas, std::int64_t x, std::int64_t y);

    // Window events and menu handlers.
    void AddMenuHandlers(fw::Window& window);
    void Event_Close();
    void Event_Activate();
    void Event_EnableMenuItems();
    bool DescriptionMenuItem_Action();
    bool AboutDOR_Action();

    // Whether the class handles the named window event itself.
    bool IsEventImplemented(const fw::String& event) const;
};

// The live main window, or a new one when none is alive. It neither shows
// nor hides the window.
std::shared_ptr<class ControlWnd> ControlWnd();
