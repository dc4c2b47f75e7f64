// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "referencereader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace testing_support {

namespace {

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c, int radix)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < radix ? value : -1;
}

// "&H..." and "&O...": the longest run of digits after the two letters. Up to four hex
// digits, or up to six octal digits worth at most 0xFFFF, make a signed 16-bit number;
// anything else up to 32 bits a signed 32-bit number.
std::optional<double> readRadix(const std::string &digitsAndRest, int radix)
{
    std::string digits;
    for (char c : digitsAndRest) {
        if (digitValue(c, radix) < 0)
            break;
        digits += c;
    }
    std::string significant = digits;
    while (!significant.empty() && significant.front() == '0')
        significant.erase(0, 1);
    const std::size_t maxSignificant = radix == 16 ? 8 : 11; // 32 bits need 8 or 11 digits
    if (significant.size() > maxSignificant)
        return std::nullopt;

    std::uint64_t value = 0;
    for (char c : significant)
        value = value * static_cast<std::uint64_t>(radix) +
                static_cast<std::uint64_t>(digitValue(c, radix));
    if (value > 0xFFFFFFFFull)
        return std::nullopt;

    const bool sixteenBits =
        radix == 16 ? digits.size() <= 4 : digits.size() <= 6 && value <= 0xFFFF;
    const double unsignedValue = static_cast<double>(value);
    if (sixteenBits)
        return value >= 0x8000 ? unsignedValue - 65536.0 : unsignedValue;
    return value >= 0x80000000ull ? unsignedValue - 4294967296.0 : unsignedValue;
}

// The same value with at most 800 significant digits, as "0.DIGITS" with an exponent: some C
// libraries (mingw-w64's) take time quadratic in the length, a minute for a megabyte. A
// double lies nearest one side of a halfway point between two doubles, which has at most 768
// significant digits, so 800 digits and one more nonzero digit for any nonzero digits cut
// off round the same way.
std::string shortened(const std::string &number)
{
    std::size_t i = 0;
    std::string sign;
    if (number[i] == '+' || number[i] == '-')
        sign = number[i++];
    std::string digits;
    long long integerDigits = -1;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.')
            integerDigits = static_cast<long long>(digits.size());
        else
            digits += number[i];
    }
    if (integerDigits < 0)
        integerDigits = static_cast<long long>(digits.size());

    // The written exponent, held within a range where only its sign still matters.
    long long exponent = 0;
    if (i < number.size()) {
        const bool negative = number[++i] == '-';
        if (number[i] == '+' || number[i] == '-')
            ++i;
        for (; i < number.size(); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000'000LL);
        if (negative)
            exponent = -exponent;
    }

    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return sign + "0";
    std::string significant = digits.substr(first, 800);
    if (digits.find_first_not_of('0', first + significant.size()) != std::string::npos)
        significant += '1';
    exponent += integerDigits - static_cast<long long>(first);
    return sign + "0." + significant + "e" + std::to_string(exponent);
}

} // namespace

std::optional<double> referenceRead(std::string_view text)
{
    // Blanks, tabs and line feeds do not count wherever they stand.
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;

    if (!s.empty() && s[0] == '&') {
        if (s.size() >= 2 && (s[1] == 'H' || s[1] == 'h'))
            return readRadix(s.substr(2), 16);
        if (s.size() >= 2 && (s[1] == 'O' || s[1] == 'o'))
            return readRadix(s.substr(2), 8);
        return 0.0;
    }

    // Sign, digits with at most one point, then an exponent only if it has a digit.
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool sawDigit = false;
    bool sawPoint = false;
    while (i < s.size()) {
        if (isDecimalDigit(s[i])) {
            sawDigit = true;
        } else if (s[i] == '.' && !sawPoint) {
            sawPoint = true;
        } else {
            break;
        }
        ++i;
    }
    if (!sawDigit)
        return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDecimalDigit(s[j])) {
            while (j < s.size() && isDecimalDigit(s[j]))
                ++j;
            i = j;
        }
    }

    // The process runs in the "C" locale, so strtod takes the point as the separator.
    const std::string number = i > 800 ? shortened(s.substr(0, i)) : s.substr(0, i);
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(number.c_str(), &end);
    const bool outOfRange = errno == ERANGE;
    if (end != number.c_str() + number.size())
        throw std::logic_error("strtod did not take the whole number \"" + number + "\"");
    if (outOfRange && std::isinf(value))
        return std::nullopt;
    return value;
}

} // namespace testing_support
