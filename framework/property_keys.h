// The layout keys: every key a property stream may hold, spelt as layout
// data spells it, with the type that fixes the width of its value, and the
// lookup that finds a key from its name for the encoder and the reader.
#pragma once

#include "framework/property_types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace fw {

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

}  // namespace fw
