// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/logarithm.h"

#include "engine/steps.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using engine::naturalLog;
using engine::detail::naturalLogCarefully;

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

// splitmix64: the same arguments on every machine.
std::uint64_t nextRandom(std::uint64_t &state)
{
    std::uint64_t z = state += 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

double unitRandom(std::uint64_t &state)
{
    return static_cast<double>(nextRandom(state) >> 11) * 0x1p-53;
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
        0x1.15ff13ee4f4cep+10, 0x1.daa9f8b84f17ep+7, 0x1.96950e48278c8p+19, 0x1.ffef3030c5d03p-1};
    // The logarithm's argument 4/r at every fourth count of the search for 0.18 mm wire on
    // 190 mm, up to the model's peak.
    for (double n = 2; n <= 7838; n += 4) {
        using Op = engine::detail::Unchecked;
        xs.push_back(Op::div(4, Op::div(Op::mul(Op::div(0.18, 2), n), 190)));
    }
    std::uint64_t state = 2026;
    for (int i = 0; i < 1000; ++i)
        xs.push_back(
            std::ldexp(1 + unitRandom(state), static_cast<int>(nextRandom(state) % 60) - 25));
    for (int i = 0; i < 500; ++i)
        xs.push_back(
            1 + std::ldexp(unitRandom(state) - 0.5, -static_cast<int>(nextRandom(state) % 50) - 6));
    for (int part = 0; part <= 128; ++part) {
        const double edge =
            std::ldexp(1 + part / 128.0, static_cast<int>(nextRandom(state) % 40) - 20);
        xs.push_back(edge);
        xs.push_back(std::nextafter(edge, 0.0));
    }
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t bits = nextRandom(state) & 0x7FFFFFFFFFFFFFFF;
        const double x = std::bit_cast<double>(bits);
        if (std::isfinite(x) && x > 0)
            xs.push_back(x);
    }
    return xs;
}

std::string hex(double x)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%a", x);
    return buffer;
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

} // namespace
