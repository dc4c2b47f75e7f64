// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A second, deliberately plain reader of field texts, written apart from the program's own
// so that the two can be compared on any text: it strips the blanks into a new string,
// picks the number's characters out of it one rule at a time and lets the C library's
// strtod convert them. Slow, but each rule is visible on its own line.

#include <optional>
#include <string_view>

namespace testing_support {

// The value a text reads as, or no value when the number lies beyond the double range (or a
// hexadecimal or octal number beyond 32 bits).
std::optional<double> referenceRead(std::string_view text);

} // namespace testing_support
