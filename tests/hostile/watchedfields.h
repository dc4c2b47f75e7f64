#pragma once

// Field texts that vet every write the moment it happens: only result fields may be
// written, each text must be a plain finite number that reads back, and the RX turn field
// must receive the counts 2, 3, 4, ... in order. What a run wrote is kept as the order of the
// fields written, not as every text, so that a search of a hundred thousand passes stays
// cheap.

#include "calculator/fields.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace hostile {

using FieldTextArray = std::array<std::string, calculator::kFieldCount>;

// The texts every field shows at start-up.
FieldTextArray defaultTexts();

class WatchedFields : public calculator::FieldTexts {
  public:
    WatchedFields(FieldTextArray texts, std::string_view decimalSeparator);

    std::string text(calculator::Field field) const override;
    void setText(calculator::Field field, std::string_view text) override;

    // The fields written, a field written several times in a row counted once.
    const std::vector<calculator::Field> &writeOrder() const { return order_; }
    // How many counts the RX turn search handed over.
    long long turnWrites() const { return turnWrites_; }
    // Every write that broke a rule, described.
    const std::vector<std::string> &problems() const { return problems_; }

  private:
    void complain(calculator::Field field, std::string_view text, std::string_view why);

    FieldTextArray texts_;
    std::string separator_;
    std::vector<calculator::Field> order_;
    long long turnWrites_ = 0;
    std::vector<std::string> problems_;
};

// Describes a field by its control name, for messages.
std::string nameOf(calculator::Field field);

// A text shortened for a message, with control characters and bytes beyond ASCII escaped.
std::string printable(std::string_view text);

} // namespace hostile
