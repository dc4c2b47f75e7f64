// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands.h"

#include "numbers.h"

#include <array>
#include <cmath>
#include <span>
#include <string>

namespace calculator {

namespace {

// What a stage could not compute, in the accusative, and the inputs the user should look at
// when it fails.
struct StageWords {
    std::string_view result;
    std::array<Field, 2> inputs;
};

constexpr std::array<StageWords, 5> kStages{{
    {"индуктивность RX", {Field::RxFrequency, Field::RxCapacitance}},
    {"число витков RX", {Field::RxWireDiameter, Field::RingDiameter}},
    {"сечение RX", {Field::RxWireDiameter, Field::RxTurns}},
    {"сечение TX", {Field::TxWireDiameter, Field::TxTurns}},
    {"индуктивность TX", {Field::TxFrequency, Field::TxCapacitance}},
}};

constexpr const StageWords &words(Stage stage)
{
    return kStages[static_cast<std::size_t>(stage)];
}

// Every input that decides whether the RX turn search can reach its target.
constexpr std::array kRxInputs{Field::RxFrequency, Field::RxCapacitance, Field::RxWireDiameter,
                               Field::RingDiameter};

std::string quoted(Field field)
{
    return "«" + std::string(info(field).label) + "»";
}

// "«A» и «B»", "«A», «B» и «C»"
std::string listOfFields(std::span<const Field> fields)
{
    std::string list;
    std::size_t i = 0;
    for (Field f : fields) {
        if (i > 0)
            list += i + 1 == fields.size() ? " и " : ", ";
        list += quoted(f);
        ++i;
    }
    return list;
}

std::string_view faultText(engine::FaultKind kind)
{
    switch (kind) {
    case engine::FaultKind::DivisionByZero:
        return "деление на ноль";
    case engine::FaultKind::ZeroByZero:
        return "неопределенность 0/0";
    case engine::FaultKind::LogOfNonPositive:
        return "логарифм неположительного числа";
    case engine::FaultKind::Overflow:
        return "результат выходит за пределы допустимых чисел";
    }
    return "ошибка вычисления";
}

std::string unreadablePrompt(std::string_view action, Field field)
{
    return std::string(action) + ": число в поле " + quoted(field) +
           " слишком велико по модулю.\nПроверьте это поле.";
}

// Prepositional plural or singular of "виток" after a whole number: "при 21 витке",
// "при 7838 витках".
std::string_view turnsWord(double turns)
{
    const double lastTwo = std::fmod(turns, 100);
    return std::fmod(turns, 10) == 1 && lastTwo != 11 ? "витке" : "витках";
}

// The box a Calculate command ends with: one place for all their wording.
class Wording {
  public:
    explicit Wording(std::string_view separator) : separator_(separator) {}

    Message operator()(const Completed &) const
    {
        return {std::string(text::kTurnCountTitle), std::string(text::kTurnCountPrompt),
                BoxStyle::ExclamationOk};
    }
    Message operator()(const ArithmeticFailure &failure) const
    {
        const StageWords &stage = words(failure.stage);
        return fault(cannotCompute(stage) + ": " + std::string(faultText(failure.kind)) +
                     ".\nПроверьте поля " + listOfFields(stage.inputs) + ".");
    }
    Message operator()(const UnreadableInput &input) const
    {
        return fault(unreadablePrompt(cannotCompute(words(input.stage)), input.field));
    }
    Message operator()(const UnreachableTarget &peak) const
    {
        std::string prompt = "Не удается подобрать число витков RX: ни при каком числе витков "
                             "индуктивность RX " +
                             show(peak.targetMicroHenry) +
                             " мкГн не достигается при этих диаметрах провода и кольца.\n";
        prompt += peak.peakTurns >= engine::kMaxSearchTurns
                      ? "Наибольшая индуктивность в пределах " + show(engine::kMaxSearchTurns) +
                            " витков — "
                      : std::string("Наибольшая индуктивность при этих диаметрах — ");
        prompt += show(peak.peakMicroHenry) + " мкГн при " + show(peak.peakTurns) + " " +
                  std::string(turnsWord(peak.peakTurns)) + ".\nПроверьте поля " +
                  listOfFields(kRxInputs) + ".";
        return fault(prompt);
    }

  private:
    static std::string cannotCompute(const StageWords &stage)
    {
        return "Не удается рассчитать " + std::string(stage.result);
    }
    static Message fault(std::string prompt)
    {
        return {std::string(text::kFaultTitle), std::move(prompt), BoxStyle::CriticalOk};
    }
    std::string show(double value) const { return showNumber(value, separator_); }

