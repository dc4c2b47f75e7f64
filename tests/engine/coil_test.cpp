// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/coil.h"

#include <gtest/gtest.h>

#include <cmath>

#include <limits>
#include <vector>

using namespace engine;

namespace {

// The default coil: RX wire 0.18 mm on a 190 mm ring.
constexpr double kWire = 0.18;
constexpr double kRing = 190;

std::vector<double> searchTurns(double target, double d, double ringD,
                                std::optional<double> *result = nullptr)
{
    std::vector<double> seen;
    const auto found = SearchRxTurns(target, d, ringD, [&](double n) { seen.push_back(n); });
    if (result)
        *result = found;
    return seen;
}

std::vector<double> countsFrom2To(double last)
{
    std::vector<double> counts;
    for (double n = 2; n <= last; ++n)
        counts.push_back(n);
    return counts;
}

template <typename F> FaultKind faultOf(F &&operation)
{
    try {
        operation();
    } catch (const ArithmeticFault &fault) {
        return fault.kind();
    }
    ADD_FAILURE() << "no arithmetic fault";
    return FaultKind::Overflow;
}

} // namespace

TEST(ResonantInductance, WorkedNumbersAreExact)
{
    EXPECT_EQ(ResonantInductance(10, 33), 7684);
    EXPECT_EQ(ResonantInductance(11.5, 470), 408);
    EXPECT_EQ(ResonantInductance(10, 27), 9391);
    EXPECT_EQ(ResonantInductance(10, 22), 11525);
    // Above 2^52 every double is whole and rounding hides no last bit: this is the result of
    // a = 6.28·f, then a·a·C, its reciprocal and that times 10^9; regrouped steps miss it.
    EXPECT_EQ(ResonantInductance(0.005, 0.00018), 5634666269986158);
}

TEST(ResonantInductance, HalfwayValuesGoToTheEvenNeighbour)
{
    // Capacitances found so that 1e9 / ((6.28·0.1)²·C) is exactly k + 0.5.
    EXPECT_EQ(ResonantInductance(0.1, 298305861.35220844), 8);  // 8.5
    EXPECT_EQ(ResonantInductance(0.1, 163587085.25766268), 16); // 15.5
    EXPECT_EQ(ResonantInductance(0.1, 1690399880.9958477), 2);  // 1.5
    EXPECT_EQ(ResonantInductance(0.1, 112693325.3997232), 22);  // 22.5
}

TEST(ResonantInductance, NegativeCapacitanceGivesNegativeInductance)
{
    EXPECT_EQ(ResonantInductance(10, -33), -7684);
}

