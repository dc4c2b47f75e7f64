// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the inputs on which the WebAssembly core and the native one are compared, one a line
// (see case.h), the same every run: random field texts, and the inputs where a last bit
// decides what the user sees: halves of the inductance rounding, halves at the fifteenth
// digit, the limits of the three warnings, every kind of fault, and searches that end at or
// near the turn cap.
//
// The native engine helps to aim the inputs at those places; which results they give is left
// to the comparison.

#include "case.h"

#include "calculator/fields.h"
#include "calculator/numbers.h"
#include "engine/coil.h"

#include <array>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using calculator::Field;
using webcore_test::Case;

// splitmix64: small, and the same sequence on every platform.
class Random {
  public:
    std::uint64_t next()
    {
        std::uint64_t z = state_ += 0x9E3779B97F4A7C15u;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // A whole number in [0, n).
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    // A number in [low, high), uniform on a logarithmic scale when both are positive.
    double between(double low, double high)
    {
        const double unit = static_cast<double>(next() >> 11) * 0x1p-53;
        if (low > 0 && high > 0)
            return low * std::pow(high / low, unit);
        return low + (high - low) * unit;
    }
    template <typename T> const T &pick(const std::vector<T> &items)
    {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }

  private:
    std::uint64_t state_ = 20260101;
};

Random rng;

// The shortest of the usual ways to write a double that reads back as that very double.
std::string exact(double value)
{
    char buffer[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
        if (std::strtod(buffer, nullptr) == value)
            break;
    }
    return buffer;
}

// The text with a blank before its character at pos. (Built anew: GCC 12 warns wrongly of
// overlapping copies in std::string::insert.)
std::string withBlank(const std::string &text, std::size_t pos)
{
    return text.substr(0, pos) + " " + text.substr(pos);
}

// A value as a person might type it: a few digits, sometimes with blanks, a sign, an
// exponent or a unit after it.
std::string typed(double value)
{
    char buffer[64];
    const int digits = 1 + rng.below(7);
    if (rng.chance(10))
        std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
    else
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    std::string text = buffer;
    switch (rng.below(12)) {
    case 0:
        text = "  " + text + " ";
        break;
    case 1:
        text += rng.pick<std::string>({"кГц", "мм", "нФ", " мкГн", "x"});
        break;
    case 2:
        text = withBlank(text, static_cast<std::size_t>(rng.below(static_cast<int>(text.size()))));
        break;
    case 3:
        if (value >= 0)
            text = "+" + text;
        break;
    case 4:
        for (char &c : text)
            if (c == '.')
                c = ','; // reads only the whole part
        break;
    default:
        break;
    }
    return text;
}

// Texts that are no plain number.
const std::vector<std::string> kOddTexts = {"",
                                            " ",
                                            "abc",
                                            "кГц",
                                            "-",
                                            ".",
                                            "-0",
                                            "0",
                                            "1e",
                                            "1e+",
                                            "e5",
                                            "&H",
                                            "&HFF",
                                            "&hff",
                                            "&H7FFF",
                                            "&H8000",
                                            "&HFFFF",
                                            "&H0FFFF",
                                            "&H10000",
                                            "&H7FFFFFFF",
                                            "&H80000000",
                                            "&HFFFFFFFF",
                                            "&H100000000",
                                            "&O17",
                                            "&O177777",
                                            "&O200000",
                                            "&O37777777777",
                                            "&O40000000000",
                                            "&O8",
                                            "&5",
                                            "1e400",
                                            "-1e400",
                                            "1e-400",
                                            "-1e-400",
                                            "1.7976931348623157e308",
                                            "1.7976931348623159e308",
                                            "2.4703282292062328e-324",
                                            "2.4703282292062327e-324",
                                            "4.9e-324",
                                            "1e309",
                                            "0x10",
                                            "NaN",
                                            "inf",
                                            "1 9 0",
                                            "\t1\n2",
                                            "1..2",
                                            "12abc34",
                                            "٫5",
                                            "١٢"};

std::string oddText()
{
    if (rng.chance(10)) {
        // Up to about 900 digits: past the 800 that decide a reading exactly.
        std::string digits;
        const int count = 1 + rng.below(900);
        for (int i = 0; i < count; ++i)
            digits += static_cast<char>('0' + rng.below(10));
        if (rng.chance(50)) {
            const auto point = static_cast<std::size_t>(rng.below(count));
            digits = digits.substr(0, point) + "." + digits.substr(point);
        }
        if (rng.chance(50)) {
            digits += 'e';
            digits += std::to_string(rng.below(1400) - 700);
        }
        return digits;
    }
    return rng.pick(kOddTexts);
}

const std::vector<std::string> kSeparators = {".", ",", "٫"};

Case calculation(std::array<std::string, calculator::kFieldCount> texts)
{
    return {'C', rng.pick(kSeparators), std::move(texts)};
}

std::array<std::string, calculator::kFieldCount> defaults()
{
    std::array<std::string, calculator::kFieldCount> texts;
    for (const calculator::FieldInfo &f : calculator::kFields)
        texts[static_cast<std::size_t>(f.field)] = f.defaultText;
    return texts;
}

std::string &at(std::array<std::string, calculator::kFieldCount> &texts, Field field)
{
    return texts[static_cast<std::size_t>(field)];
}

double readOr(const std::string &text, double fallback)
{
    try {
        return calculator::readNumber(text);
    } catch (const engine::ArithmeticFault &) {
        return fallback;
    }
}

// How many passes the RX turn search makes on these texts (0 when it makes none or faults
// early), so that random inputs whose searches run long can be drawn again: each such search
// costs milliseconds, and the turn cap has cases of its own.
long long searchPasses(const std::array<std::string, calculator::kFieldCount> &texts)
{
    long long passes = 0;
    try {
        const double target = engine::ResonantInductance(readOr(texts[0], 0), readOr(texts[2], 0));
        engine::SearchRxTurns(target, readOr(texts[3], 0), readOr(texts[1], 0),
                              [&](double) { ++passes; });
    } catch (const std::exception &) {
    }
    return passes;
}

// Field texts drawn at random: mostly plausible values as typed, sometimes odd texts.
Case randomCase()
{
    struct Range {
        Field field;
        double low;
        double high;
    };
    static const std::vector<Range> kRanges = {
        {Field::RxFrequency, 1, 100},      {Field::RingDiameter, 10, 1000},
        {Field::RxCapacitance, 1, 3000},   {Field::RxWireDiameter, 0.03, 2},
        {Field::RxInductance, 0, 100},     {Field::RxTurns, 1, 1000},
        {Field::RxCrossSection, 0, 10},    {Field::TxFrequency, 1, 100},
        {Field::TxRingDiameter, 10, 1000}, {Field::TxTurns, 1, 1000},
        {Field::TxWireDiameter, 0.05, 2},  {Field::TxCapacitance, 1, 3000},
        {Field::TxInductance, 0, 100},     {Field::TxCrossSection, 0, 10}};
    for (;;) {
        std::array<std::string, calculator::kFieldCount> texts;
        for (const Range &r : kRanges) {
            std::string &text = at(texts, r.field);
            if (rng.chance(4))
                text = oddText();
            else if (rng.chance(3))
                text = typed(-rng.between(r.low + 0.01, r.high));
            else
                text = typed(rng.between(r.low + 0.01, r.high));
        }
        if (searchPasses(texts) > 1000)
            continue;
        const int kind = rng.below(10);
        if (kind == 0)
            return {'R', ".", texts};
        if (kind == 1)
            return {'T', ".", texts};
        return calculation(texts);
    }
}

// A capacitance in nF whose inductance at f kHz rounds to exactly `target` µH with the engine's
// own steps; no value when none lies within a few steps of the estimate.
std::optional<double> capacitanceFor(double f, double target)
{
    const double estimate = 1e9 / ((6.28 * f) * (6.28 * f) * target);
    double c = estimate;
    for (int step = 0; step < 64; ++step) {
        if (engine::ResonantInductance(f, c) == target)
            return c;
        c = std::nextafter(c, step % 2 == 0 ? 0.0 : HUGE_VAL);
    }
    return std::nullopt;
}

// (f, C) whose unrounded inductance is exactly `half` (a whole number and a half).
std::optional<std::pair<double, double>> exactHalf(double half)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        const double f = rng.chance(50) ? rng.below(200) / 4.0 + 0.25 : rng.between(0.5, 100);
        const double estimate = 1e9 / ((6.28 * f) * (6.28 * f) * half);
        for (const double toward : {0.0, HUGE_VAL}) {
            double c = estimate;
            for (int step = 0; step < 40; ++step) {
                if (engine::detail::resonance<engine::detail::Unchecked>(f, c) == half)
                    return std::make_pair(f, c);
                c = std::nextafter(c, toward);
            }
        }
    }
    return std::nullopt;
}

