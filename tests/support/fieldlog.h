// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Field texts for tests and benchmarks, held in memory: MemoryFields remembers which fields a
// command wrote, in order, and how often; CheckedFields also vets every write the moment it
// happens: only result fields may be written, each text must be a plain finite number that
// reads back, and the RX turn field must receive the counts 2, 3, 4, ... in order. Neither
// keeps every text written, so that a search of a hundred thousand passes stays cheap.

#include "calculator/fields.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

using FieldTextArray = std::array<std::string, calculator::kFieldCount>;

// The texts every field shows at start-up.
FieldTextArray defaultTexts();

// The texts with one of them replaced.
FieldTextArray with(FieldTextArray texts, calculator::Field field, std::string text);

class MemoryFields : public calculator::FieldTexts {
  public:
    explicit MemoryFields(FieldTextArray texts = defaultTexts());

    std::string text(calculator::Field field) const override;
    void setText(calculator::Field field, std::string_view text) override;

    // The fields written, a field written several times in a row counted once.
    const std::vector<calculator::Field> &writeOrder() const { return order_; }
    // How many times the field was written.
    long long writes(calculator::Field field) const;

  protected:
    // Called after each write has been stored and counted.
    virtual void written(calculator::Field, std::string_view) {}

  private:
    FieldTextArray texts_;
    std::vector<calculator::Field> order_;
    std::array<long long, calculator::kFieldCount> writes_{};
};

class CheckedFields : public MemoryFields {
  public:
    explicit CheckedFields(FieldTextArray texts = defaultTexts(),
                           std::string_view decimalSeparator = ".");

    // Every write that broke a rule, described.
    const std::vector<std::string> &problems() const { return problems_; }

  protected:
    void written(calculator::Field field, std::string_view text) override;

  private:
    void complain(calculator::Field field, std::string_view text, std::string_view why);

    std::string separator_;
    std::vector<std::string> problems_;
};

// Describes a field by its control name, for messages.
std::string nameOf(calculator::Field field);

// A text shortened for a message, with control characters and bytes beyond ASCII escaped.
std::string printable(std::string_view text);

// Problems one to a line, for a test's failure message.
std::string joined(const std::vector<std::string> &problems);

} // namespace testing_support
