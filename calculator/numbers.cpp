// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers.h"

#include "engine/coil.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

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

// Decimal exponent of the leading significant digit of a mantissa such as "000.0012",
// shifted by the written exponent. Used only to tell an overflow from an underflow once the
// conversion has said that the value is out of range.
long long magnitude(std::string_view mantissa, long long exponent)
{
    const std::size_t point = mantissa.find('.');
    const std::size_t intDigits = point == std::string_view::npos ? mantissa.size() : point;
    std::size_t i = 0;
    long long position = static_cast<long long>(intDigits);
    for (; i < mantissa.size(); ++i) {
        const char c = mantissa[i];
        if (c == '.')
            continue;
        if (c != '0')
            break;
        --position;
    }
    return position - 1 + exponent;
}

double readDecimalNumber(Cursor &in)
{
    std::string number; // sign, mantissa and exponent without any blanks
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }
    if (negative)
        number += '-';
    const std::size_t mantissaStart = number.size();

    bool anyDigit = false;
    bool point = false;
    for (;; in.advance()) {
        const char c = in.peek();
        if (isDigit(c)) {
            anyDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number += c;
    }
    if (!anyDigit)
        return 0;
    const std::size_t mantissaEnd = number.size();

    // An exponent counts only when at least one digit follows the letter and its sign;
    // otherwise the number ends before the letter.
    long long exponent = 0;
    if (in.peek() == 'e' || in.peek() == 'E') {
        Cursor look = in;
        look.advance();
        bool expNegative = false;
        if (look.peek() == '+' || look.peek() == '-') {
            expNegative = look.peek() == '-';
            look.advance();
        }
        if (isDigit(look.peek())) {
            number += 'e';
            if (expNegative)
                number += '-';
            for (; isDigit(look.peek()); look.advance()) {
                number += look.peek();
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (look.peek() - '0');
            }
            if (expNegative)
                exponent = -exponent;
        }
    }

    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        const std::string_view mantissa(number.data() + mantissaStart, mantissaEnd - mantissaStart);
        if (magnitude(mantissa, exponent) > 0)
            overflow();
        return negative ? -0.0 : 0.0; // below the smallest subnormal
    }
    return value;
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
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    // Rounded to 15 digits, the very largest doubles come out beyond the double range: such a
    // text could not be read back, so the value counts as an overflow.
    double shown = 0;
    if (std::fabs(value) >= 1.7976931348623e308 &&
        std::from_chars(buffer, result.ptr, shown).ec == std::errc::result_out_of_range)
        overflow();
    std::string text;
    text.reserve(static_cast<std::size_t>(result.ptr - buffer) + decimalSeparator.size());
    for (const char *p = buffer; p != result.ptr; ++p) {
        if (*p == '.')
            text += decimalSeparator;
        else if (*p == 'e')
            text += 'E';
        else
            text += *p;
    }
    return text;
}

} // namespace calculator
