// What the layout data of the three windows has in common: the value that
// marks a single control, the colours that occur, and the window stream,
// whose 22 keys stand in the same order in every window.
#pragma once

#include "framework/property_encoder.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace layout {

// "No index": the control is a single control, not a member of a set.
inline constexpr std::int64_t kNoIndex = -2147483648LL;

inline constexpr fw::Color kWhite{0xFF, 0xFF, 0xFF, 0};
inline constexpr fw::Color kBlack{0x00, 0x00, 0x00, 0};
inline constexpr fw::Color kLightGrey{0xE6, 0xE6, 0xE6, 0};
inline constexpr fw::Color kGrey{0x80, 0x80, 0x80, 0};
inline constexpr fw::Color kDarkGrey{0x33, 0x33, 0x33, 0};
inline constexpr fw::Color kCountRed{0xCD, 0x22, 0x18, 0};
inline constexpr fw::Color kDarkRed{0x80, 0x00, 0x00, 0};

// What sets one window's stream apart from another's.
struct WindowValues {
    std::int64_t width, height;
    std::int64_t maximumWidth, maximumHeight;
    std::int64_t type;
    std::string_view title;
    bool hasMaximizeButton;
    bool resizeable;
    bool hasBackgroundColor;
};

consteval auto WindowEntries(const WindowValues& v) {
    return std::array{
        fw::Prop("Width", v.width),
        fw::Prop("Height", v.height),
        fw::Prop("MinimumWidth", 64),
        fw::Prop("MinimumHeight", 64),
        fw::Prop("MaximumWidth", v.maximumWidth),
        fw::Prop("MaximumHeight", v.maximumHeight),
        fw::Prop("Type", v.type),
        fw::Prop("Title", v.title),
        fw::Prop("HasCloseButton", true),
        fw::Prop("HasMaximizeButton", v.hasMaximizeButton),
        fw::Prop("HasMinimizeButton", true),
        fw::Prop("HasFullScreenButton", false),
        fw::Prop("Resizeable", v.resizeable),
        fw::Prop("Composite", false),
        fw::Prop("MacProcID", 0),
        fw::Prop("FullScreen", false),
        fw::Prop("DefaultLocation", 0),
        fw::Prop("Visible", true),
        fw::Prop("HasBackgroundColor", v.hasBackgroundColor),
        fw::Prop("BackgroundColor", kWhite),
        fw::Prop("MenuBarVisible", true),
        fw::Prop("LiveResize", false),
    };
}

}  // namespace layout
