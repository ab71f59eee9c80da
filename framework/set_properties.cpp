#include "framework/object.h"
#include "framework/property_stream.h"

#include <string>

namespace fw {

namespace {

std::string Where(const PropertyEntry& entry) {
    return "\"" + std::string(entry.key) + "\" at byte " + std::to_string(entry.offset);
}

[[noreturn]] void RaiseUndeclared(const ClassRecord& record, const PropertyEntry& entry) {
    throw UnsupportedFormatException("property stream: " + record.name + " has no property " + Where(entry));
}

[[noreturn]] void RaiseMismatch(const ClassRecord& record, const PropertyDecl& property, const PropertyEntry& entry) {
    throw TypeMismatchException("property stream: " + Where(entry) + " is a " + TypeName(TypeOf(entry.value)) +
                                ", but " + record.name + " declares it a " + TypeName(property.type));
}

}  // namespace

void SetProperties(Object& object, std::span<const std::uint8_t> stream) {
    CheckUIThread();
    const ClassRecord& record = object.Record();
    const auto apply = [&](const PropertyEntry& entry) {
        const PropertyDecl* property = record.PropertyForKey(entry.keyIndex);
        if (!property) RaiseUndeclared(record, entry);
        if (property->type != TypeOf(entry.value)) RaiseMismatch(record, *property, entry);
        property->set(object, entry.value);
    };
    object.BeginProperties();
    try {
        ReadPropertyStream(stream, apply);
    } catch (...) {
        object.EndProperties();  // what was applied before the fault stays
        throw;
    }
    object.EndProperties();
}

}  // namespace fw
