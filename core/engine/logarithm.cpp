// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logarithm.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// How: x = 2^k · m with m in [1, 2). A table splits [1, 2) into 128 equal parts; for the part
// that holds m it keeps a number c near its middle, given by its reciprocal 1/c of 20 bits,
// and ln c to about 106 bits. Then
//
//     ln x = k·ln 2 + ln c + ln(1 + r),   r = m·(1/c) - 1,   |r| < 2^-8 (about),
//
// where r comes out exact as the sum of two doubles, since 1/c has few bits, and ln(1 + r)
// is a short series. For m above √2 the table holds ln(c/2) and k counts one more, so that
// ln c never cancels against k·ln 2. Near 1, where ln x is small, r is x - 1 itself.
//
// The sum is formed as a double and a small correction (a double-double). Its error is below
// 2^-66 of it; when that is small enough to settle the rounding, which it is for all but
// about one argument in 6 000 (but for many of the few within 2^-33 of 1), the rounded sum is
// the result. Otherwise every term is evaluated again to about 2^-104 (double-double
// arithmetic throughout), and that sum is rounded.
//
// The table and ln 2 are computed by the compiler from series of atanh in double-double
// arithmetic: every operation of a constant evaluation is rounded as IEEE prescribes, so
// every compiler makes the same table.

namespace engine {

namespace {

// A number as the unevaluated sum hi + lo, |lo| at most half an ulp of hi.
struct Double2 {
    double hi;
    double lo;
};

// a + b exactly, for any a and b.
constexpr Double2 twoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    const double e = (a - (s - bb)) + (b - bb);
    return {s, e};
}

// a + b exactly, for |a| >= |b| (or a == 0).
constexpr Double2 fastTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

// a split into a head of 26 bits and a tail of 26 bits: their products are exact.
constexpr Double2 split(double a)
{
    const double c = 134217729.0 * a; // 2^27 + 1
    const double head = c - (c - a);
    return {head, a - head};
}

// a · b exactly (Dekker's product), for products far from overflow and underflow.
constexpr Double2 twoProduct(double a, double b)
{
    const double p = a * b;
    const Double2 x = split(a);
    const Double2 y = split(b);
    const double e = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, e};
}

constexpr Double2 add(Double2 a, Double2 b)
{
    Double2 s = twoSum(a.hi, b.hi);
    const Double2 t = twoSum(a.lo, b.lo);
    s = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(s.hi, s.lo + t.lo);
}

