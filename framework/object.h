// The framework's object model: class records, checked casts, event tables,
// delegates for control events, and the property tables that layout data is
// applied through.
//
// Every framework object derives from Object and names its class record.
// A class record carries the class's full name and base, the window or
// application events the class handles (its event table), the properties a
// property stream may set on it, and the control events it raises.
#pragma once

#include "framework/exceptions.h"
#include "framework/property_types.h"

#include <any>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string_view>
#include <thread>
#include <tuple>
#include <type_traits>
#include <variant>
#include <vector>

namespace fw {

class Object;
class Window;
struct ClassRecord;

// The user-interface thread is the process's main thread, where the Qt
// application lives. Window, control, menu and dialog operations may run
// only there; anywhere else this raises ThreadAccessingUIException. It
// costs one comparison.
namespace detail {
extern const std::thread::id uiThread;
[[noreturn]] void RaiseThreadAccessingUI();

template <class T>
struct IsUniquePtr : std::false_type {};
template <class T>
struct IsUniquePtr<std::unique_ptr<T>> : std::true_type {};
}  // namespace detail

inline void CheckUIThread() {
    if (std::this_thread::get_id() != detail::uiThread) [[unlikely]]
        detail::RaiseThreadAccessingUI();
}

// The state of a window, control, menu item or of the application object,
// or a pointer to it. Every operation reaches that state through here, so
// off the user-interface thread it raises before it has read or changed
// anything, and an operation added later cannot forget to.
template <class T>
class UIThreadOnly {
public:
    template <class... A>
    explicit UIThreadOnly(A&&... args) : value_(std::forward<A>(args)...) {}

    auto* operator->() {
        CheckUIThread();
        return Address(value_);
    }
    auto* operator->() const {
        CheckUIThread();
        return Address(value_);
    }
    auto& operator*() { return *operator->(); }
    auto& operator*() const { return *operator->(); }
    // For destructors, which must not raise.
    auto& Unchecked() const { return *Address(value_); }

private:
    template <class U>
    static auto* Address(U& value) {
        if constexpr (detail::IsUniquePtr<std::remove_const_t<U>>::value) return value.get();
        else return &value;
    }

    T value_;
};

class Object : public std::enable_shared_from_this<Object> {
public:
    // Every window, control, menu item and application object is made on
    // the user-interface thread, before any part of it is.
    Object() { CheckUIThread(); }
    virtual ~Object() = default;
    virtual const ClassRecord& Record() const = 0;

    // SetProperties brackets a stream's entries with these. In between, a
    // class may gather what several properties make together (a widget's
    // font from its name, size and style) and apply it once, at the end.
    virtual void BeginProperties() {}
    virtual void EndProperties() {}
};

// ---------------------------------------------------------------------------
// Event tables: which window or application events a class handles, each
// bound to one handler. The handler's shape depends on the event.

using EventHandler = std::variant<
    std::function<void(Object&)>,                          // Activate, Close, Layout, Open, ...
    std::function<bool(Object&, const String&)>,           // KeyDown (key text)
    std::function<bool(Object&, std::int64_t, std::int64_t)>,  // MouseDown (x, y)
    std::function<void(Object&, Window&)>>;                // AddMenuHandlers (the window set up)

struct EventBinding {
    std::string_view event;
    EventHandler handler;
};

// ---------------------------------------------------------------------------
// Signature texts: the shape of a control event's handlers, written as
// "( TextArea, String ) as Boolean", "( Timer )" or "(  ) as Boolean". A
// parameter is named by its type: a control by its class name, a text
// String, a whole number Integer; a Boolean result adds " as Boolean". Each
// text is derived from a handler's type, at compile time.

template <class T>
inline constexpr std::string_view kSignatureName = T::kClassName;
template <>
inline constexpr std::string_view kSignatureName<String> = "String";
template <>
inline constexpr std::string_view kSignatureName<std::int64_t> = "Integer";

namespace detail {
// A member function's class and shape.
template <class M>
struct Member;
template <class C, class R, class... A>
struct Member<R (C::*)(A...)> {
    using Class = C;
    using Function = R(A...);
    using Args = std::tuple<A...>;
};

struct SignatureText {
    std::array<char, 128> chars{};
    std::size_t size = 0;
    constexpr void Put(std::string_view part) {
        for (char c : part) chars.at(size++) = c;
    }
};

template <class F>
struct Signature;
template <class R, class... A>
struct Signature<R(A...)> {
    static_assert(std::is_void_v<R> || std::is_same_v<R, bool>, "a handler gives nothing or a Boolean");
    static constexpr SignatureText text = [] {
        SignatureText t;
        t.Put("( ");
        bool first = true;
        ((t.Put(first ? "" : ", "), t.Put(kSignatureName<std::remove_cvref_t<A>>), first = false), ...);
        t.Put(" )");
        if (std::is_same_v<R, bool>) t.Put(" as Boolean");
        return t;
    }();
};
}  // namespace detail

// The signature text of a handler of the function type F.
template <class F>
inline constexpr std::string_view kSignature{detail::Signature<F>::text.chars.data(),
                                             detail::Signature<F>::text.size};

static_assert(kSignature<bool()> == "(  ) as Boolean");
static_assert(kSignature<void(const String&, std::int64_t)> == "( String, Integer )");

// An event a control raises, as its class record lists it: with the
// signature text a delegate connected to it must carry.
struct ControlEvent {
    std::string_view event;
    std::string_view signature;
};

// An event a control class raises, with the shape F of its handlers. A
// control class declares each of its events once, as one of these
// (TextArea::kKeyDown); its class record, the code that raises it (Raise)
// and the windows' connections (Connect) all take the event from there.
template <class F>
struct EventOf {
    std::string_view name;

