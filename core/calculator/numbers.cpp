// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers.h"

#include "decimal.h"

#include "engine/coil.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace calculator {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Walks the text one significant character at a time, stepping over blanks, tabs and line
// feeds wherever they stand.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) { skipBlanks(); }

    bool atEnd() const { return pos_ == text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance()
    {
        ++pos_;
        skipBlanks();
    }

  private:
    void skipBlanks()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

[[noreturn]] void overflow()
{
    throw engine::ArithmeticFault(engine::FaultKind::Overflow);
}

int hexDigit(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int octalDigit(char c)
{
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

// "&H" or "&O" numbers: whole numbers in two's complement, 16-bit while they fit the short
// form, 32-bit otherwise.
double readRadixNumber(Cursor &in, bool hex)
{
    const unsigned radix = hex ? 16 : 8;
    std::uint64_t value = 0;
    int digits = 0;
    for (int d; (d = hex ? hexDigit(in.peek()) : octalDigit(in.peek())) >= 0; in.advance()) {
        value = value * radix + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFu)
            overflow();
        ++digits;
    }
    const bool shortForm = hex ? digits <= 4 : (digits <= 6 && value <= 0xFFFF);
    if (shortForm)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

double readDecimalNumber(Cursor &in)
{
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }

    std::string digits; // the mantissa's digits, without the point
    long long fractionDigits = 0;
    bool point = false;
    for (;; in.advance()) {
        const char c = in.peek();
        if (isDigit(c)) {
            digits += c;
            if (point)
                ++fractionDigits;
        } else if (c == kDecimalPoint && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty())
        return 0;

    // An exponent counts only when at least one digit follows the letter and its sign;
    // otherwise the number ends before the letter. Beyond ten digits only its sign matters.
    long long exponent = 0;
    if (in.peek() == 'e' || in.peek() == 'E') {
        Cursor look = in;
        look.advance();
        bool expNegative = false;
        if (look.peek() == '+' || look.peek() == '-') {
            expNegative = look.peek() == '-';
            look.advance();
        }
        for (; isDigit(look.peek()); look.advance())
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (look.peek() - '0');
        if (expNegative)
            exponent = -exponent;
    }

    const std::optional<double> value = decimal::nearestDouble(digits, exponent - fractionDigits);
    if (!value)
        overflow();
    return negative ? -*value : *value;
}

} // namespace

double readNumber(std::string_view text)
{
    Cursor in(text);
    if (in.peek() == '&') {
        Cursor radix = in;
        radix.advance();
        const char kind = radix.peek();
        if (kind == 'H' || kind == 'h' || kind == 'O' || kind == 'o') {
            radix.advance();
            return readRadixNumber(radix, kind == 'H' || kind == 'h');
        }
        return 0;
    }
    return readDecimalNumber(in);
}

std::string showNumber(double value, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        overflow();
    if (value == 0)
        return "0";
    const auto [significand, exponent] = decimal::roundToFifteenDigits(std::fabs(value));
    char buffer[15];
    std::uint64_t rest = significand;
    for (std::size_t i = sizeof buffer; i-- > 0; rest /= 10)
        buffer[i] = static_cast<char>('0' + rest % 10);
    std::string_view digits(buffer, sizeof buffer);
    // Rounded to 15 digits, the very largest doubles come out beyond the double range: such a
    // text could not be read back, so the value counts as an overflow.
    if (exponent >= 308 && !decimal::nearestDouble(digits, exponent - 14))
        overflow();
    digits = digits.substr(0, digits.find_last_not_of('0') + 1);

    std::string text;
    text.reserve(24 + decimalSeparator.size());
    if (value < 0)
        text += '-';
    if (exponent >= 15 || exponent < -4) {
        text += digits.front();
        if (digits.size() > 1) {
            text += decimalSeparator;
            text += digits.substr(1);
        }
        const int magnitude = exponent < 0 ? -exponent : exponent;
        text += exponent < 0 ? "E-" : "E+";
        if (magnitude >= 100)
            text += static_cast<char>('0' + magnitude / 100);
        text += static_cast<char>('0' + magnitude / 10 % 10);
        text += static_cast<char>('0' + magnitude % 10);
    } else if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        text += digits.substr(0, whole);
        if (digits.size() > whole) {
            text += decimalSeparator;
            text += digits.substr(whole);
        } else {
            text.append(whole - digits.size(), '0');
        }
    } else {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

} // namespace calculator
