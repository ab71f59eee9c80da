// Controls: the parts of a window, each built from its own layout data.
// This header holds what every control shares; a control with a place on
// the window is a RectControl (rect_control.h), and each control has a
// header of its own (text_area.h, text_field.h, label.h, push_button.h,
// canvas.h, rectangle.h, timer.h).
//
// A control raises its events to delegates connected with
// RuntimeAddEventHandler.
#pragma once

#include "framework/object.h"

#include <memory>
#include <string_view>

namespace fw {

class Window;

class Control : public Object {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    ~Control() override;

    // The control's default construction.
    virtual void Constructor() {}

    const String& Name() const { return state_->name; }
    void SetName(const String& name) { state_->name = name; }
    void SetIndex(std::int64_t index) { state_->index = index; }

    // The window the control was added to (nullptr before, or once the
    // window is gone).
    Window* Owner() const;
    virtual void AttachTo(Window& window);

    void SetEventHandler(std::string_view event, Delegate delegate);
    const Delegate* EventHandler(std::string_view event) const;

private:
    struct State {
        String name;
        std::int64_t index = 0;
        std::weak_ptr<Object> owner;
        std::map<String, Delegate, std::less<>> handlers;
    };
    UIThreadOnly<State> state_;
};

// Raises the control's event: calls the handler connected to it, if any.
// Without one, an event whose handlers give a Boolean answers false.
template <class R, class... A>
R Raise(const Control& control, const EventOf<R(A...)>& event, std::type_identity_t<A>... args) {
    const Delegate* handler = control.EventHandler(event.name);
    if (!handler) return R();
    return handler->Invoke<R, A...>(std::forward<A>(args)...);
}

// A control that knows its window through the framework's pane interface;
// the framework hands it its window and index when it is added.
class PaneChild {
public:
    virtual ~PaneChild() = default;
    virtual void SetWindow(const std::shared_ptr<fw::Window>& window) = 0;
    virtual std::shared_ptr<fw::Window> Window() = 0;
    virtual std::int64_t Index() = 0;
    virtual void SetIndex(std::int64_t index) = 0;
};

}  // namespace fw
