#include "framework/object.h"

#include "framework/control.h"
#include "framework/property_keys.h"

#include <algorithm>
#include <deque>

namespace fw {

namespace {

// Records live for the whole run; a deque keeps their addresses stable.
std::deque<ClassRecord>& Registry() {
    static std::deque<ClassRecord> records;
    return records;
}

template <class Item, class Match>
const Item* FindAlongBases(const ClassRecord* record, std::vector<Item> ClassRecord::*table,
                           Match matches) {
    for (; record; record = record->base) {
        auto& items = record->*table;
        auto it = std::find_if(items.begin(), items.end(), matches);
        if (it != items.end()) return &*it;
    }
    return nullptr;
}

}  // namespace

bool ClassRecord::IsA(const ClassRecord& other) const {
    for (const ClassRecord* r = this; r; r = r->base)
        if (r == &other) return true;
    return false;
}

const EventBinding* ClassRecord::FindEvent(std::string_view event) const {
    return FindAlongBases(this, &ClassRecord::events,
                          [&](const EventBinding& b) { return b.event == event; });
}

const PropertyDecl* ClassRecord::FindProperty(std::string_view property) const {
    return FindAlongBases(this, &ClassRecord::properties,
                          [&](const PropertyDecl& p) { return EqualIgnoringAsciiCase(p.name, property); });
}

const ControlEvent* ClassRecord::FindControlEvent(std::string_view event) const {
    return FindAlongBases(this, &ClassRecord::controlEvents,
                          [&](const ControlEvent& e) { return e.event == event; });
}

const PropertyDecl* ClassRecord::PropertyForKey(std::size_t keyIndex) const {
    if (keyIndex < propertiesByKey.size()) return propertiesByKey[keyIndex];
    return keyIndex < kPropertyKeys.size() ? FindProperty(kPropertyKeys[keyIndex].name) : nullptr;
}

const ClassRecord& RuntimeRegisterClass(ClassRecord record) {
    ClassRecord& registered = Registry().emplace_back(std::move(record));
    registered.propertiesByKey.clear();
    for (const PropertyKey& key : kPropertyKeys)
        registered.propertiesByKey.push_back(registered.FindProperty(key.name));
    return registered;
}

const ClassRecord* RuntimeFindClass(std::string_view name) {
    for (const auto& r : Registry())
        if (r.name == name) return &r;
    return nullptr;
}

std::vector<String> RuntimeClassNames() {
    std::vector<String> names;
    for (const auto& r : Registry()) names.push_back(r.name);
    return names;
}

bool RuntimeIsEventHandled(const Object& object, std::string_view className, std::string_view event,
                           bool ownTableOnly) {
    const ClassRecord* record = RuntimeFindClass(className);
    if (!record || !object.Record().IsA(*record)) return false;
    if (!ownTableOnly) return record->FindEvent(event) != nullptr;
    const auto& own = record->events;
    return std::any_of(own.begin(), own.end(), [&](const EventBinding& b) { return b.event == event; });
}

// Static initialisation runs on the main thread before any other thread is
// started; the priority sets this ahead of every initialiser that might
// call into the framework.
const std::thread::id detail::uiThread __attribute__((init_priority(101))) = std::this_thread::get_id();

void detail::RaiseThreadAccessingUI() {
    throw ThreadAccessingUIException(
        "a window, control, menu or dialog operation was called off the user-interface thread");
}

void RaiseNil(std::string_view wanted) {
    throw NilObjectException("a nil object was used where a " + String(wanted) + " was needed");
}

void RaiseCastFailure(const Object& object, const ClassRecord& wanted) {
    throw TypeMismatchException("an object of class " + object.Record().name + " is not a " + wanted.name);
}

Object& RuntimeCheckCast(Object* object, const ClassRecord& wanted) {
    if (!object) RaiseNil(wanted.name);
    if (!object->Record().IsA(wanted)) RaiseCastFailure(*object, wanted);
    return *object;
}

void Delegate::RaiseMismatch() const {
    throw TypeMismatchException("a delegate of signature \"" + String(signature_) +
                                "\" was called with other arguments");
}

void RuntimeAddEventHandler(Control& control, std::string_view event, Delegate delegate) {
    CheckUIThread();
    const ControlEvent* raised = control.Record().FindControlEvent(event);
    if (!raised)
        throw FunctionNotFoundException(control.Record().name + " has no event " + String(event));
    if (raised->signature != delegate.Signature())
        throw TypeMismatchException("the handler of " + control.Record().name + "." + String(event) +
                                    " must have the signature \"" + String(raised->signature) +
                                    "\", not \"" + String(delegate.Signature()) + "\"");
    control.SetEventHandler(event, std::move(delegate));
}

// Setting one changes nothing, but it is still an operation on a window or
// control.
PropertyDecl IgnoredProperty(std::string_view name, PropertyType type) {
    return {name, type, [](Object&, const PropertyValue&) { CheckUIThread(); }};
}

}  // namespace fw
