// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/commands.h"
#include "tests/support/fieldlog.h"
#include "tests/support/recordedmessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace calculator;

namespace {

using testing_support::CheckedFields;
using testing_support::FieldTextArray;
using testing_support::MemoryFields;
using testing_support::RecordedMessages;

struct Calculated {
    CheckedFields fields;
    RecordedMessages boxes;
    Outcome outcome;

    explicit Calculated(const std::map<Field, std::string> &typed = {},
                        std::string_view separator = ".")
        : fields(texts(typed), separator), outcome(calculate(fields, boxes, separator))
    {
    }
    std::string operator[](Field field) const { return fields.text(field); }

    static FieldTextArray texts(const std::map<Field, std::string> &typed)
    {
        FieldTextArray all = testing_support::defaultTexts();
        for (const auto &[field, text] : typed)
            all = testing_support::with(all, field, text);
        return all;
    }
};

// The boxes as the user reads them, blanks included.
const Message kTurnCountBox{"Ошибка. Неправильное значение витков RX",
                            "Подберите диаметр провода  или конденсатор для RX !!! ",
                            BoxStyle::ExclamationOk};
const Message kRxWireBox{"Ошибка", "Возьмите провод меньшим диаметром для RX! <= 0.2 мм ",
                         BoxStyle::ExclamationOk};
const Message kTxWireBox{"Ошибка", "Возьмите другой провод для TX!!!  В пределах 0.35 - 0.45 ",
                         BoxStyle::ExclamationOk};

} // namespace

TEST(Calculate, DefaultRun)
{
    Calculated run;
    EXPECT_EQ(run.fields.writeOrder(),
              (std::vector{Field::RxInductance, Field::RxTurns, Field::RxCrossSection,
                           Field::TxCrossSection, Field::TxInductance}));
    // The counts 2, 3, ..., 173, each written in its turn.
    EXPECT_EQ(run.fields.writes(Field::RxTurns), 172);
    EXPECT_TRUE(run.fields.problems().empty()) << testing_support::joined(run.fields.problems());
    EXPECT_EQ(run[Field::RxInductance], "7684");
    EXPECT_EQ(run[Field::RxTurns], "173");
    EXPECT_EQ(run[Field::RxCrossSection], "4.400082");
    EXPECT_EQ(run[Field::TxCrossSection], "5.024");
    EXPECT_EQ(run[Field::TxInductance], "408");
    EXPECT_EQ(run.boxes.shown, std::vector{kTurnCountBox});
}

TEST(Calculate, RegionalSeparatorAppliesToFractionalOutputsOnly)
{
    Calculated run({}, ",");
    EXPECT_EQ(run[Field::RxCrossSection], "4,400082");
    EXPECT_EQ(run[Field::TxCrossSection], "5,024");
    EXPECT_EQ(run[Field::RxTurns], "173");
}

TEST(Calculate, SmallerCapacitorGivesATurnCountInRange)
{
    Calculated run({{Field::RxCapacitance, "27"}});
    EXPECT_EQ(run[Field::RxInductance], "9391");
    EXPECT_EQ(run[Field::RxTurns], "198");
    EXPECT_TRUE(run.boxes.shown.empty());
}

TEST(Calculate, TurnCountRangeIncludesItsLimits)
{
    // A negative RX capacitance makes the search skip, so the typed turn count is checked.
    for (const auto &[typed, warns] : std::vector<std::pair<std::string, bool>>{
             {"174", true}, {"175", false}, {"250", false}, {"251", true}, {"0", true}}) {
        Calculated run({{Field::RxCapacitance, "-33"}, {Field::RxTurns, typed}});
        EXPECT_EQ(run[Field::RxInductance], "-7684");
        EXPECT_EQ(run[Field::RxTurns], typed) << "the search must not have written";
        EXPECT_EQ(run.boxes.shown.size(), warns ? 1u : 0u) << typed;
    }
}

TEST(Calculate, TypedTurnCountIsUsedWhenTheSearchMakesNoPass)
{
    Calculated run({{Field::RxCapacitance, "-33"}, {Field::RxTurns, "200"}});
    EXPECT_EQ(run[Field::RxCrossSection], "5.0868"); // 3.14·0.09·0.09·200
    EXPECT_EQ(run.fields.writes(Field::RxTurns), 0);

    Calculated defaults({{Field::RxCapacitance, "-33"}});
    EXPECT_EQ(defaults[Field::RxCrossSection], "0");
    EXPECT_EQ(defaults.boxes.shown, std::vector{kTurnCountBox});
}

