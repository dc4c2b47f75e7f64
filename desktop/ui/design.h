// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What every window of the program shares: design units (twips) turned into logical pixels,
// the two design fonts with their substitutes, the system colours, and the application-wide
// set-up done once at start.

#include "design/schema.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

#include <string_view>

class QApplication;

namespace ui {

// The design schema's names, which every window's code uses as the toolkit's own.
using design::DesignColor;
using design::DesignFont;
using design::kButtonTextColor;
using design::kDesktopColor;
using design::kWindowBackgroundColor;
using design::kWindowTextColor;
using design::rgb;
using design::SystemColor;
using design::twips;

// Layouts are designed in twips; 15 twips make one logical pixel. Qt scales logical pixels
// by the display's scale factor, so the fixed layout grows with it.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

// The design's font at the given point size: "MS Sans Serif" or "Times New Roman" where
// installed as a scalable font with Cyrillic letters, otherwise the first installed stand-in
// that is.
QFont designFont(DesignFont family, qreal points, bool bold = false);

// The real system colour on Windows, which keeps its classic value under a dark mode too;
// elsewhere that classic value, whatever the desktop theme: black for the desktop (as current
// Windows has it) and for both text colours, white for the window background. The designs
// draw these beside colours of their own, which no theme changes.
QColor systemColor(SystemColor which);

// A design colour as this system shows it; unset gives black.
QColor color(const DesignColor &color);

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
