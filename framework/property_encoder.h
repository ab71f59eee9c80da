// The compile-time encoder of property streams (see property_stream.h). A
// stream is written in source as typed entries:
//
//     inline constexpr auto kTimer1Stream = fw::PropertyStream([] { return std::array{
//         fw::Prop("Period", 4000),
//         fw::Prop("RunMode", 1),
//     }; });
//
// Each entry is checked against its key's type and the whole is encoded
// while compiling: a key that is not a layout key, or a value that does not
// fit it, stops the build.
//
// Define streams at namespace scope: clang 14 crashes on two compile-time
// calls taking a lambda inside one function body.
#pragma once

#include "framework/property_keys.h"
#include "framework/property_types.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

namespace fw {

// The fixed width of a value of that type; for a string, its byte count.
constexpr std::size_t FixedValueWidth(PropertyType type) {
    switch (type) {
    case PropertyType::Integer:
    case PropertyType::Double: return 8;
    case PropertyType::Single:
    case PropertyType::Color:
    case PropertyType::String: return 4;
    case PropertyType::Boolean:
    case PropertyType::Enum8: return 1;
    }
    return 0;
}

// One entry written in source, checked against its key's type and ready to
// encode: the value's bytes as a little-endian number, or a string's text.
struct PropertyLiteral {
    PropertyKey key;
    std::uint64_t bits = 0;
    std::string_view text;

    constexpr std::size_t EncodedSize() const {
        return key.name.size() + 1 + FixedValueWidth(key.type) + text.size();
    }
};

namespace detail {

// Characters and bools are integral types too, but never stand for a number.
template <class V>
constexpr bool kIsIntegerLiteral =
    std::is_integral_v<V> && !std::is_same_v<V, bool> && !std::is_same_v<V, char> && !std::is_same_v<V, wchar_t> &&
    !std::is_same_v<V, char8_t> && !std::is_same_v<V, char16_t> && !std::is_same_v<V, char32_t>;

template <class V>
constexpr bool kIsText = std::is_same_v<V, std::string_view> ||
                         (std::is_array_v<V> && std::is_same_v<std::remove_extent_t<V>, char>);

// A string literal's text, without its terminating zero.
template <class V>
constexpr std::string_view TextOf(const V& value) {
    if constexpr (std::is_array_v<V>) {
        return std::string_view(value, std::extent_v<V> - 1);
    } else {
        return value;
    }
}

constexpr bool ExactInSingle(std::int64_t value) {
    const float single = static_cast<float>(value);
    return single >= -0x1p63f && single < 0x1p63f && static_cast<std::int64_t>(single) == value;
}

constexpr std::optional<PropertyLiteral> Literal(PropertyKey key, PropertyType type, std::uint64_t bits,
                                                 std::string_view text = {}) {
    if (key.type != type) return std::nullopt;
    return PropertyLiteral{key, bits, text};
}

// An integer literal fits an integer key, a small enumeration within 0..255,
// and a single-precision key when the float holds it exactly (FontSize 12).
template <class V>
constexpr std::optional<PropertyLiteral> IntegerLiteral(PropertyKey key, V value) {
    if (!std::in_range<std::int64_t>(value)) return std::nullopt;
    const auto wide = static_cast<std::int64_t>(value);
    switch (key.type) {
    case PropertyType::Integer: return Literal(key, key.type, static_cast<std::uint64_t>(wide));
    case PropertyType::Enum8:
        if (wide < 0 || wide > 255) return std::nullopt;
        return Literal(key, key.type, static_cast<std::uint64_t>(wide));
    case PropertyType::Single:
        if (!ExactInSingle(wide)) return std::nullopt;
        return Literal(key, key.type, std::bit_cast<std::uint32_t>(static_cast<float>(wide)));
    default: return std::nullopt;
    }
}

// The entry for that value under that key, or nullopt when the value's C++
// type does not fit the key's type.
template <class V>
constexpr std::optional<PropertyLiteral> MakeLiteral(PropertyKey key, const V& value) {
    if constexpr (std::is_same_v<V, bool>) {
        return Literal(key, PropertyType::Boolean, value ? 1 : 0);
    } else if constexpr (kIsIntegerLiteral<V>) {
        return IntegerLiteral(key, value);
    } else if constexpr (std::is_same_v<V, double>) {
        return Literal(key, PropertyType::Double, std::bit_cast<std::uint64_t>(value));
    } else if constexpr (std::is_same_v<V, float>) {
        return Literal(key, PropertyType::Single, std::bit_cast<std::uint32_t>(value));
    } else if constexpr (std::is_same_v<V, Color>) {
        const auto byte = [](std::uint8_t b, int index) { return std::uint64_t{b} << (8 * index); };
        return Literal(key, PropertyType::Color,
                       byte(value.red, 0) | byte(value.green, 1) | byte(value.blue, 2) | byte(value.transparency, 3));
    } else if constexpr (kIsText<V>) {
        const std::string_view text = TextOf(value);
        if (text.size() > UINT32_MAX) return std::nullopt;
        return Literal(key, PropertyType::String, text.size(), text);
    } else {
        return std::nullopt;
    }
}

// Deliberately not constexpr: reaching one while a stream is encoded stops
// the build, and the compiler's message names the fault.
inline void KeyIsNotALayoutKey() {}
inline void ValueDoesNotFitTheKeysType() {}

constexpr void AppendLittleEndian(std::span<std::uint8_t> out, std::size_t& at, std::uint64_t bits,
                                  std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) out[at++] = static_cast<std::uint8_t>(bits >> (8 * i));
}

constexpr void AppendBytes(std::span<std::uint8_t> out, std::size_t& at, std::string_view bytes) {
    for (char c : bytes) out[at++] = static_cast<std::uint8_t>(c);
}

constexpr void Append(std::span<std::uint8_t> out, std::size_t& at, const PropertyLiteral& entry) {
    AppendBytes(out, at, entry.key.name);
    out[at++] = ' ';
    AppendLittleEndian(out, at, entry.bits, FixedValueWidth(entry.key.type));
    AppendBytes(out, at, entry.text);
}

template <std::size_t N>
constexpr std::size_t EncodedSize(const std::array<PropertyLiteral, N>& entries) {
    std::size_t size = 0;
    for (const PropertyLiteral& entry : entries) size += entry.EncodedSize();
    return size;
}

}  // namespace detail

// One entry of a stream written in source. The key must be one of the layout
// keys, spelt as the data spells it, so that source and stream read alike.
// The value is an integer literal (integer and small-enumeration keys, or a
// single-precision key when exact), a double, a float, a bool, an fw::Color
// or a string (literal or std::string_view, UTF-8).
template <class V>
consteval PropertyLiteral Prop(std::string_view name, const V& value) {
    const std::size_t index = PropertyKeyIndex(name);
    if (index == kPropertyKeys.size() || kPropertyKeys[index].name != name) detail::KeyIsNotALayoutKey();
    const std::optional<PropertyLiteral> entry = detail::MakeLiteral(kPropertyKeys[index], value);
    if (!entry) detail::ValueDoesNotFitTheKeysType();
    return *entry;
}

// The bytes of the stream whose entries the given captureless lambda returns
// as a std::array of Prop, encoded at compile time. The lambda is called as a
// type, not as an argument, so that its result is a constant and can size
// the array.
template <class F>
consteval auto PropertyStream(F) {
    constexpr auto entries = F{}();
    std::array<std::uint8_t, detail::EncodedSize(entries)> out{};
    std::size_t at = 0;
    for (const PropertyLiteral& entry : entries) detail::Append(out, at, entry);
    return out;
}

}  // namespace fw
