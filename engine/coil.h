#pragma once

// Coil arithmetic for a DD search coil: tank resonance, the multi-turn loop model of the
// RX winding, the RX turn search and copper cross-sections.
//
// Units throughout: frequency kHz, capacitance nF, inductance µH, diameters mm,
// cross-sections mm². Turn counts are whole numbers carried as doubles.
//
// Every formula is a fixed sequence of single double operations; the order is part of the
// contract, because the published worked numbers are the exact results of that order.

#include <functional>
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

// Called with each turn count right after its inductance has been evaluated.
using TurnCallback = std::function<void(double turns)>;

// Counts turns upward from 2 until the modelled inductance is strictly above the target;
// returns that count, or no value when the target is negative (no count is evaluated).
// Throws UnreachableInductance once the model has passed its peak below the target or the
// count would pass kMaxSearchTurns; the callback has seen every evaluated count by then.
std::optional<double> SearchRxTurns(double targetMicroHenry, double wireDiameterMM,
                                    double ringDiameterMM, const TurnCallback &onTurn);

// Copper cross-section N·π·(d/2)² in mm², π written as 3.14. The RX and TX forms differ in
// their order of operations and therefore in their last bits.
double CrossSectionRx(double wireDiameterMM, double turns);
double CrossSectionTx(double wireDiameterMM, double turns);

} // namespace engine
