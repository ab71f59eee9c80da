#include "framework/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace fw {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view s, std::size_t at) {
    while (at < s.size() && IsDigit(s[at])) ++at;
    return at;
}

// The parts of the unsigned number at the start of a text.
struct NumberSpan {
    std::string_view integer;   // digits before the point
    std::string_view fraction;  // digits after the point
    std::string_view exponent;  // sign and digits after the 'e'; empty when none
    std::size_t length = 0;     // characters the number takes; 0: no number
};

// Where a complete exponent that starts at `at` ends; `at` when there is none.
std::size_t ExponentEnd(std::string_view s, std::size_t at) {
    if (at >= s.size() || (s[at] != 'e' && s[at] != 'E')) return at;
    std::size_t digits = at + 1;
    if (digits < s.size() && (s[digits] == '+' || s[digits] == '-')) ++digits;
    const std::size_t end = SkipDigits(s, digits);
    return end > digits ? end : at;
}

NumberSpan ScanNumber(std::string_view s) {
    NumberSpan n;
    std::size_t at = SkipDigits(s, 0);
    n.integer = s.substr(0, at);
    if (at < s.size() && s[at] == '.') {
        const std::size_t end = SkipDigits(s, at + 1);
        n.fraction = s.substr(at + 1, end - at - 1);
        at = end;
    }
    if (n.integer.empty() && n.fraction.empty()) return {};
    const std::size_t end = ExponentEnd(s, at);
    if (end > at) n.exponent = s.substr(at + 1, end - at - 1);
    n.length = end;
    return n;
}

// The exponent's value, held within a bound far beyond any double's range so
// that a thousand-digit exponent cannot overflow the arithmetic.
long long BoundedExponent(std::string_view exponent) {
    constexpr long long kBound = 1'000'000'000'000;
    const bool negative = !exponent.empty() && exponent.front() == '-';
    long long value = 0;
    for (char c : exponent) {
        if (IsDigit(c)) value = std::min(value * 10 + (c - '0'), kBound);
    }
    return negative ? -value : value;
}

// For a number that a double cannot hold: whether it is too large rather
// than too small, that is whether its leading non-zero digit stands at a
// power of ten of at least zero.
bool IsTooLarge(const NumberSpan& n) {
    long long power = 0;
    if (const auto first = n.integer.find_first_not_of('0'); first != std::string_view::npos) {
        power = static_cast<long long>(n.integer.size() - first) - 1;
    } else if (const auto f = n.fraction.find_first_not_of('0'); f != std::string_view::npos) {
        power = -static_cast<long long>(f) - 1;
    } else {
        return false;  // all zeros
    }
    return power + BoundedExponent(n.exponent) >= 0;
}

// How a pattern of '#', '0' and '.' shapes a number.
struct Pattern {
    std::size_t minIntegerDigits = 1;
    std::size_t forcedDecimals = 0;
    std::size_t decimals = 0;
};

Pattern ReadPattern(std::string_view text) {
    Pattern p;
    std::size_t integerZeros = 0;
    bool afterPoint = false;
    for (char c : text) {
        if (c == '.') {
            afterPoint = true;
        } else if (c == '#' || c == '0') {
            if (afterPoint) {
                ++p.decimals;
                if (c == '0') p.forcedDecimals = p.decimals;
            } else if (c == '0') {
                ++integerZeros;
            }
        }
    }
    p.minIntegerDigits = std::max<std::size_t>(1, integerZeros);
    return p;
}

// A decimal number as its digits and how many of them stand before the point.
struct Digits {
    String digits;
    std::size_t integerDigits = 0;
};

// The shortest digits that read back as `magnitude`, in fixed notation.
Digits ShortestDigits(double magnitude) {
    // The longest fixed form of a double: 309 integer digits for the largest,
    // "0." and 324 decimals for the smallest.
    std::array<char, 400> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::fixed).ptr;
    const String text(buffer.data(), end);
    const std::size_t point = std::min(text.find('.'), text.size());
    String digits = text.substr(0, point);
    if (point < text.size()) digits += text.substr(point + 1);
    return {digits, point};
}

// Keeps the first `keep` digits, which reach at least to the point,
// rounding half up: on a magnitude that is half away from zero.
void RoundAt(Digits& d, std::size_t keep) {
    if (d.digits.size() <= keep) return;
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (!up) return;
    std::size_t at = keep;
    while (at > 0 && d.digits[at - 1] == '9') d.digits[--at] = '0';
    if (at == 0) {
        d.digits.insert(0, 1, '1');
        ++d.integerDigits;
    } else {
        ++d.digits[at - 1];
    }
}

// As many significant digits as a double always holds: a result of a few
// operations is off only in the digits after them, so that 23 / 80 * 100
// gives 28.749999999999996 for an exact 28.75.
constexpr std::size_t kSignificantDigits = 15;

// Keeps `decimals` digits after the point. When they are fewer than the
// value's first 15 significant digits, the value is rounded to those first,
// so that binary noise far below the shown digits cannot turn a tie; only a
// value within that noise of a tie is shown otherwise than by its own digits.
void RoundTo(Digits& d, std::size_t decimals) {
    const std::size_t shown = d.integerDigits + decimals;
    const std::size_t first = d.digits.find_first_not_of('0');
    if (first != String::npos && shown < first + kSignificantDigits) RoundAt(d, first + kSignificantDigits);
    RoundAt(d, d.integerDigits + decimals);
}

String Render(const Digits& d, const Pattern& p) {
    String whole = d.digits.substr(0, d.integerDigits);
    String fraction = d.digits.substr(d.integerDigits);
    if (whole.size() < p.minIntegerDigits) whole.insert(0, p.minIntegerDigits - whole.size(), '0');
    fraction.resize(std::max(fraction.size(), p.forcedDecimals), '0');
    while (fraction.size() > p.forcedDecimals && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? whole : whole + '.' + fraction;
}

String NonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

// The length of the UTF-8 sequence that `lead` begins, 0 when it begins none.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

bool IsValidCodePoint(char32_t code, int length) {
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code >= kSmallest[length] && code <= 0x10FFFF && !surrogate;
}

}  // namespace

double Val(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return 0.0;
    text.remove_prefix(start);
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+') text.remove_prefix(1);

    const NumberSpan number = ScanNumber(text);
    if (number.length == 0) return 0.0;
    double magnitude = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + number.length, magnitude);
    // Out of range leaves `magnitude` as it was; the number is then either
    // beyond the largest double or closer to zero than the smallest.
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = IsTooLarge(number) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

String Format(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    const Pattern p = ReadPattern(pattern);
    Digits digits = ShortestDigits(std::fabs(value));
    RoundTo(digits, p.decimals);
    const bool zero = digits.digits.find_first_not_of('0') == String::npos;
    const String text = Render(digits, p);
    return std::signbit(value) && !zero ? '-' + text : text;
}

int Asc(std::string_view text) {
    constexpr int kReplacementCharacter = 0xFFFD;
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text.front());
    const int length = SequenceLength(lead);
    if (length == 0 || text.size() < static_cast<std::size_t>(length)) return kReplacementCharacter;
    if (length == 1) return lead;

    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return kReplacementCharacter;
        code = (code << 6) | (next & 0x3F);
    }
    return IsValidCodePoint(code, length) ? static_cast<int>(code) : kReplacementCharacter;
}

int StrComp(std::string_view a, std::string_view b) {
    // The character traits of char compare as unsigned bytes.
    const int order = a.compare(b);
    return (order > 0) - (order < 0);
}

}  // namespace fw
