// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/numbers.h"

#include "calculator/decimal.h"
#include "engine/coil.h"
#include "tests/support/comparison.h"

#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#if defined(__GLIBC__)
#include <locale.h>
#endif
#if defined(DDV_HAVE_MPFR)
#include <mpfr.h>
#endif

using calculator::readNumber;
using calculator::showNumber;
using calculator::decimal::nearestDouble;
using calculator::decimal::roundToFifteenDigits;
using testing_support::hex;
using testing_support::Mismatches;
using testing_support::Random;

namespace {

struct ReadCase {
    const char *text;
    double value;
};

void PrintTo(const ReadCase &c, std::ostream *os)
{
    *os << '"' << c.text << "\" -> " << c.value;
}

class ReadNumberTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, ReadsTheLeadingNumber)
{
    const ReadCase c = GetParam();
    const double read = readNumber(c.text);
    EXPECT_EQ(read, c.value) << "text: \"" << c.text << "\"";
    EXPECT_EQ(std::signbit(read), std::signbit(c.value)) << "text: \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(PlainNumbers, ReadNumberTest,
                         testing::Values(ReadCase{"10", 10}, ReadCase{"0.18", 0.18},
                                         ReadCase{"11.5", 11.5}, ReadCase{"-2.5", -2.5},
                                         ReadCase{"+4", 4}, ReadCase{".5", 0.5},
                                         ReadCase{"-.5", -0.5}, ReadCase{"5.", 5},
                                         ReadCase{"007", 7}, ReadCase{"-0", -0.0}));

INSTANTIATE_TEST_SUITE_P(
    ExactConversion, ReadNumberTest,
    testing::Values(ReadCase{"0.2", 0.2}, ReadCase{"0.35", 0.35}, ReadCase{"0.45", 0.45},
                    ReadCase{"33.000583347351757", 33.000583347351757},
                    ReadCase{"0.1000000000000000055511151231257827", 0.1},
                    ReadCase{"1e-310", 1e-310},
                    // Halfway between two doubles: to the one whose last bit is even.
                    ReadCase{"9007199254740993", 9007199254740992.0},
                    ReadCase{"9007199254740995", 9007199254740996.0},
                    ReadCase{"1.00000000000000011102230246251565404236316680908203125", 1.0},
                    ReadCase{"179769313486231570000000000000000000000000000000000000000000000000000"
                             "000000000000000000000000000000000000000000000000000000000000000000000"
                             "000000000000000000000000000000000000000000000000000000000000000000000"
                             "000000000000000000000000000000000000000000000000000000000000000000000"
                             "000000000000000000000000000000000",
                             1.7976931348623157e308}));

INSTANTIATE_TEST_SUITE_P(Blanks, ReadNumberTest,
                         testing::Values(ReadCase{"  0.18  ", 0.18}, ReadCase{"1 9 0", 190},
                                         ReadCase{"\t1\n2", 12}, ReadCase{"- 1 . 5", -1.5},
                                         ReadCase{"1 e 3", 1000}, ReadCase{"& H F F", 255},
                                         ReadCase{" \t\n", 0}));

INSTANTIATE_TEST_SUITE_P(Exponents, ReadNumberTest,
                         testing::Values(ReadCase{"1e3", 1000}, ReadCase{"1E3", 1000},
                                         ReadCase{"2.5e-2", 0.025}, ReadCase{"1e+2", 100},
                                         ReadCase{"1e", 1}, ReadCase{"1e+", 1}, ReadCase{"1e-", 1},
                                         ReadCase{"1ex", 1}, ReadCase{"1e2.5", 100},
                                         ReadCase{"0e99999", 0}, ReadCase{"1e-999", 0},
                                         ReadCase{"-1e-999", -0.0}, ReadCase{"0.0000001e-400", 0},
                                         ReadCase{"1d3", 1}));

INSTANTIATE_TEST_SUITE_P(StopsAtTheFirstForeignCharacter, ReadNumberTest,
                         testing::Values(ReadCase{"11.5кГц", 11.5}, ReadCase{"190мм", 190},
                                         ReadCase{"0,18", 0}, ReadCase{"1,5", 1},
                                         ReadCase{"12abc34", 12}, ReadCase{"1..2", 1},
                                         ReadCase{"1.2.3", 1.2}, ReadCase{"0x10", 0},
                                         ReadCase{"1-2", 1}, ReadCase{"3+4", 3}));

