#pragma once

// What must hold for any text a user can type or paste, as checks that return the list of
// what went wrong (empty when all is well). The fuzz targets, the hostile-input tests and
// the replay of the fuzz corpora share them. The reference side relies on the C library's
// "C" locale, which a process has until it calls setlocale: none of their callers does.

#include "watchedfields.h"

#include <string>
#include <string_view>
#include <vector>

namespace hostile {

using Problems = std::vector<std::string>;

// readNumber agrees with the reference reader to the last bit, sign of zero included, and
// fails only with an overflow, exactly where the reference finds the number out of range.
Problems checkReadNumber(std::string_view text);

// showNumber writes the value rounded to 15 significant digits exactly as printf's "%.14e"
// rounds it, in positional form from 1E-04 up to below 1E+15 and with an exponent outside,
// without trailing zeros, with either separator; and it refuses (overflow) exactly the
// values whose rounding lies beyond the double range, so that every text it writes reads
// back.
Problems checkShowNumber(double value);

// Runs the Calculate command once on the given texts and checks that every written text is a
// finite number that reads back, that the fields were written in the command's order and,
// after a fault, only up to the failing step, and that the one box shown, if any, is the
// turn-count warning or a fault box naming the inputs that caused the fault.
Problems checkCalculate(const FieldTextArray &texts, std::string_view decimalSeparator);

// Runs both wire-diameter checks on the given texts: each shows its warning exactly when the
// reference reading lies outside its limits, and a fault box naming its field exactly when
// the text lies beyond the double range.
Problems checkWireChecks(const FieldTextArray &texts);

// Everything a fuzz or corpus input for the number conversions must pass: the bytes as a
// text for readNumber, what it reads for showNumber, and the first eight bytes taken as a
// double for showNumber, which reaches magnitudes and subnormals that a typed text would lead
// a fuzzer to only slowly.
Problems checkNumberInput(std::string_view bytes);

// Everything a fuzz or corpus input for the Calculate command must pass: the command and both
// wire checks on the field texts that parseCalculateInput makes of the bytes.
Problems checkCalculateInput(std::string_view bytes);

// A fuzz or corpus input for the Calculate command: the field texts one a line in the order
// Text1 ... Text14 (fields without a line keep their default text), and a fifteenth line
// holding "," to have results shown with a decimal comma instead of a point.
struct CalculateInput {
    FieldTextArray texts;
    std::string decimalSeparator;
};
CalculateInput parseCalculateInput(std::string_view bytes);

} // namespace hostile
