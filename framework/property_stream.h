// Property streams: the layout data from which every window and control is
// built. A stream is a run of entries with nothing before, between or after
// them; each entry is a key in ASCII letters, one blank (0x20) and the value,
// whose width the key's type fixes (see PropertyType). There are no type
// tags, so a reader that does not know a key cannot find the next entry.
//
// Streams are written in source as typed entries and encoded at compile time:
//
//     inline constexpr auto kTimer1Stream = fw::PropertyStream([] { return std::array{
//         fw::Prop("Period", 4000),
//         fw::Prop("RunMode", 1),
//     }; });
//
// Define streams at namespace scope: clang 14 crashes on two compile-time
// calls taking a lambda inside one function body.
//
// This header is free of Qt: the fuzz target builds the reader on its own.
#pragma once

#include "framework/property_types.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

namespace fw {

// A stream as the reader takes it: the bytes, known with their length.
using PropertyStreamView = std::span<const std::uint8_t>;

struct PropertyKey {
    std::string_view name;
    PropertyType type;
};

// Every key that layout data holds, spelt as the data spells it, with its type.
inline constexpr std::array kPropertyKeys{
    PropertyKey{"Width", PropertyType::Integer},
    PropertyKey{"Height", PropertyType::Integer},
    PropertyKey{"MinimumWidth", PropertyType::Integer},
    PropertyKey{"MinimumHeight", PropertyType::Integer},
    PropertyKey{"MaximumWidth", PropertyType::Integer},
    PropertyKey{"MaximumHeight", PropertyType::Integer},
    PropertyKey{"Type", PropertyType::Integer},
    PropertyKey{"MacProcID", PropertyType::Integer},
    PropertyKey{"DefaultLocation", PropertyType::Integer},
    PropertyKey{"Index", PropertyType::Integer},
    PropertyKey{"Left", PropertyType::Integer},
    PropertyKey{"Top", PropertyType::Integer},
    PropertyKey{"TabIndex", PropertyType::Integer},
    PropertyKey{"TabPanelIndex", PropertyType::Integer},
    PropertyKey{"TextAlignment", PropertyType::Integer},
    PropertyKey{"MaximumCharactersAllowed", PropertyType::Integer},
    PropertyKey{"MacButtonStyle", PropertyType::Integer},
    PropertyKey{"Period", PropertyType::Integer},
    PropertyKey{"RunMode", PropertyType::Integer},
    PropertyKey{"BorderThickness", PropertyType::Double},
    PropertyKey{"LineHeight", PropertyType::Double},
    PropertyKey{"LineSpacing", PropertyType::Double},
    PropertyKey{"FontSize", PropertyType::Single},
    PropertyKey{"HasCloseButton", PropertyType::Boolean},
    PropertyKey{"HasMaximizeButton", PropertyType::Boolean},
    PropertyKey{"HasMinimizeButton", PropertyType::Boolean},
    PropertyKey{"HasFullScreenButton", PropertyType::Boolean},
    PropertyKey{"Resizeable", PropertyType::Boolean},
    PropertyKey{"Composite", PropertyType::Boolean},
    PropertyKey{"FullScreen", PropertyType::Boolean},
    PropertyKey{"Visible", PropertyType::Boolean},
    PropertyKey{"HasBackgroundColor", PropertyType::Boolean},
    PropertyKey{"MenuBarVisible", PropertyType::Boolean},
    PropertyKey{"LiveResize", PropertyType::Boolean},
    PropertyKey{"LockLeft", PropertyType::Boolean},
    PropertyKey{"LockTop", PropertyType::Boolean},
    PropertyKey{"LockRight", PropertyType::Boolean},
    PropertyKey{"LockBottom", PropertyType::Boolean},
    PropertyKey{"TabStop", PropertyType::Boolean},
    PropertyKey{"AllowAutoDeactivate", PropertyType::Boolean},
    PropertyKey{"Enabled", PropertyType::Boolean},
    PropertyKey{"Transparent", PropertyType::Boolean},
    PropertyKey{"HasBorder", PropertyType::Boolean},
    PropertyKey{"HideSelection", PropertyType::Boolean},
    PropertyKey{"Multiline", PropertyType::Boolean},
    PropertyKey{"HasHorizontalScrollbar", PropertyType::Boolean},
    PropertyKey{"HasVerticalScrollbar", PropertyType::Boolean},
    PropertyKey{"AllowStyledText", PropertyType::Boolean},
    PropertyKey{"AllowFocusRing", PropertyType::Boolean},
    PropertyKey{"Bold", PropertyType::Boolean},
    PropertyKey{"Italic", PropertyType::Boolean},
    PropertyKey{"Underline", PropertyType::Boolean},
    PropertyKey{"AllowTabs", PropertyType::Boolean},
    PropertyKey{"AllowSpellChecking", PropertyType::Boolean},
    PropertyKey{"ReadOnly", PropertyType::Boolean},
    PropertyKey{"Password", PropertyType::Boolean},
    PropertyKey{"Cancel", PropertyType::Boolean},
    PropertyKey{"Default", PropertyType::Boolean},
    PropertyKey{"Selectable", PropertyType::Boolean},
    PropertyKey{"AllowFocus", PropertyType::Boolean},
    PropertyKey{"DoubleBuffer", PropertyType::Boolean},
    PropertyKey{"FontUnit", PropertyType::Enum8},
    PropertyKey{"BackgroundColor", PropertyType::Color},
    PropertyKey{"TextColor", PropertyType::Color},
    PropertyKey{"FillColor", PropertyType::Color},
    PropertyKey{"TopLeftColor", PropertyType::Color},
    PropertyKey{"BottomRightColor", PropertyType::Color},
    PropertyKey{"Name", PropertyType::String},
    PropertyKey{"Title", PropertyType::String},
    PropertyKey{"Caption", PropertyType::String},
    PropertyKey{"Value", PropertyType::String},
    PropertyKey{"FontName", PropertyType::String},
    PropertyKey{"Format", PropertyType::String},
    PropertyKey{"Tooltip", PropertyType::String},
    PropertyKey{"Hint", PropertyType::String},
    PropertyKey{"ValidationMask", PropertyType::String},
    PropertyKey{"DataSource", PropertyType::String},
    PropertyKey{"DataField", PropertyType::String},
    PropertyKey{"InitialParent", PropertyType::String},
};
static_assert(kPropertyKeys.size() == 79);

constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

namespace detail {

template <class Word>
Word LoadWord(const char* at) {
    Word word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Whether two texts of the same length hold the same bytes. At run time a
// key is compared in words, the last one overlapping the one before (the
// longest key takes three loads a side): the library's memcmp, called for
// every entry, cost more than the rest of finding the key.
constexpr bool SameBytes(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (std::is_constant_evaluated() || n < 4) return a == b;
    const char* x = a.data();
    const char* y = b.data();
    if (n < 8)
        return LoadWord<std::uint32_t>(x) == LoadWord<std::uint32_t>(y) &&
               LoadWord<std::uint32_t>(x + n - 4) == LoadWord<std::uint32_t>(y + n - 4);
    for (std::size_t i = 0; i + 8 < n; i += 8)
        if (LoadWord<std::uint64_t>(x + i) != LoadWord<std::uint64_t>(y + i)) return false;
    return LoadWord<std::uint64_t>(x + n - 8) == LoadWord<std::uint64_t>(y + n - 8);
}

// Every entry of every stream is looked up by its key, so the keys sit in a
// hash table rather than being compared one by one: open addressing with
// linear probing. Most slots stay empty, which keeps probes short and ends
// every search. A key's slot comes from its length and its first, middle
// and last bytes, packed into one word and multiplied by 2^32 divided by
// the golden ratio, whose top byte is the slot (Fibonacci hashing): one
// multiplication per entry, and those four bytes tell the 79 keys apart
// (see the bound on probes below). Bit 0x20 is set in each of those bytes,
// which lowercases ASCII letters: names that differ only in case hash alike.
constexpr std::size_t kKeySlotCount = 256;

constexpr std::size_t KeySlot(std::string_view name) {
    if (name.empty()) return 0;
    const auto byte = [&](std::size_t at) { return std::uint32_t{static_cast<std::uint8_t>(name[at])} | 0x20u; };
    const std::uint32_t packed = (static_cast<std::uint32_t>(name.size()) & 0xFFu) | byte(0) << 8 |
                                 byte(name.size() / 2) << 16 | byte(name.size() - 1) << 24;
    return (packed * 0x9E3779B1u) >> 24;
}

constexpr std::uint8_t kEmptyKeySlot = 0xFF;
static_assert(kPropertyKeys.size() < kEmptyKeySlot && kPropertyKeys.size() * 2 < kKeySlotCount);

// Each slot holds a position in kPropertyKeys, or kEmptyKeySlot.
inline constexpr auto kKeySlots = [] {
    std::array<std::uint8_t, kKeySlotCount> table{};
    table.fill(kEmptyKeySlot);
    for (std::size_t i = 0; i < kPropertyKeys.size(); ++i) {
        std::size_t slot = KeySlot(kPropertyKeys[i].name);
        while (table[slot] != kEmptyKeySlot) slot = (slot + 1) % kKeySlotCount;
        table[slot] = static_cast<std::uint8_t>(i);
    }
    return table;
}();

}  // namespace detail

// The position of the key of that name in kPropertyKeys, or the table's size
// when there is none. Letter case does not count: classes declare some
// properties in another case than the data spells them ("MultiLine" for the
// key "Multiline"). The compile-time encoder uses this form: GCC's
// undefined-behaviour checks make a comparison of a table pointer with
// nullptr unusable in a constant expression.
constexpr std::size_t PropertyKeyIndex(std::string_view name) {
    for (std::size_t slot = detail::KeySlot(name);;
         slot = (slot + 1) % detail::kKeySlotCount) {
        const std::uint8_t index = detail::kKeySlots[slot];
        if (index == detail::kEmptyKeySlot) return kPropertyKeys.size();
        // Layout data spells its keys as the table does; the exact comparison
        // settles nearly every lookup.
        const std::string_view key = kPropertyKeys[index].name;
        if (key.size() == name.size() && (detail::SameBytes(key, name) || EqualIgnoringAsciiCase(key, name)))
            return index;
    }
}

// The key of that name, letter case aside, or nullptr.
constexpr const PropertyKey* FindPropertyKey(std::string_view name) {
    const std::size_t index = PropertyKeyIndex(name);
    return index < kPropertyKeys.size() ? &kPropertyKeys[index] : nullptr;
}

// Every key is found where it stands; a second key differing only in case
// from another would not be.
static_assert([] {
    for (std::size_t i = 0; i < kPropertyKeys.size(); ++i) {
        if (PropertyKeyIndex(kPropertyKeys[i].name) != i) return false;
    }
    return true;
}());

// No key is more than two slots past the one its hash names.
static_assert([] {
    for (const PropertyKey& key : kPropertyKeys) {
        std::size_t slot = detail::KeySlot(key.name);
        for (int probes = 1; kPropertyKeys[detail::kKeySlots[slot]].name != key.name; ++probes) {
            if (probes == 3) return false;
            slot = (slot + 1) % detail::kKeySlotCount;
        }
    }
    return true;
}());

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

// One entry as read: the key as the key table spells it, the decoded value
// (its alternative is the key's type; a string views the stream's bytes),
// the byte offset of the key and the key's position in kPropertyKeys.
struct PropertyEntry {
    std::string_view key;
    PropertyValue value;
    std::size_t offset;
    std::size_t keyIndex;
};

// Reads the entry that starts at byte `at` of the stream and moves `at` past
// it. A malformed entry raises UnsupportedFormatException naming the key and
// the byte offset; nothing is ever read past the end.
PropertyEntry ReadPropertyEntry(PropertyStreamView stream, std::size_t& at);

// Reads the entries in stored order, to exactly the stream's end, handing
// each to `apply` as soon as it is read; entries applied before a fault stay
// applied. A malformed stream raises UnsupportedFormatException naming the
// key and the byte offset; nothing is ever read past the end. An exception
// from `apply` passes through unchanged. `apply` is called directly, not
// through a type-erased wrapper: a window's streams hold some 900 entries.
template <class Apply>
void ReadPropertyStream(PropertyStreamView stream, Apply&& apply) {
    for (std::size_t at = 0; at < stream.size();) apply(ReadPropertyEntry(stream, at));
}

}  // namespace fw
