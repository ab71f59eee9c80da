#include "framework/contrast.h"

#include <cmath>
#include <vector>

namespace fw {

namespace {

// Relative luminance and contrast ratio as accessibility guidelines define
// them.
double Luminance(const QColor& color) {
    auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

double Contrast(double la, double lb) { return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05); }

// The smallest contrast that keeps ordinary text readable.
constexpr double kReadableContrast = 4.5;

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) { return Contrast(Luminance(a), Luminance(b)); }

// The desktop's disabled grey would make a dimmed control's text the
// faintest on screen. Instead the text keeps its own colour, moved toward
// the background just as far as readable contrast allows; a colour already
// fainter than that stays as it is.
//
// Every text control asks this while its layout is applied, with the few
// colour pairs a window uses; each pair is worked out once.
QColor ReadablyDimmed(const QColor& text, const QColor& background) {
    struct Answer {
        QRgba64 text, background;
        QColor dimmed;
    };
    static std::vector<Answer> answers;
    for (const Answer& a : answers)
        if (a.text == text.rgba64() && a.background == background.rgba64()) return a.dimmed;

    // The screen draws 8 bits a channel: each candidate is such a colour,
    // so that the contrast reached is the contrast drawn. No channel moves
    // by more than 255, so the steps meet every 8-bit colour on the way.
    constexpr int kSteps = 255;
    const double backgroundLuminance = Luminance(background);
    auto mix = [](int from, int to, double t) { return qRound(from + t * (to - from)); };
    QColor dimmed = text;
    for (int step = 1; step <= kSteps; ++step) {
        const double t = double(step) / kSteps;
        const QColor mixed(mix(text.red(), background.red(), t), mix(text.green(), background.green(), t),
                           mix(text.blue(), background.blue(), t));
        if (Contrast(Luminance(mixed), backgroundLuminance) < kReadableContrast) break;
        dimmed = mixed;
    }
    if (answers.size() < 64) answers.push_back({text.rgba64(), background.rgba64(), dimmed});
    return dimmed;
}

}  // namespace fw
