// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <vector>

namespace calculator::decimal {

namespace {

// A whole number of any size, in 32-bit limbs, the least significant first, with no zero limb
// on top.
class Natural {
  public:
    explicit Natural(std::uint64_t value)
    {
        for (; value != 0; value >>= 32)
            limbs_.push_back(static_cast<std::uint32_t>(value));
    }

    // The number the decimal digits write.
    static Natural fromDigits(std::string_view digits)
    {
        Natural n(0);
        while (!digits.empty()) {
            const std::size_t chunk = std::min<std::size_t>(digits.size(), 9);
            std::uint32_t value = 0;
            for (char c : digits.substr(0, chunk))
                value = value * 10 + static_cast<std::uint32_t>(c - '0');
            n.multiplyAdd(kPowersOfTen[chunk], value);
            digits.remove_prefix(chunk);
        }
        return n;
    }

    long long bitLength() const
    {
        if (limbs_.empty())
            return 0;
        return static_cast<long long>(limbs_.size()) * 32 - std::countl_zero(limbs_.back());
    }

    void multiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (std::uint32_t &limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0)
            limbs_.push_back(static_cast<std::uint32_t>(carry));
    }

    void multiplyByPowerOfTen(long long power)
    {
        for (; power >= 9; power -= 9)
            multiplyAdd(kPowersOfTen[9], 0);
        multiplyAdd(kPowersOfTen[static_cast<std::size_t>(power)], 0);
    }

    void shiftLeft(long long bits)
    {
        if (limbs_.empty() || bits == 0)
            return;
        const auto whole = static_cast<std::size_t>(bits / 32);
        const int part = static_cast<int>(bits % 32);
        if (part != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t &limb : limbs_) {
                const std::uint32_t next = limb >> (32 - part);
                limb = limb << part | carry;
                carry = next;
            }
            if (carry != 0)
                limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), whole, 0);
    }

    // Subtracts a number no larger than this one.
    void subtract(const Natural &other)
    {
        std::uint32_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint64_t taken =
                std::uint64_t{i < other.limbs_.size() ? other.limbs_[i] : 0} + borrow;
            borrow = limbs_[i] < taken ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - taken);
        }
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
    }

    friend int compare(const Natural &a, const Natural &b)
    {
        if (a.limbs_.size() != b.limbs_.size())
            return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (std::size_t i = a.limbs_.size(); i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i])
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }

  private:
    static constexpr std::array<std::uint32_t, 10> kPowersOfTen{
        1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

    std::vector<std::uint32_t> limbs_;
};

// floor(a / b) for a quotient below 2^64, and the remainder's place against half of b: below
// (-1), exactly half (0) or above (1).
struct Quotient {
    std::uint64_t value;
    int remainderAgainstHalf;
};

Quotient divide(Natural a, Natural b)
{
    // Binary long division: b is moved under the leading bit of a and walks down one bit a
    // step, done here by moving a up instead, so that b is shifted only once.
    const long long shift = a.bitLength() - b.bitLength();
    std::uint64_t quotient = 0;
    if (shift >= 0) {
        b.shiftLeft(shift);
        for (long long bit = shift;; --bit) {
            quotient <<= 1;
            if (compare(a, b) >= 0) {
                a.subtract(b);
                quotient |= 1;
            }
            if (bit == 0)
                break;
            a.shiftLeft(1);
        }
    }
    // a and b now stand for the remainder and the divisor, both scaled by 2^shift.
    a.shiftLeft(1);
    return {quotient, compare(a, b)};
}

// Rounds a quotient to the nearest whole number, halfway to the even one; `above` says that
// the exact value lies a little above the one divided, which settles a halfway case upward.
std::uint64_t rounded(const Quotient &q, bool above)
{
    const bool up = q.remainderAgainstHalf > 0 ||
                    (q.remainderAgainstHalf == 0 && (above || (q.value & 1) != 0));
    return q.value + (up ? 1 : 0);
}

// Powers of ten that doubles hold exactly.
constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr std::uint64_t kLeastFifteenDigits = 100'000'000'000'000;
constexpr std::uint64_t kBeyondFifteenDigits = 1'000'000'000'000'000;

// A double's significant bits lie within the first 767 significant digits of any number
// halfway between two doubles; with this many digits kept, the digits cut off can only move
// a value that is exactly halfway (or exactly a double), and then only upward.
constexpr std::size_t kKeptDigits = 800;

} // namespace