TEST(Calculate, TypedTurnCountIsOverwrittenByTheSearch)
{
    Calculated run({{Field::RxTurns, "999"}});
    EXPECT_EQ(run[Field::RxTurns], "173");
}

TEST(Calculate, ZeroTxTurnsIsNoFault)
{
    Calculated run({{Field::TxTurns, "0"}});
    EXPECT_EQ(run[Field::TxCrossSection], "0");
    EXPECT_EQ(run[Field::TxInductance], "408");
}

TEST(Calculate, TxInnerDiameterIsNeitherReadNorWritten)
{
    Calculated run({{Field::TxRingDiameter, "abc"}});
    EXPECT_EQ(run.fields.writes(Field::TxRingDiameter), 0);
    EXPECT_EQ(run[Field::TxRingDiameter], "abc");
    EXPECT_EQ(run[Field::TxInductance], "408");
}

// A fault stops the command at the failing step: the fields written before stay written,
// the later ones keep their old text, and one fault box replaces the turn-count warning.
struct FaultCase {
    const char *name;
    std::map<Field, std::string> typed;
    std::vector<Field> written;
    std::string prompt;
};

void PrintTo(const FaultCase &c, std::ostream *os)
{
    *os << c.name;
}

class CalculateFaultTest : public testing::TestWithParam<FaultCase> {};

TEST_P(CalculateFaultTest, StopsAtTheFailingStep)
{
    const FaultCase &c = GetParam();
    Calculated run(c.typed);
    EXPECT_EQ(run.fields.writeOrder(), c.written);
    for (const FieldInfo &f : kFields) {
        const bool written =
            std::find(c.written.begin(), c.written.end(), f.field) != c.written.end();
        if (!written && !c.typed.contains(f.field)) {
            EXPECT_EQ(run[f.field], f.defaultText) << f.controlName;
        }
    }
    EXPECT_EQ(run.boxes.shown,
              (std::vector<Message>{{"Ошибка расчета", c.prompt, BoxStyle::CriticalOk}}));
}

const std::string kCheckRxTank =
    "Проверьте поля «Желаемая частота - RX» и «Емкость контура  - RX».";
const std::string kCheckRxDiameters =
    "Проверьте поля «Диаметр проводника - RX» и «Внутренний диаметр - RX».";
const std::string kCheckTxTank =
    "Проверьте поля «Желаемая частота - TX» и «Емкость контура  - TX».";
const std::vector<Field> kUpToTxCrossSection{Field::RxInductance, Field::RxTurns,
                                             Field::RxCrossSection, Field::TxCrossSection};

