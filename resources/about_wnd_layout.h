// The About window's layout data: the window's own stream and one stream per
// control, each applied as stored when the window is built.
#pragma once

#include "framework/property_encoder.h"
#include "resources/layout_common.h"
#include "resources/notices.h"

#include <cstdint>
#include <string_view>

namespace about_wnd_layout {

using namespace layout;

inline constexpr auto kWindow = fw::PropertyStream([] {
    return layout::WindowEntries({.width = 314, .height = 200, .maximumWidth = 32000, .maximumHeight = 32000,
                                  .type = 2, .title = "", .hasMaximizeButton = true, .resizeable = true,
                                  .hasBackgroundColor = true});
});

// What sets the two labels apart; the rest of their streams is the same.
struct LabelValues {
    std::string_view name;
    std::int64_t left, top, width, height;
    std::int64_t tabIndex;
    bool bold;
    fw::Color textColor;
    std::string_view value;
    int fontSize;
};

// A label's entries in the order this window stores them, which differs
// from the main window's labels.
consteval auto LabelEntries(LabelValues v) {
    return std::array{
        fw::Prop("InitialParent", ""),
        fw::Prop("DataField", ""),
        fw::Prop("DataSource", ""),
        fw::Prop("Underline", false),
        fw::Prop("Italic", false),
        fw::Prop("Bold", v.bold),
        fw::Prop("Visible", true),
        fw::Prop("Transparent", true),
        fw::Prop("TextColor", v.textColor),
        fw::Prop("Selectable", false),
        fw::Prop("Multiline", false),
        fw::Prop("Enabled", true),
        fw::Prop("TabStop", false),
        fw::Prop("TabPanelIndex", 0),
        fw::Prop("TabIndex", v.tabIndex),
        fw::Prop("LockBottom", false),
        fw::Prop("LockRight", false),
        fw::Prop("LockTop", false),
        fw::Prop("LockLeft", false),
        fw::Prop("Height", v.height),
        fw::Prop("Width", v.width),
        fw::Prop("Top", v.top),
        fw::Prop("Left", v.left),
        fw::Prop("Index", kNoIndex),
        fw::Prop("Name", v.name),
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("Tooltip", ""),
        fw::Prop("TextAlignment", 2),
        fw::Prop("Value", v.value),
        fw::Prop("FontName", "System"),
        fw::Prop("FontSize", v.fontSize),
        fw::Prop("FontUnit", 0),
    };
}

// The notice along the bottom edge.
inline constexpr auto kStaticText5 = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText5", .left = 0, .top = 171, .width = 313, .height = 16,
                         .tabIndex = 0, .bold = false, .textColor = kCountRed,
                         .value = kNotice, .fontSize = 11});
});

// The product name across the top.
inline constexpr auto kStaticText1 = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText1", .left = 0, .top = 0, .width = 308, .height = 51,
                         .tabIndex = 2, .bold = true, .textColor = kDarkRed,
                         .value = kProductName, .fontSize = 28});
});

// One shot, 4000 ms after the window is built. The timer's name comes from
// adding it to the window, so its stream holds nothing else.
inline constexpr auto kTimer1 = fw::PropertyStream([] {
    return std::array{
        fw::Prop("Period", 4000),
        fw::Prop("RunMode", 1),
    };
});
static_assert(kTimer1.size() == 31);

// The picture, centred across the window's width: (314 - 100) / 2 = 107.
inline constexpr auto kCanvas1 = fw::PropertyStream([] {
    return std::array{
        fw::Prop("InitialParent", ""),
        fw::Prop("Transparent", true),
        fw::Prop("Visible", true),
        fw::Prop("Enabled", true),
        fw::Prop("TabStop", true),
        fw::Prop("TabPanelIndex", 0),
        fw::Prop("TabIndex", 3),
        fw::Prop("LockBottom", false),
        fw::Prop("LockRight", false),
        fw::Prop("LockTop", true),
        fw::Prop("LockLeft", true),
        fw::Prop("Height", 105),
        fw::Prop("Width", 100),
        fw::Prop("Top", 54),
        fw::Prop("Left", 107),
        fw::Prop("Index", kNoIndex),
        fw::Prop("Name", "Canvas1"),
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("Tooltip", ""),
        fw::Prop("AllowFocusRing", true),
        fw::Prop("AllowFocus", false),
        fw::Prop("AllowTabs", false),
        fw::Prop("DoubleBuffer", false),
    };
});

}  // namespace about_wnd_layout
