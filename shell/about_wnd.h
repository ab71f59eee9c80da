// The About window, which is also the start-up screen: the product name, the
// emblem and the notice. It gives way to the main window when its one-shot
// timer fires, or at once at a key or mouse press in it.
#pragma once

#include "framework/canvas.h"
#include "framework/label.h"
#include "framework/timer.h"
#include "framework/window.h"

#include <cstdint>
#include <memory>

class AboutWnd : public fw::Window {
public:
    class _wrapper_Timer1;

    static const fw::ClassRecord& Class();
    const fw::ClassRecord& Record() const override { return Class(); }

    // Building hooks, raised while the window is constructed.
    void Layout();
    void CreateControls();
    void CreateControls0();

    // The controls, found by name in this window.
    fw::Label& StaticText5();
    fw::Label& StaticText1();
    fw::Timer& Timer1();
    fw::Canvas& Canvas1();

    // The three ways the window gives way to the main window. None looks at
    // its arguments; the key and mouse handlers pass the event on (false).
    void Timer1_Action(fw::Timer& timer);
    bool Event_KeyDown(const fw::String& key);
    bool Event_MouseDown(std::int64_t x, std::int64_t y);

    // Whether the class handles the named window event itself.
    bool IsEventImplemented(const fw::String& event) const;
};

// The timer placed on the About window: a timer that knows, without keeping
// it alive, the window it belongs to and its index in a control set. The
// framework hands it both when it is added to the window.
class AboutWnd::_wrapper_Timer1 : public fw::Timer, public fw::PaneChild {
public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& Record() const override { return Class(); }

    // The timer's own setting up is the framework's.
    void Constructor() override {}

    void SetWindow(const std::shared_ptr<fw::Window>& window) override;
    // nullptr before SetWindow and once the window is gone.
    std::shared_ptr<fw::Window> Window() override;
    std::int64_t Index() override;
    void SetIndex(std::int64_t index) override;

private:
    // The wrapper's two fields, ownerWindow and Index, under their declared
    // names; the index has the usual underscore, since the method Index()
    // bears its name. Weak: the window owns its controls, this timer among
    // them.
    fw::WeakRef ownerWindow;
    std::int64_t index_ = 0;  // the index in a control set
};

// The live window of the class, or a new one when none is alive. A new one
// shows itself, as its layout says; this never shows or hides a window.
std::shared_ptr<class AboutWnd> AboutWnd();