INSTANTIATE_TEST_SUITE_P(
    Inputs, CalculateFaultTest,
    testing::Values(
        FaultCase{"RxFrequencyZero",
                  {{Field::RxFrequency, "0"}},
                  {},
                  "Не удается рассчитать индуктивность RX: деление на ноль.\n" + kCheckRxTank},
        FaultCase{"RxCapacitanceEmpty",
                  {{Field::RxCapacitance, ""}},
                  {},
                  "Не удается рассчитать индуктивность RX: деление на ноль.\n" + kCheckRxTank},
        FaultCase{"RxFrequencyTiny",
                  {{Field::RxFrequency, "1e-160"}},
                  {},
                  "Не удается рассчитать индуктивность RX: результат выходит за пределы "
                  "допустимых чисел.\n" +
                      kCheckRxTank},
        FaultCase{"RxWireZero",
                  {{Field::RxWireDiameter, "0"}},
                  {Field::RxInductance},
                  "Не удается рассчитать число витков RX: деление на ноль.\n" + kCheckRxDiameters},
        FaultCase{"RingDiameterUnreadable",
                  {{Field::RingDiameter, "abc"}},
                  {Field::RxInductance},
                  "Не удается рассчитать число витков RX: деление на ноль.\n" + kCheckRxDiameters},
        FaultCase{"BothDiametersZero",
                  {{Field::RxWireDiameter, "0"}, {Field::RingDiameter, "0"}},
                  {Field::RxInductance},
                  "Не удается рассчитать число витков RX: неопределенность 0/0.\n" +
                      kCheckRxDiameters},
        FaultCase{"OppositeSigns",
                  {{Field::RxWireDiameter, "-0.18"}},
                  {Field::RxInductance},
                  "Не удается рассчитать число витков RX: логарифм неположительного числа.\n" +
                      kCheckRxDiameters},
        FaultCase{"TxFrequencyZero",
                  {{Field::TxFrequency, "0"}},
                  kUpToTxCrossSection,
                  "Не удается рассчитать индуктивность TX: деление на ноль.\n" + kCheckTxTank},
        FaultCase{"TxCapacitanceComma",
                  {{Field::TxCapacitance, ",470"}},
                  kUpToTxCrossSection,
                  "Не удается рассчитать индуктивность TX: деление на ноль.\n" + kCheckTxTank},
        FaultCase{"RxCrossSectionOverflows",
                  {{Field::RxCapacitance, "-33"},
                   {Field::RxWireDiameter, "1e10"},
                   {Field::RxTurns, "1e300"}},
                  {Field::RxInductance},
                  "Не удается рассчитать сечение RX: результат выходит за пределы допустимых "
                  "чисел.\nПроверьте поля «Диаметр проводника - RX» и «Число витков - RX      "
                  "(в пределах 175 - 250!!)»."},
        FaultCase{"TxCrossSectionOverflows",
                  {{Field::TxWireDiameter, "1e200"}},
                  {Field::RxInductance, Field::RxTurns, Field::RxCrossSection},
                  "Не удается рассчитать сечение TX: результат выходит за пределы допустимых "
                  "чисел.\nПроверьте поля «Диаметр проводника - TX» и «Число витков - TX»."},
        FaultCase{"RxFrequencyBeyondRange",
                  {{Field::RxFrequency, "1e999"}},
                  {},
                  "Не удается рассчитать индуктивность RX: число в поле «Желаемая частота - RX» "
                  "слишком велико по модулю.\nПроверьте это поле."},
        FaultCase{"TxTurnsBeyondRange",
                  {{Field::TxTurns, "&HFFFFFFFFF"}},
                  {Field::RxInductance, Field::RxTurns, Field::RxCrossSection},
                  "Не удается рассчитать сечение TX: число в поле «Число витков - TX» слишком "
                  "велико по модулю.\nПроверьте это поле."}),
    [](const testing::TestParamInfo<FaultCase> &param) { return std::string(param.param.name); });

TEST(Calculate, UnreachableInductanceNamesThePeak)
{
    // 0.1 kHz at 33 nF needs 76836358 µH, far above the model's peak for these diameters.
    Calculated run({{Field::RxFrequency, "0.1"}}, ",");
    EXPECT_EQ(run[Field::RxInductance], "76836358");
    EXPECT_EQ(run[Field::RxTurns], "7839");
    EXPECT_EQ(run.fields.writeOrder(), (std::vector{Field::RxInductance, Field::RxTurns}));
    EXPECT_EQ(run[Field::RxCrossSection], "0");
    ASSERT_EQ(run.boxes.shown.size(), 1u);
    EXPECT_EQ(run.boxes.shown[0].title, "Ошибка расчета");
    EXPECT_EQ(run.boxes.shown[0].prompt,
              "Не удается подобрать число витков RX: ни при каком числе витков индуктивность RX "
              "76836358 мкГн не достигается при этих диаметрах провода и кольца.\n"
              "Наибольшая индуктивность при этих диаметрах — 8328081,90506669 мкГн при 7838 "
              "витках.\nПроверьте поля «Желаемая частота - RX», «Емкость контура  - RX», "
              "«Диаметр проводника - RX» и «Внутренний диаметр - RX».");
}

TEST(Calculate, UnreachableWithinTheTurnCapSaysSo)
{
    Calculated run({{Field::RxWireDiameter, "0.001"}, {Field::RxFrequency, "0.01"}});
    EXPECT_EQ(run[Field::RxTurns], "100000");
    ASSERT_EQ(run.boxes.shown.size(), 1u);
    EXPECT_NE(
        run.boxes.shown[0].prompt.find("Наибольшая индуктивность в пределах 100000 витков — "),
        std::string::npos);
    EXPECT_NE(run.boxes.shown[0].prompt.find(" мкГн при 100000 витках."), std::string::npos);
}

