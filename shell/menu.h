// The application's menu bar and the accessors of the menu items that the
// windows and the application object enable.
#pragma once

#include "framework/menu.h"

#include <memory>

// The one menu bar of the application, built whole when it is constructed;
// its shape does not change afterwards.
class Menu : public fw::MenuBar {
public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& Record() const override { return Class(); }

    // Builds the tree: the five build steps in order, and nothing else.
    void Constructor() override;
    void Untitled0();  // the first, empty menu
    void Untitled1();  // File
    void Untitled2();  // Edit
    void Untitled3();  // Window
    void Untitled4();  // the last, empty menu

    // The shared instance, set once by Menu() and never cleared.
    static std::shared_ptr<Menu> implicitInstance;
};

// The shared menu bar, built on the first call. When building fails, the
// exception passes on and nothing is kept, so a later call builds afresh.
std::shared_ptr<class Menu> Menu();

// The items of the Window menu, found by name in the application's menu bar
// on every call. With no application object, or one without a menu bar,
// they raise NilObjectException. An item that is not in the bar gives
// nullptr: every caller tests the result and raises NilObjectException
// itself before using it.
std::shared_ptr<fw::AppleMenuItem> AboutDOR();
std::shared_ptr<fw::MenuItem> AboutMenuItem();
std::shared_ptr<fw::MenuItem> DescriptionMenuItem();
std::shared_ptr<fw::MenuItem> ControlMenuItem();

// Sets Enabled on an item as one of the accessors above gave it; an item
// that is not there raises NilObjectException.
void SetItemEnabled(const std::shared_ptr<fw::MenuItem>& item, bool enabled);
