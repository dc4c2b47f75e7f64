// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The worst a person can type or paste into the calculator's fields: empty and blank texts,
// stray signs and letters, numbers beyond the double range, a megabyte of digits, control
// characters, marks and emoji. Whatever the text, the commands end, write finite numbers
// or leave a field alone, and a fault box names the field that caused it.

#include "invariants.h"

#include "calculator/commands.h"
#include "calculator/numbers.h"
#include "engine/coil.h"
#include "tests/support/recordedmessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

using namespace calculator;
using testing_support::CheckedFields;
using testing_support::defaultTexts;
using testing_support::FieldTextArray;
using testing_support::joined;
using testing_support::RecordedMessages;
using testing_support::with;

namespace calculator {

void PrintTo(Field field, std::ostream *os)
{
    *os << info(field).controlName;
}

void PrintTo(const Message &box, std::ostream *os)
{
    *os << "{\"" << box.title << "\", \"" << box.prompt << "\", " << static_cast<int>(box.style)
        << "}";
}

void PrintTo(const Outcome &outcome, std::ostream *os)
{
    *os << "outcome " << outcome.index();
    if (const auto *failure = std::get_if<ArithmeticFailure>(&outcome))
        *os << " at stage " << static_cast<int>(failure->stage) << ", fault "
            << static_cast<int>(failure->kind);
    if (const auto *input = std::get_if<UnreadableInput>(&outcome))
        *os << " at stage " << static_cast<int>(input->stage) << " in "
            << info(input->field).controlName;
}

} // namespace calculator