INSTANTIATE_TEST_SUITE_P(NoDigitReadsAsZero, ReadNumberTest,
                         testing::Values(ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"-", 0},
                                         ReadCase{"+", 0}, ReadCase{".", 0}, ReadCase{"-.", 0},
                                         ReadCase{"+-1", 0}, ReadCase{"--1", 0}, ReadCase{"e5", 0},
                                         ReadCase{"NaN", 0}, ReadCase{"inf", 0},
                                         ReadCase{"Infinity", 0}, ReadCase{"кГц", 0},
                                         ReadCase{"&", 0}, ReadCase{"&5", 0}));

INSTANTIATE_TEST_SUITE_P(
    HexAndOctal, ReadNumberTest,
    testing::Values(ReadCase{"&HFF", 255}, ReadCase{"&hff", 255}, ReadCase{"&H7FFF", 32767},
                    ReadCase{"&H8000", -32768}, ReadCase{"&HFFFF", -1}, ReadCase{"&H0FFFF", 65535},
                    ReadCase{"&H10000", 65536}, ReadCase{"&H7FFFFFFF", 2147483647},
                    ReadCase{"&H80000000", -2147483648.0}, ReadCase{"&HFFFFFFFF", -1},
                    ReadCase{"&H", 0}, ReadCase{"&HG", 0}, ReadCase{"&H1G", 1}, ReadCase{"&H-1", 0},
                    ReadCase{"&O17", 15}, ReadCase{"&o777", 511}, ReadCase{"&O177777", -1},
                    ReadCase{"&O200000", 65536}, ReadCase{"&O37777777777", -1}, ReadCase{"&O8", 0},
                    ReadCase{"-&H10", 0}));

TEST(ReadNumber, NumbersBeyondTheDoubleRangeOverflow)
{
    for (const char *text : {"1e999", "-1e999", "1e309", "1e9999999999999999999999", "&HFFFFFFFFF",
                             "&H100000000", "&O777777777777", "&O40000000000"}) {
        try {
            readNumber(text);
            ADD_FAILURE() << "no fault for \"" << text << "\"";
        } catch (const engine::ArithmeticFault &fault) {
            EXPECT_EQ(fault.kind(), engine::FaultKind::Overflow) << text;
        }
    }
}

// The exponent anywhere in its type, even where adding the digits' places to it would pass
// its ends: above the double range no value, below half the smallest subnormal 0.
TEST(NearestDouble, ExponentsAtTheEndsOfTheirType)
{
    for (const std::string &digits : {std::string("1"), std::string("10"), std::string("123"),
                                      std::string("00100"), std::string("98765432109876543210"),
                                      "1" + std::string(900, '0'), std::string(900, '7')}) {
        for (long long offset = 0; offset <= 3; ++offset) {
            EXPECT_EQ(nearestDouble(digits, LLONG_MAX - offset), std::nullopt)
                << digits.size() << " digits " << digits.substr(0, 20) << " at LLONG_MAX - "
                << offset;
            EXPECT_EQ(nearestDouble(digits, LLONG_MIN + offset), 0.0)
                << digits.size() << " digits " << digits.substr(0, 20) << " at LLONG_MIN + "
                << offset;
        }
    }
    EXPECT_EQ(nearestDouble("000", LLONG_MAX), 0.0);
}

TEST(ReadNumber, HugeTextsReadWithoutTrouble)
{
    EXPECT_THROW(readNumber(std::string(1'000'000, '9')), engine::ArithmeticFault);
    EXPECT_EQ(readNumber(std::string(1'000'000, ' ') + "7"), 7);
    EXPECT_EQ(readNumber("0." + std::string(1'000'000, '0') + "1e1000001"), 1);
    EXPECT_EQ(readNumber("&H" + std::string(1'000'000, '0') + "1"), 1);
    // Halfway between 1 and the next double, then a digit far beyond the halfway point's.
    EXPECT_EQ(readNumber("1.00000000000000011102230246251565404236316680908203125" +
                         std::string(1000, '0') + "1"),
              1.0000000000000002);
}