// Inductances whose rounding meets a half exactly: 0.5, 1.5, 2.5, ... go to the even one.
void roundingHalves(std::vector<Case> &cases, int count)
{
    for (int i = 0; i < count; ++i) {
        const double half = (i % 4 == 0 ? rng.below(12) : rng.below(20000)) + 0.5;
        const auto found = exactHalf(half);
        if (!found)
            continue;
        auto texts = defaults();
        const bool rx = rng.chance(50);
        at(texts, rx ? Field::RxFrequency : Field::TxFrequency) = exact(found->first);
        at(texts, rx ? Field::RxCapacitance : Field::TxCapacitance) = exact(found->second);
        cases.push_back(calculation(texts));
    }
}

// TX inductances of sixteen digits ending in 5: halfway at the fifteenth digit when shown.
void shownHalves(std::vector<Case> &cases, int count)
{
    for (int i = 0; i < count; ++i) {
        const double f = rng.between(0.001, 0.01);
        const auto whole = static_cast<double>(
            (1'000'000'000'000'000 + rng.next() % 8'000'000'000'000'000) / 10 * 10 + 5);
        const auto c = capacitanceFor(f, whole);
        if (!c)
            continue;
        auto texts = defaults();
        at(texts, Field::TxFrequency) = exact(f);
        at(texts, Field::TxCapacitance) = exact(*c);
        cases.push_back(calculation(texts));
    }
}

