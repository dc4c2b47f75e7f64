// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "invariants.h"

#include "calculator/commands.h"
#include "calculator/numbers.h"
#include "engine/coil.h"
#include "tests/support/recordedmessages.h"
#include "tests/support/referencereader.h"

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
#include <variant>

namespace hostile {

using calculator::Field;
using testing_support::CheckedFields;
using testing_support::nameOf;
using testing_support::printable;
using testing_support::RecordedMessages;
using testing_support::referenceRead;

namespace {

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

// One stage of the Calculate command: the fields it reads in their order and how many of the
// four results (RX inductance, RX cross-section, TX cross-section, TX inductance) are written
// before it.
struct Step {
    std::vector<Field> reads;
    std::size_t resultsBefore;
};

const std::array<Step, 5> kSteps{{
    {{Field::RxFrequency, Field::RxCapacitance}, 0},
    {{Field::RxWireDiameter, Field::RingDiameter}, 1},
    {{Field::RxTurns}, 1},
    {{Field::TxWireDiameter, Field::TxTurns}, 2},
    {{Field::TxFrequency, Field::TxCapacitance}, 3},
}};

constexpr std::size_t kSearchStep = static_cast<std::size_t>(calculator::Stage::RxTurns);

constexpr std::array kResults{Field::RxInductance, Field::RxCrossSection, Field::TxCrossSection,
                              Field::TxInductance};

// How a run ended, in the terms the checks below need.
struct Ending {
    std::size_t resultsWritten = kResults.size();
    std::optional<std::size_t> failedStep;
    std::optional<Field> unreadable; // the field reported as beyond the double range
    const calculator::UnreachableTarget *unreachable = nullptr;
};

Ending endingOf(const calculator::Outcome &outcome)
{
    Ending ending;
    const auto failAt = [&ending](calculator::Stage stage) {
        ending.failedStep = static_cast<std::size_t>(stage);
        ending.resultsWritten = kSteps[*ending.failedStep].resultsBefore;
    };
    if (const auto *failure = std::get_if<calculator::ArithmeticFailure>(&outcome)) {
        failAt(failure->stage);
    } else if (const auto *input = std::get_if<calculator::UnreadableInput>(&outcome)) {
        failAt(input->stage);
        ending.unreadable = input->field;
    } else if (const auto *peak = std::get_if<calculator::UnreachableTarget>(&outcome)) {
        failAt(calculator::Stage::RxTurns);
        ending.unreachable = peak;
    }
    return ending;
}

// The peak an unreachable run reports: seen by the search, and below the target.
void checkPeak(const calculator::UnreachableTarget &peak, const CheckedFields &fields,
               std::string_view separator, Problems &problems)
{
    const long long lastCount = fields.writes(Field::RxTurns) + 1;
    if (peak.peakTurns < 2 || peak.peakTurns > static_cast<double>(lastCount))
        problems.push_back("unreachable: peak at " + describe(peak.peakTurns) +
                           " turns, outside the counts searched (2 to " +
                           std::to_string(lastCount) + ")");
    if (peak.peakTurns >= engine::kMaxSearchTurns && lastCount != 100000)
        problems.push_back("unreachable: peak at the turn cap but the search stopped at " +
                           std::to_string(lastCount));
    if (!(peak.peakMicroHenry <= peak.targetMicroHenry))
        problems.push_back("unreachable: peak " + describe(peak.peakMicroHenry) +
                           " is not below the target " + describe(peak.targetMicroHenry));
    // The target is the RX inductance the field shows, rounded to 15 digits; a decimal comma
    // hides all but the whole part from the reader.
    const std::optional<double> shown = referenceRead(fields.text(Field::RxInductance));
    if (fields.writes(Field::RxInductance) != 1 ||
        (separator == "." && !(shown && std::fabs(*shown - peak.targetMicroHenry) <=
                                            std::fabs(peak.targetMicroHenry) * 1e-14)))
        problems.push_back("unreachable: target " + describe(peak.targetMicroHenry) +
                           " is not the RX inductance shown, " + describe(shown));
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
    CheckedFields fields(texts, decimalSeparator);
    RecordedMessages boxes;
    const calculator::Outcome outcome = calculator::calculate(fields, boxes, decimalSeparator);
    Problems problems = fields.problems();

    // The first field, in the command's order of reading, whose text is beyond range.
    std::optional<Field> firstUnreadable;
    for (const Step &step : kSteps)
        for (Field read : step.reads)
            if (!firstUnreadable && !referenceRead(fields.text(read)))
                firstUnreadable = read;

    const Ending ending = endingOf(outcome);
    const bool warned = outcome == calculator::Outcome{calculator::Completed{true}};
    const std::size_t boxesExpected = ending.failedStep || warned ? 1 : 0;
    if (boxes.shown.size() != boxesExpected)
        problems.push_back(std::to_string(boxes.shown.size()) + " boxes shown, expected " +
                           std::to_string(boxesExpected));
    else if (boxesExpected == 1 &&
             boxes.shown.front().style !=
                 (warned ? calculator::BoxStyle::ExclamationOk : calculator::BoxStyle::CriticalOk))
        problems.push_back("the box has the wrong icon");
    if (ending.unreachable)
        checkPeak(*ending.unreachable, fields, decimalSeparator, problems);

    if (ending.unreadable != firstUnreadable) {
        // An arithmetic fault or a completed run means every field read so far was readable.
        const std::size_t lastStep = ending.failedStep.value_or(kSteps.size() - 1);
        bool readBeforeTheEnd = false;
        for (std::size_t s = 0; s <= lastStep; ++s)
            for (Field read : kSteps[s].reads)
                readBeforeTheEnd = readBeforeTheEnd || read == firstUnreadable;
        if (ending.unreadable || readBeforeTheEnd)
            problems.push_back(
                (ending.unreadable ? nameOf(*ending.unreadable) : std::string("no field")) +
                " reported as beyond range, but the first such field read is " +
                (firstUnreadable ? nameOf(*firstUnreadable) : "none"));
    }

    // The search writes its counts, unless the RX inductance is negative or the search failed
    // before its first pass.
    const bool searched = fields.writes(Field::RxTurns) > 0;
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
        calculator::WireVerdict (*run)(const calculator::FieldTexts &, calculator::MessageBoxes &);
        bool (*outside)(double);
    };
    const std::array<Check, 2> checks{{
        {Field::RxWireDiameter, calculator::checkRxWire,
         [](double d) {
             return d > 0.2;
         }},
        {Field::TxWireDiameter, calculator::checkTxWire,
         [](double d) {
             return d > 0.45 || d < 0.35;
         }},
    }};
    for (const Check &check : checks) {
        const CheckedFields fields(texts);
        RecordedMessages boxes;
        const calculator::WireVerdict verdict = check.run(fields, boxes);

        const std::string &text = texts[static_cast<std::size_t>(check.field)];
        const std::optional<double> d = referenceRead(text);
        const calculator::WireVerdict expected = !d ? calculator::WireVerdict::Unreadable
                                                 : check.outside(*d)
                                                     ? calculator::WireVerdict::Outside
                                                     : calculator::WireVerdict::Within;
        const std::size_t boxesExpected = expected == calculator::WireVerdict::Within ? 0 : 1;
        if (verdict != expected || boxes.shown.size() != boxesExpected)
            problems.push_back(nameOf(check.field) + " check on \"" + printable(text) +
                               "\" (reads " + describe(d) + "): verdict " +
                               std::to_string(static_cast<int>(verdict)) + " with " +
                               std::to_string(boxes.shown.size()) + " boxes, expected " +
                               std::to_string(static_cast<int>(expected)));
    }
    return problems;
}

CalculateInput parseCalculateInput(std::string_view bytes)
{
    CalculateInput input{testing_support::defaultTexts(), "."};
    std::size_t line = 0;
    while (!bytes.empty() && line <= calculator::kFieldCount) {
        const std::size_t end = bytes.find('\n');
        const std::string_view text = bytes.substr(0, end);
        if (line < calculator::kFieldCount)
            input.texts[line] = text;
        else if (text == ",")
            input.decimalSeparator.assign(1, ',');
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

namespace hostile {

int fuzzInput(const std::uint8_t *data, std::size_t size, Problems (*check)(std::string_view))
{
    // Handed over without a terminating zero, so a read past the end is a heap overflow.
    const Problems problems = check({reinterpret_cast<const char *>(data), size});
    for (const std::string &problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    if (!problems.empty())
        std::abort();
    return 0;
}

} // namespace hostile
