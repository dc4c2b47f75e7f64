// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The coil formulas written once as sequences of single double operations, for two kinds of
// arithmetic: checked, where each step raises its fault (zero divisor, logarithm of a number
// that is not positive, a result beyond the double range) as it happens, and unchecked, for
// the hot loop of the turn search (see loop() for why that is safe there).

#include "engine/logarithm.h"

#include <cmath>

namespace engine::detail {

// Throw engine::ArithmeticFault of the matching kind.
[[noreturn]] void raiseDivision(double dividend);
[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseLogarithm();

struct Checked {
    static double finite(double value)
    {
        if (!std::isfinite(value)) [[unlikely]]
            raiseOverflow();
        return value;
    }
    static double mul(double a, double b) { return finite(a * b); }
    static double add(double a, double b) { return finite(a + b); }
    static double sub(double a, double b) { return finite(a - b); }
    static double div(double a, double b)
    {
        if (b == 0) [[unlikely]]
            raiseDivision(a);
        return finite(a / b);
    }
    static double ln(double a)
    {
        if (!(a > 0)) [[unlikely]]
            raiseLogarithm();
        return finite(naturalLog(a));
    }
};

struct Unchecked {
    static double mul(double a, double b) { return a * b; }
    static double add(double a, double b) { return a + b; }
    static double sub(double a, double b) { return a - b; }
    static double div(double a, double b) { return a / b; }
    static double ln(double a) { return naturalLog(a); }
};

// 1e9 / ((6.28·f)²·C) before rounding; 6.28 stands for 2π as written.
template <typename Op> double resonance(double f, double c)
{
    const double a = Op::mul(6.28, f);
    const double b = Op::mul(a, a);
    const double p = Op::mul(b, c);
    const double q = Op::div(1, p);
    return Op::mul(q, 1000000000);
}

// Thick-ring loop model scaled by N², bundle radius N·d/2; 6.283e-07 is µ0/2 as written.
//
// Run unchecked on finite inputs, the result is finite exactly when no step faults: a zero
// divisor or an overflow leaves an infinity or a NaN, and the later steps carry it through
// to the result. The one step that can turn an infinity back into a finite number, 4 / r,
// hands a zero to the logarithm, which gives -inf. So an unchecked result that is finite is
// the checked result, and only a non-finite one needs the checked run to name its fault.
template <typename Op> double loop(double n, double d, double ringD)
{
    const double t = Op::div(d, 2);
    const double u = Op::mul(t, n);
    const double r = Op::div(u, ringD);
    const double q = Op::div(4, r);
    const double g = Op::ln(q);
    const double nn = Op::mul(n, n);
    const double k = Op::mul(6.283e-07, nn);
    const double m = Op::mul(k, ringD);
    const double s = Op::mul(r, r);
    const double s2 = Op::div(s, 2);
    const double s3 = Op::add(1, s2);
    const double x1 = Op::mul(s3, g);
    const double x2 = Op::sub(x1, 1.75);
    const double w = Op::mul(r, r);
    const double w2 = Op::div(w, 6);
    const double x = Op::add(x2, w2);
    const double y = Op::mul(m, x);
    return Op::mul(y, 1000);
}

// N·3.14·(d/2)², RX order: (3.14·t)·t·N.
template <typename Op> double crossSectionRx(double d, double n)
{
    const double t = Op::div(d, 2);
    const double a = Op::mul(3.14, t);
    const double b = Op::mul(a, t);
    return Op::mul(b, n);
}

// N·3.14·(d/2)², TX order: 3.14·(t·t)·N.
template <typename Op> double crossSectionTx(double d, double n)
{
    const double t = Op::div(d, 2);
    const double s = Op::mul(t, t);
    const double a = Op::mul(3.14, s);
    return Op::mul(a, n);
}

} // namespace engine::detail