// Wire diameters at the limits of the two wire warnings, for both checks and the command.
void wireLimits(std::vector<Case> &cases, int count)
{
    struct Limit {
        Field field;
        char check;
        double at;
    };
    const std::vector<Limit> limits = {{Field::RxWireDiameter, 'R', 0.2},
                                       {Field::TxWireDiameter, 'T', 0.35},
                                       {Field::TxWireDiameter, 'T', 0.45}};
    for (int i = 0; i < count; ++i) {
        const Limit &limit = rng.pick(limits);
        std::string text;
        switch (rng.below(6)) {
        case 0:
            text = exact(limit.at);
            break;
        case 1:
            text = exact(std::nextafter(limit.at, 1.0));
            break;
        case 2:
            text = exact(std::nextafter(limit.at, 0.0));
            break;
        case 3: {
            // The limit written with up to 25 digits, one off in the last one.
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.*f", 2 + rng.below(23), limit.at);
            text = buffer;
            text.back() = static_cast<char>(text.back() + (rng.chance(50) ? 1 : -1));
            break;
        }
        default:
            text = typed(limit.at + rng.between(-0.02, 0.02));
            break;
        }
        auto texts = defaults();
        at(texts, limit.field) = text;
        if (rng.chance(50))
            cases.push_back({limit.check, ".", texts});
        else
            cases.push_back(calculation(texts));
    }
}

// RX inputs whose search ends at `turns`: the target at either end of the range of whole
// numbers that the model's values at turns - 1 and turns enclose.
std::optional<Case> searchEndingAt(double turns, double wire, double ring, bool low)
{
    const double before = engine::LoopInductance(turns - 1, wire, ring);
    const double after = engine::LoopInductance(turns, wire, ring);
    const double target = low ? std::ceil(before) : std::floor(after);
    if (target < before || target >= after)
        return std::nullopt;
    const double f = rng.between(1, 100);
    const auto c = capacitanceFor(f, target);
    if (!c)
        return std::nullopt;
    auto texts = defaults();
    at(texts, Field::RxFrequency) = exact(f);
    at(texts, Field::RxCapacitance) = exact(*c);
    at(texts, Field::RxWireDiameter) = exact(wire);
    at(texts, Field::RingDiameter) = exact(ring);
    return calculation(texts);
}

// Turn counts at the limits of the turn-count warning: found by the search, and typed into
// the turn field when a negative capacitance leaves it to the user.
void turnLimits(std::vector<Case> &cases, int count)
{
    const std::vector<double> limits = {173, 174, 175, 176, 249, 250, 251, 252};
    for (int i = 0; i < count; ++i) {
        const double turns = rng.pick(limits);
        if (rng.chance(75)) {
            const double wire = rng.between(0.1, 0.5);
            const double ring = rng.between(80, 300);
            if (auto c = searchEndingAt(turns, wire, ring, rng.chance(50)))
                cases.push_back(*c);
            continue;
        }
        auto texts = defaults();
        at(texts, Field::RxCapacitance) = "-33";
        const double typedTurns = rng.chance(50)   ? turns
                                  : rng.chance(50) ? std::nextafter(turns, 0.0)
                                                   : std::nextafter(turns, 1000.0);
        at(texts, Field::RxTurns) = exact(typedTurns);
        cases.push_back(calculation(texts));
    }
}

// RX inputs for which no turn count reaches the target before the model's peak, found within
// a few hundred turns: the box shows the peak to fifteen digits.
void cheapPeaks(std::vector<Case> &cases, int count)
{
    for (int i = 0; i < count; ++i) {
        auto texts = defaults();
        const double ring = rng.between(1, 60);
        const double wire = ring / rng.between(2, 40);
        const bool negative = rng.chance(10); // both diameters negative: a valley, then a rise
        at(texts, Field::RingDiameter) = typed(negative ? -ring : ring);
        at(texts, Field::RxWireDiameter) = typed(negative ? -wire : wire);
        at(texts, Field::RxFrequency) = typed(rng.between(0.01, 2));
        at(texts, Field::RxCapacitance) = typed(rng.between(0.01, 5));
        if (searchPasses(texts) <= 400)
            cases.push_back(calculation(texts));
    }
}

