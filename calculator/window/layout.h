#pragma once

// The fixed design of the main window, as data: every button, field, label and line with
// its place in twips, its text and colours. The window builds itself from these tables and
// the window tests check it against them.

#include "calculator/fields.h"
#include "ui/design.h"

#include <array>
#include <string_view>

namespace calculator::layout {

using Color = ui::DesignColor;
constexpr Color rgb(unsigned value)
{
    return ui::rgbColor(int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF));
}
inline constexpr Color kDesktop = ui::systemColorOf(ui::SystemColor::Desktop);
inline constexpr Color kWindowBackground = ui::systemColorOf(ui::SystemColor::WindowBackground);

inline constexpr std::string_view kCaption = "DD for Velmor ARM / AVR    by_Tamrel   v.1.0";
inline constexpr int kClientWidth = 12720;
inline constexpr int kClientHeight = 8910;
inline constexpr Color kBackground = rgb(0x000000);

inline constexpr int kTabStops = 17;

// Command buttons: one row along the top edge, Times New Roman 12 pt.
inline constexpr int kButtonTop = 120, kButtonWidth = 1695, kButtonHeight = 495;
inline constexpr int kButtonPoints = 12;

struct ButtonDesign {
    std::string_view name;
    int left;
    std::string_view caption;
    Color face;
    int tabPosition; // 1-based place in the focus order
};

inline constexpr std::array<ButtonDesign, 3> kButtons{{
    {"Command1", 120, "Расчет", rgb(0x00FF00), 4},
    {"Command2", 1800, "О программе", rgb(0xFFFF00), 5},
    {"Command3", 3480, "Автор", rgb(0xFF0000), 6},
}};

// Text fields: single line, MS Sans Serif 18 pt, all the same size.
inline constexpr int kFieldWidth = 1695, kFieldHeight = 555;
inline constexpr int kFieldPoints = 18;
inline constexpr Color kInputGreen = rgb(0x80FF80);
inline constexpr Color kAdjustOrange = rgb(0xFFC080);
inline constexpr Color kSectionYellow = rgb(0xFFFF00);

struct FieldDesign {
    Field field;
    int left, top;
    Color background;
    int tabPosition;
    std::string_view toolTip;
};

inline constexpr std::array<FieldDesign, kFieldCount> kFieldDesigns{{
    {Field::RxFrequency, 3600, 2640, kInputGreen, 1, ""},
    {Field::RingDiameter, 3600, 3240, kInputGreen, 2, "Диаметр кольца одной половинки DD"},
    {Field::RxCapacitance, 3600, 4560, kAdjustOrange, 7, ""},
    {Field::RxWireDiameter, 3600, 5160, kAdjustOrange, 3, ""},
    {Field::RxInductance, 3600, 6720, kInputGreen, 10, ""},
    {Field::RxTurns, 3600, 7320, kInputGreen, 9, ""},
    {Field::RxCrossSection, 3600, 7920, kSectionYellow, 8, ""},
    {Field::TxFrequency, 9840, 2640, kInputGreen, 17,
     "Должна быть больше частоты RX на 1,5 - 1,8  кГц"},
    {Field::TxRingDiameter, 9840, 3240, kInputGreen, 16, ""},
    {Field::TxTurns, 9840, 4560, kAdjustOrange, 12, ""},
    {Field::TxWireDiameter, 9840, 5160, kAdjustOrange, 15, ""},
    {Field::TxCapacitance, 9840, 5760, kAdjustOrange, 14, ""},
    {Field::TxInductance, 9840, 7320, kInputGreen, 11, ""},
    {Field::TxCrossSection, 9840, 7920, kSectionYellow, 13, ""},
}};

// Labels: elements of the control array Label1, MS Sans Serif, opaque on the desktop
// colour, left-aligned and wrapped at blanks inside their box.
inline constexpr int kLabelPoints = 12;
inline constexpr int kBlockLetterPoints = 48;
inline constexpr Color kLabelYellow = rgb(0xFFFF80);
inline constexpr Color kHeadingRed = rgb(0xFF0000);
inline constexpr Color kRxBlue = rgb(0x0000FF);

struct LabelDesign {
    int index;
    int left, top, width, height;
    std::string_view text;
    Color textColor;
    int points;
};

constexpr std::string_view rowLabel(Field f)
{
    return info(f).label;
}
constexpr std::string_view unitLabel(Field f)
{
    return info(f).unit;
}