struct ShowCase {
    double value;
    const char *separator;
    const char *text;
};

void PrintTo(const ShowCase &c, std::ostream *os)
{
    *os << c.value << " with '" << c.separator << "'";
}

class ShowNumberTest : public testing::TestWithParam<ShowCase> {};

TEST_P(ShowNumberTest, WritesGeneralText)
{
    const ShowCase c = GetParam();
    EXPECT_EQ(showNumber(c.value, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowNumberTest,
    testing::Values(ShowCase{7684, ".", "7684"}, ShowCase{173, ".", "173"},
                    ShowCase{5.024000000000001, ".", "5.024"}, ShowCase{4.400082, ".", "4.400082"},
                    ShowCase{4.400082, ",", "4,400082"}, ShowCase{-2.5, ".", "-2.5"},
                    ShowCase{1234567.5, ",", "1234567,5"}, ShowCase{0, ".", "0"},
                    ShowCase{-0.0, ".", "0"}, ShowCase{8328081.905066689, ".", "8328081.90506669"},
                    ShowCase{0.1 + 0.2, ".", "0.3"},
                    ShowCase{999999999999999, ".", "999999999999999"}, ShowCase{1e15, ".", "1E+15"},
                    ShowCase{-1.5e20, ",", "-1,5E+20"}, ShowCase{0.0001, ".", "0.0001"},
                    ShowCase{1.5e-5, ",", "1,5E-05"}, ShowCase{1e300, ".", "1E+300"},
                    ShowCase{5e-324, ".", "4.94065645841247E-324"},
                    // Halfway at the fifteenth digit: to the even digit.
                    ShowCase{1234567890123455, ".", "1.23456789012346E+15"},
                    ShowCase{1234567890123445, ".", "1.23456789012344E+15"}));

TEST(ShowNumber, ReadsBackToTheSameValueWithinFifteenDigits)
{
    for (double v : {7684.0, 4.400082, 5.024, -0.25, 1e15, 3.5e-7, 123456789012345.0}) {
        EXPECT_EQ(readNumber(showNumber(v, ".")), v) << v;
    }
}

TEST(ShowNumber, RefusesValuesWhoseTextWouldNotReadBack)
{
    EXPECT_THROW(showNumber(INFINITY, "."), engine::ArithmeticFault);
    EXPECT_THROW(showNumber(NAN, "."), engine::ArithmeticFault);
    // 15 digits round the largest doubles up to 1.79769313486232E+308, beyond the range.
    EXPECT_THROW(showNumber(1.7976931348623157e308, "."), engine::ArithmeticFault);
    EXPECT_THROW(showNumber(-1.7976931348623155e308, "."), engine::ArithmeticFault);
    EXPECT_EQ(showNumber(1.797693134862314e308, "."), "1.79769313486231E+308");
    EXPECT_EQ(readNumber("1.79769313486231E+308"), 1.79769313486231e308);
}

#if defined(__GLIBC__)
// Both conversions against glibc's strtod and printf, which convert exactly, over about a
// million numbers a run, drawn where a conversion slips; the numbers halfway between two
// doubles come from MPFR. MinGW's C library, which the Windows build's tests use under Wine,
// converts otherwise: there these comparisons are left out.

constexpr long long kCases = DDV_REFERENCE_CASES;

// The C library's conversions in the "C" locale, whatever the process's locale.
class CLocale {
  public:
    CLocale() : c_(newlocale(LC_ALL_MASK, "C", nullptr)), previous_(uselocale(c_)) {}
    CLocale(const CLocale &) = delete;
    CLocale &operator=(const CLocale &) = delete;
    ~CLocale()
    {
        uselocale(previous_);
        freelocale(c_);
    }

  private:
    locale_t c_;
    locale_t previous_;
};

// What strtod reads from the whole text, or no value beyond the double range.
std::optional<double> strtodValue(const std::string &text)
{
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size())
        ADD_FAILURE() << "strtod stops early in \"" << text << '"';
    if (errno == ERANGE && std::isinf(value))
        return std::nullopt;
    return value;
}

bool same(std::optional<double> a, std::optional<double> b)
{
    if (a && b)
        return std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b);
    return a.has_value() == b.has_value();
}

