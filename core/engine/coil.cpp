// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "coil.h"

#include <cmath>

namespace engine {

namespace {

const char *describe(FaultKind kind)
{
    switch (kind) {
    case FaultKind::DivisionByZero:
        return "division by zero";
    case FaultKind::ZeroByZero:
        return "zero divided by zero";
    case FaultKind::LogOfNonPositive:
        return "logarithm of a non-positive number";
    case FaultKind::Overflow:
        return "overflow beyond the double range";
    }
    return "arithmetic fault";
}

} // namespace

namespace detail {

void raiseDivision(double dividend)
{
    throw ArithmeticFault(dividend == 0 ? FaultKind::ZeroByZero : FaultKind::DivisionByZero);
}

void raiseOverflow()
{
    throw ArithmeticFault(FaultKind::Overflow);
}

void raiseLogarithm()
{
    throw ArithmeticFault(FaultKind::LogOfNonPositive);
}

void raiseUnreachableAtCap(double lastValue, double wireDiameterMM, double ringDiameterMM)
{
    // The model has a single peak or a single valley, so the largest value seen is at one of
    // the two ends of the search.
    const double first = LoopInductance(2, wireDiameterMM, ringDiameterMM);
    if (first > lastValue)
        throw UnreachableInductance(first, 2);
    throw UnreachableInductance(lastValue, kMaxSearchTurns);
}

} // namespace detail

ArithmeticFault::ArithmeticFault(FaultKind kind) : std::runtime_error(describe(kind)), kind_(kind)
{
}

UnreachableInductance::UnreachableInductance(double peakMicroHenry, double peakTurns)
    : std::runtime_error("the RX inductance lies above every value of the loop model"),
      peakMicroHenry_(peakMicroHenry), peakTurns_(peakTurns)
{
}

double ResonantInductance(double frequencyKHz, double capacitanceNF)
{
    const double h = detail::resonance<detail::Checked>(frequencyKHz, capacitanceNF);
    // Ties go to the even neighbour: nearbyint follows the default rounding mode,
    // round-to-nearest-even.
    return std::nearbyint(h);
}

double LoopInductance(double turns, double wireDiameterMM, double ringDiameterMM)
{
    return detail::loop<detail::Checked>(turns, wireDiameterMM, ringDiameterMM);
}

double CrossSectionRx(double wireDiameterMM, double turns)
{
    return detail::crossSectionRx<detail::Checked>(wireDiameterMM, turns);
}

double CrossSectionTx(double wireDiameterMM, double turns)
{
    return detail::crossSectionTx<detail::Checked>(wireDiameterMM, turns);
}

} // namespace engine
