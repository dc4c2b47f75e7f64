#include "commands.h"

#include "numbers.h"

#include "engine/coil.h"

#include <array>
#include <cmath>
#include <span>
#include <string>

namespace calculator {

namespace {

// A part of the Calculate command that produces one result, named in a fault box together
// with the inputs the user should look at when it cannot be computed.
struct Stage {
    std::string_view result; // what could not be computed, in the accusative
    std::array<Field, 2> inputs;
};

constexpr Stage kRxInductanceStage{"индуктивность RX", {Field::RxFrequency, Field::RxCapacitance}};
constexpr Stage kRxTurnsStage{"число витков RX", {Field::RxWireDiameter, Field::RingDiameter}};
constexpr Stage kRxCrossSectionStage{"сечение RX", {Field::RxWireDiameter, Field::RxTurns}};
constexpr Stage kTxCrossSectionStage{"сечение TX", {Field::TxWireDiameter, Field::TxTurns}};
constexpr Stage kTxInductanceStage{"индуктивность TX", {Field::TxFrequency, Field::TxCapacitance}};

// Every input that decides whether the RX turn search can reach its target.
constexpr std::array kRxInputs{Field::RxFrequency, Field::RxCapacitance, Field::RxWireDiameter,
                               Field::RingDiameter};

// A field whose text holds a number beyond the double range.
struct UnreadableField {
    Field field;
};

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

class Calculation {
  public:
    Calculation(FieldTexts &fields, MessageBoxes &boxes, std::string_view decimalSeparator)
        : fields_(fields), boxes_(boxes), separator_(decimalSeparator)
    {
    }

    void run()
    {
        const Stage *stage = &kRxInductanceStage;
        double rxInductance = 0;
        try {
            const double rxFrequency = read(Field::RxFrequency);
            const double rxCapacitance = read(Field::RxCapacitance);
            rxInductance = engine::ResonantInductance(rxFrequency, rxCapacitance);
            write(Field::RxInductance, rxInductance);

            stage = &kRxTurnsStage;
            const double rxWire = read(Field::RxWireDiameter);
            const double ring = read(Field::RingDiameter);
            engine::SearchRxTurns(rxInductance, rxWire, ring,
                                  [this](double turns) { write(Field::RxTurns, turns); });

            // The count is taken from the field, not from the search: when the search made
            // no pass, whatever the user left there counts.
            stage = &kRxCrossSectionStage;
            const double rxTurns = read(Field::RxTurns);
            write(Field::RxCrossSection, engine::CrossSectionRx(rxWire, rxTurns));

            stage = &kTxCrossSectionStage;
            const double txWire = read(Field::TxWireDiameter);
            const double txTurns = read(Field::TxTurns);
            write(Field::TxCrossSection, engine::CrossSectionTx(txWire, txTurns));

            stage = &kTxInductanceStage;
            const double txFrequency = read(Field::TxFrequency);
            const double txCapacitance = read(Field::TxCapacitance);
            write(Field::TxInductance, engine::ResonantInductance(txFrequency, txCapacitance));

            if (rxTurns > kMaxRxTurns || rxTurns < kMinRxTurns)
                boxes_.show(text::kTurnCountTitle, text::kTurnCountPrompt, BoxStyle::ExclamationOk);
        } catch (const engine::ArithmeticFault &fault) {
            fail("Не удается рассчитать " + std::string(stage->result) + ": " +
                 std::string(faultText(fault.kind())) + ".\nПроверьте поля " +
                 listOfFields(stage->inputs) + ".");
        } catch (const UnreadableField &unreadable) {
            fail(unreadablePrompt("Не удается рассчитать " + std::string(stage->result),
                                  unreadable.field));
        } catch (const engine::UnreachableInductance &peak) {
            fail(unreachablePrompt(rxInductance, peak));
        }
    }

  private:
    double read(Field field) const
    {
        try {
            return readNumber(fields_.text(field));
        } catch (const engine::ArithmeticFault &) {
            throw UnreadableField{field};
        }
    }

    void write(Field field, double value) { fields_.setText(field, showNumber(value, separator_)); }

    std::string unreachablePrompt(double target, const engine::UnreachableInductance &peak) const
    {
        std::string prompt = "Не удается подобрать число витков RX: ни при каком числе витков "
                             "индуктивность RX " +
                             showNumber(target, separator_) +
                             " мкГн не достигается при этих диаметрах провода и кольца.\n";
        prompt += peak.peakTurns() >= engine::kMaxSearchTurns
                      ? "Наибольшая индуктивность в пределах " +
                            showNumber(engine::kMaxSearchTurns, separator_) + " витков — "
                      : std::string("Наибольшая индуктивность при этих диаметрах — ");
        prompt += showNumber(peak.peakMicroHenry(), separator_) + " мкГн при " +
                  showNumber(peak.peakTurns(), separator_) + " " +
                  std::string(turnsWord(peak.peakTurns())) + ".\nПроверьте поля " +
                  listOfFields(kRxInputs) + ".";
        return prompt;
    }

    void fail(const std::string &prompt)
    {
        boxes_.show(text::kFaultTitle, prompt, BoxStyle::CriticalOk);
    }

    FieldTexts &fields_;
    MessageBoxes &boxes_;
    std::string_view separator_;
};

// Reads a wire diameter for a check; a number beyond the double range ends the check with
// a fault box instead of a verdict.
bool readWire(const FieldTexts &fields, Field field, MessageBoxes &boxes, double &diameter)
{
    try {
        diameter = readNumber(fields.text(field));
        return true;
    } catch (const engine::ArithmeticFault &) {
        boxes.show(text::kFaultTitle,
                   unreadablePrompt("Не удается проверить диаметр провода", field),
                   BoxStyle::CriticalOk);
        return false;
    }
}

} // namespace

void calculate(FieldTexts &fields, MessageBoxes &boxes, std::string_view decimalSeparator)
{
    Calculation(fields, boxes, decimalSeparator).run();
}

void checkRxWire(const FieldTexts &fields, MessageBoxes &boxes)
{
    double d = 0;
    if (readWire(fields, Field::RxWireDiameter, boxes, d) && d > 0.2)
        boxes.show(text::kWireTitle, text::kRxWirePrompt, BoxStyle::ExclamationOk);
}

void checkTxWire(const FieldTexts &fields, MessageBoxes &boxes)
{
    double d = 0;
    if (readWire(fields, Field::TxWireDiameter, boxes, d) && (d > 0.45 || d < 0.35))
        boxes.show(text::kWireTitle, text::kTxWirePrompt, BoxStyle::ExclamationOk);
}

} // namespace calculator
