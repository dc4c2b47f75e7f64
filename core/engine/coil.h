// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Coil arithmetic for a DD search coil: tank resonance, the multi-turn loop model of the
// RX winding, the RX turn search and copper cross-sections.
//
// Units throughout: frequency kHz, capacitance nF, inductance µH, diameters mm,
// cross-sections mm². Turn counts are whole numbers carried as doubles.
//
// Every formula is a fixed sequence of single double operations; the order is part of the
// contract, because the published worked numbers are the exact results of that order.

#include "engine/steps.h"

#include <optional>
#include <stdexcept>

namespace engine {

enum class FaultKind {
    DivisionByZero,   // a non-zero value divided by zero
    ZeroByZero,       // 0 / 0
    LogOfNonPositive, // natural logarithm of zero or a negative number
    Overflow,         // a result beyond the double range
};

// An operation could not produce a finite value. Raised at the step where it happens.
class ArithmeticFault : public std::runtime_error {
  public:
    explicit ArithmeticFault(FaultKind kind);
    FaultKind kind() const noexcept { return kind_; }

  private:
    FaultKind kind_;
};

// The RX turn search gave up: no turn count reaches the target with these diameters.
// Carries the largest model inductance the search saw and the turn count where it was seen.
class UnreachableInductance : public std::runtime_error {
  public:
    UnreachableInductance(double peakMicroHenry, double peakTurns);
    double peakMicroHenry() const noexcept { return peakMicroHenry_; }
    double peakTurns() const noexcept { return peakTurns_; }

  private:
    double peakMicroHenry_;
    double peakTurns_;
};

// Turn counts above this are far beyond any hand-wound coil; the search stops here.
inline constexpr double kMaxSearchTurns = 100000;

// Inductance in µH that resonates at f kHz with C nF: 1e9 / ((6.28·f)²·C), rounded to a
// whole number with ties to even. 6.28 stands for 2π on purpose.
double ResonantInductance(double frequencyKHz, double capacitanceNF);

// Modelled inductance in µH of N turns of wire d mm on a ring of diameter D mm: the
// thick-ring formula with the winding bundle taken as one conductor of radius N·d/2.
// Not rounded.
double LoopInductance(double turns, double wireDiameterMM, double ringDiameterMM);

// Copper cross-section N·π·(d/2)² in mm², π written as 3.14. The RX and TX forms differ in
// their order of operations and therefore in their last bits.
double CrossSectionRx(double wireDiameterMM, double turns);
double CrossSectionTx(double wireDiameterMM, double turns);

namespace detail {
// Ends a search that reached the turn cap; lastValue is the model value at the cap.
[[noreturn]] void raiseUnreachableAtCap(double lastValue, double wireDiameterMM,
                                        double ringDiameterMM);
} // namespace detail

// Counts turns upward from 2 until the modelled inductance is strictly above the target,
// handing each count to onTurn(double) as soon as it has been evaluated; returns the last
// count, or no value when the target is negative (no count is evaluated). A fault in a pass
// ends the search before that pass reaches onTurn. Throws UnreachableInductance once the
// model has passed its peak below the target or the count would pass kMaxSearchTurns; onTurn
// has seen every evaluated count by then. Defined here so that onTurn is inlined.
template <typename OnTurn>
std::optional<double> SearchRxTurns(double targetMicroHenry, double wireDiameterMM,
                                    double ringDiameterMM, OnTurn &&onTurn)
{
    double n = 1;
    double value = 0;
    // The model rises to one peak and falls after it (with both diameters negative it falls
    // to one valley and rises after it). A fall after a rise is therefore the peak: every
    // later value is lower still, and the value before the fall is the largest of all.
    bool rising = false;

    while (value <= targetMicroHenry) {
        n = n + 1;
        if (n > kMaxSearchTurns) [[unlikely]]
            detail::raiseUnreachableAtCap(value, wireDiameterMM, ringDiameterMM);
        const double previous = value;
        value = detail::loop<detail::Unchecked>(n, wireDiameterMM, ringDiameterMM);
        if (!std::isfinite(value)) [[unlikely]] {
            LoopInductance(n, wireDiameterMM, ringDiameterMM); // raises at the failing step
            detail::raiseOverflow();
        }
        onTurn(n);

        if (value > previous)
            rising = true;
        else if (rising) [[unlikely]]
            throw UnreachableInductance(previous, n - 1);
    }
    if (n == 1)
        return std::nullopt;
    return n;
}

} // namespace engine