constexpr Double2 multiply(Double2 a, Double2 b)
{
    const Double2 p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr Double2 divide(Double2 a, Double2 b)
{
    const double q = a.hi / b.hi;
    const Double2 qb = multiply({q, 0}, b);
    const double rest = ((a.hi - qb.hi) - qb.lo) + a.lo;
    return fastTwoSum(q, rest / b.hi);
}

constexpr Double2 negate(Double2 a)
{
    return {-a.hi, -a.lo};
}

// ln((1 + s) / (1 - s)) = 2·atanh s = 2·s·(1 + s²/3 + s⁴/5 + ...), for |s| <= 1/3, to about
// 2^-104 of it, summed from the smallest term up.
constexpr Double2 twiceAtanh(Double2 s)
{
    const Double2 s2 = multiply(s, s);
    Double2 q{0, 0};
    for (int n = 161; n >= 1; n -= 2)
        q = add(divide({1, 0}, {static_cast<double>(n), 0}), multiply(s2, q));
    const Double2 result = multiply(s, q);
    return {2 * result.hi, 2 * result.lo};
}

// ln y for a double y in [1/3, 3], to about 2^-104 of it.
constexpr Double2 logOf(double y)
{
    // (1 + s) / (1 - s) = y for s = (y - 1) / (y + 1); y - 1 and y + 1 are exact here for the
    // short y of the table and for 2.
    return twiceAtanh(divide({y - 1, 0}, {y + 1, 0}));
}

constexpr Double2 kLn2 = logOf(2);

// ln 2 = kLn2Head + kLn2Middle + kLn2.lo: the head has 42 bits and the middle 11, so that
// their products with any exponent k are exact. (The split as in split(), with 2^11 + 1.)
constexpr double kLn2Head = 2049.0 * kLn2.hi - (2049.0 * kLn2.hi - kLn2.hi);
constexpr double kLn2Middle = kLn2.hi - kLn2Head;

constexpr int kParts = 128;
constexpr int kFirstHalved = 53; // the part of √2: from here on the table holds ln(c/2)

struct Part {
    double reciprocal; // 1/c rounded to a multiple of 2^-20
    Double2 logC;      // ln c, or ln(c/2) from kFirstHalved on
};

constexpr std::array<Part, kParts> makeTable()
{
    std::array<Part, kParts> table{};
    for (int i = 0; i < kParts; ++i) {
        const double c = 1 + (i + 0.5) / kParts;
        const double reciprocal =
            static_cast<double>(static_cast<std::int64_t>(0x1p20 / c + 0.5)) / 0x1p20;
        // ln c for the c that the rounded reciprocal stands for: -ln(1/c).
        const double scaled = i < kFirstHalved ? reciprocal : 2 * reciprocal;
        table[static_cast<std::size_t>(i)] = {reciprocal, negate(logOf(scaled))};
    }
    return table;
}

constexpr std::array<Part, kParts> kTable = makeTable();

// ln(1 + r) - r + r²/2 for |r| < 2^-7.9, to 2^-80 of r: the terms r³/3 - r⁴/4 + ... of the
// series up to r^10.
double cubicAndBeyond(double r)
{
    const double p =
        1.0 / 3 -
        r * (1.0 / 4 -
             r * (1.0 / 5 -
                  r * (1.0 / 6 - r * (1.0 / 7 - r * (1.0 / 8 - r * (1.0 / 9 - r / 10))))));
    return r * r * r * p;
}

// ln(1 + r) for r = r.hi + r.lo, |r| < 2^-7.9, to about 2^-106 of it: r·Q1 with
// Qn = 1/n - r·Qn+1 up to n = 14. From Q8 on, whose errors reach the result shrunk by r^7,
// doubles suffice.
Double2 logOnePlusCarefully(Double2 r)
{
    double q = 1.0 / 14;
    for (int n = 13; n >= 8; --n)
        q = 1.0 / n - r.hi * q;
    constexpr std::array<Double2, 8> kReciprocals{{{0, 0},
                                                   {1, 0},
                                                   {0.5, 0},
                                                   divide({1, 0}, {3, 0}),
                                                   {0.25, 0},
                                                   divide({1, 0}, {5, 0}),
                                                   divide({1, 0}, {6, 0}),
                                                   divide({1, 0}, {7, 0})}};
    Double2 big{q, 0};
    for (int n = 7; n >= 1; --n)
        big = add(kReciprocals[static_cast<std::size_t>(n)], negate(multiply(r, big)));
    return multiply(r, big);
}

std::uint64_t bitsOf(double x)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

double fromBits(std::uint64_t bits)
{
    double x = 0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// x = 2^k · (1 + r) · c, as naturalLog splits it.
struct Reduced {
    int k;
    Double2 logC; // ln c, 0 near 1
    Double2 r;
};

// For a positive, finite x.
Reduced reduce(double x)
{
    int k = 0;
    if (x < 0x1p-1022) { // subnormal: made normal first
        x *= 0x1p54;
        k = -54;
    }
    if (std::fabs(x - 1) < 0x1p-8) // exact: x lies within [1/2, 2]
        return {0, {0, 0}, {x - 1, 0}};

    const std::uint64_t bits = bitsOf(x);
    const auto part = static_cast<int>(bits >> 45 & (kParts - 1));
    const Part &p = kTable[static_cast<std::size_t>(part)];
    k += static_cast<int>(bits >> 52) - 1023 + (part >= kFirstHalved ? 1 : 0);

    // m·(1/c) - 1 exactly: m in two halves whose products with the 20-bit reciprocal are
    // exact, and the first of them lies so near 1 that subtracting 1 is exact too.
    const std::uint64_t mantissa = (bits & 0x000FFFFFFFFFFFFF) | 0x3FF0000000000000;
    const double m = fromBits(mantissa);
    const double head = fromBits(mantissa & ~std::uint64_t{0x7FFFFFF});
    const double tail = m - head;
    return {k, p.logC, twoSum(head * p.reciprocal - 1, tail * p.reciprocal)};
}

double carefully(const Reduced &x)
{
    const double k = x.k;
    Double2 sum{k * kLn2Head, 0};
    sum = add(sum, {k * kLn2Middle, k * kLn2.lo});
    sum = add(sum, x.logC);
    sum = add(sum, logOnePlusCarefully(x.r));
    return sum.hi + sum.lo;
}

// Whether x is a positive finite number; otherwise its logarithm, in *special.
bool ordinary(double x, double *special)
{
    if (x > 0 && x < std::numeric_limits<double>::infinity())
        return true;
    if (x == 0)
        *special = -std::numeric_limits<double>::infinity();
    else if (x > 0)
        *special = x;
    else
        *special = std::numeric_limits<double>::quiet_NaN();
    return false;
}

} // namespace

double naturalLog(double x)
{
    double special = 0;
    if (!ordinary(x, &special))
        return special;
    const Reduced reduced = reduce(x);
    const Double2 r = reduced.r;
    const double k = reduced.k;

    // k·ln 2 + ln c + r - r²/2 + (r³/3 - ...): the large terms summed exactly into hi and
    // errors, the small ones and the errors into lo.
    const Double2 s1 = twoSum(k * kLn2Head, reduced.logC.hi);
    const Double2 s2 = twoSum(s1.hi, r.hi);
    const Double2 square = twoProduct(r.hi, r.hi);
    const Double2 s3 = twoSum(s2.hi, -0.5 * square.hi);
    // ln(1 + r.hi + r.lo) = ln(1 + r.hi) + r.lo·(1 - r.hi + ...)
    double lo = cubicAndBeyond(r.hi) + r.lo * (1 - r.hi) - 0.5 * square.lo;
    lo += k * kLn2.lo + k * kLn2Middle + reduced.logC.lo;
    lo += s1.lo + s2.lo + s3.lo;
    const Double2 sum = fastTwoSum(s3.hi, lo);

    // Where the sum's error cannot move it across a rounding boundary, its rounding is the
    // logarithm's.
    const double error = std::fabs(sum.hi) * 0x1p-66;
    const double up = sum.hi + (sum.lo + error);
    if (up == sum.hi + (sum.lo - error))
        return up;
    return carefully(reduced);
}

namespace detail {

double naturalLogCarefully(double x)
{
    double special = 0;
    if (!ordinary(x, &special))
        return special;
    return carefully(reduce(x));
}

} // namespace detail

} // namespace engine
