// The framework's text services: reading a number from a text, rendering a
// number by a pattern, the code of a text's first character, and the
// three-way text comparison. None depends on the process locale, so a
// desktop session with a decimal comma reads and shows numbers exactly as
// any other does.
#pragma once

#include "framework/property_types.h"

#include <string_view>

namespace fw {

// The number that `text` begins with; 0 when it begins with none.
//
// What is read, in order:
//   - leading blanks (spaces and tabs) are skipped;
//   - an optional sign, '+' or '-', directly before the number;
//   - ASCII digits with at most one '.': "12", "1.5", ".5" and "5." are
//     numbers, a lone "." is not; a second '.' ends the number ("1.2.3" is
//     1.2), as does any other character ("12abc" is 12, "1,5" is 1);
//   - an optional exponent: 'e' or 'E', an optional sign, then digits; an
//     incomplete one is not part of the number ("1e" and "1e+" read as 1).
// Only digits start a number: "nan", "inf", "0x10" (0), "- 5" and non-ASCII
// text read as 0. "-0" reads as negative zero.
// A number too large for a double reads as an infinity of its sign, one too
// small as zero. Never throws; time is linear in the length of the text.
double Val(std::string_view text);

// `value` rendered by a pattern of '#', '0' and '.', with '.' as the decimal
// separator whatever the locale.
//   - Decimals: as many as there are '#' and '0' after the point. The value
//     is rounded there, to nearest with ties away from zero, on its shortest
//     round-trip decimal form (12.25 gives "12.3", 0.15 gives "0.2"), first
//     rounded to 15 significant digits when fewer are shown: a tie that
//     binary arithmetic missed in its last bits still rounds away from zero
//     (28.749999999999996, 23 / 80 * 100, gives "28.8").
//   - A '0' is a forced digit: after the point, decimals up to the last '0'
//     are always shown; before it, the integer part is padded with zeros to
//     the count of '0's. A '#' is shown only when needed: trailing zeros after
//     the point and then the point itself are dropped ("###.#" renders 75 as
//     "75").
//   - The integer part always has at least one digit ("0.5", not ".5"), and
//     every digit of it is shown however few '#' the pattern has.
//   - A value that rounds to zero shows no sign: -0.04 gives "0".
//   - Infinities give "Infinity" and "-Infinity", NaN gives "NaN".
// Other characters in the pattern are ignored.
String Format(double value, std::string_view pattern);

// The Unicode code point of the first character of the UTF-8 `text`; 0 for
// an empty text. A malformed UTF-8 sequence gives U+FFFD, the replacement
// character.
int Asc(std::string_view text);

// Three-way comparison of two texts: -1, 0 or 1 as `a` orders before, the
// same as or after `b`. Ordinal and case-sensitive: byte by byte on UTF-8,
// which orders the texts by code point; a text orders before any longer text
// that it begins.
int StrComp(std::string_view a, std::string_view b);

}  // namespace fw
