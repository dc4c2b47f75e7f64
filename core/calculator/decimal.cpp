// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace calculator::decimal {

namespace {

// A whole number in 32-bit limbs, the least significant first, with no zero limb on top. The
// conversions below need at most about 3750 bits (800 digits times 10^308, or divided by
// 10^1123 and scaled by 2^1074); the limbs are kept in place, without allocations.
class Natural {
  public:
    explicit Natural(std::uint64_t value)
    {
        for (; value != 0; value >>= 32)
            push(static_cast<std::uint32_t>(value));
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
        if (size_ == 0)
            return 0;
        return static_cast<long long>(size_) * 32 - std::countl_zero(limbs_[size_ - 1]);
    }

    void multiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0)
            push(static_cast<std::uint32_t>(carry));
        trim();
    }

    void multiplyByPowerOfTen(long long power)
    {
        for (; power >= 9; power -= 9)
            multiplyAdd(kPowersOfTen[9], 0);
        multiplyAdd(kPowersOfTen[static_cast<std::size_t>(power)], 0);
    }

    void shiftLeft(long long bits)
    {
        if (size_ == 0 || bits == 0)
            return;
        const auto whole = static_cast<std::size_t>(bits / 32);
        const int part = static_cast<int>(bits % 32);
        if (part != 0) {
            std::uint32_t carry = 0;
            for (std::size_t i = 0; i < size_; ++i) {
                const std::uint32_t next = limbs_[i] >> (32 - part);
                limbs_[i] = limbs_[i] << part | carry;
                carry = next;
            }
            if (carry != 0)
                push(carry);
        }
        if (whole != 0) {
            if (size_ + whole > kCapacity)
                throw std::length_error("number too long for the decimal conversion");
            std::copy_backward(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(size_),
                               limbs_.begin() + static_cast<std::ptrdiff_t>(size_ + whole));
            std::fill_n(limbs_.begin(), whole, 0);
            size_ += whole;
        }
    }

    // this times a factor below 2^64.
    void multiplyBy(std::uint64_t factor)
    {
        Natural high = *this;
        multiplyAdd(static_cast<std::uint32_t>(factor), 0);
        if (factor >> 32 != 0) {
            high.multiplyAdd(static_cast<std::uint32_t>(factor >> 32), 0);
            high.shiftLeft(32);
            add(high);
        }
    }

    void add(const Natural &other)
    {
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < std::max(size_, other.size_); ++i) {
            if (i == size_)
                push(0);
            carry += std::uint64_t{limbs_[i]} + (i < other.size_ ? other.limbs_[i] : 0);
            limbs_[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0)
            push(static_cast<std::uint32_t>(carry));
        trim();
    }

    // The number about: its three leading limbs as a double, times 2^(32·lowest) for the
    // lowest of them.
    struct Approximation {
        double leading;
        long long lowest;
    };
    Approximation approximation() const
    {
        double value = 0;
        const std::size_t lowest = size_ > 3 ? size_ - 3 : 0;
        for (std::size_t i = size_; i-- > lowest;)
            value = value * 0x1p32 + limbs_[i];
        return {value, static_cast<long long>(lowest)};
    }

    // Subtracts a number no larger than this one.
    void subtract(const Natural &other)
    {
        std::uint32_t borrow = 0;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t taken =
                std::uint64_t{i < other.size_ ? other.limbs_[i] : 0} + borrow;
            borrow = limbs_[i] < taken ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - taken);
        }
        trim();
    }

    friend int compare(const Natural &a, const Natural &b)
    {
        if (a.size_ != b.size_)
            return a.size_ < b.size_ ? -1 : 1;
        for (std::size_t i = a.size_; i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i])
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }

  private:
    static constexpr std::size_t kCapacity = 128;
    static constexpr std::array<std::uint32_t, 10> kPowersOfTen{
        1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

    void trim()
    {
        while (size_ > 0 && limbs_[size_ - 1] == 0)
            --size_;
    }

    void push(std::uint32_t limb)
    {
        if (size_ == kCapacity)
            throw std::length_error("number too long for the decimal conversion");
        limbs_[size_++] = limb;
    }

    std::array<std::uint32_t, kCapacity> limbs_;
    std::size_t size_ = 0;
};

// floor(a / b) for a quotient below 2^53 or a little more, and the remainder's place against
// half of b: below (-1), exactly half (0) or above (1).
struct Quotient {
    std::uint64_t value;
    int remainderAgainstHalf;
};

Quotient divide(Natural a, const Natural &b)
{
    // The quotient of the leading bits, within a few units of the true one, then mended
    // exactly: b·q is brought to at most a, and the remainder below b.
    const auto x = a.approximation();
    const auto y = b.approximation();
    const double estimate =
        std::floor(std::ldexp(x.leading / y.leading, static_cast<int>(32 * (x.lowest - y.lowest))));
    auto q = static_cast<std::uint64_t>(std::clamp(estimate, 0.0, 0x1p63));
    Natural product = b;
    product.multiplyBy(q);
    while (compare(product, a) > 0) {
        product.subtract(b);
        --q;
    }
    a.subtract(product);
    while (compare(a, b) >= 0) {
        a.subtract(b);
        ++q;
    }
    a.shiftLeft(1);
    return {q, compare(a, b)};
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

// Every double and every number halfway between two doubles has at most 768 significant
// digits (the halfway point just below 2^-1021 has that many); with this many digits kept, the
// digits cut off can only move a value that is exactly halfway (or exactly a double), and then
// only upward.
constexpr std::size_t kKeptDigits = 800;

} // namespace

std::optional<double> nearestDouble(std::string_view digits, long long exponent)
{
    // The significant digits alone; the trailing zeros go into the exponent.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos)
        return 0.0;
    const std::size_t last = digits.find_last_not_of('0');
    std::string_view significant = digits.substr(first, last + 1 - first);

    // The decimal place of the leading digit, `places` above the last digit's: from 10^309 the
    // value is beyond the double range; below 10^-324 it is less than half the smallest
    // subnormal (2.47E-324). The upper end is tested before the sum is formed, so that no
    // exponent near the top of its type overflows; from here on it lies within the digits'
    // count of the double range.
    const auto places = static_cast<long long>(digits.size() - 1 - first);
    if (exponent > 308 - places)
        return std::nullopt;
    const long long leading = exponent + places;
    if (leading < -324)
        return 0.0;
    exponent += static_cast<long long>(digits.size() - 1 - last);

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

    // The decimal place of the leading digit, estimated from the leading bits (log2(1 + f) is
    // near f): right but for a few values just above a power of ten, which the loop mends.
    int exponent = static_cast<int>(
        std::floor((binaryExponent - 1 + (2 * fraction - 1)) * 0.30102999566398120));
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
