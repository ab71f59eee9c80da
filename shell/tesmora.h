// The application class: the one application object of the run, which keeps
// the version data and the menu bar and answers the two About items.
#pragma once

#include "framework/application.h"

#include <memory>

class Tesmora : public fw::Application {
public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& Record() const override { return Class(); }

    // Raised whenever the framework sets up the menus: the About item of the
    // application's own menu is always available.
    void Event_EnableMenuItems();
    // Menu handlers of the two About items: show the About window. Both
    // return false.
    bool AboutDOR_Action();
    bool AboutMenuItem_Action();

    // Runs when the object is made, before it gets its version data.
    void Constructor() {}

    // Whether the class handles the named application event itself.
    bool IsEventImplemented(const fw::String& event) const;
};

// The registered application object; NilObjectException before start-up
// registered it.
std::shared_ptr<Tesmora> App();
