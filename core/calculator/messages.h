// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where the calculator's commands show their modal message boxes. The main window shows
// real boxes; tests and benchmarks record them.

#include <string>
#include <string_view>

namespace calculator {

// Message-box style values: icon plus buttons, as the classic message-box call takes them.
enum class BoxStyle : int {
    CriticalOk = 16,    // stop icon, one OK button
    ExclamationOk = 48, // exclamation icon, one OK button
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows a modal box and returns once the user has dismissed it.
    virtual void show(std::string_view title, std::string_view prompt, BoxStyle style) = 0;
};

// What one box shows.
struct Message {
    std::string title;
    std::string prompt;
    BoxStyle style;
    bool operator==(const Message &) const = default;
};

} // namespace calculator