TEST(ResonantInductance, ZeroFrequencyOrCapacitanceDividesByZero)
{
    EXPECT_EQ(faultOf([] { ResonantInductance(0, 33); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { ResonantInductance(10, 0); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { ResonantInductance(-0.0, 33); }), FaultKind::DivisionByZero);
}

TEST(ResonantInductance, ResultsBeyondTheDoubleRangeOverflow)
{
    EXPECT_EQ(faultOf([] { ResonantInductance(1e200, 1); }), FaultKind::Overflow);        // a²
    EXPECT_EQ(faultOf([] { ResonantInductance(1e-150, 1e-20); }), FaultKind::Overflow);   // 1/p
    EXPECT_EQ(faultOf([] { ResonantInductance(1e-10, 2.5e-287); }), FaultKind::Overflow); // ×1e9
}

TEST(LoopInductance, WorkedNumbersAreExact)
{
    EXPECT_EQ(LoopInductance(2, kWire, kRing), 3.150655446530557);
    EXPECT_EQ(LoopInductance(3, kWire, kRing), 6.653350673012398);
    EXPECT_EQ(LoopInductance(172, kWire, kRing), 7620.589882438086);
    EXPECT_EQ(LoopInductance(173, kWire, kRing), 7689.261850190307);
    EXPECT_EQ(LoopInductance(7838, kWire, kRing), 8328081.905066689);
}

TEST(LoopInductance, ZeroDiametersFaultAtTheirStep)
{
    EXPECT_EQ(faultOf([] { LoopInductance(2, 0, kRing); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { LoopInductance(2, kWire, 0); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { LoopInductance(2, 0, 0); }), FaultKind::ZeroByZero);
}

TEST(LoopInductance, OppositeSignsTakeTheLogarithmOfANegativeNumber)
{
    EXPECT_EQ(faultOf([] { LoopInductance(2, -kWire, kRing); }), FaultKind::LogOfNonPositive);
    EXPECT_EQ(faultOf([] { LoopInductance(2, kWire, -kRing); }), FaultKind::LogOfNonPositive);
}

TEST(LoopInductance, HugeAndTinyInputsOverflowInsteadOfGivingInfinity)
{
    EXPECT_EQ(faultOf([] { LoopInductance(2, 1e200, 1e-200); }), FaultKind::Overflow);
    EXPECT_EQ(faultOf([] { LoopInductance(2, 1e-300, 1e10); }), FaultKind::Overflow); // 4/r
    EXPECT_EQ(faultOf([] { LoopInductance(1e200, kWire, kRing); }), FaultKind::Overflow);
}

TEST(LoopInductance, UncheckedArithmeticIsFiniteExactlyWhenNoStepFaults)
{
    // The turn search evaluates the model without per-step checks and falls back to the
    // checked steps only for a non-finite result; that is sound only if the two agree.
    const double turns[] = {2, 3, 173, 7838, 1e5, 1e150, 1e200};
    const double sizes[] = {0,    1e-320, 1e-300, 1e-150, 0.18,   190,
                            1e10, 1e150,  1e200,  1e300,  1.7e308};
    int faults = 0;
    for (double n : turns)
        for (double d : sizes)
            for (double ringD : sizes)
                for (double sign : {1.0, -1.0}) {
                    const double unchecked = detail::loop<detail::Unchecked>(n, d * sign, ringD);
                    try {
                        const double checked = LoopInductance(n, d * sign, ringD);
                        EXPECT_EQ(unchecked, checked) << n << ' ' << d * sign << ' ' << ringD;
                    } catch (const ArithmeticFault &) {
                        ++faults;
                        EXPECT_FALSE(std::isfinite(unchecked))
                            << n << ' ' << d * sign << ' ' << ringD;
                    }
                }
    EXPECT_GT(faults, 100); // the grid does reach every kind of fault
}

TEST(SearchRxTurns, FaultInALaterPassEndsTheSearchBeforeItsCallback)
{
    // A huge ring and a thin wire: the model value overflows some 20000 turns in.
    constexpr double d = 1e-6, ringD = 1e300;
    std::vector<double> seen;
    try {
        SearchRxTurns(std::numeric_limits<double>::max(), d, ringD,
                      [&](double n) { seen.push_back(n); });
        ADD_FAILURE() << "no fault";
    } catch (const ArithmeticFault &fault) {
        EXPECT_EQ(fault.kind(), FaultKind::Overflow);
    }
    ASSERT_GT(seen.size(), 100u);
    EXPECT_EQ(seen, countsFrom2To(seen.back()));
    EXPECT_NO_THROW(LoopInductance(seen.back(), d, ringD));
    EXPECT_EQ(faultOf([&] { LoopInductance(seen.back() + 1, d, ringD); }), FaultKind::Overflow);
}

TEST(SearchRxTurns, DefaultTargetHandsOverEveryCountUpTo173)
{
    std::optional<double> result;
    EXPECT_EQ(searchTurns(7684, kWire, kRing, &result), countsFrom2To(173));
    EXPECT_EQ(result, 173);
}

TEST(SearchRxTurns, WorkedTargets)
{
    std::optional<double> result;
    searchTurns(9391, kWire, kRing, &result);
    EXPECT_EQ(result, 198);
    searchTurns(11525, kWire, kRing, &result);
    EXPECT_EQ(result, 226);
}

TEST(SearchRxTurns, TargetZeroMakesOnePass)
{
    std::optional<double> result;
    EXPECT_EQ(searchTurns(0, kWire, kRing, &result), std::vector<double>{2});
    EXPECT_EQ(result, 2);
}

TEST(SearchRxTurns, NegativeTargetMakesNoPassAndHasNoResult)
{
    std::optional<double> result = 99;
    EXPECT_TRUE(searchTurns(-7684, kWire, kRing, &result).empty());
    EXPECT_FALSE(result.has_value());
}

TEST(SearchRxTurns, ModelValueEqualToTheTargetDoesNotStopTheSearch)
{
    std::optional<double> result;
    searchTurns(LoopInductance(172, kWire, kRing), kWire, kRing, &result);
    EXPECT_EQ(result, 173);
    searchTurns(std::nextafter(LoopInductance(172, kWire, kRing), 0), kWire, kRing, &result);
    EXPECT_EQ(result, 172);
}

TEST(SearchRxTurns, FaultInTheFirstPassReachesNoCallback)
{
    int calls = 0;
    const auto count = [&](double) {
        ++calls;
    };
    EXPECT_THROW(SearchRxTurns(7684, 0, kRing, count), ArithmeticFault);
    EXPECT_THROW(SearchRxTurns(7684, kWire, 0, count), ArithmeticFault);
    EXPECT_THROW(SearchRxTurns(7684, -kWire, kRing, count), ArithmeticFault);
    EXPECT_EQ(calls, 0);
}

TEST(SearchRxTurns, TargetAboveThePeakStopsRightAfterThePeak)
{
    for (double target : {8328082.0, 1e12, 1e300}) {
        std::vector<double> seen;
        try {
            SearchRxTurns(target, kWire, kRing, [&](double n) { seen.push_back(n); });
            ADD_FAILURE() << "search ended with a count for target " << target;
        } catch (const UnreachableInductance &peak) {
            EXPECT_EQ(peak.peakMicroHenry(), 8328081.905066689);
            EXPECT_EQ(peak.peakTurns(), 7838);
        }
        EXPECT_EQ(seen, countsFrom2To(7839));
    }
}

TEST(SearchRxTurns, VeryThinWireStopsAtTheTurnCap)
{
    // With a 1 µm wire the peak lies near 1.4 million turns.
    double last = 0;
    try {
        SearchRxTurns(1e12, 0.001, kRing, [&](double n) {
            ASSERT_EQ(n, last + (last == 0 ? 2 : 1));
            last = n;
        });
        ADD_FAILURE() << "search ended with a count";
    } catch (const UnreachableInductance &peak) {
        EXPECT_EQ(peak.peakTurns(), 100000);
        EXPECT_EQ(peak.peakMicroHenry(), LoopInductance(100000, 0.001, kRing));
    }
    EXPECT_EQ(last, 100000);
}

TEST(SearchRxTurns, BothDiametersNegativeFindTheCountPastTheValley)
{
    // The model first falls to a valley and then rises without bound: falling alone must
    // not be taken for an unreachable target.
    std::optional<double> result;
    searchTurns(7684, -kWire, -kRing, &result);
    ASSERT_TRUE(result.has_value());
    EXPECT_GT(LoopInductance(*result, -kWire, -kRing), 7684);
    EXPECT_LE(LoopInductance(*result - 1, -kWire, -kRing), 7684);
}

TEST(CrossSection, WorkedNumbersAreExact)
{
    EXPECT_EQ(CrossSectionRx(0.18, 173), 4.400082);
    EXPECT_EQ(CrossSectionTx(0.4, 40), 5.024000000000001);
    EXPECT_EQ(CrossSectionTx(0.4, 0), 0);
}

TEST(CrossSection, ZeroWireIsNoFaultAndHugeValuesOverflow)
{
    EXPECT_EQ(CrossSectionRx(0, 173), 0);
    EXPECT_EQ(faultOf([] { CrossSectionRx(1e10, 1e300); }), FaultKind::Overflow);
    EXPECT_EQ(faultOf([] { CrossSectionTx(1e200, 1); }), FaultKind::Overflow);
}
