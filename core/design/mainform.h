// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The fixed design of the main window, Form1, as data: every button, field, label and line
// with its place in twips, its text and colours. The Qt window and the web page are built
// from this table.

#include "schema.h"

#include "calculator/fields.h"

#include <array>
#include <span>
#include <string_view>

namespace design::mainform {

using calculator::Field;
using calculator::FieldInfo;
using calculator::info;

inline constexpr FontDesign kButtonFont{DesignFont::TimesNewRoman, 12};
inline constexpr FontDesign kFieldFont{DesignFont::MsSansSerif, 18};
inline constexpr FontDesign kLabelFont{DesignFont::MsSansSerif, 12};
inline constexpr FontDesign kBlockLetterFont{DesignFont::MsSansSerif, 48};

inline constexpr DesignColor kInputGreen = rgb("input-face", 128, 255, 128);
inline constexpr DesignColor kAdjustOrange = rgb("adjust-face", 255, 192, 128);
inline constexpr DesignColor kSectionYellow = rgb("cross-section-face", 255, 255, 0);
inline constexpr DesignColor kLabelYellow = rgb("label-text", 255, 255, 128);
inline constexpr DesignColor kHeadingRed = rgb("heading-text", 255, 0, 0);
inline constexpr DesignColor kRxBlue = rgb("rx-letter-text", 0, 0, 255);

// Command buttons: one row along the top edge, in the system's button text colour.
constexpr ControlDesign button(std::string_view name, int left, std::string_view caption,
                               DesignColor face, int tabPosition)
{
    return {.kind = ControlKind::Button,
            .name = name,
            .place = {left, 120, 1695, 495},
            .text = caption,
            .background = face,
            .foreground = kButtonTextColor,
            .font = kButtonFont,
            .tabIndex = tabPosition - 1};
}

// Text fields: all the same size, in the system's window text colour, showing the field's
// default text and described by its row label.
constexpr ControlDesign field(Field which, int left, int top, DesignColor background,
                              int tabPosition, std::string_view toolTip = {})
{
    const FieldInfo &f = info(which);
    return {.kind = ControlKind::Field,
            .name = f.controlName,
            .index = f.index,
            .place = {left, top, 1695, 555},
            .text = f.defaultText,
            .background = background,
            .foreground = kWindowTextColor,
            .font = kFieldFont,
            .tabIndex = tabPosition - 1,
            .toolTip = toolTip,
            .description = f.label};
}

// Labels: elements of the control array Label1, opaque on the desktop colour.
constexpr ControlDesign label(int index, TwipsBox place, std::string_view text, DesignColor color,
                              FontDesign font = kLabelFont)
{
    return {.kind = ControlKind::Label,
            .name = "Label1",
            .index = index,
            .place = place,
            .text = text,
            .background = kDesktopColor,
            .foreground = color,
            .font = font,
            .opaque = true};
}

// Frame and divider lines in the window-background system colour. index is -1 for the single
// controls and the element index for the Line2 array.
constexpr ControlDesign line(std::string_view name, int index, int x1, int y1, int x2, int y2)
{
    return {.kind = ControlKind::Line,
            .name = name,
            .index = index,
            .place = {x1, y1, x2 - x1, y2 - y1},
            .foreground = kWindowBackgroundColor};
}

constexpr std::string_view rowLabel(Field f)
{
    return info(f).label;
}
constexpr std::string_view unitLabel(Field f)
{
    return info(f).unit;
}

inline constexpr std::array kControls{
    button("Command1", 120, "Расчет", rgb("calculate-face", 0, 255, 0), 4),
    button("Command2", 1800, "О программе", rgb("about-face", 255, 255, 0), 5),
    button("Command3", 3480, "Автор", rgb("author-face", 255, 0, 0), 6),

    field(Field::RxFrequency, 3600, 2640, kInputGreen, 1),
    field(Field::RingDiameter, 3600, 3240, kInputGreen, 2, "Диаметр кольца одной половинки DD"),
    field(Field::RxCapacitance, 3600, 4560, kAdjustOrange, 7),
    field(Field::RxWireDiameter, 3600, 5160, kAdjustOrange, 3),
    field(Field::RxInductance, 3600, 6720, kInputGreen, 10),
    field(Field::RxTurns, 3600, 7320, kInputGreen, 9),
    field(Field::RxCrossSection, 3600, 7920, kSectionYellow, 8),
    field(Field::TxFrequency, 9840, 2640, kInputGreen, 17,
          "Должна быть больше частоты RX на 1,5 - 1,8  кГц"),
    field(Field::TxRingDiameter, 9840, 3240, kInputGreen, 16),
    field(Field::TxTurns, 9840, 4560, kAdjustOrange, 12),
    field(Field::TxWireDiameter, 9840, 5160, kAdjustOrange, 15),
    field(Field::TxCapacitance, 9840, 5760, kAdjustOrange, 14),
    field(Field::TxInductance, 9840, 7320, kInputGreen, 11),
    field(Field::TxCrossSection, 9840, 7920, kSectionYellow, 13),

    // Block letters between the buttons and the blocks.
    label(12, {480, 840, 1575, 1095}, "RX", kRxBlue, kBlockLetterFont),
    label(27, {10800, 840, 1575, 1095}, "TX", kHeadingRed, kBlockLetterFont),
    // Section headings.
    label(11, {480, 2160, 2895, 615}, "Вводим параметры", kHeadingRed),
    label(13, {480, 4080, 2895, 615}, "Подбираем параметры", kHeadingRed),
    label(14, {480, 6120, 2895, 615}, "Конечный результат", kHeadingRed),
    label(26, {6720, 2160, 2895, 615}, "Вводим параметры", kHeadingRed),
    label(28, {6720, 4080, 2895, 615}, "Подбираем параметры", kHeadingRed),
    label(29, {6720, 6600, 2895, 615}, "Конечный результат", kHeadingRed),
    // RX rows and units.
    label(0, {480, 2760, 2895, 615}, rowLabel(Field::RxFrequency), kLabelYellow),
    label(1, {5400, 2760, 495, 495}, unitLabel(Field::RxFrequency), kLabelYellow),
    label(2, {480, 3360, 3015, 615}, rowLabel(Field::RingDiameter), kLabelYellow),
    label(3, {5400, 3360, 495, 495}, unitLabel(Field::RingDiameter), kLabelYellow),
    label(6, {480, 4680, 2655, 615}, rowLabel(Field::RxCapacitance), kLabelYellow),
    label(7, {5400, 4680, 495, 495}, unitLabel(Field::RxCapacitance), kLabelYellow),
    label(4, {480, 5280, 3015, 615}, rowLabel(Field::RxWireDiameter), kLabelYellow),
    label(5, {5400, 5280, 495, 495}, unitLabel(Field::RxWireDiameter), kLabelYellow),
    label(8, {480, 6840, 2295, 615}, rowLabel(Field::RxInductance), kLabelYellow),
    label(30, {5400, 6840, 735, 375}, unitLabel(Field::RxInductance), kLabelYellow),
    label(9, {480, 7320, 2655, 735}, rowLabel(Field::RxTurns), kLabelYellow),
    label(10, {480, 8040, 1815, 615}, rowLabel(Field::RxCrossSection), kLabelYellow),
    label(31, {5400, 8040, 735, 375}, unitLabel(Field::RxCrossSection), kLabelYellow),
    // TX rows and units.
    label(25, {6720, 2760, 2895, 615}, rowLabel(Field::TxFrequency), kLabelYellow),
    label(24, {11640, 2760, 495, 495}, unitLabel(Field::TxFrequency), kLabelYellow),
    label(23, {6720, 3360, 3015, 615}, rowLabel(Field::TxRingDiameter), kLabelYellow),
    label(22, {11640, 3360, 495, 495}, unitLabel(Field::TxRingDiameter), kLabelYellow),
    label(16, {6720, 4680, 2295, 615}, rowLabel(Field::TxTurns), kLabelYellow),
    label(21, {6720, 5280, 3015, 615}, rowLabel(Field::TxWireDiameter), kLabelYellow),
    label(20, {11640, 5280, 495, 495}, unitLabel(Field::TxWireDiameter), kLabelYellow),
    label(19, {6720, 5880, 2655, 495}, rowLabel(Field::TxCapacitance), kLabelYellow),
    label(18, {11640, 5880, 495, 375}, unitLabel(Field::TxCapacitance), kLabelYellow),
    label(17, {6720, 7440, 2295, 615}, rowLabel(Field::TxInductance), kLabelYellow),
    label(32, {11640, 7440, 735, 375}, unitLabel(Field::TxInductance), kLabelYellow),
    label(15, {6720, 8040, 1815, 615}, rowLabel(Field::TxCrossSection), kLabelYellow),
    label(33, {11640, 8040, 735, 375}, unitLabel(Field::TxCrossSection), kLabelYellow),

    line("Line1", -1, 240, 2040, 6240, 2040),
    line("Line3", -1, 240, 2040, 240, 8640),
    line("Line4", -1, 240, 8640, 6240, 8640),
    line("Line5", -1, 6240, 2040, 6240, 8640),
    line("Line2", 0, 240, 3960, 6240, 3960),
    line("Line2", 1, 240, 6000, 6240, 6000),
    line("Line6", -1, 6480, 2040, 12480, 2040),
    line("Line7", -1, 6480, 2040, 6480, 8640),
    line("Line8", -1, 6480, 8640, 12480, 8640),
    line("Line9", -1, 12480, 2040, 12480, 8640),
    line("Line2", 2, 6480, 3960, 12480, 3960),
    line("Line2", 3, 6480, 6480, 12480, 6480),
};

// How the window's controls group: two framed blocks, each under its letter, cut into sections
// under their headings; a section's rows each put a field beside the label that names it and
// the label of its unit. Controls are named by element: Label1 for the labels. The desktop window
// has no use for the grouping; the web page lays out and reads the window by it.
struct RowDesign {
    Field field;
    int label;     // the row label beside the field
    int unit = -1; // its unit label; -1 where the row has none
};
struct SectionDesign {
    int heading;
    std::span<const RowDesign> rows;
};
struct BlockDesign {
    int letter;
    std::span<const SectionDesign> sections;
};

inline constexpr std::array kRxInputRows{RowDesign{Field::RxFrequency, 0, 1},
                                         RowDesign{Field::RingDiameter, 2, 3}};
inline constexpr std::array kRxAdjustRows{RowDesign{Field::RxCapacitance, 6, 7},
                                          RowDesign{Field::RxWireDiameter, 4, 5}};
inline constexpr std::array kRxResultRows{RowDesign{Field::RxInductance, 8, 30},
                                          RowDesign{Field::RxTurns, 9},
                                          RowDesign{Field::RxCrossSection, 10, 31}};
inline constexpr std::array kTxInputRows{RowDesign{Field::TxFrequency, 25, 24},
                                         RowDesign{Field::TxRingDiameter, 23, 22}};
inline constexpr std::array kTxAdjustRows{RowDesign{Field::TxTurns, 16},
                                          RowDesign{Field::TxWireDiameter, 21, 20},
                                          RowDesign{Field::TxCapacitance, 19, 18}};
inline constexpr std::array kTxResultRows{RowDesign{Field::TxInductance, 17, 32},
                                          RowDesign{Field::TxCrossSection, 15, 33}};
inline constexpr std::array kRxSections{SectionDesign{11, kRxInputRows},
                                        SectionDesign{13, kRxAdjustRows},
                                        SectionDesign{14, kRxResultRows}};
inline constexpr std::array kTxSections{SectionDesign{26, kTxInputRows},
                                        SectionDesign{28, kTxAdjustRows},
                                        SectionDesign{29, kTxResultRows}};
inline constexpr std::array kBlocks{BlockDesign{12, kRxSections}, BlockDesign{27, kTxSections}};

inline constexpr FormDesign kForm{
    .name = "Form1",
    .caption = "DD for Velmor ARM / AVR    by_Tamrel   v.1.0",
    .clientWidth = 12720,
    .clientHeight = 8910,
    .background = rgb("main-background", 0, 0, 0),
    .controls = kControls,
};

} // namespace design::mainform
