// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a field text: readNumber must agree with the reference reader to the last
// bit, never read past the text and fail only with an overflow, and what it reads must show
// as a number that reads back (see hostile::checkNumberInput).

#include "tests/hostile/invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return hostile::fuzzInput(data, size, hostile::checkNumberInput);
}
