#include "invariants.h"

#include "calculator/commands.h"
#include "calculator/numbers.h"
#include "engine/coil.h"
#include "referencereader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace hostile {

using calculator::BoxStyle;
using calculator::Field;
using calculator::Message;
using calculator::RecordedMessages;

namespace {

std::string label(Field field)
{
    return std::string(calculator::info(field).label);
}
std::string quoted(Field field)
{
    return "«" + label(field) + "»";
}

std::string describe(const std::optional<double> &value)
{
    if (!value)
        return "beyond range";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", *value);
    return buffer;
}

std::string names(const std::vector<Field> &fields)
{
    std::string list;
    for (Field field : fields) {
        list += ' ';
        list += nameOf(field);
    }
    return list;
}

std::string describe(const Message &box)
{
    return "box \"" + box.title + "\" / \"" + printable(box.prompt) + "\" style " +
           std::to_string(static_cast<int>(box.style));
}

// One step of the Calculate command that can fail: what the fault box says could not be
// computed, the fields it reads in their order, the fields a fault box names, and how many
// of the four results (RX inductance, RX cross-section, TX cross-section, TX inductance)
// are written before it.
struct Step {
    std::string_view result;
    std::vector<Field> reads;
    std::array<Field, 2> named;
    std::size_t resultsBefore;
};

const std::array<Step, 5> kSteps{{
    {"индуктивность RX",
     {Field::RxFrequency, Field::RxCapacitance},
     {Field::RxFrequency, Field::RxCapacitance},
     0},
    {"число витков RX",
     {Field::RxWireDiameter, Field::RingDiameter},
     {Field::RxWireDiameter, Field::RingDiameter},
     1},
    {"сечение RX", {Field::RxTurns}, {Field::RxWireDiameter, Field::RxTurns}, 1},
    {"сечение TX",
     {Field::TxWireDiameter, Field::TxTurns},
     {Field::TxWireDiameter, Field::TxTurns},
     2},
    {"индуктивность TX",
     {Field::TxFrequency, Field::TxCapacitance},
     {Field::TxFrequency, Field::TxCapacitance},
     3},
}};
constexpr std::size_t kSearchStep = 1;

constexpr std::array kResults{Field::RxInductance, Field::RxCrossSection, Field::TxCrossSection,
                              Field::TxInductance};

constexpr std::array<std::string_view, 4> kFaultTexts{
    "деление на ноль", "неопределенность 0/0", "логарифм неположительного числа",
    "результат выходит за пределы допустимых чисел"};

constexpr std::string_view kUnreachableStart = "Не удается подобрать число витков RX: ";

// How a run ended, as told by its box.
struct Ending {
    std::size_t resultsWritten = kResults.size();
    std::optional<std::size_t> failedStep;
    std::optional<Field> unreadable; // the field named as beyond the double range
    bool unreachable = false;
};

bool startsWith(std::string_view text, std::string_view prefix, std::string_view &rest)
{
    if (!text.starts_with(prefix))
        return false;
    rest = text.substr(prefix.size());
    return true;
}

// Reads "<digits>" at the start of text into n; false when there is none.
bool wholeNumber(std::string_view &text, long long &n)
{
    std::size_t i = 0;
    n = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i < 18)
        n = n * 10 + (text[i++] - '0');
    text.remove_prefix(i);
    return i > 0;
}

// The peak line of the unreachable-inductance box, from "Наибольшая" to the full stop.
void checkPeakLine(std::string_view line, std::optional<double> target, std::string_view separator,
                   long long lastCount, Problems &problems)
{
    std::string_view rest;
    bool withinCap = false;
    if (startsWith(line, "Наибольшая индуктивность в пределах 100000 витков — ", rest)) {
        withinCap = true;
    } else if (!startsWith(line, "Наибольшая индуктивность при этих диаметрах — ", rest)) {
        problems.push_back("unreachable box: unknown peak line");
        return;
    }

    const std::size_t unitAt = rest.find(" мкГн при ");
    if (unitAt == std::string_view::npos) {
        problems.push_back("unreachable box: no peak value");
        return;
    }
    const std::string peakText(rest.substr(0, unitAt));
    rest.remove_prefix(unitAt + std::string_view(" мкГн при ").size());
    long long peakTurns = 0;
    if (!wholeNumber(rest, peakTurns)) {
        problems.push_back("unreachable box: no peak turn count");
        return;
    }
    const bool singular = peakTurns % 10 == 1 && peakTurns % 100 != 11;
    if (rest != (singular ? " витке." : " витках."))
        problems.push_back("unreachable box: wrong ending after the peak turn count");
    if (peakTurns < 2 || peakTurns > lastCount)
        problems.push_back("unreachable box: peak at " + std::to_string(peakTurns) +
                           " turns, outside the counts searched (2 to " +
                           std::to_string(lastCount) + ")");
    if (withinCap && lastCount != 100000)
        problems.push_back("unreachable box: speaks of the turn cap but the search stopped at " +
                           std::to_string(lastCount));

    // The box may only say so when the target lies above the highest value found (allowing
    // for the rounding to 15 digits). A decimal comma hides the fraction from the reader.
    if (separator == "." && target) {
        const std::optional<double> peak = referenceRead(peakText);
        if (!peak || *peak > *target * (1 + 1e-14) + 1e-300)
            problems.push_back("unreachable box: peak " + peakText + " is not below the target " +
                               describe(target));
    }
}

