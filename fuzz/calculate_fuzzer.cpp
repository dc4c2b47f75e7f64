// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Any field texts, one a line (see hostile::parseCalculateInput): the Calculate command must
// end, write only finite numbers that read back, stop at the failing step and report how it
// ended truthfully, and both wire checks must judge their field as the reference reader does
// (see hostile::checkCalculateInput). A run that does not end is recorded as a timeout.

#include "tests/hostile/invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return hostile::fuzzInput(data, size, hostile::checkCalculateInput);
}