std::string describe(std::optional<double> value)
{
    return value ? hex(*value) : "beyond range";
}

// A positive finite double with random bits: of any binade, now and then subnormal.
double randomDouble(Random &random)
{
    for (;;) {
        const double x = std::bit_cast<double>(random.next() >> 1);
        if (std::isfinite(x) && x > 0)
            return x;
    }
}

// A subnormal of `width` significant bits (1 to 52), the others random.
double randomSubnormal(Random &random, int width)
{
    const std::uint64_t top = std::uint64_t{1} << (width - 1);
    return std::bit_cast<double>(top | (random.next() & (top - 1)));
}

// x moved by the given number of doubles.
double step(double x, int doubles)
{
    for (; doubles > 0; --doubles)
        x = std::nextafter(x, INFINITY);
    for (; doubles < 0; ++doubles)
        x = std::nextafter(x, 0.0);
    return x;
}

// n random decimal digits, the first not zero.
std::string randomDigits(Random &random, long long n)
{
    std::string digits(1, static_cast<char>('1' + random.between(0, 8)));
    while (static_cast<long long>(digits.size()) < n)
        digits += static_cast<char>('0' + random.between(0, 9));
    return digits;
}

// digits·10^exponent as a person might type it: a sign or none, leading zeros, the point
// anywhere or nowhere, and an exponent with either letter, a sign or none and leading zeros,
// now and then left out where it is 0.
std::string typed(std::string_view digits, long long exponent, bool negative, Random &random)
{
    std::string text = negative ? "-" : random.between(0, 3) == 0 ? "+" : "";
    text.append(static_cast<std::size_t>(random.between(0, 2)), '0');
    const auto point =
        static_cast<std::size_t>(random.between(0, static_cast<long long>(digits.size()) + 1));
    if (point <= digits.size()) {
        text += digits.substr(0, point);
        text += '.';
        text += digits.substr(point);
        exponent += static_cast<long long>(digits.size() - point);
    } else {
        text += digits;
    }
    if (exponent != 0 || random.between(0, 1) == 0) {
        text += random.between(0, 1) == 0 ? 'e' : 'E';
        if (exponent < 0)
            text += '-';
        else if (random.between(0, 1) == 0)
            text += '+';
        text.append(static_cast<std::size_t>(random.between(0, 2)), '0');
        text += std::to_string(exponent < 0 ? -exponent : exponent);
    }
    return text;
}

// readNumber on a typed text of digits·10^exponent, and nearestDouble on the digits, against
// what strtod reads from that text.
void compareReading(std::string_view digits, long long exponent, Random &random,
                    Mismatches &mismatches)
{
    const std::string text = typed(digits, exponent, random.between(0, 1) == 0, random);
    const std::optional<double> expected = strtodValue(text);
    std::optional<double> read;
    try {
        read = readNumber(text);
    } catch (const engine::ArithmeticFault &) {
    }
    if (!same(read, expected))
        mismatches.add('"' + text + "\" reads as " + describe(read) + ", strtod reads " +
                       describe(expected));
    const std::optional<double> nearest = nearestDouble(digits, exponent);
    if (!same(nearest, expected ? std::optional(std::fabs(*expected)) : std::nullopt))
        mismatches.add("nearestDouble(\"" + std::string(digits) + "\", " +
                       std::to_string(exponent) + ") = " + describe(nearest) + ", strtod reads " +
                       describe(expected) + " from \"" + text + '"');
}

#if defined(DDV_HAVE_MPFR)
// digits·10^exponent.
struct Decimal {
    std::string digits;
    long long exponent;
};

// The number halfway between a finite x >= 0 and the next double up (2^1024 after the
// largest), exactly: at most 768 significant digits, from MPFR.
Decimal midpointAbove(double x)
{
    const double ulp = x == DBL_MAX ? 0x1p971 : std::nextafter(x, INFINITY) - x;
    mpfr_t mid;
    mpfr_t half;
    mpfr_init2(mid, 64);
    mpfr_init2(half, 64);
    mpfr_set_d(mid, x, MPFR_RNDN);
    mpfr_set_d(half, ulp, MPFR_RNDN);
    mpfr_div_2ui(half, half, 1, MPFR_RNDN);
    mpfr_add(mid, mid, half, MPFR_RNDN);
    mpfr_exp_t point = 0; // mid = 0.digits·10^point
    char *text = mpfr_get_str(nullptr, &point, 10, 800, mid, MPFR_RNDN);
    Decimal decimal{text, 0};
    mpfr_free_str(text);
    mpfr_clear(mid);
    mpfr_clear(half);
    decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
    decimal.exponent = point - static_cast<long long>(decimal.digits.size());
    return decimal;
}
#endif

