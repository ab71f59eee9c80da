// The main window's layout data: the window's stream and the streams of its
// 25 controls, in the order the window creates them.
//
// Every control stream begins with the same twelve keys (name, index,
// place, locks, tab index, tab panel), goes on with its class's keys and
// ends with InitialParent. Each class's builder below lists its keys once,
// in stored order, with the values that all its controls share; each stream
// then gives only what sets that control apart.
#pragma once

#include "framework/property_encoder.h"
#include "resources/layout_common.h"
#include "resources/notices.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace control_wnd_layout {

using namespace layout;

inline constexpr std::int64_t kDefaultAlignment = 0;
inline constexpr std::int64_t kCentred = 2;
inline constexpr std::int64_t kRight = 3;

// Where a control stands (window coordinates, also inside a rectangle) and
// how the keyboard reaches it.
struct Place {
    std::string_view name{};
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    std::int64_t tabIndex = 0;
    bool tabStop = true;  // a rectangle's stream has no TabStop
    bool enabled = true;
};

// Text, font and colour of a text-bearing control.
struct Look {
    std::string_view text{};
    float fontSize = 0;  // 0: the system's standard size
    bool bold = false;
    std::int64_t alignment = kDefaultAlignment;
    fw::Color textColor = kBlack;
};

template <std::size_t N, std::size_t M>
consteval std::array<fw::PropertyLiteral, N + M> Join(const std::array<fw::PropertyLiteral, N>& head,
                                                      const std::array<fw::PropertyLiteral, M>& tail) {
    std::array<fw::PropertyLiteral, N + M> all{};
    for (std::size_t i = 0; i < N; ++i) all[i] = head[i];
    for (std::size_t i = 0; i < M; ++i) all[N + i] = tail[i];
    return all;
}

// The twelve keys that begin every control stream. Only the count fields
// are locked to all four edges.
consteval auto Placed(const Place& p, bool locked = false) {
    return std::array{
        fw::Prop("Name", p.name),         fw::Prop("Index", kNoIndex),      fw::Prop("Left", p.left),
        fw::Prop("Top", p.top),           fw::Prop("Width", p.width),       fw::Prop("Height", p.height),
        fw::Prop("LockLeft", locked),     fw::Prop("LockTop", locked),      fw::Prop("LockRight", locked),
        fw::Prop("LockBottom", locked),   fw::Prop("TabIndex", p.tabIndex), fw::Prop("TabPanelIndex", 0),
    };
}

// A bevelled light-grey frame around one column of the table of counts.
consteval auto RectangleEntries(const Place& p) {
    return Join(Placed(p), std::array{
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("BorderThickness", 2.0),
        fw::Prop("BottomRightColor", kDarkGrey),
        fw::Prop("Enabled", p.enabled),
        fw::Prop("FillColor", kLightGrey),
        fw::Prop("Tooltip", ""),
        fw::Prop("TopLeftColor", kGrey),
        fw::Prop("Transparent", true),
        fw::Prop("Visible", true),
        fw::Prop("InitialParent", ""),
    });
}

// A count of the table: a text area one line high, inside the rectangle of
// its column. It is kept to one line (Multiline false): a line break would
// leave only the last line in view while the first is computed.
consteval auto CountFieldEntries(const Place& p, const Look& look, std::string_view rectangle) {
    return Join(Placed(p, true), std::array{
        fw::Prop("TabStop", p.tabStop),
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("BackgroundColor", kWhite),
        fw::Prop("HasBorder", true),
        fw::Prop("Enabled", p.enabled),
        fw::Prop("Format", ""),
        fw::Prop("Tooltip", ""),
        fw::Prop("HideSelection", true),
        fw::Prop("LineHeight", 0.0),
        fw::Prop("LineSpacing", 1.0),
        fw::Prop("Multiline", false),
        fw::Prop("HasHorizontalScrollbar", false),
        fw::Prop("HasVerticalScrollbar", false),
        fw::Prop("AllowStyledText", true),
        fw::Prop("TextColor", look.textColor),
        fw::Prop("Transparent", true),
        fw::Prop("AllowFocusRing", true),
        fw::Prop("Visible", true),
        fw::Prop("Bold", look.bold),
        fw::Prop("Italic", false),
        fw::Prop("FontName", "System"),
        fw::Prop("FontSize", look.fontSize),
        fw::Prop("FontUnit", 0),
        fw::Prop("Underline", false),
        fw::Prop("Value", look.text),
        fw::Prop("AllowTabs", false),
        fw::Prop("TextAlignment", look.alignment),
        fw::Prop("AllowSpellChecking", true),
        fw::Prop("MaximumCharactersAllowed", 0),
        fw::Prop("ValidationMask", ""),
        fw::Prop("ReadOnly", false),
        fw::Prop("DataSource", ""),
        fw::Prop("DataField", ""),
        fw::Prop("InitialParent", rectangle),
    });
}

