// The value types that layout data carries. Every window and control is built
// from property streams (see property_stream.h); each framework class declares
// the properties a stream may set, with the type of each.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace fw {

// The framework's text: UTF-8.
using String = std::string;

// The seven encodings a stream value can have; the key's type fixes which.
enum class PropertyType : std::uint8_t {
    Integer,  // 8 bytes, signed, little-endian
    Double,   // 8 bytes, IEEE 754 double, little-endian
    Single,   // 4 bytes, IEEE 754 single, little-endian
    Boolean,  // 1 byte, 0 or 1
    Enum8,    // 1 byte, unsigned
    Color,    // 4 bytes as stored
    String,   // 4-byte little-endian byte count, then that many UTF-8 bytes
};

// A colour as stored: red, green, blue, then a byte where 0 means opaque.
struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t transparency = 0;
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

// A decoded value; the alternative's index is the PropertyType. A string is
// read in place: it views the stream's own bytes, which the application's
// constant streams keep for the whole run, so reading one copies nothing.
using PropertyValue = std::variant<std::int64_t, double, float, bool, std::uint8_t, Color, std::string_view>;

constexpr PropertyType TypeOf(const PropertyValue& v) { return static_cast<PropertyType>(v.index()); }

const char* TypeName(PropertyType type);

}  // namespace fw