TEST(ReadNumber, AgreesWithStrtodWhereConversionsSlip)
{
    const CLocale cLocale;
    Random random(28);
    Mismatches mismatches;
    const auto compare = [&](std::string_view digits, long long exponent) {
        compareReading(digits, exponent, random, mismatches);
    };

    // Every digit count from 1 to 40 with the leading digit anywhere from 10^-327, below half
    // the smallest subnormal, to 10^311, beyond the largest double.
    for (long long i = 0; i < kCases / 2; ++i) {
        const long long n = 1 + i % 40;
        compare(randomDigits(random, n), random.between(-327, 311) - n + 1);
    }
    // The exact shortcut (up to 15 digits and a power of ten up to 10^22) and beyond its
    // edges: up to 22 digits, powers up to 10^25.
    for (long long i = 0; i < kCases / 4; ++i)
        compare(randomDigits(random, 1 + i % 22), random.between(-25, 25));
    // The ends of the range: the leading digit from 10^-326 to 10^-320 and from 10^305 to
    // 10^309; and exponents beyond any double's, which the reading holds at 10^9.
    for (long long i = 0; i < kCases / 8; ++i) {
        const long long n = 1 + i % 40;
        const long long leading =
            i % 2 == 0 ? random.between(-326, -320) : random.between(305, 309);
        compare(randomDigits(random, n), leading - n + 1);
    }
    for (long long i = 0; i < kCases / 100; ++i)
        compare(randomDigits(random, 1 + i % 40),
                random.between(-1'000'000'000'000, 1'000'000'000'000));
    // Near doubles: their digits rounded to 17 to 40 places, and now and then all of them.
    for (long long i = 0; i < kCases / 8; ++i) {
        const int places = i % 64 == 0 ? 780 : static_cast<int>(16 + i % 24);
        char text[800];
        std::snprintf(text, sizeof text, "%.*e", places, randomDouble(random));
        const std::string_view t(text);
        const std::size_t e = t.find('e');
        compare(std::string(1, text[0]) + std::string(t.substr(2, e - 2)),
                std::atoll(text + e + 1) - places);
    }
#if defined(DDV_HAVE_MPFR)
    // Halfway between two doubles, exactly, then a little below and a little above, also by a
    // digit beyond the 800th, and cut short to 17 to 40 digits (below): around random
    // doubles, subnormals, powers of two (on either side), and the ends of the range.
    const double ends[] = {0, DBL_TRUE_MIN, DBL_MIN, step(DBL_MIN, -1), DBL_MAX, step(DBL_MAX, -1)};
    for (long long i = 0; i < kCases / 100; ++i) {
        double x = 0;
        if (i < static_cast<long long>(std::size(ends)))
            x = ends[i];
        else if (i % 4 == 0)
            x = step(std::ldexp(1.0, static_cast<int>(random.between(-1074, 1023))),
                     static_cast<int>(random.between(-1, 0)));
        else if (i % 4 == 1)
            x = randomSubnormal(random, static_cast<int>(1 + i % 52));
        else
            x = randomDouble(random);
        const Decimal mid = midpointAbove(x);
        const std::size_t size = mid.digits.size();
        compare(mid.digits, mid.exponent);
        std::string below = mid.digits;
        --below.back();
        compare(below, mid.exponent);
        compare(mid.digits + '1', mid.exponent - 1);
        const std::size_t zeros = 900 - size;
        compare(mid.digits + std::string(zeros, '0') + '1',
                mid.exponent - static_cast<long long>(zeros) - 1);
        const std::size_t cut = static_cast<std::size_t>(17 + i % 24);
        if (cut < size)
            compare(mid.digits.substr(0, cut), mid.exponent + static_cast<long long>(size - cut));
    }
#endif
    EXPECT_EQ(mismatches.count(), 0);
}

