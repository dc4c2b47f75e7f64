// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/logarithm.h"

#include "engine/steps.h"
#include "tests/support/comparison.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#if defined(DDV_HAVE_MPFR)
#include <mpfr.h>
#endif

using engine::naturalLog;
using engine::detail::naturalLogCarefully;
using testing_support::hex;
using testing_support::Mismatches;
using testing_support::Random;

namespace {

// The reference: ln x to 256 binary places in whole-number arithmetic, so that it is the same
// on every machine (long double is not: 64 bits of mantissa on amd64, 113 on arm64, 53 on
// armhf). With x = 2^k·m, m in [1, 2) and s = (m - 1) / (m + 1):
//     ln x = k·ln 2 + 2·(s + s³/3 + s⁵/5 + ...),   ln 2 the same series at s = 1/3.
// Every step truncates by at most 2^-256, so the result is within 2^-230 of ln x.
class Fixed {
  public:
    static constexpr int kFractionBits = 256;
    static constexpr int kLimbs = 10; // 64 whole bits above the fraction

    static Fixed ofWhole(std::uint32_t whole)
    {
        Fixed f;
        f.limbs_[kFractionBits / 32] = whole;
        return f;
    }

    // numerator / denominator for numerators and denominators below 2^62.
    static Fixed quotient(std::uint64_t numerator, std::uint64_t denominator)
    {
        Fixed f;
        std::uint64_t rest = numerator % denominator;
        f.limbs_[kFractionBits / 32] = static_cast<std::uint32_t>(numerator / denominator);
        for (int bit = kFractionBits - 1; bit >= 0; --bit) {
            rest <<= 1;
            if (rest >= denominator) {
                rest -= denominator;
                f.limbs_[static_cast<std::size_t>(bit / 32)] |= std::uint32_t{1} << (bit % 32);
            }
        }
        return f;
    }

    Fixed operator+(const Fixed &other) const
    {
        Fixed sum;
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < kLimbs; ++i) {
            carry += std::uint64_t{limbs_[i]} + other.limbs_[i];
            sum.limbs_[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        return sum;
    }

    // For other <= *this.
    Fixed operator-(const Fixed &other) const
    {
        Fixed difference;
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < kLimbs; ++i) {
            std::int64_t d = std::int64_t{limbs_[i]} - other.limbs_[i] - borrow;
            borrow = d < 0 ? 1 : 0;
            difference.limbs_[i] = static_cast<std::uint32_t>(d + (borrow << 32));
        }
        return difference;
    }

    Fixed operator*(const Fixed &other) const
    {
        std::array<std::uint64_t, 2 * kLimbs> wide{};
        for (std::size_t i = 0; i < kLimbs; ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < kLimbs; ++j) {
                const std::uint64_t t =
                    std::uint64_t{limbs_[i]} * other.limbs_[j] + wide[i + j] + carry;
                wide[i + j] = t & 0xFFFFFFFF;
                carry = t >> 32;
            }
            wide[i + kLimbs] += carry;
        }
        Fixed product;
        for (std::size_t i = 0; i < kLimbs; ++i)
            product.limbs_[i] = static_cast<std::uint32_t>(wide[i + kFractionBits / 32]);
        return product;
    }

    Fixed times(std::uint32_t factor) const { return *this * ofWhole(factor); }

    bool isZero() const { return *this == Fixed(); }
    bool operator==(const Fixed &) const = default;

    Fixed dividedBy(std::uint32_t divisor) const
    {
        Fixed q;
        std::uint64_t rest = 0;
        for (std::size_t i = kLimbs; i-- > 0;) {
            rest = rest << 32 | limbs_[i];
            q.limbs_[i] = static_cast<std::uint32_t>(rest / divisor);
            rest %= divisor;
        }
        return q;
    }

    bool operator<(const Fixed &other) const
    {
        for (std::size_t i = kLimbs; i-- > 0;)
            if (limbs_[i] != other.limbs_[i])
                return limbs_[i] < other.limbs_[i];
        return false;
    }

    // The double nearest to the value (negated when asked), or none when the value lies too
    // near a halfway point between two doubles for its error to tell.
    std::optional<double> rounded(bool negative) const
    {
        int top = kLimbs * 32 - 1;
        while (top >= 0 && !bit(top))
            --top;
        if (top < 0)
            return 0.0;
        std::uint64_t significand = 0;
        for (int b = top; b > top - 53; --b)
            significand = significand << 1 | (bit(b) ? 1 : 0);
        // The bits below the 53 kept, against half of the last kept one: the first of them
        // and whether any other is set, with 2^24 units of slack for the error.
        const int below = top - 53;
        const bool half = bit(below);
        bool rest = false;
        bool restAllOnes = true;
        for (int b = below - 1; b >= 24; --b) {
            rest = rest || bit(b);
            restAllOnes = restAllOnes && bit(b);
        }
        if ((!half && restAllOnes) || (half && !rest))
            return std::nullopt;
        if (half)
            ++significand;
        const double magnitude =
            std::ldexp(static_cast<double>(significand), top - 52 - kFractionBits);
        return negative ? -magnitude : magnitude;
    }

