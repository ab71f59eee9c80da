#include "framework/control_table.h"

#include "framework/canvas.h"
#include "framework/window.h"

namespace fw {

namespace {

// The control as found again by name, checked to be of its entry's class.
Control& Find(Window& window, const ControlEntry& entry) {
    return static_cast<Control&>(RuntimeCheckCast(window.ControlByName(entry.name), entry.controlClass()));
}

void AddNew(Window& window, const ControlEntry& entry) {
    std::shared_ptr<Control> control = window.New(entry.controlClass());
    control->Constructor();
    window.AddControl(String(entry.name), control);
}

void Build(Window& window, const ControlEntry& entry) {
    AddNew(window, entry);
    if (entry.backdrop) RuntimeCheckCast<Canvas>(window.ControlByName(entry.name)).SetBackdrop(entry.backdrop());
    SetProperties(Find(window, entry), entry.stream);
    const Connection& c = entry.connection;
    if (c.bind) RuntimeAddEventHandler(Find(window, entry), c.event, c.bind(window));
}

}  // namespace

void BuildControls(Window& window, std::span<const ControlEntry> entries) {
    CheckUIThread();
    for (const ControlEntry& entry : entries) Build(window, entry);
}

}  // namespace fw