// The peak's turn count takes the case Russian gives its last digits: "при 21 витке" but
// "при 11 витках" and "при 111 витках". A 1 mm wire peaks at these counts on these rings.
TEST(Calculate, UnreachablePeakTurnsTakeTheirCase)
{
    for (const auto &[ring, words] :
         std::vector<std::pair<std::string, std::string>>{{"1.5", " мкГн при 11 витках.\n"},
                                                          {"2.8", " мкГн при 21 витке.\n"},
                                                          {"13.6", " мкГн при 101 витке.\n"},
                                                          {"15", " мкГн при 111 витках.\n"}}) {
        Calculated run({{Field::RxFrequency, "0.1"},
                        {Field::RxWireDiameter, "1"},
                        {Field::RingDiameter, ring}});
        ASSERT_EQ(run.boxes.shown.size(), 1u) << ring;
        EXPECT_NE(run.boxes.shown[0].prompt.find(words), std::string::npos)
            << run.boxes.shown[0].prompt;
    }
}

TEST(Calculate, SecondRunOnItsOwnOutputsGivesTheSameTexts)
{
    Calculated first({}, ",");
    FieldTextArray texts;
    for (const FieldInfo &f : kFields)
        texts = testing_support::with(texts, f.field, first[f.field]);
    MemoryFields fields(texts);
    RecordedMessages boxes;
    calculate(fields, boxes, ",");
    for (const FieldInfo &f : kFields)
        EXPECT_EQ(fields.text(f.field), first[f.field]) << f.controlName;
}

// The RX wire warns above 0.2 mm, the TX wire outside 0.35 ... 0.45 mm, each with its box.
TEST(WireChecks, WarnOutsideTheirLimits)
{
    struct Case {
        Field field;
        const char *text;
        bool warns;
    };
    constexpr Field rx = Field::RxWireDiameter;
    constexpr Field tx = Field::TxWireDiameter;
    for (const Case c : {Case{rx, "0.2", false},
                         {rx, "0.18", false},
                         {rx, "0", false},
                         {rx, "-1", false},
                         {rx, "abc", false},
                         {rx, "", false},
                         {rx, "0,3", false},
                         {rx, "0.21", true},
                         {rx, "1", true},
                         {rx, "0.2000000000000001", true},
                         {tx, "0.35", false},
                         {tx, "0.4", false},
                         {tx, "0.45", false},
                         {tx, "0.34", true},
                         {tx, "0.46", true},
                         {tx, "0", true},
                         {tx, "", true},
                         {tx, "-0.4", true}}) {
        const MemoryFields fields(
            testing_support::with(testing_support::defaultTexts(), c.field, c.text));
        RecordedMessages boxes;
        const WireVerdict verdict =
            c.field == rx ? checkRxWire(fields, boxes) : checkTxWire(fields, boxes);
        const std::vector<Message> expected =
            c.warns ? std::vector{c.field == rx ? kRxWireBox : kTxWireBox} : std::vector<Message>{};
        EXPECT_EQ(boxes.shown, expected) << c.text;
        EXPECT_EQ(verdict, c.warns ? WireVerdict::Outside : WireVerdict::Within) << c.text;
    }
}

TEST(WireChecks, NumberBeyondTheDoubleRangeGivesAFaultBoxNamingItsField)
{
    MemoryFields fields;
    fields.setText(Field::RxWireDiameter, "1e999");
    fields.setText(Field::TxWireDiameter, "-1e999");
    RecordedMessages boxes;
    checkRxWire(fields, boxes);
    checkTxWire(fields, boxes);
    ASSERT_EQ(boxes.shown.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const char *label = i == 0 ? "Диаметр проводника - RX" : "Диаметр проводника - TX";
        EXPECT_EQ(boxes.shown[i], (Message{"Ошибка расчета",
                                           "Не удается проверить диаметр провода: число в поле «" +
                                               std::string(label) +
                                               "» слишком велико по модулю.\nПроверьте это поле.",
                                           BoxStyle::CriticalOk}));
    }
}
