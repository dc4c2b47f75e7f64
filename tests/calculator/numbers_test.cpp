// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/numbers.h"

#include "engine/coil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using calculator::readNumber;
using calculator::showNumber;

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

} // namespace
