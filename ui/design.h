// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What every window of the program shares: design units (twips) turned into logical pixels,
// the two design fonts with their substitutes, the system colours, and the application-wide
// set-up done once at start.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

#include <string_view>

class QApplication;

namespace ui {

// Layouts are designed in twips; 15 twips make one logical pixel. Qt scales logical pixels
// by the display's scale factor, so the fixed layout grows with it.
constexpr int twips(int value)
{
    return (value + 7) / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

enum class DesignFont { MsSansSerif, TimesNewRoman };

// The design's font at the given point size: "MS Sans Serif" or "Times New Roman" where
// installed as a scalable font with Cyrillic letters, otherwise the first installed stand-in
// that is.
QFont designFont(DesignFont family, qreal points, bool bold = false);

// Classic system colour indices used by the designs.
enum class SystemColor {
    Desktop = 1,          // COLOR_BACKGROUND
    WindowBackground = 5, // COLOR_WINDOW
    WindowText = 8,       // COLOR_WINDOWTEXT
    ButtonText = 18,      // COLOR_BTNTEXT
};

// The real system colour on Windows, which keeps its classic value under a dark mode too;
// elsewhere that classic value, whatever the desktop theme: black for the desktop (as current
// Windows has it) and for both text colours, white for the window background. The designs
// draw these beside colours of their own, which no theme changes.
QColor systemColor(SystemColor which);

// A colour of a design: unset (the toolkit's own), an RGB triple, or one of the system
// colours, resolved on this system when a window is built.
struct DesignColor {
    enum class Kind { Unset, Rgb, System };
    Kind kind = Kind::Unset;
    QRgb rgb = 0;
    SystemColor system = SystemColor::Desktop;

    bool isSet() const { return kind != Kind::Unset; }
    QColor color() const
    {
        return kind == Kind::System ? systemColor(system) : QColor::fromRgb(rgb);
    }
};

constexpr DesignColor rgb(int red, int green, int blue)
{
    return {DesignColor::Kind::Rgb, qRgb(red, green, blue), SystemColor::Desktop};
}

inline constexpr DesignColor kDesktopColor{DesignColor::Kind::System, 0, SystemColor::Desktop};
inline constexpr DesignColor kWindowBackgroundColor{DesignColor::Kind::System, 0,
                                                    SystemColor::WindowBackground};
inline constexpr DesignColor kWindowTextColor{DesignColor::Kind::System, 0,
                                              SystemColor::WindowText};
inline constexpr DesignColor kButtonTextColor{DesignColor::Kind::System, 0,
                                              SystemColor::ButtonText};

// UTF-8 text of the designs and the calculator as a QString.
inline QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Application name, version, widget style and the Russian texts of the toolkit. Call once,
// before any window is created.
void setUpApplication(QApplication &app);

// The program's icon in all its sizes, from the compiled-in resources.
QIcon programIcon();

} // namespace ui
