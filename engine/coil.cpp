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

// Each checked operation is exactly one IEEE double operation followed by a test of its
// result, so a fault is caught at the step that produces it and never travels on as inf
// or NaN. A non-finite result of a finite-operand operation can only be an overflow.

[[noreturn]] void fault(FaultKind kind)
{
    throw ArithmeticFault(kind);
}

inline double finite(double value)
{
    if (!std::isfinite(value)) [[unlikely]]
        fault(FaultKind::Overflow);
    return value;
}

inline double mul(double a, double b)
{
    return finite(a * b);
}
inline double add(double a, double b)
{
    return finite(a + b);
}
inline double sub(double a, double b)
{
    return finite(a - b);
}

inline double div(double a, double b)
{
    if (b == 0) [[unlikely]]
        fault(a == 0 ? FaultKind::ZeroByZero : FaultKind::DivisionByZero);
    return finite(a / b);
}

inline double ln(double a)
{
    if (!(a > 0)) [[unlikely]]
        fault(FaultKind::LogOfNonPositive);
    return finite(std::log(a));
}

// Ties go to the even neighbour: std::nearbyint honours the default rounding mode,
// round-to-nearest-even, and raises no exception flag.
inline double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

inline double loopInductance(double n, double d, double ringD)
{
    const double t = div(d, 2);
    const double u = mul(t, n);
    const double r = div(u, ringD);
    const double q = div(4, r);
    const double g = ln(q);
    const double nn = mul(n, n);
    const double k = mul(6.283e-07, nn); // µ0/2 as written, not computed from π
    const double m = mul(k, ringD);
    const double s = mul(r, r);
    const double s2 = div(s, 2);
    const double s3 = add(1, s2);
    const double x1 = mul(s3, g);
    const double x2 = sub(x1, 1.75);
    const double w = mul(r, r);
    const double w2 = div(w, 6);
    const double x = add(x2, w2);
    const double y = mul(m, x);
    return mul(y, 1000);
}

} // namespace

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
    const double a = mul(6.28, frequencyKHz); // 2π written as 6.28
    const double b = mul(a, a);
    const double p = mul(b, capacitanceNF);
    const double q = div(1, p);
    const double h = mul(q, 1000000000);
    return roundHalfEven(h);
}

double LoopInductance(double turns, double wireDiameterMM, double ringDiameterMM)
{
    return loopInductance(turns, wireDiameterMM, ringDiameterMM);
}

std::optional<double> SearchRxTurns(double targetMicroHenry, double wireDiameterMM,
                                    double ringDiameterMM, const TurnCallback &onTurn)
{
    double n = 1;
    double value = 0;
    std::optional<double> result;

    // The model rises to one peak and falls afterwards (for rings with both diameters
    // negative it falls to one valley and rises after it). Once it falls after having
    // risen, every later value is lower still, so a target not yet passed is never reached.
    double best = 0;
    double bestTurns = 0;
    bool rising = false;

    while (value <= targetMicroHenry) {
        n = n + 1;
        if (n > kMaxSearchTurns)
            throw UnreachableInductance(best, bestTurns);
        const double previous = value;
        value = loopInductance(n, wireDiameterMM, ringDiameterMM);
        onTurn(n);
        result = n;

        if (bestTurns == 0 || value > best) {
            best = value;
            bestTurns = n;
        }
        if (n > 2) {
            if (value > previous)
                rising = true;
            else if (rising && value <= targetMicroHenry)
                throw UnreachableInductance(best, bestTurns);
        }
    }
    return result;
}

double CrossSectionRx(double wireDiameterMM, double turns)
{
    const double t = div(wireDiameterMM, 2);
    const double a = mul(3.14, t); // π written as 3.14
    const double b = mul(a, t);
    return mul(b, turns);
}

double CrossSectionTx(double wireDiameterMM, double turns)
{
    const double t = div(wireDiameterMM, 2);
    const double s = mul(t, t);
    const double a = mul(3.14, s); // π written as 3.14
    return mul(a, turns);
}

} // namespace engine