// Works out from the box shown how the run ended, and checks the box against the inputs.
Ending readBox(const std::vector<Message> &shown, const WatchedFields &fields,
               std::string_view separator, const std::optional<Field> &firstUnreadable,
               Problems &problems)
{
    Ending ending;
    if (shown.size() > 1) {
        problems.push_back(std::to_string(shown.size()) + " boxes shown");
        for (const Message &box : shown)
            problems.push_back("  " + describe(box));
    }
    if (shown.empty())
        return ending;

    const Message &box = shown.front();
    const Message turnBox{std::string(calculator::text::kTurnCountTitle),
                          std::string(calculator::text::kTurnCountPrompt), BoxStyle::ExclamationOk};
    if (box == turnBox)
        return ending;

    if (box.title != calculator::text::kFaultTitle || box.style != BoxStyle::CriticalOk) {
        problems.push_back("undocumented " + describe(box));
        return ending;
    }

    std::string_view rest;
    if (startsWith(box.prompt, kUnreachableStart, rest)) {
        ending.failedStep = kSearchStep;
        ending.resultsWritten = kSteps[kSearchStep].resultsBefore;
        ending.unreachable = true;
        const std::string target = fields.text(Field::RxInductance);
        const std::string head = "ни при каком числе витков индуктивность RX " + target +
                                 " мкГн не достигается при этих диаметрах провода и кольца.\n";
        const std::string tail =
            "\nПроверьте поля " + quoted(Field::RxFrequency) + ", " + quoted(Field::RxCapacitance) +
            ", " + quoted(Field::RxWireDiameter) + " и " + quoted(Field::RingDiameter) + ".";
        if (!rest.starts_with(head) || !rest.ends_with(tail) ||
            rest.size() < head.size() + tail.size()) {
            problems.push_back("unreachable " + describe(box) + ": wrong wording");
            return ending;
        }
        checkPeakLine(rest.substr(head.size(), rest.size() - head.size() - tail.size()),
                      referenceRead(target), separator, fields.turnWrites() + 1, problems);
        return ending;
    }

    for (std::size_t s = 0; s < kSteps.size(); ++s) {
        const Step &step = kSteps[s];
        if (!startsWith(box.prompt, "Не удается рассчитать " + std::string(step.result) + ": ",
                        rest))
            continue;
        ending.failedStep = s;
        ending.resultsWritten = step.resultsBefore;

        for (Field read : step.reads)
            if (rest ==
                "число в поле " + quoted(read) + " слишком велико по модулю.\nПроверьте это поле.")
                ending.unreadable = read;
        if (ending.unreadable) {
            if (firstUnreadable != ending.unreadable)
                problems.push_back("the box names " + nameOf(*ending.unreadable) +
                                   " as beyond range, but the first such field read is " +
                                   (firstUnreadable ? nameOf(*firstUnreadable) : "none"));
            return ending;
        }

        const std::string check =
            ".\nПроверьте поля " + quoted(step.named[0]) + " и " + quoted(step.named[1]) + ".";
        const bool known =
            std::any_of(kFaultTexts.begin(), kFaultTexts.end(),
                        [&](std::string_view fault) { return rest == std::string(fault) + check; });
        if (!known)
            problems.push_back("undocumented fault " + describe(box));
        return ending;
    }
    problems.push_back("undocumented " + describe(box));
    return ending;
}

} // namespace

