// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The natural logarithm of the loop model, the same to the last bit on every IEEE platform
// and in every build. The C libraries' logarithms differ in the last bit for some arguments
// (glibc takes a fused multiply-add where the processor has one, emscripten's C library
// never does), and the model shows its peak to fifteen digits, where a last bit can show.
//
// The result is the correctly rounded logarithm, except where the exact value lies within
// about 2^-100 of it of a number halfway between two doubles, which no double argument is
// known to come near. Built from double arithmetic alone, without fused multiply-add.

namespace engine {

// ln x; -inf for 0, NaN for a negative number or NaN, +inf for +inf.
double naturalLog(double x);

namespace detail {
// The careful evaluation alone that naturalLog falls back on when its quick one cannot decide
// the rounding: for the tests, which check both against a reference.
double naturalLogCarefully(double x);
} // namespace detail

} // namespace engine
