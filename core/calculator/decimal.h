// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Exact conversions between doubles and decimal digits, written once for every build: the C
// library's conversions follow the locale, and the standard library of the WebAssembly tool
// chain has no conversions of doubles in <charconv>. Both work in whole-number arithmetic of
// unbounded size, so that their results do not depend on any platform's floating point
// beyond single IEEE operations.

#include <cstdint>
#include <optional>
#include <string_view>

namespace calculator::decimal {

// The double nearest to the whole number written by `digits` (decimal digits only, any
// number of them, leading zeros allowed) times 10^exponent; a value halfway between two
// doubles goes to the one with the even last bit, and a value below half the smallest
// subnormal gives 0. No value when the nearest lies beyond the double range.
std::optional<double> nearestDouble(std::string_view digits, long long exponent);

// A positive finite double rounded to 15 significant digits, halfway to the even digit:
// significand * 10^(exponent - 14), with 10^14 <= significand < 10^15.
struct FifteenDigits {
    std::uint64_t significand;
    int exponent; // of the leading digit
};
FifteenDigits roundToFifteenDigits(double value);

} // namespace calculator::decimal
