// Framework-internal: the contrast of a text with its background, and the
// readable dimmed colour of a disabled text.
#pragma once

#include <QColor>

namespace fw {

// The contrast ratio of two colours (1 to 21), and a text colour moved toward
// the background as far as readable contrast allows.
double ContrastRatio(const QColor& a, const QColor& b);
QColor ReadablyDimmed(const QColor& text, const QColor& background);

}  // namespace fw