  private:
    bool bit(int b) const { return (limbs_[static_cast<std::size_t>(b / 32)] >> (b % 32)) & 1; }

    std::array<std::uint32_t, kLimbs> limbs_{};
};

// 2·(s + s³/3 + s⁵/5 + ...) for 0 <= s <= 1/3.
Fixed twiceAtanh(const Fixed &s)
{
    const Fixed s2 = s * s;
    Fixed power = s;
    Fixed sum;
    for (std::uint32_t n = 1; n < 170 && !power.isZero(); n += 2) {
        sum = sum + power.dividedBy(n);
        power = power * s2;
    }
    return sum.times(2);
}

std::optional<double> referenceLog(double x)
{
    static const Fixed ln2 = twiceAtanh(Fixed::quotient(1, 3));
    int k = 0;
    const double m = 2 * std::frexp(x, &k); // x = m·2^(k-1), m in [1, 2)
    --k;
    const auto whole = static_cast<std::uint64_t>(std::ldexp(m, 52)); // m·2^52, exact
    const std::uint64_t one = std::uint64_t{1} << 52;
    const Fixed lnM = twiceAtanh(Fixed::quotient(whole - one, whole + one));
    const Fixed kLn2 = ln2.times(static_cast<std::uint32_t>(k < 0 ? -k : k));
    if (k >= 0)
        return (kLn2 + lnM).rounded(false);
    if (lnM < kLn2)
        return (kLn2 - lnM).rounded(true);
    return (lnM - kLn2).rounded(false);
}

// Arguments where a logarithm goes wrong if it does: those whose rounding is hardest to
// decide, the arguments of the default RX turn search, every order of magnitude the model
// meets, values near 1 where ln x is small, the ends of the table's parts, and the whole double
// range with subnormals.
std::vector<double> arguments()
{
    std::vector<double> xs = {
        1, 2, 0.5, 4, std::nextafter(1.0, 2.0), std::nextafter(1.0, 0.0), std::sqrt(2.0),
        std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(),
        // Among 80 million arguments, those whose logarithms lie nearest to halfway between
        // two doubles (within 2^-28 of an ulp).
        0x1.b45ea6a807ea2p+4, 0x1.da1e925fd4996p+17, 0x1.e09e36897236p-4, 0x1.0705f6f991b14p-15,
        0x1.a4b7a24ab0298p-14, 0x1.00000f2adeb71p+0, 0x1.0cf69f7ae13cap+5, 0x1.6e9bb60217beap+14,
        0x1.ea36327782a51p+21, 0x1.fffcc83fd07efp-1, 0x1.8ffb62081e16p-7, 0x1.97cbc9dfaf501p-5,
        0x1.15ff13ee4f4cep+10, 0x1.daa9f8b84f17ep+7, 0x1.96950e48278c8p+19, 0x1.ffef3030c5d03p-1,
        // Next to 1, nearer still: 1 - 2^-52 within 2^-53.6 of an ulp, 1 ± 3·2^-51 within
        // 2^-47.8.
        0x1.ffffffffffffep-1, 0x1.0000000000006p+0, 0x1.ffffffffffff4p-1};
    // The logarithm's argument 4/r at every fourth count of the search for 0.18 mm wire on
    // 190 mm, up to the model's peak.
    for (double n = 2; n <= 7838; n += 4) {
        using Op = engine::detail::Unchecked;
        xs.push_back(Op::div(4, Op::div(Op::mul(Op::div(0.18, 2), n), 190)));
    }
    Random random(2026);
    for (int i = 0; i < 1000; ++i)
        xs.push_back(std::ldexp(1 + random.unit(), static_cast<int>(random.next() % 60) - 25));
    for (int i = 0; i < 500; ++i)
        xs.push_back(1 +
                     std::ldexp(random.unit() - 0.5, -static_cast<int>(random.next() % 50) - 6));
    for (int part = 0; part <= 128; ++part) {
        const double edge = std::ldexp(1 + part / 128.0, static_cast<int>(random.next() % 40) - 20);
        xs.push_back(edge);
        xs.push_back(std::nextafter(edge, 0.0));
    }
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t bits = random.next() & 0x7FFFFFFFFFFFFFFF;
        const double x = std::bit_cast<double>(bits);
        if (std::isfinite(x) && x > 0)
            xs.push_back(x);
    }
    return xs;
}

TEST(NaturalLog, IsTheCorrectlyRoundedLogarithm)
{
    int undecided = 0;
    for (const double x : arguments()) {
        const std::optional<double> expected = referenceLog(x);
        if (!expected) {
            ++undecided;
            continue;
        }
        EXPECT_EQ(std::bit_cast<std::uint64_t>(naturalLog(x)),
                  std::bit_cast<std::uint64_t>(*expected))
            << "ln " << hex(x) << " = " << hex(naturalLog(x)) << ", expected " << hex(*expected);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(naturalLogCarefully(x)),
                  std::bit_cast<std::uint64_t>(*expected))
            << "careful ln " << hex(x) << " = " << hex(naturalLogCarefully(x)) << ", expected "
            << hex(*expected);
    }
    EXPECT_EQ(undecided, 0);
}

