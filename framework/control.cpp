#include "framework/control.h"

#include "framework/window.h"

namespace fw {

const ClassRecord& Control::Class() {
    static const ClassRecord& record = RuntimeRegisterClass({.name = "Control"});
    return record;
}

Control::~Control() = default;

Window* Control::Owner() const { return static_cast<Window*>(state_->owner.lock().get()); }

void Control::AttachTo(Window& window) {
    state_->owner = window.shared_from_this();
    // PaneChild is an interface, which no class record names: the type
    // test is C++'s own.
    if (auto* child = dynamic_cast<PaneChild*>(this)) {
        child->SetWindow(std::static_pointer_cast<Window>(window.shared_from_this()));
        child->SetIndex(state_->index);
    }
}

void Control::SetEventHandler(std::string_view event, Delegate delegate) {
    state_->handlers[String(event)] = std::move(delegate);
}

const Delegate* Control::EventHandler(std::string_view event) const {
    const auto& handlers = state_->handlers;
    auto it = handlers.find(event);
    return it == handlers.end() ? nullptr : &it->second;
}

}  // namespace fw