Problems checkReadNumber(std::string_view text)
{
    Problems problems;
    std::optional<double> expected;
    try {
        expected = referenceRead(text);
    } catch (const std::logic_error &e) {
        return {std::string("reference reader: ") + e.what()};
    }

    std::optional<double> read;
    try {
        read = calculator::readNumber(text);
    } catch (const engine::ArithmeticFault &fault) {
        if (fault.kind() != engine::FaultKind::Overflow)
            problems.push_back(std::string("fails with a fault other than overflow: ") +
                               fault.what());
    }

    const bool same = read && expected ? std::bit_cast<std::uint64_t>(*read) ==
                                             std::bit_cast<std::uint64_t>(*expected)
                                       : read.has_value() == expected.has_value();
    if (!same)
        problems.push_back("\"" + printable(text) + "\" reads as " + describe(read) +
                           ", the reference reads " + describe(expected));
    if (read && !std::isfinite(*read))
        problems.push_back("\"" + printable(text) + "\" reads as a value that is not finite");
    return problems;
}

Problems checkShowNumber(double value)
{
    if (!std::isfinite(value))
        return {};
    Problems problems;

    // The rounded digits and decimal exponent, from the C library: "d.dddddddddddddde[+-]X".
    char rounded[40];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    const std::string_view r(rounded);
    const bool negative = r.front() == '-';
    const std::size_t lead = negative ? 1 : 0;
    std::string digits = std::string(1, r[lead]) + std::string(r.substr(lead + 2, 14));
    const int exponent = std::atoi(rounded + r.find('e') + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const bool fits = referenceRead(rounded).has_value();

    for (std::string_view separator : {".", ","}) {
        std::string expected;
        if (value == 0) {
            expected = "0";
        } else if (exponent >= -4 && exponent < 15) {
            std::string whole;
            std::string fraction;
            if (exponent >= 0) {
                whole = digits.substr(0, std::min<std::size_t>(digits.size(), exponent + 1));
                whole.resize(static_cast<std::size_t>(exponent) + 1, '0');
                if (digits.size() > whole.size())
                    fraction = digits.substr(whole.size());
            } else {
                whole = "0";
                fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
            }
            expected = whole + (fraction.empty() ? "" : std::string(separator) + fraction);
        } else {
            char power[16];
            std::snprintf(power, sizeof power, "E%c%02d", exponent < 0 ? '-' : '+',
                          exponent < 0 ? -exponent : exponent);
            expected = digits.substr(0, 1) +
                       (digits.size() > 1 ? std::string(separator) + digits.substr(1) : "") + power;
        }
        if (negative && value != 0)
            expected = "-" + expected;

        try {
            const std::string shown = calculator::showNumber(value, separator);
            if (!fits)
                problems.push_back("shows " + describe(value) + " as \"" + shown +
                                   "\", which lies beyond the double range and cannot be read");
            else if (shown != expected)
                problems.push_back("shows " + describe(value) + " as \"" + shown +
                                   "\", expected \"" + expected + "\"");
        } catch (const engine::ArithmeticFault &fault) {
            if (fits || fault.kind() != engine::FaultKind::Overflow)
                problems.push_back("cannot show " + describe(value) + ": " + fault.what());
        }
    }
    return problems;
}

Problems checkCalculate(const FieldTextArray &texts, std::string_view decimalSeparator)
{
    WatchedFields fields(texts, decimalSeparator);
    RecordedMessages boxes;
    calculator::calculate(fields, boxes, decimalSeparator);
    Problems problems = fields.problems();

    // The first field, in the command's order of reading, whose text is beyond range.
    std::optional<Field> firstUnreadable;
    for (const Step &step : kSteps)
        for (Field read : step.reads)
            if (!firstUnreadable && !referenceRead(fields.text(read)))
                firstUnreadable = read;

    const Ending ending = readBox(boxes.shown, fields, decimalSeparator, firstUnreadable, problems);

    // An arithmetic fault or a completed run means every field read so far was readable.
    if (!ending.unreadable && firstUnreadable) {
        const std::size_t lastStep = ending.failedStep.value_or(kSteps.size() - 1);
        for (std::size_t s = 0; s <= lastStep; ++s)
            for (Field read : kSteps[s].reads)
                if (read == *firstUnreadable)
                    problems.push_back(nameOf(read) + " is beyond range but no box says so");
    }

    // The search writes its counts, unless the RX inductance is negative or the search failed
    // before its first pass.
    const bool searched = fields.turnWrites() > 0;
    if (!ending.failedStep || *ending.failedStep > kSearchStep) {
        const bool negativeTarget = fields.text(Field::RxInductance).starts_with('-');
        if (searched == negativeTarget)
            problems.push_back(negativeTarget ? "the search ran on a negative RX inductance"
                                              : "the search made no pass");
    }
    if (ending.unreachable && !searched)
        problems.push_back("unreachable inductance reported without a single pass");
    if (ending.failedStep == kSearchStep && ending.unreadable && searched)
        problems.push_back("the search ran although one of its diameters was unreadable");

    // Written: exactly the results of the steps before the end, in order, with the counts of
    // the search right after the RX inductance.
    std::vector<Field> expected;
    for (std::size_t i = 0; i < ending.resultsWritten; ++i) {
        expected.push_back(kResults[i]);
        if (i == 0 && searched)
            expected.push_back(Field::RxTurns);
    }
    if (fields.writeOrder() != expected)
        problems.push_back("fields written:" + names(fields.writeOrder()) +
                           "; expected:" + names(expected));

    // A completed run warns exactly when the turn count it read lies outside 175 to 250.
    if (!ending.failedStep) {
        const std::optional<double> turns = referenceRead(fields.text(Field::RxTurns));
        const bool outside = turns && (*turns > 250 || *turns < 175);
        const bool warned = !boxes.shown.empty();
        if (outside != warned)
            problems.push_back("turn count " + describe(turns) +
                               (warned ? " warned about" : " not warned about"));
    }
    return problems;
}

Problems checkWireChecks(const FieldTextArray &texts)
{
    Problems problems;
    struct Check {
        Field field;
        void (*run)(const calculator::FieldTexts &, calculator::MessageBoxes &);
        bool (*outside)(double);
        std::string_view prompt;
    };
    const std::array<Check, 2> checks{{
        {Field::RxWireDiameter, calculator::checkRxWire, [](double d) { return d > 0.2; },
         calculator::text::kRxWirePrompt},
        {Field::TxWireDiameter, calculator::checkTxWire,
         [](double d) { return d > 0.45 || d < 0.35; }, calculator::text::kTxWirePrompt},
    }};
    for (const Check &check : checks) {
        const WatchedFields fields(texts, ".");
        RecordedMessages boxes;
        check.run(fields, boxes);

        const std::optional<double> d = referenceRead(texts[static_cast<std::size_t>(check.field)]);
        std::vector<Message> expected;
        if (!d)
            expected.push_back({std::string(calculator::text::kFaultTitle),
                                "Не удается проверить диаметр провода: число в поле " +
                                    quoted(check.field) +
                                    " слишком велико по модулю.\nПроверьте это поле.",
                                BoxStyle::CriticalOk});
        else if (check.outside(*d))
            expected.push_back({std::string(calculator::text::kWireTitle),
                                std::string(check.prompt), BoxStyle::ExclamationOk});
        if (boxes.shown != expected) {
            problems.push_back(nameOf(check.field) + " check on \"" +
                               printable(texts[static_cast<std::size_t>(check.field)]) +
                               "\" (reads " + describe(d) +
                               "): " + std::to_string(boxes.shown.size()) + " boxes, expected " +
                               std::to_string(expected.size()));
            for (const Message &box : boxes.shown)
                problems.push_back("  " + describe(box));
        }
    }
    return problems;
}

CalculateInput parseCalculateInput(std::string_view bytes)
{
    CalculateInput input{defaultTexts(), "."};
    std::size_t line = 0;
    while (!bytes.empty() && line <= calculator::kFieldCount) {
        const std::size_t end = bytes.find('\n');
        const std::string_view text = bytes.substr(0, end);
        if (line < calculator::kFieldCount)
            input.texts[line] = text;
        else if (text == ",")
            input.decimalSeparator = ",";
        ++line;
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return input;
}

} // namespace hostile

namespace hostile {

Problems checkNumberInput(std::string_view bytes)
{
    Problems problems = checkReadNumber(bytes);
    const auto add = [&problems](const Problems &more) {
        problems.insert(problems.end(), more.begin(), more.end());
    };
    try {
        add(checkShowNumber(calculator::readNumber(bytes)));
    } catch (const engine::ArithmeticFault &) {
        // Beyond the double range; checkReadNumber has judged whether rightly.
    }
    if (bytes.size() >= sizeof(double)) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, bytes.data(), sizeof bits);
        add(checkShowNumber(std::bit_cast<double>(bits)));
    }
    return problems;
}

Problems checkCalculateInput(std::string_view bytes)
{
    const CalculateInput input = parseCalculateInput(bytes);
    Problems problems = checkCalculate(input.texts, input.decimalSeparator);
    const Problems wires = checkWireChecks(input.texts);
    problems.insert(problems.end(), wires.begin(), wires.end());
    return problems;
}

} // namespace hostile
