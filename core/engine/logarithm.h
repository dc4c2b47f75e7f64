// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The natural logarithm of the loop model, the same to the last bit on every IEEE platform
// and in every build. The C libraries' logarithms differ in the last bit for some arguments
// (glibc takes a fused multiply-add where the processor has one, emscripten's C library
// never does), and the model shows its peak to fifteen digits, where a last bit can show.
//
// The result is the correctly rounded logarithm wherever the exact value lies farther than
// about 2^-100 of it from a number halfway between two doubles. Next to 1, where the
// evaluation is more accurate, some arguments come nearer and still round correctly: 1 - 2^-52
// within 2^-105.6, 1 + 3·2^-51 and 1 - 3·2^-51 within 2^-100.4. Built from double arithmetic
// alone, without fused multiply-add.

namespace engine {

// ln x; -inf for 0, NaN for a negative number or NaN, +inf for +inf.
double naturalLog(double x);

namespace detail {
// The careful evaluation alone that naturalLog falls back on when its quick one cannot decide
// the rounding: for the tests, which check both against a reference.
double naturalLogCarefully(double x);
} // namespace detail

} // namespace engine