// A percentage or the result: a single-line text field on the window.
consteval auto PercentFieldEntries(const Place& p, const Look& look) {
    return Join(Placed(p), std::array{
        fw::Prop("TabStop", p.tabStop),
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("BackgroundColor", kWhite),
        fw::Prop("HasBorder", true),
        fw::Prop("Enabled", p.enabled),
        fw::Prop("Format", ""),
        fw::Prop("Tooltip", ""),
        fw::Prop("Password", false),
        fw::Prop("TextColor", look.textColor),
        fw::Prop("Transparent", true),
        fw::Prop("AllowFocusRing", true),
        fw::Prop("Visible", true),
        fw::Prop("FontName", "System"),
        fw::Prop("FontSize", look.fontSize),
        fw::Prop("FontUnit", 0),
        fw::Prop("Bold", look.bold),
        fw::Prop("Italic", false),
        fw::Prop("Underline", false),
        fw::Prop("Hint", ""),
        fw::Prop("Value", look.text),
        fw::Prop("AllowTabs", false),
        fw::Prop("TextAlignment", look.alignment),
        fw::Prop("AllowSpellChecking", false),
        fw::Prop("MaximumCharactersAllowed", 0),
        fw::Prop("ValidationMask", ""),
        fw::Prop("ReadOnly", false),
        fw::Prop("DataSource", ""),
        fw::Prop("DataField", ""),
        fw::Prop("InitialParent", ""),
    });
}

// Neither button is the default or the cancel button: Return and Escape
// press neither.
consteval auto ButtonEntries(const Place& p, const Look& look) {
    return Join(Placed(p), std::array{
        fw::Prop("TabStop", p.tabStop),
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("MacButtonStyle", 0),
        fw::Prop("Cancel", false),
        fw::Prop("Caption", look.text),
        fw::Prop("Default", false),
        fw::Prop("Enabled", p.enabled),
        fw::Prop("Tooltip", ""),
        fw::Prop("Transparent", true),
        fw::Prop("Visible", true),
        fw::Prop("FontName", "System"),
        fw::Prop("FontSize", look.fontSize),
        fw::Prop("FontUnit", 0),
        fw::Prop("Bold", look.bold),
        fw::Prop("Italic", false),
        fw::Prop("Underline", false),
        fw::Prop("InitialParent", ""),
    });
}

consteval auto LabelEntries(const Place& p, const Look& look) {
    return Join(Placed(p), std::array{
        fw::Prop("TabStop", p.tabStop),
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("Enabled", p.enabled),
        fw::Prop("Tooltip", ""),
        fw::Prop("Multiline", false),
        fw::Prop("Selectable", false),
        fw::Prop("TextAlignment", look.alignment),
        fw::Prop("TextColor", look.textColor),
        fw::Prop("Transparent", true),
        fw::Prop("Value", look.text),
        fw::Prop("Visible", true),
        fw::Prop("Bold", look.bold),
        fw::Prop("Italic", false),
        fw::Prop("FontName", "System"),
        fw::Prop("Underline", false),
        fw::Prop("FontSize", look.fontSize),
        fw::Prop("FontUnit", 0),
        fw::Prop("DataSource", ""),
        fw::Prop("DataField", ""),
        fw::Prop("InitialParent", ""),
    });
}

// The info icon. Its picture is set in code before the stream is applied.
// The stored data carries Transparent twice; both are kept as stored.
consteval auto CanvasEntries(const Place& p) {
    return Join(Placed(p), std::array{
        fw::Prop("TabStop", p.tabStop),
        fw::Prop("AllowAutoDeactivate", true),
        fw::Prop("Enabled", p.enabled),
        fw::Prop("Tooltip", ""),
        fw::Prop("AllowFocusRing", true),
        fw::Prop("Visible", true),
        fw::Prop("AllowFocus", false),
        fw::Prop("AllowTabs", false),
        fw::Prop("Transparent", true),
        fw::Prop("DoubleBuffer", false),
        fw::Prop("Transparent", true),
        fw::Prop("InitialParent", ""),
    });
}

