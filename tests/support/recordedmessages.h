// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Message boxes for tests and benchmarks: every box the commands are asked to show is kept,
// in order, and returns at once.

#include "calculator/messages.h"

#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class RecordedMessages : public calculator::MessageBoxes {
  public:
    void show(std::string_view title, std::string_view prompt, calculator::BoxStyle style) override
    {
        shown.push_back({std::string(title), std::string(prompt), style});
    }
    std::vector<calculator::Message> shown;
};

} // namespace testing_support
