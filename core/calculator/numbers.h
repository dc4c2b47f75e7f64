// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The two conversions between a field's text and its number.

#include <string>
#include <string_view>

namespace calculator {

// The one decimal separator that read number takes, whatever the regional settings say. A
// comma ends the number there, yet the Russian format writes one and a Russian keyboard's
// decimal key types one: typed into a field, a comma enters the point instead, so that the
// field shows what is read. Text pasted or written by the program keeps its commas.
inline constexpr char kDecimalPoint = '.';
inline constexpr char kTypedComma = ',';

// Reads the leading number of a field's text, whatever the regional settings say:
// blanks, tabs and line feeds are ignored wherever they stand; "&H"/"&O" introduce a
// hexadecimal or octal whole number (signed 16-bit up to four hex digits or up to &O177777,
// signed 32-bit beyond); otherwise sign, digits with at most one point, and an optional
// exponent. Reading stops at the first character that does not continue the number, and a
// text without any digit reads as 0. The digits are converted to the nearest double.
// Throws engine::ArithmeticFault(Overflow) when the number lies beyond the double range
// or a hexadecimal or octal number needs more than 32 bits.
double readNumber(std::string_view text);

// Writes a number as its general decimal text: at most 15 significant digits, no trailing
// zeros, no digit grouping, the given decimal separator. Magnitudes of 1E+15 and above or
// below 1E-04 take an exponent ("1E+15", "1.5E-05"). Zero of either sign shows as "0".
// Throws engine::ArithmeticFault(Overflow) for a value that is not finite or whose 15-digit
// text lies beyond the double range (magnitudes from about 1.797693134862315E+308 up), so
// that every text written reads back.
std::string showNumber(double value, std::string_view decimalSeparator);

} // namespace calculator