namespace {

const std::string kMillionBlanks(1'000'000, ' ');

// A text, and what it must read as: a number, or nothing when it lies beyond the double range.
struct HostileText {
    const char *name;
    std::string text;
    std::optional<double> reading;
};

void PrintTo(const HostileText &t, std::ostream *os)
{
    *os << t.name;
}

const std::vector<HostileText> kHostileTexts{
    {"Empty", "", 0.0},
    {"BlanksOnly", " \t \n ", 0.0},
    {"Letters", "abc", 0.0},
    {"LoneMinus", "-", 0.0},
    {"LonePlus", "+", 0.0},
    {"LonePoint", ".", 0.0},
    {"ExponentWithoutDigits", "1e", 1.0},
    {"ExponentBeyondRange", "1e999", std::nullopt},
    {"NegativeExponentBeyondRange", "-1e999", std::nullopt},
    {"ExponentBelowRange", "1e-999", 0.0},
    {"NegativeBelowRange", "-1e-999", -0.0},
    {"HexWithoutDigits", "&H", 0.0},
    {"HexSixteenBitsAllSet", "&HFFFF", -1.0},
    {"HexThirtyTwoBitsAllSet", "&HFFFFFFFF", -1.0},
    {"HexBeyondThirtyTwoBits", "&HFFFFFFFFF", std::nullopt},
    {"OctalBeyondThirtyTwoBits", "&O777777777777", std::nullopt},
    {"DecimalComma", "0,18", 0.0},
    {"MegabyteOfDigits", std::string(1 << 20, '7'), std::nullopt},
    {"MegabyteOfFractionDigits", "0.1" + std::string(1 << 20, '8'), 17.0 / 90.0},
    {"MegabyteOfLeadingZeros", std::string(1 << 20, '0') + "190", 190.0},
    {"MillionBlanks", kMillionBlanks, 0.0},
    {"NumberInAMillionBlanks", kMillionBlanks + "0.18" + kMillionBlanks, 0.18},
    {"Cyrillic", "Десять", 0.0},
    {"NumberWithCyrillicUnit", "11.5кГц", 11.5},
    {"Emoji", "\U0001F600", 0.0},
    {"NumberThenEmoji", "12\U0001F600", 12.0},
    {"Nul", std::string(1, '\0'), 0.0},
    {"NulInsideANumber", std::string{'1', '\0', '5'}, 1.0},
    {"ControlCharacters", "\x01\x02\x1B[0m\x7F", 0.0},
    {"CarriageReturnBeforeANumber", "\r5", 0.0},
    {"RightToLeftMarkBeforeANumber", "\u200F12", 0.0},
    {"RightToLeftMarkAfterANumber", "12\u200F", 12.0},
    {"InvalidUtf8", "\xFF\xFE\xC0\xB1", 0.0},
    {"NaN", "NaN", 0.0},
    {"Inf", "inf", 0.0},
    {"Infinity", "Infinity", 0.0},
    {"NegativeInfinity", "-Infinity", 0.0},
    {"CHexadecimal", "0x10", 0.0},
    {"PlusMinus", "+-5", 0.0},
    {"MinusPlus", "-+5", 0.0},
};

std::string hostileName(const testing::TestParamInfo<HostileText> &param)
{
    return param.param.name;
}

// A text that reads as exactly the given number without any trick.
std::string plainText(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

struct CalculateRun {
    CheckedFields fields;
    RecordedMessages boxes;
    Outcome outcome;

    explicit CalculateRun(const FieldTextArray &texts)
        : fields(texts), outcome(calculate(fields, boxes, "."))
    {
    }
};

// Field texts to start from: the defaults, and the defaults with a negative RX capacitance,
// where the search makes no pass and the RX turn field is read as the user left it.
struct Base {
    const char *name;
    FieldTextArray texts;
};
const std::vector<Base> kBases{
    {"defaults", defaultTexts()},
    {"negative RX capacitance", with(defaultTexts(), Field::RxCapacitance, "-33")},
};

class HostileTextTest : public testing::TestWithParam<HostileText> {};

TEST_P(HostileTextTest, ReadsAsExpected)
{
    const HostileText &t = GetParam();
    if (t.reading) {
        const double read = readNumber(t.text);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(*t.reading))
            << read << " instead of " << *t.reading;
    } else {
        try {
            readNumber(t.text);
            ADD_FAILURE() << "read a number beyond the double range";
        } catch (const engine::ArithmeticFault &fault) {
            EXPECT_EQ(fault.kind(), engine::FaultKind::Overflow);
        }
    }
    EXPECT_TRUE(hostile::checkReadNumber(t.text).empty())
        << joined(hostile::checkReadNumber(t.text));
}

// In any field, a hostile text gives the same run as a plain text of its reading; a text
// beyond range gives the same run as the plain "1e999". Every run keeps the rules that hold
// for any input.
TEST_P(HostileTextTest, CalculateTreatsItAsItsReadingInEveryField)
{
    const HostileText &t = GetParam();
    const std::string plain = t.reading ? plainText(*t.reading) : "1e999";
    for (const Base &base : kBases) {
        for (const FieldInfo &f : kFields) {
            SCOPED_TRACE(std::string(f.controlName) + " from the " + base.name);
            const FieldTextArray typedTexts = with(base.texts, f.field, t.text);
            const CalculateRun typed(typedTexts);
            const CalculateRun reference(with(base.texts, f.field, plain));

            EXPECT_EQ(typed.outcome, reference.outcome);
            EXPECT_EQ(typed.fields.writeOrder(), reference.fields.writeOrder());
            EXPECT_EQ(typed.boxes.shown, reference.boxes.shown);
            for (const FieldInfo &other : kFields) {
                if (other.field != f.field) {
                    EXPECT_EQ(typed.fields.text(other.field), reference.fields.text(other.field))
                        << other.controlName;
                }
            }
            const hostile::Problems problems = hostile::checkCalculate(typedTexts, ".");
            EXPECT_TRUE(problems.empty()) << joined(problems);
        }
    }
}

TEST_P(HostileTextTest, WireChecksJudgeTheReading)
{
    const HostileText &t = GetParam();
    struct Check {
        Field field;
        WireVerdict (*run)(const FieldTexts &, MessageBoxes &);
        bool outside;
    };
    const double d = t.reading.value_or(0);
    for (const Check &check : {Check{Field::RxWireDiameter, checkRxWire, d > 0.2},
                               Check{Field::TxWireDiameter, checkTxWire, d > 0.45 || d < 0.35}}) {
        SCOPED_TRACE(std::string(info(check.field).controlName));
        const CheckedFields fields(with(defaultTexts(), check.field, t.text));
        RecordedMessages boxes;
        const WireVerdict verdict = check.run(fields, boxes);
        const WireVerdict expected = !t.reading      ? WireVerdict::Unreadable
                                     : check.outside ? WireVerdict::Outside
                                                     : WireVerdict::Within;
        EXPECT_EQ(verdict, expected);
        EXPECT_EQ(boxes.shown.size(), expected == WireVerdict::Within ? 0u : 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileTextTest, testing::ValuesIn(kHostileTexts), hostileName);

// What each field does to a run when its text reads as 0 ("abc") and when it lies beyond the
// double range ("1e999"): which results are written before the run ends and how it ends.
struct Ending {
    std::vector<Field> written;
    Outcome outcome;
};

struct FieldCase {
    const char *name;
    Field field;
    bool searchSkipped; // from a negative RX capacitance instead of the defaults
    Ending unreadable;
    Ending beyondRange;
};

void PrintTo(const FieldCase &c, std::ostream *os)
{
    *os << c.name;
}

constexpr ArithmeticFailure divisionByZero(Stage stage)
{
    return {stage, engine::FaultKind::DivisionByZero};
}

const std::vector<Field> kNone{};
const std::vector<Field> kRxInductance{Field::RxInductance};
const std::vector<Field> kUpToRxCrossSection{Field::RxInductance, Field::RxTurns,
                                             Field::RxCrossSection};
const std::vector<Field> kUpToTxCrossSection{Field::RxInductance, Field::RxTurns,
                                             Field::RxCrossSection, Field::TxCrossSection};
const std::vector<Field> kAll{Field::RxInductance, Field::RxTurns, Field::RxCrossSection,
                              Field::TxCrossSection, Field::TxInductance};
const std::vector<Field> kAllWithoutSearch{Field::RxInductance, Field::RxCrossSection,
                                           Field::TxCrossSection, Field::TxInductance};
const Ending kUnaffected{kAll, Completed{true}};

const std::vector<FieldCase> kFieldCases{
    {"RxFrequency",
     Field::RxFrequency,
     false,
     {kNone, divisionByZero(Stage::RxInductance)},
     {kNone, UnreadableInput{Stage::RxInductance, Field::RxFrequency}}},
    {"RingDiameter",
     Field::RingDiameter,
     false,
     {kRxInductance, divisionByZero(Stage::RxTurns)},
     {kRxInductance, UnreadableInput{Stage::RxTurns, Field::RingDiameter}}},
    {"RxCapacitance",
     Field::RxCapacitance,
     false,
     {kNone, divisionByZero(Stage::RxInductance)},
     {kNone, UnreadableInput{Stage::RxInductance, Field::RxCapacitance}}},
    {"RxWireDiameter",
     Field::RxWireDiameter,
     false,
     {kRxInductance, divisionByZero(Stage::RxTurns)},
     {kRxInductance, UnreadableInput{Stage::RxTurns, Field::RxWireDiameter}}},
    {"RxInductance", Field::RxInductance, false, kUnaffected, kUnaffected},
    {"RxTurns", Field::RxTurns, false, kUnaffected, kUnaffected},
    {"RxTurnsReadBack",
     Field::RxTurns,
     true,
     {kAllWithoutSearch, Completed{true}},
     {kRxInductance, UnreadableInput{Stage::RxCrossSection, Field::RxTurns}}},
    {"RxCrossSection", Field::RxCrossSection, false, kUnaffected, kUnaffected},
    {"TxFrequency",
     Field::TxFrequency,
     false,
     {kUpToTxCrossSection, divisionByZero(Stage::TxInductance)},
     {kUpToTxCrossSection, UnreadableInput{Stage::TxInductance, Field::TxFrequency}}},
    {"TxRingDiameter", Field::TxRingDiameter, false, kUnaffected, kUnaffected},
    {"TxTurns",
     Field::TxTurns,
     false,
     kUnaffected,
     {kUpToRxCrossSection, UnreadableInput{Stage::TxCrossSection, Field::TxTurns}}},
    {"TxWireDiameter",
     Field::TxWireDiameter,
     false,
     kUnaffected,
     {kUpToRxCrossSection, UnreadableInput{Stage::TxCrossSection, Field::TxWireDiameter}}},
    {"TxCapacitance",
     Field::TxCapacitance,
     false,
     {kUpToTxCrossSection, divisionByZero(Stage::TxInductance)},
     {kUpToTxCrossSection, UnreadableInput{Stage::TxInductance, Field::TxCapacitance}}},
    {"TxInductance", Field::TxInductance, false, kUnaffected, kUnaffected},
    {"TxCrossSection", Field::TxCrossSection, false, kUnaffected, kUnaffected},
};

class FieldFaultTest : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldFaultTest, EndsWhereTheFieldIsReadAndNamesIt)
{
    const FieldCase &c = GetParam();
    const FieldTextArray base =
        c.searchSkipped ? with(defaultTexts(), Field::RxCapacitance, "-33") : defaultTexts();
    for (const auto &[text, ending] :
         {std::pair<std::string, Ending>{"abc", c.unreadable}, {"1e999", c.beyondRange}}) {
        SCOPED_TRACE(text);
        const CalculateRun run(with(base, c.field, text));
        EXPECT_EQ(run.fields.writeOrder(), ending.written);
        EXPECT_EQ(run.outcome, ending.outcome);
        ASSERT_EQ(run.boxes.shown.size(), 1u);
        EXPECT_EQ(run.boxes.shown[0].style, std::holds_alternative<Completed>(ending.outcome)
                                                ? BoxStyle::ExclamationOk
                                                : BoxStyle::CriticalOk);
        if (std::find(ending.written.begin(), ending.written.end(), c.field) ==
            ending.written.end()) {
            EXPECT_EQ(run.fields.text(c.field), text) << "a field no step writes was changed";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldFaultTest, testing::ValuesIn(kFieldCases),
                         [](const testing::TestParamInfo<FieldCase> &param) {
                             return std::string(param.param.name);
                         });

// Results so close to the largest double that their 15-digit rounding lies beyond it could
// not be read back; the step that computes one fails with an overflow instead, and its field
// keeps its old text.
TEST(ResultsAtTheTopOfTheDoubleRange, FailAsAnOverflow)
{
    struct Case {
        const char *name;
        std::vector<std::pair<Field, std::string>> typed;
        std::vector<Field> written;
        Stage stage;
    };
    for (const Case &c : {
             Case{"RX inductance",
                  {{Field::RxFrequency, "1"}, {Field::RxCapacitance, "1.4104742196103302e-301"}},
                  kNone,
                  Stage::RxInductance},
             Case{"TX cross-section",
                  {{Field::TxWireDiameter, "2"}, {Field::TxTurns, "5.725137372172979e+307"}},
                  kUpToRxCrossSection,
                  Stage::TxCrossSection},
         }) {
        SCOPED_TRACE(c.name);
        FieldTextArray texts = defaultTexts();
        for (const auto &[field, text] : c.typed)
            texts = with(texts, field, text);
        const CalculateRun run(texts);
        EXPECT_TRUE(run.fields.problems().empty()) << joined(run.fields.problems());
        EXPECT_EQ(run.fields.writeOrder(), c.written);
        EXPECT_EQ(run.outcome, (Outcome{ArithmeticFailure{c.stage, engine::FaultKind::Overflow}}));
        EXPECT_EQ(run.boxes.shown.size(), 1u);
    }
}

// Every finite double shows as a number that reads back, or is refused as an overflow when
// its 15-digit rounding lies beyond the double range.
TEST(ShowNumber, EveryShownNumberReadsBack)
{
    const double max = std::numeric_limits<double>::max();
    for (const double value : {0.0,
                               -0.0,
                               7684.0,
                               4.400082,
                               5.024000000000001,
                               -7684.0,
                               1e15,
                               999999999999999.4,
                               999999999999999.5,
                               -999999999999999.5,
                               1e-4,
                               9.99999999999995e-5,
                               9.9999999999999e-5,
                               0.1 + 0.2,
                               1e300,
                               1.7976931348623149e308,
                               1.797693134862315e308,
                               max,
                               -max,
                               std::nextafter(max, 0.0),
                               DBL_MIN,
                               std::numeric_limits<double>::denorm_min(),
                               -std::numeric_limits<double>::denorm_min(),
                               8328081.905066689}) {
        const hostile::Problems problems = hostile::checkShowNumber(value);
        EXPECT_TRUE(problems.empty()) << joined(problems);
    }
}

} // namespace