TEST(NaturalLog, EdgesOfTheDomain)
{
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(naturalLog(0.0), -infinity);
    EXPECT_EQ(naturalLog(-0.0), -infinity);
    EXPECT_EQ(naturalLog(infinity), infinity);
    EXPECT_TRUE(std::isnan(naturalLog(-1.0)));
    EXPECT_TRUE(std::isnan(naturalLog(-infinity)));
    EXPECT_TRUE(std::isnan(naturalLog(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(naturalLog(1.0)), 0u); // +0
}

#if defined(DDV_HAVE_MPFR)
// Both evaluations against MPFR's logarithm, correctly rounded to 53 bits, over about a
// million arguments a run, drawn where a logarithm slips.

constexpr long long kCases = DDV_REFERENCE_CASES;

double mpfrLog(double x)
{
    mpfr_t y;
    mpfr_init2(y, 53);
    mpfr_set_d(y, x, MPFR_RNDN);
    mpfr_log(y, y, MPFR_RNDN);
    const double result = mpfr_get_d(y, MPFR_RNDN);
    mpfr_clear(y);
    return result;
}

TEST(NaturalLog, AgreesWithMpfrWhereLogarithmsSlip)
{
    Random random(2027);
    Mismatches mismatches;
    const auto compare = [&mismatches](double x) {
        const double expected = mpfrLog(x);
        const auto check = [&](const char *name, double result) {
            if (std::bit_cast<std::uint64_t>(result) != std::bit_cast<std::uint64_t>(expected))
                mismatches.add(std::string(name) + "(" + hex(x) + ") = " + hex(result) +
                               ", MPFR: " + hex(expected));
        };
        check("naturalLog", naturalLog(x));
        check("naturalLogCarefully", naturalLogCarefully(x));
    };

    // Any positive double, subnormals included.
    for (long long i = 0; i < kCases * 3 / 8; ++i) {
        const double x = std::bit_cast<double>(random.next() >> 1);
        if (std::isfinite(x) && x > 0)
            compare(x);
    }
    // Near 1, where ln x is small: 1 ± 2^-e·(1 + u) for every e from 1 to 52, across the
    // switch to the series alone at |x - 1| = 2^-8; and from 2^-9 to 2^-6 off 1, where the
    // series' last terms weigh most against the logarithm.
    for (long long i = 0; i < kCases / 4; ++i) {
        const double offset = std::ldexp(1 + random.unit(), -static_cast<int>(1 + i % 52));
        compare(i % 2 == 0 ? 1 + offset : 1 - offset);
    }
    for (long long i = 0; i < kCases / 8; ++i) {
        const double offset = std::ldexp(1 + random.unit(), -static_cast<int>(7 + i % 3));
        compare(i % 2 == 0 ? 1 + offset : 1 - offset);
    }
    for (double x : {1 + 0x1p-8, 1 - 0x1p-8}) {
        for (int j = 0; j < 16; ++j)
            x = std::nextafter(x, 0.0);
        for (int j = 0; j <= 32; ++j, x = std::nextafter(x, 2.0))
            compare(x);
    }
    // The ends of every part of the table, and a few doubles either side, in random binades.
    for (long long i = 0; i < kCases / 8; ++i) {
        double x = std::ldexp(1 + static_cast<double>(i % 129) / 128,
                              static_cast<int>(random.between(-1022, 1022)));
        for (long long j = random.between(-3, 3); j != 0; j += j < 0 ? 1 : -1)
            x = std::nextafter(x, j < 0 ? 0.0 : INFINITY);
        compare(x);
    }
    // Powers of two and their neighbours, from the smallest subnormal to the largest; and
    // subnormals of every width, whose exponent is made normal first.
    for (int k = -1074; k <= 1023; ++k) {
        const double power = std::ldexp(1.0, k);
        compare(power);
        compare(std::nextafter(power, 0.0));
        compare(std::nextafter(power, INFINITY));
    }
    for (long long i = 0; i < kCases / 16; ++i) {
        const std::uint64_t top = std::uint64_t{1} << (i % 52);
        compare(std::bit_cast<double>(top | (random.next() & (top - 1))));
    }
    // Logarithms just beyond a number halfway between two doubles, where the quick sum must
    // give way to the careful one: for t = o·2^(a-52) with odd o in [2^a, 2^(a+1)), t - t²/2
    // is halfway between two doubles, and ln(1 + t) lies above it by about t³/3, within 2^-14
    // of an ulp for a up to 9; ln(1 - t) likewise below -(t + t²/2).
    for (int a = 1; a <= 9; ++a)
        for (std::uint64_t o = (std::uint64_t{1} << a) + 1; o < std::uint64_t{2} << a; o += 2) {
            const double t = std::ldexp(static_cast<double>(o), a - 52);
            compare(1 + t);
            compare(1 - t);
        }
    EXPECT_EQ(mismatches.count(), 0);
}
#endif

} // namespace
