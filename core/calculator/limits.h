// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The limits the calculator warns outside of, each spelled once: the checks compare with its
// value, and the label and warnings that quote it are put together from its spelling.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace calculator {

namespace detail {

// String literals one after another, without their terminating zeros: a caption put together
// by the compiler.
template <std::size_t... N>
constexpr std::array<char, (N + ...) - sizeof...(N)> joined(const char (&...parts)[N])
{
    std::array<char, (N + ...) - sizeof...(N)> all{};
    auto out = all.begin();
    ((out = std::copy_n(parts, N - 1, out)), ...);
    return all;
}

// The double that a short decimal spelling such as "1.25" stands for, the same as its literal:
// up to 15 digits, so that both the digits and the power of ten are exact doubles and the one
// division rounds correctly.
consteval double decimalValue(std::string_view spelling)
{
    const std::size_t point = spelling.find('.');
    std::uint64_t digits = 0;
    double power = 1;
    for (std::size_t i = 0; i < spelling.size(); ++i) {
        if (i == point)
            continue;
        if (spelling[i] < '0' || spelling[i] > '9' || digits >= 100'000'000'000'000)
            throw std::invalid_argument("not a short decimal spelling");
        digits = digits * 10 + static_cast<std::uint64_t>(spelling[i] - '0');
        if (i > point)
            power *= 10;
    }
    return static_cast<double>(digits) / power;
}

} // namespace detail

// Inclusive range of RX turn counts the coil design allows, spelled as the RX turn field's
// label quotes it.
inline constexpr char kMinRxTurnsText[] = "175";
inline constexpr char kMaxRxTurnsText[] = "250";
inline constexpr double kMinRxTurns = detail::decimalValue(kMinRxTurnsText);
inline constexpr double kMaxRxTurns = detail::decimalValue(kMaxRxTurnsText);

// Wire diameters in mm the checks allow, inclusive, spelled as their warnings quote them.
inline constexpr char kMaxRxWireMmText[] = "0.2";
inline constexpr char kMinTxWireMmText[] = "0.35";
inline constexpr char kMaxTxWireMmText[] = "0.45";
inline constexpr double kMaxRxWireMm = detail::decimalValue(kMaxRxWireMmText);
inline constexpr double kMinTxWireMm = detail::decimalValue(kMinTxWireMmText);
inline constexpr double kMaxTxWireMm = detail::decimalValue(kMaxTxWireMmText);

} // namespace calculator
