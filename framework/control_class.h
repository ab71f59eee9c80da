// Framework-internal: the class record of a control class.
#pragma once

#include "framework/object.h"
#include "framework/window.h"
#include "framework/window_impl.h"

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace fw {

// The class record of a control class: its name (C::kClassName), its
// properties, the events it raises, and how to make one for a window (for
// classes that are not abstract). A control with a widget makes it inside
// the window's content area: a widget made elsewhere and moved in would
// resolve its font, palette and style all over again.
template <class C>
ClassRecord ControlClass(const ClassRecord& base, std::vector<PropertyDecl> properties,
                         std::vector<ControlEvent> events = {}) {
    ClassRecord record{.name = String(C::kClassName), .base = &base};
    record.properties = std::move(properties);
    record.controlEvents = std::move(events);
    if constexpr (std::is_constructible_v<C, QWidget*>)
        record.create = [](Window& window) { return std::make_shared<C>(window.Impl().content); };
    else if constexpr (!std::is_abstract_v<C>)
        record.create = [](Window&) { return std::make_shared<C>(); };
    return record;
}

}  // namespace fw
