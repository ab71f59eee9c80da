// Framework-internal: the Qt side of a control with a place on the window.
#pragma once

#include "framework/rect_control.h"

#include <QFont>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace fw {

struct RectControlImpl {
    QPointer<QWidget> widget;
    RectControl* parent = nullptr;
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    std::int64_t tabIndex = 0;
    bool tabStop = true, enabled = true, visible = true;
    // Whether a click gives the control the keyboard focus (buttons: no).
    bool focusOnClick = true;
    bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
    // Where the control stood when the window's content area had its
    // layout size; anchoring works from there.
    std::int64_t anchorLeft = 0, anchorTop = 0, anchorWidth = 0, anchorHeight = 0;
    // Set while a stream has moved the control and its widget is not yet placed.
    bool geometryPending = false;
    // While streams are applied (nested count): the font and palette that
    // their entries have made so far, not yet given to the widget.
    int streamDepth = 0;
    std::optional<QFont> pendingFont;
    std::optional<QPalette> pendingPalette;
};

// Lays out the content area's controls again after it was resized.
void ApplyAnchors(Window& window, QSize contentSize);

}  // namespace fw