// The number of entries of each class's stream, as the data has them.
static_assert(RectangleEntries({}).size() == 22);
static_assert(CountFieldEntries({}, {}, "").size() == 46);
static_assert(PercentFieldEntries({}, {}).size() == 41);
static_assert(ButtonEntries({}, {}).size() == 29);
static_assert(LabelEntries({}, {}).size() == 32);
static_assert(CanvasEntries({}).size() == 24);

// The looks of the three kinds of entry field.
inline constexpr Look kCountLook{.bold = true, .textColor = kCountRed};
inline constexpr Look kPercentLook{.textColor = kDarkRed};
inline constexpr Look kResultLook{.textColor = kBlack};

// ---------------------------------------------------------------------------
// The window: fixed at 515 by 440. Its stored maximum width of 500 is below
// that width; a window that cannot be resized keeps its layout size.

// MaximumWidth 500 stands below the width 515 as stored; the window cannot
// be resized, so it does not cut the window.
inline constexpr auto kControlWndStream = fw::PropertyStream([] {
    return layout::WindowEntries({.width = 515, .height = 440, .maximumWidth = 500, .maximumHeight = 500,
                                  .type = 0, .title = "Quillon", .hasMaximizeButton = false, .resizeable = false,
                                  .hasBackgroundColor = true});
});

// ---------------------------------------------------------------------------
// The table of counts: columns "Present" and "Absent" of the disorder, rows
// "Positive" and "Negative" of the test. Each rectangle frames one column;
// the tab indexes inside them run row by row.

inline constexpr auto kRectangle1Stream = fw::PropertyStream([] {
    return RectangleEntries({.name = "Rectangle1", .left = 201, .top = 128, .width = 72, .height = 74, .tabIndex = 0});
});

inline constexpr auto kTpFldStream = fw::PropertyStream([] {
    return CountFieldEntries({.name = "tpFld", .left = 213, .top = 138, .width = 46, .height = 18, .tabIndex = 1},
                             kCountLook, "Rectangle1");
});

inline constexpr auto kFnFldStream = fw::PropertyStream([] {
    return CountFieldEntries({.name = "fnFld", .left = 213, .top = 172, .width = 46, .height = 18, .tabIndex = 3},
                             kCountLook, "Rectangle1");
});

inline constexpr auto kRectangle2Stream = fw::PropertyStream([] {
    return RectangleEntries({.name = "Rectangle2", .left = 272, .top = 128, .width = 72, .height = 74, .tabIndex = 1});
});

inline constexpr auto kFpFldStream = fw::PropertyStream([] {
    return CountFieldEntries({.name = "fpFld", .left = 286, .top = 138, .width = 46, .height = 18, .tabIndex = 2},
                             kCountLook, "Rectangle2");
});

inline constexpr auto kTnFldStream = fw::PropertyStream([] {
    return CountFieldEntries({.name = "tnFld", .left = 286, .top = 172, .width = 46, .height = 18, .tabIndex = 4},
                             kCountLook, "Rectangle2");
});

// ---------------------------------------------------------------------------
// The percentages and the result, each beside its label.

inline constexpr auto kPreFldStream = fw::PropertyStream([] {
    return PercentFieldEntries({.name = "preFld", .left = 397, .top = 240, .width = 80, .height = 20, .tabIndex = 2},
                               kPercentLook);
});

inline constexpr auto kDtFldStream = fw::PropertyStream([] {
    return PercentFieldEntries({.name = "dtFld", .left = 397, .top = 270, .width = 80, .height = 20, .tabIndex = 3},
                               kPercentLook);
});

inline constexpr auto kTFldStream = fw::PropertyStream([] {
    return PercentFieldEntries({.name = "tFld", .left = 397, .top = 300, .width = 80, .height = 20, .tabIndex = 4},
                               kPercentLook);
});

// The result: the user reads it but cannot edit it.
inline constexpr auto kPppFldStream = fw::PropertyStream([] {
    return PercentFieldEntries(
        {.name = "pppFld", .left = 397, .top = 330, .width = 80, .height = 20, .tabIndex = 5, .enabled = false},
        kResultLook);
});

// ---------------------------------------------------------------------------
// The bottom row: Calculate at left, the info icon between, Clear at right.

