// Menus: the application's one menu bar is a tree of menu items, searched by
// item name. The tree is plain data; each window that shows a menu bar makes
// widgets of its own from it (see menu_display.cpp), so the tree may outlive
// every window and the Qt application itself.
#pragma once

#include "framework/object.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace fw {

class MenuItem : public Object {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    // The no-argument construction that every menu item class shares. It
    // leaves the item with an empty name and text, visible, enabled and
    // automatically enabled; a subclass may replace it.
    virtual void Constructor() {}

    const String& Name() const { return state_->name; }
    void SetName(const String& name) { state_->name = name; }
    // The text shown; "-" makes the item a separator.
    const String& Value() const { return state_->value; }
    void SetValue(const String& text) { state_->value = text; }
    bool Visible() const { return state_->visible; }
    void SetVisible(bool visible) { state_->visible = visible; }
    // An automatically enabled item is enabled whenever something can answer
    // it; any other item stays disabled until an EnableMenuItems handler
    // enables it.
    bool AutoEnabled() const { return state_->autoEnabled; }
    void SetAutoEnabled(bool autoEnabled) { state_->autoEnabled = autoEnabled; }
    // A key combination such as "Cmd+Q"; empty for none.
    const String& Shortcut() const { return state_->shortcut; }
    void SetShortcut(const String& shortcut) { state_->shortcut = shortcut; }
    bool Enabled() const { return state_->enabled; }
    void SetEnabled(bool enabled) { state_->enabled = enabled; }

    // Appends an item at the end of this one's children; a nil item raises
    // NilObjectException.
    void AddMenu(std::shared_ptr<MenuItem> item);
    // The direct child of that name, or nullptr.
    std::shared_ptr<MenuItem> Child(std::string_view name) const;
    // The first item of that name anywhere below this one, depth first in
    // menu order, or nullptr.
    std::shared_ptr<MenuItem> Lookup(std::string_view name) const;
    std::int64_t Count() const { return std::int64_t(state_->children.size()); }
    // The child at the index; one outside 0 to Count() - 1 raises
    // OutOfBoundsException.
    std::shared_ptr<MenuItem> Item(std::int64_t index) const;

private:
    struct State {
        String name, value, shortcut;
        bool visible = true, autoEnabled = true, enabled = true;
        std::vector<std::shared_ptr<MenuItem>> children;
    };
    UIThreadOnly<State> state_;
};

// The item that ends the application when nothing else answers it.
class QuitMenuItem : public MenuItem {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
};

// The item for the application's own menu (its About item). The desktop has
// no separate application menu, so it stays in its menu where it stands.
class AppleMenuItem : public MenuItem {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
};

// The root of the tree: its children are the menus of the bar.
class MenuBar : public MenuItem {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
};

// Registers one of a window's or the application's own methods as its
// handler of the named menu item: a delegate bound to the object, of the
// shape of every menu handler (no arguments, a Boolean result).
template <class Owner>
void AddMenuHandler(Owner& owner, const String& itemName, bool (Owner::*handler)()) {
    Delegate delegate = RuntimeCreateDelegate(handler, &owner);
    owner.AddMenuHandler(itemName, [delegate] { return delegate.Invoke<bool>(); });
}

}  // namespace fw