    constexpr operator ControlEvent() const { return {name, kSignature<F>}; }
};

// One property that layout data may set on objects of a class. Every
// setter is a plain function: a window's streams set some 900 properties.
struct PropertyDecl {
    std::string_view name;
    PropertyType type;
    void (*set)(Object&, const PropertyValue&);
};

struct ClassRecord {
    String name;                          // the full class name
    const ClassRecord* base = nullptr;
    std::vector<EventBinding> events;     // the class's event table
    std::vector<PropertyDecl> properties; // declared by framework classes
    std::vector<ControlEvent> controlEvents;
    // How Window::New makes one for a window; empty but for control classes.
    std::function<std::shared_ptr<Object>(Window& window)> create;
    // For each layout key, by its place in the key table, the property that
    // FindProperty gives for it; filled in by RuntimeRegisterClass, so that
    // applying a stream searches nothing.
    std::vector<const PropertyDecl*> propertiesByKey;

    bool IsA(const ClassRecord& other) const;
    // Searched from this class towards its bases; property names match
    // without regard to ASCII letter case, as layout data spells some
    // differently from their declarations.
    const EventBinding* FindEvent(std::string_view event) const;
    const PropertyDecl* FindProperty(std::string_view property) const;
    const ControlEvent* FindControlEvent(std::string_view event) const;
    // The property the layout key at that place in the key table sets, or
    // nullptr; a record that was never registered is searched.
    const PropertyDecl* PropertyForKey(std::size_t keyIndex) const;
};

// Builds a class record and registers it under its name. Each class keeps
// its record in a function-local static, so the record exists from its
// first lookup on; start-up asks for the system's records in a fixed order.
const ClassRecord& RuntimeRegisterClass(ClassRecord record);
const ClassRecord* RuntimeFindClass(std::string_view name);
// The names of all registered classes, in order of registration.
std::vector<String> RuntimeClassNames();

// Whether the class of the given name handles the named event: in its own
// event table alone, or also in its bases' tables.
bool RuntimeIsEventHandled(const Object& object, std::string_view className,
                           std::string_view event, bool ownTableOnly);

// How a class answers the framework's IsEventImplemented question: whether
// its own event table handles the event. C::Class() builds the class's
// record when nothing has asked for it before.
template <class C>
bool IsEventImplemented(const C& object, std::string_view event) {
    return RuntimeIsEventHandled(object, C::Class().name, event, true);
}

// ---------------------------------------------------------------------------
// Type tests, by class record: a short walk along the bases, where a
// dynamic_cast would compare type names.

// The object as a T when its class is T's or one derived from it; nullptr
// otherwise, and for a nil object.
template <class T>
T* As(Object* object) {
    return object && object->Record().IsA(T::Class()) ? static_cast<T*>(object) : nullptr;
}

template <class T>
const T* As(const Object* object) {
    return object && object->Record().IsA(T::Class()) ? static_cast<const T*>(object) : nullptr;
}

// Checked casts. A nil object raises NilObjectException, an object of
// another class TypeMismatchException.

[[noreturn]] void RaiseNil(std::string_view wanted);
[[noreturn]] void RaiseCastFailure(const Object& object, const ClassRecord& wanted);

// The check against a class record, for code that knows the class only as
// data (a window building its controls from a table).
Object& RuntimeCheckCast(Object* object, const ClassRecord& wanted);

template <class T>
T& RuntimeCheckCast(Object* object) {
    return static_cast<T&>(RuntimeCheckCast(object, T::Class()));
}

template <class T, class U>
std::shared_ptr<T> RuntimeCheckCast(const std::shared_ptr<U>& object) {
    RuntimeCheckCast<T>(static_cast<Object*>(object.get()));
    return std::static_pointer_cast<T>(object);
}

// ---------------------------------------------------------------------------
// Delegates: a method bound to its object, carrying the signature text of
// its shape, which must match the event it is connected to.

class Delegate {
public:
    Delegate() = default;