// roundToFifteenDigits against printf's "%.14e"; and the text showNumber writes reads as
// printf's does, or showNumber refuses the value exactly where printf's text lies beyond the
// double range. (Two 15-digit decimals read as two doubles outside the subnormals, so a
// wrong digit shows there.)
TEST(ShowNumber, RoundsLikePrintfWhereRoundingSlips)
{
    const CLocale cLocale;
    Random random(29);
    Mismatches mismatches;
    const auto compare = [&](double x) {
        if (x == 0) // a step below the smallest subnormal: not a value to round
            return;
        char text[32];
        std::snprintf(text, sizeof text, "%.14e", x); // d.dddddddddddddde+X
        std::uint64_t significand = static_cast<std::uint64_t>(text[0] - '0');
        for (int i = 2; i < 16; ++i)
            significand = significand * 10 + static_cast<std::uint64_t>(text[i] - '0');
        const int exponent = std::atoi(text + 17);
        const auto rounded = roundToFifteenDigits(x);
        if (rounded.significand != significand || rounded.exponent != exponent)
            mismatches.add("roundToFifteenDigits(" + hex(x) +
                           ") = " + std::to_string(rounded.significand) + "E" +
                           std::to_string(rounded.exponent - 14) + ", printf: " + text);

        const bool negative = random.between(0, 1) == 0;
        std::optional<double> expected = strtodValue(text);
        if (expected && negative)
            expected = -*expected;
        std::optional<double> shown;
        std::string shownText;
        try {
            shownText = showNumber(negative ? -x : x, ".");
            shown = strtodValue(shownText);
        } catch (const engine::ArithmeticFault &) {
        }
        if (!same(shown, expected))
            mismatches.add("showNumber(" + hex(negative ? -x : x) + ") = \"" + shownText +
                           "\", printf: " + text);
    };

    // Any double, subnormals included.
    for (long long i = 0; i < kCases / 2; ++i)
        compare(randomDouble(random));
    // Whole numbers of 1 to 17 digits: up to 15 they are their own digits.
    for (long long i = 0; i < kCases / 8; ++i)
        compare(static_cast<double>(
            std::strtoull(randomDigits(random, 1 + i % 17).c_str(), nullptr, 10)));
    // Near halfway at the fifteenth digit: sixteen digits ending in 5 at any exponent, and the
    // two doubles either side.
    for (long long i = 0; i < kCases / 20; ++i) {
        const std::optional<double> near = strtodValue(randomDigits(random, 15) + "5e" +
                                                       std::to_string(random.between(-338, 293)));
        if (near && *near > 0)
            for (int j = -2; j <= 2; ++j)
                compare(step(*near, j));
    }
    // Exactly halfway: q/2^j = q·5^j/10^j for odd q, whose sixteen digits end in 5.
    for (long long i = 0; i < kCases / 16; ++i) {
        const int j = static_cast<int>(1 + i % 22);
        double power = 1;
        for (int k = 0; k < j; ++k)
            power *= 5;
        const auto low = static_cast<long long>(std::ceil(1e15 / power));
        const auto high = static_cast<long long>(std::floor(9.999999999999999e15 / power));
        long long q = random.between(low, high) | 1;
        if (q > high)
            q -= 2;
        compare(std::ldexp(static_cast<double>(q), -j));
    }
    // Around every power of ten, where the decimal exponent is first guessed and then mended,
    // and where rounding up carries into a new digit: 10^k and 9.999999999999995·10^k and
    // three doubles either side.
    for (int k = -323; k <= 308; ++k)
        for (const char *digits : {"1e", "9.999999999999995e"})
            if (const auto near = strtodValue(digits + std::to_string(k)); near && *near > 0)
                for (int j = -3; j <= 3; ++j)
                    compare(step(*near, j));
    // Subnormals of every width; the largest doubles, whose fifteen digits lie beyond the
    // range from 1.797693134862315E+308 on.
    for (long long i = 0; i < kCases / 16; ++i)
        compare(randomSubnormal(random, static_cast<int>(1 + i % 52)));
    for (int j = 0; j < 40; ++j)
        compare(step(DBL_MAX, -j));
    EXPECT_EQ(mismatches.count(), 0);
}
#endif

} // namespace