inline constexpr std::array<LabelDesign, 34> kLabels{{
    // Block letters between the buttons and the blocks.
    {12, 480, 840, 1575, 1095, "RX", kRxBlue, kBlockLetterPoints},
    {27, 10800, 840, 1575, 1095, "TX", kHeadingRed, kBlockLetterPoints},
    // Section headings.
    {11, 480, 2160, 2895, 615, "Вводим параметры", kHeadingRed, kLabelPoints},
    {13, 480, 4080, 2895, 615, "Подбираем параметры", kHeadingRed, kLabelPoints},
    {14, 480, 6120, 2895, 615, "Конечный результат", kHeadingRed, kLabelPoints},
    {26, 6720, 2160, 2895, 615, "Вводим параметры", kHeadingRed, kLabelPoints},
    {28, 6720, 4080, 2895, 615, "Подбираем параметры", kHeadingRed, kLabelPoints},
    {29, 6720, 6600, 2895, 615, "Конечный результат", kHeadingRed, kLabelPoints},
    // RX rows and units.
    {0, 480, 2760, 2895, 615, rowLabel(Field::RxFrequency), kLabelYellow, kLabelPoints},
    {1, 5400, 2760, 495, 495, unitLabel(Field::RxFrequency), kLabelYellow, kLabelPoints},
    {2, 480, 3360, 3015, 615, rowLabel(Field::RingDiameter), kLabelYellow, kLabelPoints},
    {3, 5400, 3360, 495, 495, unitLabel(Field::RingDiameter), kLabelYellow, kLabelPoints},
    {6, 480, 4680, 2655, 615, rowLabel(Field::RxCapacitance), kLabelYellow, kLabelPoints},
    {7, 5400, 4680, 495, 495, unitLabel(Field::RxCapacitance), kLabelYellow, kLabelPoints},
    {4, 480, 5280, 3015, 615, rowLabel(Field::RxWireDiameter), kLabelYellow, kLabelPoints},
    {5, 5400, 5280, 495, 495, unitLabel(Field::RxWireDiameter), kLabelYellow, kLabelPoints},
    {8, 480, 6840, 2295, 615, rowLabel(Field::RxInductance), kLabelYellow, kLabelPoints},
    {30, 5400, 6840, 735, 375, unitLabel(Field::RxInductance), kLabelYellow, kLabelPoints},
    {9, 480, 7320, 2655, 735, rowLabel(Field::RxTurns), kLabelYellow, kLabelPoints},
    {10, 480, 8040, 1815, 615, rowLabel(Field::RxCrossSection), kLabelYellow, kLabelPoints},
    {31, 5400, 8040, 735, 375, unitLabel(Field::RxCrossSection), kLabelYellow, kLabelPoints},
    // TX rows and units.
    {25, 6720, 2760, 2895, 615, rowLabel(Field::TxFrequency), kLabelYellow, kLabelPoints},
    {24, 11640, 2760, 495, 495, unitLabel(Field::TxFrequency), kLabelYellow, kLabelPoints},
    {23, 6720, 3360, 3015, 615, rowLabel(Field::TxRingDiameter), kLabelYellow, kLabelPoints},
    {22, 11640, 3360, 495, 495, unitLabel(Field::TxRingDiameter), kLabelYellow, kLabelPoints},
    {16, 6720, 4680, 2295, 615, rowLabel(Field::TxTurns), kLabelYellow, kLabelPoints},
    {21, 6720, 5280, 3015, 615, rowLabel(Field::TxWireDiameter), kLabelYellow, kLabelPoints},
    {20, 11640, 5280, 495, 495, unitLabel(Field::TxWireDiameter), kLabelYellow, kLabelPoints},
    {19, 6720, 5880, 2655, 495, rowLabel(Field::TxCapacitance), kLabelYellow, kLabelPoints},
    {18, 11640, 5880, 495, 375, unitLabel(Field::TxCapacitance), kLabelYellow, kLabelPoints},
    {17, 6720, 7440, 2295, 615, rowLabel(Field::TxInductance), kLabelYellow, kLabelPoints},
    {32, 11640, 7440, 735, 375, unitLabel(Field::TxInductance), kLabelYellow, kLabelPoints},
    {15, 6720, 8040, 1815, 615, rowLabel(Field::TxCrossSection), kLabelYellow, kLabelPoints},
    {33, 11640, 8040, 735, 375, unitLabel(Field::TxCrossSection), kLabelYellow, kLabelPoints},
}};

// Frame and divider lines in the window-background system colour. index is -1 for the
// single controls and the element index for the Line2 array.
struct LineDesign {
    std::string_view name;
    int index;
    int x1, y1, x2, y2;
};

inline constexpr std::array<LineDesign, 12> kLines{{
    {"Line1", -1, 240, 2040, 6240, 2040},
    {"Line3", -1, 240, 2040, 240, 8640},
    {"Line4", -1, 240, 8640, 6240, 8640},
    {"Line5", -1, 6240, 2040, 6240, 8640},
    {"Line2", 0, 240, 3960, 6240, 3960},
    {"Line2", 1, 240, 6000, 6240, 6000},
    {"Line6", -1, 6480, 2040, 12480, 2040},
    {"Line7", -1, 6480, 2040, 6480, 8640},
    {"Line8", -1, 6480, 8640, 12480, 8640},
    {"Line9", -1, 12480, 2040, 12480, 8640},
    {"Line2", 2, 6480, 3960, 12480, 3960},
    {"Line2", 3, 6480, 6480, 12480, 6480},
}};

} // namespace calculator::layout
