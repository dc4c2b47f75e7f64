// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The fourteen text fields of the calculator: which quantity each one holds, its control
// name and element index, the label beside it, its default text and whether the user or the
// program fills it. The command, the window and the tests all take the fields from here.

#include "limits.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace calculator {

// In the order of the control names Text1 ... Text14.
enum class Field {
    RxFrequency,    // kHz
    RingDiameter,   // mm, inner diameter of the ring of one DD half
    RxCapacitance,  // nF
    RxWireDiameter, // mm
    RxInductance,   // µH, written
    RxTurns,        // written on every search pass and read back
    RxCrossSection, // mm², written
    TxFrequency,    // kHz
    TxRingDiameter, // mm, read by nothing
    TxTurns,        //
    TxWireDiameter, // mm
    TxCapacitance,  // nF
    TxInductance,   // µH, written
    TxCrossSection, // mm², written
};

enum class Direction { Input, Output };

struct FieldInfo {
    Field field;
    std::string_view controlName; // name of the control array
    int index;                    // its single element's index
    std::string_view label;       // row label beside the field
    std::string_view unit;        // unit label, empty where the row has none
    std::string_view defaultText;
    Direction direction;
};

inline constexpr std::size_t kFieldCount = 14;

// The RX turn count's label quotes the range the turn count check allows.
inline constexpr auto kRxTurnsLabelChars = detail::joined(
    "Число витков - RX      (в пределах ", kMinRxTurnsText, " - ", kMaxRxTurnsText, "!!)");

inline constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {Field::RxFrequency, "Text1", 0, "Желаемая частота - RX", "кГц", "10", Direction::Input},
    {Field::RingDiameter, "Text2", 0, "Внутренний диаметр - RX", "мм", "190", Direction::Input},
    {Field::RxCapacitance, "Text3", 1, "Емкость контура  - RX", "нФ", "33", Direction::Input},
    {Field::RxWireDiameter, "Text4", 0, "Диаметр проводника - RX", "мм", "0.18", Direction::Input},
    {Field::RxInductance, "Text5", 1, "Индуктивность - RX", "мкГн", "0", Direction::Output},
    {Field::RxTurns,
     "Text6",
     1,
     {kRxTurnsLabelChars.data(), kRxTurnsLabelChars.size()},
     "",
     "0",
     Direction::Output},
    {Field::RxCrossSection, "Text7", 2, "Сечение  - RX", "мм^2", "0", Direction::Output},
    {Field::TxFrequency, "Text8", 3, "Желаемая частота - TX", "кГц", "11.5", Direction::Input},
    {Field::TxRingDiameter, "Text9", 3, "Внутренний диаметр - TX", "мм", "190", Direction::Input},
    {Field::TxTurns, "Text10", 2, "Число витков - TX", "", "40", Direction::Input},
    {Field::TxWireDiameter, "Text11", 5, "Диаметр проводника - TX", "мм", "0.4", Direction::Input},
    {Field::TxCapacitance, "Text12", 4, "Емкость контура  - TX", "нФ", "470", Direction::Input},
    {Field::TxInductance, "Text13", 2, "Индуктивность - TX", "мкГн", "0", Direction::Output},
    {Field::TxCrossSection, "Text14", 3, "Сечение  - TX", "мм^2", "0", Direction::Output},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kFields.size(); ++i)
            if (static_cast<std::size_t>(kFields[i].field) != i)
                return false;
        return true;
    }(),
    "kFields must list the fields in the order of the enumeration");

constexpr const FieldInfo &info(Field field)
{
    return kFields[static_cast<std::size_t>(field)];
}

// Where the commands read and write field texts; the main window implements it with its
// widgets, tests and benchmarks with plain strings.
class FieldTexts {
  public:
    virtual ~FieldTexts() = default;
    virtual std::string text(Field field) const = 0;
    virtual void setText(Field field, std::string_view text) = 0;
};

} // namespace calculator
