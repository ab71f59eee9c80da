#include "framework/object.h"
#include "framework/property_stream.h"

#include <string>

namespace fw {

void SetProperties(Object& object, std::span<const std::uint8_t> stream) {
    const ClassRecord& record = object.Record();
    ReadPropertyStream(stream, [&](const PropertyEntry& entry) {
        const PropertyDecl* property = record.FindProperty(entry.key);
        const std::string where = "\"" + std::string(entry.key) + "\" at byte " + std::to_string(entry.offset);
        if (!property) throw UnsupportedFormatException("property stream: " + record.name + " has no property " + where);
        if (property->type != TypeOf(entry.value))
            throw TypeMismatchException("property stream: " + where + " is a " + TypeName(TypeOf(entry.value)) +
                                        ", but " + record.name + " declares it a " + TypeName(property->type));
        property->set(object, entry.value);
    });
}

}  // namespace fw