    std::string_view separator_;
};

// A field whose text holds a number beyond the double range.
struct Unreadable {
    Field field;
};

class Calculation {
  public:
    Calculation(FieldTexts &fields, std::string_view decimalSeparator)
        : fields_(fields), separator_(decimalSeparator)
    {
    }

    Outcome run()
    {
        Stage stage = Stage::RxInductance;
        double rxInductance = 0;
        try {
            const double rxFrequency = read(Field::RxFrequency);
            const double rxCapacitance = read(Field::RxCapacitance);
            rxInductance = engine::ResonantInductance(rxFrequency, rxCapacitance);
            write(Field::RxInductance, rxInductance);

            stage = Stage::RxTurns;
            const double rxWire = read(Field::RxWireDiameter);
            const double ring = read(Field::RingDiameter);
            engine::SearchRxTurns(rxInductance, rxWire, ring,
                                  [this](double turns) { write(Field::RxTurns, turns); });

            // The count is taken from the field, not from the search: when the search made
            // no pass, whatever the user left there counts.
            stage = Stage::RxCrossSection;
            const double rxTurns = read(Field::RxTurns);
            write(Field::RxCrossSection, engine::CrossSectionRx(rxWire, rxTurns));

            stage = Stage::TxCrossSection;
            const double txWire = read(Field::TxWireDiameter);
            const double txTurns = read(Field::TxTurns);
            write(Field::TxCrossSection, engine::CrossSectionTx(txWire, txTurns));

            stage = Stage::TxInductance;
            const double txFrequency = read(Field::TxFrequency);
            const double txCapacitance = read(Field::TxCapacitance);
            write(Field::TxInductance, engine::ResonantInductance(txFrequency, txCapacitance));

            return Completed{rxTurns > kMaxRxTurns || rxTurns < kMinRxTurns};
        } catch (const engine::ArithmeticFault &fault) {
            return ArithmeticFailure{stage, fault.kind()};
        } catch (const Unreadable &unreadable) {
            return UnreadableInput{stage, unreadable.field};
        } catch (const engine::UnreachableInductance &peak) {
            return UnreachableTarget{rxInductance, peak.peakMicroHenry(), peak.peakTurns()};
        }
    }

  private:
    double read(Field field) const
    {
        try {
            return readNumber(fields_.text(field));
        } catch (const engine::ArithmeticFault &) {
            throw Unreadable{field};
        }
    }

    void write(Field field, double value) { fields_.setText(field, showNumber(value, separator_)); }

    FieldTexts &fields_;
    std::string_view separator_;
};

// Reads a wire diameter for a check and judges it; a number beyond the double range ends the
// check with a fault box instead of a verdict on the wire.
template <typename Outside>
WireVerdict checkWire(const FieldTexts &fields, Field field, MessageBoxes &boxes,
                      std::string_view prompt, Outside outside)
{
    double diameter = 0;
    try {
        diameter = readNumber(fields.text(field));
    } catch (const engine::ArithmeticFault &) {
        boxes.show(text::kFaultTitle,
                   unreadablePrompt("Не удается проверить диаметр провода", field),
                   BoxStyle::CriticalOk);
        return WireVerdict::Unreadable;
    }
    if (!outside(diameter))
        return WireVerdict::Within;
    boxes.show(text::kWireTitle, prompt, BoxStyle::ExclamationOk);
    return WireVerdict::Outside;
}

} // namespace

Outcome calculate(FieldTexts &fields, MessageBoxes &boxes, std::string_view decimalSeparator)
{
    const Outcome outcome = Calculation(fields, decimalSeparator).run();
    if (outcome != Outcome{Completed{false}}) {
        const Message box = std::visit(Wording(decimalSeparator), outcome);
        boxes.show(box.title, box.prompt, box.style);
    }
    return outcome;
}

WireVerdict checkRxWire(const FieldTexts &fields, MessageBoxes &boxes)
{
    return checkWire(fields, Field::RxWireDiameter, boxes, text::kRxWirePrompt,
                     [](double d) { return d > kMaxRxWireMm; });
}

WireVerdict checkTxWire(const FieldTexts &fields, MessageBoxes &boxes)
{
    return checkWire(fields, Field::TxWireDiameter, boxes, text::kTxWirePrompt,
                     [](double d) { return d > kMaxTxWireMm || d < kMinTxWireMm; });
}

} // namespace calculator
