// The framework's exceptions. Any framework call may raise one; the system's
// own code catches none, so each carries its class name for the report that
// the framework makes when one escapes.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
    virtual const char* ClassName() const { return "RuntimeException"; }
};

#define FW_DECLARE_EXCEPTION(Name)                                           \
    class Name : public RuntimeException {                                   \
    public:                                                                  \
        explicit Name(const std::string& message) : RuntimeException(message) {} \
        const char* ClassName() const override { return #Name; }            \
    };

// A nil object was used where an object is needed.
FW_DECLARE_EXCEPTION(NilObjectException)
// An object was cast to a class it is not of.
FW_DECLARE_EXCEPTION(IllegalCastException)
// A value or a handler does not have the type its use requires.
FW_DECLARE_EXCEPTION(TypeMismatchException)
// Data is not in the format it claims to be in (a malformed property stream).
FW_DECLARE_EXCEPTION(UnsupportedFormatException)
FW_DECLARE_EXCEPTION(OutOfBoundsException)
FW_DECLARE_EXCEPTION(FunctionNotFoundException)
FW_DECLARE_EXCEPTION(StackOverflowException)
// A window, control, menu or dialog operation was called off the
// user-interface thread.
FW_DECLARE_EXCEPTION(ThreadAccessingUIException)

#undef FW_DECLARE_EXCEPTION

}  // namespace fw