// Every kind of fault: zeros, diameters of opposite signs, results beyond the double range,
// texts beyond it, in every input field.
void faults(std::vector<Case> &cases, int count)
{
    const std::vector<std::string> faultTexts = {
        "0",      "-0",     "0.0",    "&H0",         "&O0",   "1e400",  "-1e400", "1e200",
        "-1e200", "1e-200", "1e-320", "&HFFFFFFFFF", "1e308", "-1e308", "1e155",  "1e-155"};
    const std::vector<Field> inputs = {
        Field::RxFrequency,    Field::RingDiameter,   Field::RxCapacitance,
        Field::RxWireDiameter, Field::RxTurns,        Field::TxFrequency,
        Field::TxTurns,        Field::TxWireDiameter, Field::TxCapacitance};
    for (int i = 0; i < count; ++i) {
        auto texts = defaults();
        const int changed = 1 + rng.below(2);
        for (int k = 0; k < changed; ++k)
            at(texts, rng.pick(inputs)) = rng.pick(faultTexts);
        if (rng.chance(20)) {
            at(texts, Field::RxWireDiameter) = typed(-rng.between(0.05, 1));
            if (rng.chance(50))
                std::swap(at(texts, Field::RxWireDiameter), at(texts, Field::RingDiameter));
        }
        if (searchPasses(texts) > 1000)
            continue;
        const int kind = rng.below(8);
        cases.push_back(kind == 0   ? Case{'R', ".", texts}
                        : kind == 1 ? Case{'T', ".", texts}
                                    : calculation(texts));
    }
}

// Searches that end at the turn cap, one either side of it, and one whose model peaks near it.
void turnCap(std::vector<Case> &cases, int count)
{
    const double cap = engine::kMaxSearchTurns;
    for (int i = 0; i < count; ++i) {
        const double wire = rng.between(0.01, 0.05);
        const double ring = rng.between(400, 1000);
        switch (i % 3) {
        case 0:
            if (auto c = searchEndingAt(cap, wire, ring, rng.chance(50)))
                cases.push_back(*c);
            break;
        case 1: {
            // Beyond the value at the cap: the search stops there and shows it.
            const double target = std::ceil(engine::LoopInductance(cap, wire, ring)) + 1;
            const double f = rng.between(1, 100);
            if (const auto c = capacitanceFor(f, target)) {
                auto texts = defaults();
                at(texts, Field::RxFrequency) = exact(f);
                at(texts, Field::RxCapacitance) = exact(*c);
                at(texts, Field::RxWireDiameter) = exact(wire);
                at(texts, Field::RingDiameter) = exact(ring);
                cases.push_back(calculation(texts));
            }
            break;
        }
        default: {
            // The model peaks at about 7.4 ring diameters per wire diameter.
            auto texts = defaults();
            at(texts, Field::RxFrequency) = "0.01";
            at(texts, Field::RxWireDiameter) = exact(ring / rng.between(13000, 14000));
            at(texts, Field::RingDiameter) = exact(ring);
            cases.push_back(calculation(texts));
            break;
        }
        }
    }
}

// Texts of a megabyte, as pasted.
void hugeTexts(std::vector<Case> &cases)
{
    const std::size_t megabyte = 1'000'000;
    std::vector<std::pair<Field, std::string>> pastes = {
        {Field::RxFrequency, std::string(megabyte, '9')},
        {Field::RxCapacitance, std::string(megabyte, ' ') + "33"},
        {Field::RxWireDiameter, "0." + std::string(megabyte, '0') + "18e1000001"},
        {Field::TxTurns, "&H" + std::string(megabyte, '0') + "28"}};
    std::string cyrillic;
    while (cyrillic.size() < megabyte)
        cyrillic += "Жёлтый ";
    pastes.push_back({Field::TxCapacitance, cyrillic});
    for (const auto &[field, text] : pastes) {
        auto texts = defaults();
        at(texts, field) = text;
        cases.push_back(calculation(texts));
    }
}

} // namespace

int main(int argc, char **argv)
{
    // The share of random inputs: the whole count less the aimed ones.
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;

    std::vector<Case> cases;
    cases.push_back(calculation(defaults()));
    hugeTexts(cases);
    turnCap(cases, 30);
    roundingHalves(cases, count / 50);
    shownHalves(cases, count / 50);
    wireLimits(cases, count / 25);
    turnLimits(cases, count / 25);
    faults(cases, count / 20);
    cheapPeaks(cases, count / 5);
    while (cases.size() < static_cast<std::size_t>(count))
        cases.push_back(randomCase());

    for (const Case &c : cases)
        std::fputs((webcore_test::encode(c) + "\n").c_str(), stdout);
    std::fprintf(stderr, "%zu cases\n", cases.size());
    return 0;
}
