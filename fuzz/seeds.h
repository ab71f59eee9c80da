// The streams the fuzz target starts from: what the encoder makes of them
// stands in fuzz/corpus/, one file each, written by fuzz/write_seeds.sh and
// checked by the property-stream tests. Between them they hold every value
// type, a negative integer, a string with a line break and one with a
// two-byte character, a key standing twice, and the About window's order.
#pragma once

#include "framework/property_encoder.h"
#include "framework/property_stream.h"

#include <array>
#include <string_view>

inline constexpr auto kTextAreaSeed = fw::PropertyStream([] { return std::array{
    fw::Prop("Name", "SeedField"), fw::Prop("Left", -1), fw::Prop("Top", -11),
    fw::Prop("LineHeight", 0.0), fw::Prop("LineSpacing", 1.0), fw::Prop("Multiline", true),
    fw::Prop("Value", "Line one\rLine two"), fw::Prop("Transparent", true), fw::Prop("Transparent", true),
}; });

inline constexpr auto kTimer1Stream = fw::PropertyStream([] { return std::array{
    fw::Prop("Period", 4000),
    fw::Prop("RunMode", 1),
}; });

// Some of a label's entries, in the order the About window stores them.
constexpr auto LabelEntries() {
    return std::array{
        fw::Prop("InitialParent", ""), fw::Prop("Bold", false), fw::Prop("Visible", true),
        fw::Prop("TextColor", fw::Color{0xCD, 0x22, 0x18, 0}), fw::Prop("Multiline", false), fw::Prop("TabIndex", 0),
        fw::Prop("Height", 16), fw::Prop("Width", 313), fw::Prop("Top", 171),
        fw::Prop("Left", 0), fw::Prop("Index", -2147483648), fw::Prop("Name", "SeedLabel"),
        fw::Prop("TextAlignment", 2), fw::Prop("Value", "\u00A9 1999-2020 A. N. Author"),
        fw::Prop("FontName", "System"), fw::Prop("FontSize", 11.0f), fw::Prop("FontUnit", 0),
    };
}

inline constexpr auto kLabelStream = fw::PropertyStream([] { return LabelEntries(); });

struct FuzzSeed {
    std::string_view name;  // the file's name in fuzz/corpus/
    fw::PropertyStreamView stream;
};

inline constexpr FuzzSeed kFuzzSeeds[] = {
    {"timer", kTimer1Stream},
    {"label", kLabelStream},
    {"text_area", kTextAreaSeed},
};