inline constexpr auto kClearBtnStream = fw::PropertyStream([] {
    return ButtonEntries({.name = "ClearBtn", .left = 407, .top = 390, .width = 70, .height = 30, .tabIndex = 6},
                         {.text = "Clear", .fontSize = 12});
});

inline constexpr auto kCalculateBtnStream = fw::PropertyStream([] {
    return ButtonEntries({.name = "CalculateBtn", .left = 35, .top = 390, .width = 80, .height = 30, .tabIndex = 7},
                         {.text = "Calculate", .fontSize = 12});
});

inline constexpr auto kStaticText4Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText4", .left = 35, .top = 240, .width = 355, .height = 20, .tabIndex = 8},
                        {.text = "Percent prevalence in population:", .fontSize = 12});
});

inline constexpr auto kStaticText5Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText5", .left = 35, .top = 270, .width = 355, .height = 20, .tabIndex = 9,
                         .tabStop = false},
                        {.text = "If person has disorder, percent with positive test:", .fontSize = 12});
});

inline constexpr auto kCanvas2Stream = fw::PropertyStream([] {
    return CanvasEntries({.name = "Canvas2", .left = 240, .top = 388, .width = 32, .height = 32, .tabIndex = 10});
});

// ---------------------------------------------------------------------------
// The heading and the notice under it, dimmed.

inline constexpr auto kCTxtStream = fw::PropertyStream([] {
    return LabelEntries({.name = "cTxt", .left = 0, .top = 30, .width = 514, .height = 20, .tabIndex = 11,
                         .tabStop = false, .enabled = false},
                        {.text = kNotice, .fontSize = 10, .alignment = kCentred, .textColor = kDarkRed});
});

inline constexpr auto kStaticText6Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText6", .left = 35, .top = 300, .width = 355, .height = 20, .tabIndex = 12,
                         .tabStop = false},
                        {.text = "If person does not have disorder, percent with positive test:", .fontSize = 12});
});

// Its box starts 11 above the content area; only the part inside shows.
inline constexpr auto kStaticText7Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText7", .left = 4, .top = -11, .width = 509, .height = 44, .tabIndex = 13,
                         .tabStop = false},
                        {.text = kProductName, .fontSize = 28, .bold = true, .alignment = kCentred,
                         .textColor = kDarkRed});
});

// ---------------------------------------------------------------------------
// The captions of the table of counts.

inline constexpr auto kStaticText11Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText11", .left = 241, .top = 81, .width = 66, .height = 20, .tabIndex = 14,
                         .tabStop = false},
                        {.text = "Disorder", .fontSize = 14, .bold = true});
});

inline constexpr auto kStaticText12Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText12", .left = 209, .top = 108, .width = 54, .height = 19, .tabIndex = 15,
                         .tabStop = false},
                        {.text = "Present", .fontSize = 12, .alignment = kCentred});
});

inline constexpr auto kStaticText13Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText13", .left = 287, .top = 107, .width = 49, .height = 20, .tabIndex = 16,
                         .tabStop = false},
                        {.text = "Absent", .fontSize = 12, .alignment = kCentred});
});

inline constexpr auto kStaticText14Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText14", .left = 80, .top = 151, .width = 34, .height = 19, .tabIndex = 17,
                         .tabStop = false},
                        {.text = "Test", .fontSize = 14, .bold = true});
});

inline constexpr auto kStaticText15Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText15", .left = 132, .top = 138, .width = 54, .height = 20, .tabIndex = 18,
                         .tabStop = false},
                        {.text = "Positive", .fontSize = 12, .alignment = kRight});
});

inline constexpr auto kStaticText16Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText16", .left = 126, .top = 171, .width = 62, .height = 20, .tabIndex = 19,
                         .tabStop = false},
                        {.text = "Negative", .fontSize = 12, .alignment = kRight});
});

inline constexpr auto kStaticText1Stream = fw::PropertyStream([] {
    return LabelEntries({.name = "StaticText1", .left = 35, .top = 330, .width = 355, .height = 20, .tabIndex = 20,
                         .tabStop = false},
                        {.text = "Percent with positive test and disorder:", .fontSize = 12});
});

// A stream counted by hand: the twelve leading entries take 168 bytes with
// the ten-letter name, the rectangle's own ten take 158.
static_assert(kRectangle1Stream.size() == 326);

}  // namespace control_wnd_layout
