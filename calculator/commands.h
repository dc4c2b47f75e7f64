#pragma once

// The calculator's three operations, as plain logic over field texts and message boxes:
// the Calculate command and the two advisory wire-diameter checks.

#include "fields.h"
#include "messages.h"

#include <string_view>

namespace calculator {

// Warning texts shown by the operations, exactly as the user sees them.
namespace text {
inline constexpr std::string_view kTurnCountTitle = "Ошибка. Неправильное значение витков RX";
inline constexpr std::string_view kTurnCountPrompt =
    "Подберите диаметр провода  или конденсатор для RX !!! ";
inline constexpr std::string_view kWireTitle = "Ошибка";
inline constexpr std::string_view kRxWirePrompt =
    "Возьмите провод меньшим диаметром для RX! <= 0.2 мм ";
inline constexpr std::string_view kTxWirePrompt =
    "Возьмите другой провод для TX!!!  В пределах 0.35 - 0.45 ";
inline constexpr std::string_view kFaultTitle = "Ошибка расчета";
} // namespace text

// Inclusive range of RX turn counts the coil design allows.
inline constexpr double kMinRxTurns = 175;
inline constexpr double kMaxRxTurns = 250;

// Calculate: computes the RX inductance, searches the RX turn count (writing every count
// it tries into the turn field), both cross-sections and the TX inductance, then warns when
// the turn count lies outside kMinRxTurns..kMaxRxTurns. An arithmetic fault stops it at the
// failing step, keeps what earlier steps wrote and shows a box naming the inputs to check.
// decimalSeparator is the one of the user's regional settings.
void calculate(FieldTexts &fields, MessageBoxes &boxes, std::string_view decimalSeparator);

// Warns when the RX wire is thicker than 0.2 mm. Runs on every edit of its field.
void checkRxWire(const FieldTexts &fields, MessageBoxes &boxes);

// Warns when the TX wire lies outside 0.35 ... 0.45 mm. Runs when the user leaves its field.
void checkTxWire(const FieldTexts &fields, MessageBoxes &boxes);

} // namespace calculator
