// Layout data of the Description window: the window's own stream and the
// streams of its two text areas. DescribeFld is empty and read-only and lies
// beneath DescribeFld2, which holds the explanatory text, is editable, and
// stands at the same origin two points wider and two points shorter. Both
// follow all four edges of the window when it is resized.
#pragma once

#include "framework/property_encoder.h"
#include "resources/layout_common.h"
#include "resources/description_text.h"

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr auto kDescriptionWndStream = fw::PropertyStream([] {
    return layout::WindowEntries({.width = 427, .height = 491, .maximumWidth = 32000, .maximumHeight = 32000,
                                  .type = 0, .title = "Description", .hasMaximizeButton = true,
                                  .resizeable = true, .hasBackgroundColor = false});
});

// What tells the two text areas apart; every other entry is the same.
struct DescriptionTextAreaValues {
    std::string_view name;
    std::int64_t width, height, tabIndex;
    bool readOnly;
    std::string_view text;
};

// A text area's entries in the order this window's data keeps them.
consteval auto DescriptionTextArea(const DescriptionTextAreaValues& v) {
    using layout::kBlack, layout::kWhite;
    return std::array{
        fw::Prop("Name", v.name),
        fw::Prop("Index", layout::kNoIndex),
        fw::Prop("Left", -1),
        fw::Prop("Top", -1),
        fw::Prop("Width", v.width),
        fw::Prop("Height", v.height),
        fw::Prop("LockLeft", true),
        fw::Prop("LockTop", true),
        fw::Prop("LockRight", true),
        fw::Prop("LockBottom", true),
        fw::Prop("TabIndex", v.tabIndex),
        fw::Prop("TabPanelIndex", 0),
        fw::Prop("TabStop", true),
        fw::Prop("Enabled", true),
        fw::Prop("Format", ""),
        fw::Prop("HideSelection", true),
        fw::Prop("LineHeight", 0.0),
        fw::Prop("LineSpacing", 1.0),
        fw::Prop("Multiline", true),
        fw::Prop("TextColor", kBlack),
        fw::Prop("Transparent", true),
        fw::Prop("Visible", true),
        fw::Prop("Bold", false),
        fw::Prop("Italic", false),
        fw::Prop("Underline", false),
        fw::Prop("ReadOnly", v.readOnly),
        fw::Prop("DataSource", ""),
        fw::Prop("DataField", ""),
        fw::Prop("InitialParent", ""),
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("BackgroundColor", kWhite),
        fw::Prop("HasBorder", true),
        fw::Prop("Tooltip", ""),
        fw::Prop("HasHorizontalScrollbar", false),
        fw::Prop("HasVerticalScrollbar", true),
        fw::Prop("AllowStyledText", true),
        fw::Prop("AllowFocusRing", true),
        fw::Prop("FontName", "System"),
        fw::Prop("FontSize", 0),
        fw::Prop("FontUnit", 0),
        fw::Prop("Value", v.text),
        fw::Prop("AllowTabs", false),
        fw::Prop("TextAlignment", 0),
        fw::Prop("AllowSpellChecking", true),
        fw::Prop("MaximumCharactersAllowed", 0),
        fw::Prop("ValidationMask", ""),
    };
}

inline constexpr auto kDescribeFldStream = fw::PropertyStream([] {
    return DescriptionTextArea(
        {.name = "DescribeFld", .width = 427, .height = 478, .tabIndex = 0, .readOnly = true, .text = ""});
});

inline constexpr auto kDescribeFld2Stream = fw::PropertyStream([] {
    return DescriptionTextArea({.name = "DescribeFld2",
                                .width = 429,
                                .height = 476,
                                .tabIndex = 1,
                                .readOnly = false,
                                .text = kDescriptionText});
});

// The text area that holds the text is the longest stream of the system.
static_assert(kDescribeFld2Stream.size() == 3120);
static_assert(DescriptionTextArea({}).size() == 46);
