// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The calculator's three operations, as plain logic over field texts and message boxes:
// the Calculate command and the two advisory wire-diameter checks. Each shows its boxes itself
// and reports how it ended as data, so that callers and tests need not read the boxes' prose.

#include "fields.h"
#include "limits.h"
#include "messages.h"

#include "engine/coil.h"

#include <cstddef>
#include <string_view>
#include <variant>

namespace calculator {

// Warning texts shown by the operations, exactly as the user sees them.
namespace text {
inline constexpr std::string_view kTurnCountTitle = "Ошибка. Неправильное значение витков RX";
inline constexpr std::string_view kTurnCountPrompt =
    "Подберите диаметр провода  или конденсатор для RX !!! ";
inline constexpr std::string_view kWireTitle = "Ошибка";
inline constexpr auto kRxWirePromptChars =
    detail::joined("Возьмите провод меньшим диаметром для RX! <= ", kMaxRxWireMmText, " мм ");
inline constexpr std::string_view kRxWirePrompt{kRxWirePromptChars.data(),
                                                kRxWirePromptChars.size()};
inline constexpr auto kTxWirePromptChars =
    detail::joined("Возьмите другой провод для TX!!!  В пределах ", kMinTxWireMmText, " - ",
                   kMaxTxWireMmText, " ");
inline constexpr std::string_view kTxWirePrompt{kTxWirePromptChars.data(),
                                                kTxWirePromptChars.size()};
inline constexpr std::string_view kFaultTitle = "Ошибка расчета";
} // namespace text

// The parts of the Calculate command that each produce one result, in their order.
enum class Stage { RxInductance, RxTurns, RxCrossSection, TxCrossSection, TxInductance };

// How a Calculate command ended. Every ending but Completed{false} shows one box.
struct Completed {
    bool turnCountWarning; // the RX turn count lay outside kMinRxTurns..kMaxRxTurns
    bool operator==(const Completed &) const = default;
};
struct ArithmeticFailure { // a step of the stage faulted; its result is not written
    Stage stage;
    engine::FaultKind kind;
    bool operator==(const ArithmeticFailure &) const = default;
};
struct UnreadableInput { // the field holds a number beyond the double range
    Stage stage;
    Field field;
    bool operator==(const UnreadableInput &) const = default;
};
struct UnreachableTarget { // no turn count reaches the RX inductance
    double targetMicroHenry;
    double peakMicroHenry; // the largest model inductance the search saw ...
    double peakTurns;      // ... at this turn count
    bool operator==(const UnreachableTarget &) const = default;
};
using Outcome = std::variant<Completed, ArithmeticFailure, UnreadableInput, UnreachableTarget>;

// Calculate: computes the RX inductance, searches the RX turn count (writing every count
// it tries into the turn field), both cross-sections and the TX inductance, then warns when
// the turn count lies outside kMinRxTurns..kMaxRxTurns. A fault stops it at the failing step,
// keeps what earlier steps wrote and shows a box naming the inputs to check.
// decimalSeparator is the one of the user's regional settings.
Outcome calculate(FieldTexts &fields, MessageBoxes &boxes, std::string_view decimalSeparator);

// What a wire check found; every verdict but Within shows one box.
enum class WireVerdict { Within, Outside, Unreadable };

// Warns when the RX wire is thicker than kMaxRxWireMm. Runs on every edit of its field.
WireVerdict checkRxWire(const FieldTexts &fields, MessageBoxes &boxes);

// Warns when the TX wire lies outside kMinTxWireMm..kMaxTxWireMm. Runs when the user leaves its
// field.
WireVerdict checkTxWire(const FieldTexts &fields, MessageBoxes &boxes);

} // namespace calculator