std::optional<double> nearestDouble(std::string_view digits, long long exponent)
{
    // The significant digits alone: trailing zeros go into the exponent.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos)
        return 0.0;
    const std::size_t last = digits.find_last_not_of('0');
    std::string_view significant = digits.substr(first, last + 1 - first);
    exponent += static_cast<long long>(digits.size() - 1 - last);

    // The decimal place of the leading digit: from 10^309 the value is beyond the double
    // range; below 10^-324 it is less than half the smallest subnormal (2.47E-324).
    const long long leading = exponent + static_cast<long long>(significant.size()) - 1;
    if (leading > 308)
        return std::nullopt;
    if (leading < -324)
        return 0.0;

    // Up to 15 digits and a power of ten that a double holds: both operands are exact, so the
    // one rounding of the multiplication or division is the correct one.
    if (significant.size() <= 15 && exponent >= -22 && exponent <= 22) {
        std::uint64_t whole = 0;
        for (char c : significant)
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
        const double w = static_cast<double>(whole);
        const auto power = kExactPowersOfTen[static_cast<std::size_t>(std::abs(exponent))];
        return exponent < 0 ? w / power : w * power;
    }

    // The last significant digit is not zero, so digits cut off leave the value above.
    bool cutOff = false;
    if (significant.size() > kKeptDigits) {
        exponent += static_cast<long long>(significant.size() - kKeptDigits);
        significant = significant.substr(0, kKeptDigits);
        cutOff = true;
    }

    // The value as the exact fraction numerator / denominator.
    Natural numerator = Natural::fromDigits(significant);
    Natural denominator(1);
    if (exponent >= 0)
        numerator.multiplyByPowerOfTen(exponent);
    else
        denominator.multiplyByPowerOfTen(-exponent);

    // The place of its leading bit: 2^top <= value < 2^(top + 1).
    long long top = numerator.bitLength() - denominator.bitLength();
    {
        Natural a = numerator;
        Natural b = denominator;
        if (top >= 0)
            b.shiftLeft(top);
        else
            a.shiftLeft(-top);
        if (compare(a, b) < 0)
            --top;
    }
    if (top > 1023)
        return std::nullopt;

    // 53 bits from the leading one, or fewer where the value is subnormal, whose last bit is
    // worth 2^-1074.
    long long unit = std::max(top - 52, -1074LL);
    if (unit >= 0)
        denominator.shiftLeft(unit);
    else
        numerator.shiftLeft(-unit);
    std::uint64_t bits = rounded(divide(numerator, denominator), cutOff);
    if (bits == std::uint64_t{1} << 53) {
        bits >>= 1;
        ++unit;
    }
    if (unit > 1023 - 52)
        return std::nullopt;
    return std::ldexp(static_cast<double>(bits), static_cast<int>(unit));
}

FifteenDigits roundToFifteenDigits(double value)
{
    // Whole numbers of up to 15 digits, such as every turn count of a search, are their own
    // digits.
    if (value < 1e15 && value == std::floor(value)) {
        auto significand = static_cast<std::uint64_t>(value);
        int exponent = 14;
        for (; significand < kLeastFifteenDigits; significand *= 10)
            --exponent;
        return {significand, exponent};
    }

    // value = mantissa * 2^shift exactly, the mantissa a whole number below 2^53.
    int binaryExponent = 0;
    const double fraction = std::frexp(value, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = binaryExponent - 53;

    // The decimal place of the leading digit, from that of the leading bit (times log10 2,
    // 78913 / 2^18 from below): right, or one too small, which the loop mends.
    int exponent = (binaryExponent - 1) * 78913 >> 18;
    for (;;) {
        Natural numerator(mantissa);
        Natural denominator(1);
        if (shift >= 0)
            numerator.shiftLeft(shift);
        else
            denominator.shiftLeft(-shift);
        const int scale = 14 - exponent;
        if (scale >= 0)
            numerator.multiplyByPowerOfTen(scale);
        else
            denominator.multiplyByPowerOfTen(-scale);

        const Quotient q = divide(numerator, denominator);
        if (q.value < kLeastFifteenDigits) {
            --exponent;
            continue;
        }
        if (q.value >= kBeyondFifteenDigits) {
            ++exponent;
            continue;
        }
        const std::uint64_t significand = rounded(q, false);
        if (significand == kBeyondFifteenDigits)
            return {kLeastFifteenDigits, exponent + 1};
        return {significand, exponent};
    }
}

} // namespace calculator::decimal
