// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The fixed designs of the program's windows as data: one row per control, in the design's
// own units (twips) and colours. Standard library only: the Qt windows (ui::buildForm) and the
// web page's generator are both made from these tables.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace design {

// Layouts are designed in twips; 15 twips make one logical pixel, to the nearest one.
constexpr int twips(int value)
{
    return (value + 7) / 15;
}

enum class DesignFont { MsSansSerif, TimesNewRoman };

// The design's families, each followed by stand-ins with Cyrillic glyphs, best first:
// Liberation Serif shares the metrics of Times New Roman, Liberation Sans comes close to the
// old sans serif.
inline constexpr std::array<std::string_view, 5> kSansFamilies{
    "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"};
inline constexpr std::array<std::string_view, 3> kSerifFamilies{"Times New Roman",
                                                                "Liberation Serif", "DejaVu Serif"};

// Classic system colour indices used by the designs.
enum class SystemColor {
    Desktop = 1,          // COLOR_BACKGROUND
    WindowBackground = 5, // COLOR_WINDOW
    WindowText = 8,       // COLOR_WINDOWTEXT
    ButtonText = 18,      // COLOR_BTNTEXT
};

// The system colours where the system has none to give (everywhere but Windows), whatever the
// desktop theme: black desktop and texts, white window background. 0xRRGGBB.
constexpr std::uint32_t fixedRgb(SystemColor which)
{
    return which == SystemColor::WindowBackground ? 0xffffffu : 0x000000u;
}

// A colour of a design: unset (the toolkit's own), an RGB colour, or one of the system colours,
// resolved by each view on its system. Every set colour is named by its role (what it paints),
// which is also its name in the web page's style sheets: one role, one colour.
struct DesignColor {
    enum class Kind { Unset, Rgb, System };
    Kind kind = Kind::Unset;
    std::uint32_t rgb = 0; // 0xAARRGGBB, opaque unless made translucent
    SystemColor system = SystemColor::Desktop;
    std::string_view role{};

    constexpr bool isSet() const { return kind != Kind::Unset; }
};

constexpr DesignColor rgb(std::string_view role, int red, int green, int blue, int alpha = 255)
{
    return {DesignColor::Kind::Rgb,
            std::uint32_t(alpha & 0xff) << 24 | std::uint32_t(red & 0xff) << 16 |
                std::uint32_t(green & 0xff) << 8 | std::uint32_t(blue & 0xff),
            SystemColor::Desktop, role};
}

inline constexpr DesignColor kDesktopColor{DesignColor::Kind::System, 0, SystemColor::Desktop,
                                           "system-desktop"};
inline constexpr DesignColor kWindowBackgroundColor{
    DesignColor::Kind::System, 0, SystemColor::WindowBackground, "system-window-background"};
inline constexpr DesignColor kWindowTextColor{DesignColor::Kind::System, 0, SystemColor::WindowText,
                                              "system-window-text"};
inline constexpr DesignColor kButtonTextColor{DesignColor::Kind::System, 0, SystemColor::ButtonText,
                                              "system-button-text"};

enum class ControlKind {
    Button,  // push button with a coloured face; Enter presses it while it has the focus
    Field,   // single-line text field without a length limit
    TextBox, // multi-line text box whose lines end with CR LF
    Label,   // caption, left-aligned and wrapped at blanks inside its box
    Line,    // a horizontal or vertical line one logical pixel wide, both ends included
    Picture, // a bitmap at its own size from the top-left corner, clipped by the box
};

struct FontDesign {
    DesignFont family = DesignFont::TimesNewRoman;
    double points = 12;
    bool bold = false;
};

// A place in twips from the client area's top-left corner.
struct TwipsBox {
    int left = 0, top = 0, width = 0, height = 0;
};

// One control of a design. Colours left unset keep the toolkit's own, which follow the desktop
// theme: a design that fixes a face gives the text on it a colour too.
struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string_view name{};
    int index = -1;          // element of a control array; -1 for a single control
    TwipsBox place{};        // a line runs from (left, top) to (left + width, top + height)
    std::string_view text{}; // caption, text or default text
    // Button face, field or text box background; for labels the colour they paint when opaque.
    DesignColor background{};
    DesignColor foreground{}; // text colour; for lines the line's colour
    FontDesign font{};
    int tabIndex = -1; // place in the focus order from 0; -1: reached by a click, not by Tab
    std::string_view toolTip{};
    // Fields: the accessible name, what the field holds; pictures: what the picture shows.
    std::string_view description{};
    bool opaque = false;     // labels: paint the background instead of letting it through
    bool scrollBars = false; // text boxes: a vertical scroll bar when the text overflows
    int textMargin = 2;      // text boxes: pixels between the frame and the text
};

struct FormDesign {
    std::string_view name{};
    std::string_view caption{};
    int clientWidth = 0, clientHeight = 0; // twips
    DesignColor background{};
    std::span<const ControlDesign> controls{}; // made in this order, each above the ones before
    // Where the client area first opens, in twips from the client origin of the window that
    // opens it; unused for a window that nothing opens.
    int left = 0, top = 0;
};

} // namespace design