    template <class Target, class R, class... A>
    Delegate(R (Target::*method)(A...), Target* target)
        : signature_(kSignature<R(A...)>),
          call_(std::function<R(A...)>([method, target](A... args) -> R {
              return (target->*method)(std::forward<A>(args)...);
          })) {}

    std::string_view Signature() const { return signature_; }

    template <class R, class... A>
    R Invoke(std::type_identity_t<A>... args) const {
        auto* call = std::any_cast<std::function<R(A...)>>(&call_);
        if (!call) RaiseMismatch();
        return (*call)(std::forward<A>(args)...);
    }

private:
    [[noreturn]] void RaiseMismatch() const;

    std::string_view signature_;
    std::any call_;
};

template <class Target, class R, class... A>
Delegate RuntimeCreateDelegate(R (Target::*method)(A...), Target* target) {
    return Delegate(method, target);
}

class Control;
// Connects a control's event to a delegate. The control's class must raise
// that event, and the delegate's signature text must be the event's.
void RuntimeAddEventHandler(Control& control, std::string_view event, Delegate delegate);

// ---------------------------------------------------------------------------
// A weak reference: does not keep its object alive.

class WeakRef {
public:
    WeakRef() = default;
    explicit WeakRef(const std::shared_ptr<Object>& object) : object_(object) {}
    std::shared_ptr<Object> Value() const { return object_.lock(); }

private:
    std::weak_ptr<Object> object_;
};

// ---------------------------------------------------------------------------
// Building event tables and property tables from member functions.

namespace detail {
template <class T>
constexpr PropertyType PropertyTypeFor() {
    using V = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<V, std::int64_t>) return PropertyType::Integer;
    else if constexpr (std::is_same_v<V, double>) return PropertyType::Double;
    else if constexpr (std::is_same_v<V, float>) return PropertyType::Single;
    else if constexpr (std::is_same_v<V, bool>) return PropertyType::Boolean;
    else if constexpr (std::is_same_v<V, std::uint8_t>) return PropertyType::Enum8;
    else if constexpr (std::is_same_v<V, Color>) return PropertyType::Color;
    else {
        static_assert(std::is_same_v<V, String> || std::is_same_v<V, std::string_view>, "not a property value type");
        return PropertyType::String;
    }
}
}  // namespace detail

// Binds a window or application event to a handler method of the class.
template <auto Method>
EventBinding On(std::string_view event) {
    using M = detail::Member<decltype(Method)>;
    using C = typename M::Class;
    using Args = typename M::Args;
    if constexpr (std::tuple_size_v<Args> == 0) {
        return {event, std::function<void(Object&)>(
                           [](Object& o) { (static_cast<C&>(o).*Method)(); })};
    } else if constexpr (std::tuple_size_v<Args> == 1 &&
                         std::is_same_v<std::tuple_element_t<0, Args>, const String&>) {
        return {event, std::function<bool(Object&, const String&)>(
                           [](Object& o, const String& key) { return (static_cast<C&>(o).*Method)(key); })};
    } else if constexpr (std::tuple_size_v<Args> == 1) {
        return {event, std::function<void(Object&, Window&)>(
                           [](Object& o, Window& w) { (static_cast<C&>(o).*Method)(w); })};
    } else {
        return {event, std::function<bool(Object&, std::int64_t, std::int64_t)>(
                           [](Object& o, std::int64_t x, std::int64_t y) {
                               return (static_cast<C&>(o).*Method)(x, y);
                           })};
    }
}

// Declares a property whose stream value goes to a setter method; the
// property's type is the setter's parameter type. A string setter may take
// a std::string_view, which views the stream, or a String, which copies it.
template <auto Setter>
PropertyDecl Property(std::string_view name) {
    using M = detail::Member<decltype(Setter)>;
    using C = typename M::Class;
    using Value = std::remove_cvref_t<std::tuple_element_t<0, typename M::Args>>;
    using Stored = std::conditional_t<std::is_same_v<Value, String>, std::string_view, Value>;
    return {name, detail::PropertyTypeFor<Value>(), [](Object& o, const PropertyValue& v) {
                (static_cast<C&>(o).*Setter)(Value(std::get<Stored>(v)));
            }};
}

// Declares a property that layout data carries but that the framework does
// not act on (data binding, spell checking, window procedures): it is read,
// type-checked and dropped.
PropertyDecl IgnoredProperty(std::string_view name, PropertyType type);

// Applies a property stream to an object: every entry's property is looked
// up in the object's class record and set, in stored order, between the
// object's BeginProperties and EndProperties. A key the class does not
// declare, or a value of another type, raises the framework's exception
// naming the key and its byte offset; the entries before it stay applied.
void SetProperties(Object& object, std::span<const std::uint8_t> stream);

}  // namespace fw
