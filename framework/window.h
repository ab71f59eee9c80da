// Windows. A window class of the system derives from Window, names its class
// record with an event table, and builds itself from layout data in its
// Layout and CreateControls handlers.
//
// A window is a top-level Qt widget: the application's menu bar (when the
// window's MenuBarVisible is true) stands above a content area of exactly the
// size the layout data gives, and every control position is a coordinate of
// that content area.
#pragma once

#include "framework/object.h"

#include <functional>
#include <memory>
#include <string_view>

namespace fw {

class Control;
struct WindowImpl;

class Window : public Object {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    Window();
    ~Window() override;

    // Builds the window: raises Layout, then CreateControls, then
    // AddMenuHandlers; the window then joins the live windows, is shown when
    // its layout says Visible, and gets Open.
    void Constructor();

    // Brings the window on screen and to the front, restored when it was
    // minimised. A hidden window keeps its state and comes back as it was.
    void Show();
    void Hide();
    // Closes the window for good: it raises Close and leaves the live
    // windows; the next implicit-instance lookup builds a new one.
    void Close();
    bool IsVisible() const;
    bool IsOpen() const;  // built and not yet closed

    // Controls: New makes a control of the class for this window (its widget
    // inside the content area), AddControl gives it to the window under its
    // name, ControlByName finds it again (nullptr if none). BuildControls
    // (control_table.h) takes a window's controls through these steps.
    std::shared_ptr<Control> New(const ClassRecord& controlClass);
    void AddControl(const String& name, const std::shared_ptr<Control>& control);
    Control* ControlByName(std::string_view name) const;
    std::vector<Control*> Controls() const;  // in order of adding

    // Menu handlers, found by item name when a menu item is chosen.
    void AddMenuHandler(const String& itemName, std::function<bool()> handler);
    const std::function<bool()>* MenuHandler(std::string_view itemName) const;

    // Raises a window event through the class's event table; returns the
    // handler's answer for KeyDown and MouseDown, false where the class has
    // no handler.
    void RaiseEvent(std::string_view event);
    bool RaiseKeyDown(const String& key);
    bool RaiseMouseDown(std::int64_t x, std::int64_t y);

    // Properties that layout data sets.
    void SetWidth(std::int64_t);
    void SetHeight(std::int64_t);
    void SetMinimumWidth(std::int64_t);
    void SetMinimumHeight(std::int64_t);
    void SetMaximumWidth(std::int64_t);
    void SetMaximumHeight(std::int64_t);
    void SetType(std::int64_t);
    void SetTitle(const String&);
    void SetHasCloseButton(bool);
    void SetHasMaximizeButton(bool);
    void SetHasMinimizeButton(bool);
    void SetResizeable(bool);
    void SetVisible(bool);
    void SetHasBackgroundColor(bool);
    void SetBackgroundColor(const Color&);
    void SetMenuBarVisible(bool);

    String Title() const;
    std::int64_t Width() const;   // of the content area
    std::int64_t Height() const;
    bool Resizeable() const;
    bool MenuBarVisible() const;

    WindowImpl& Impl() const { return *impl_; }

private:
    UIThreadOnly<std::unique_ptr<WindowImpl>> impl_;
};

// The live window of the named class, shown or hidden, or nullptr when none
// was built or the last one was closed.
std::shared_ptr<Window> GetImplicitWindow(std::string_view className);

// All windows built and not yet closed, in order of building.
std::vector<std::shared_ptr<Window>> LiveWindows();

// Lets go of every window, closed or open, at the end of the run, before
// the Qt application goes.
void RuntimeReleaseWindows();

// The window in front that has the focus, or nullptr.
std::shared_ptr<Window> FrontmostWindow();

// The implicit instance of a window class: the live window of the class, or
// a new one, built through the Window constructor. It is neither shown nor
// hidden here; a new window's layout data decides that.
template <class W>
std::shared_ptr<W> ImplicitInstance() {
    std::shared_ptr<Window> window = GetImplicitWindow(W::Class().name);
    if (!window) {
        auto built = std::make_shared<W>();
        built->Constructor();
        window = built;
    }
    return RuntimeCheckCast<W>(window);
}

}  // namespace fw
