// A window's controls as data: a table of entries, one a control, that the
// window's CreateControls step builds in order.
#pragma once

#include "framework/object.h"
#include "framework/property_stream.h"

#include <memory>
#include <span>
#include <string_view>

namespace fw {

class Picture;
class Window;

// A control event and the window's handler for it, made with Connect.
struct Connection {
    std::string_view event;
    Delegate (*bind)(Window& window) = nullptr;
};

namespace detail {
template <auto Handler>
Delegate BindToWindow(Window& window) {
    using Owner = typename Member<decltype(Handler)>::Class;
    return RuntimeCreateDelegate(Handler, &RuntimeCheckCast<Owner>(&window));
}
}  // namespace detail

// Connects a control event (such as TextArea::kKeyDown) to a handler method
// of the window, which must take and give what the event's handlers do.
template <auto Handler, class F>
constexpr Connection Connect(const EventOf<F>& event) {
    static_assert(std::is_same_v<typename detail::Member<decltype(Handler)>::Function, F>,
                  "the handler does not take and give what the event's handlers do");
    return {event.name, &detail::BindToWindow<Handler>};
}

// One control: its class, its name, its layout data and, where needed, the
// event it raises to the window and the picture a canvas shows.
struct ControlEntry {
    const ClassRecord& (*controlClass)();
    std::string_view name;
    PropertyStreamView stream;
    Connection connection{};
    std::shared_ptr<Picture> (*backdrop)() = nullptr;
};

// Builds the window's controls in table order. Each one is made through the
// window and constructed, added to the window under its name (from then on
// only the window holds it), given its picture, found again by name and
// checked to be of its class, given its stream, and connected: a canvas has
// its picture before its stream, and a handler is connected once the stream
// is applied. A failing step stops the building there; what was added stays.
void BuildControls(Window& window, std::span<const ControlEntry> entries);

}  // namespace fw
