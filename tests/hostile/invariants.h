// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What must hold for any text a user can type or paste, as checks that return the list of
// what went wrong (empty when all is well). The fuzz targets, the hostile-input tests and
// the replay of the fuzz corpora share them. The reference side relies on the C library's
// "C" locale, which a process has until it calls setlocale: none of their callers does.

#include "tests/support/fieldlog.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hostile {

using testing_support::FieldTextArray;

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
// after a fault, only up to the failing step, that the ending it reports agrees with the
// texts (a field beyond range is the first such field read; an unreachable inductance lies
// above the peak the search saw), and that it shows one box exactly when it warns or fails.
Problems checkCalculate(const FieldTextArray &texts, std::string_view decimalSeparator);

// Runs both wire-diameter checks on the given texts: each finds its wire outside its limits
// exactly when the reference reading does, unreadable exactly when the text lies beyond the
// double range, and shows one box for either.
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

// The body of a fuzz target: runs the check on the input and, when it finds anything wrong,
// prints what and aborts, which libFuzzer records as a crash together with the input.
int fuzzInput(const std::uint8_t *data, std::size_t size, Problems (*check)(std::string_view));

} // namespace hostile
