// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The fixed designs of the program's windows as data: one row per control, in the design's
// own units (twips) and colours, and one builder that turns a design into widgets. Every
// window of the program is described and built this way.

#include "design.h"

#include <QImage>
#include <QWidget>

#include <span>
#include <string_view>

namespace ui {

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
    qreal points = 12;
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
    std::string_view description{}; // fields: the accessible name, what the field holds
    bool opaque = false;            // labels: paint the background instead of letting it through
    bool scrollBars = false;        // text boxes: a vertical scroll bar when the text overflows
    int textMargin = 2;             // text boxes: pixels between the frame and the text
    QImage (*picture)() = nullptr;  // pictures: makes the bitmap shown
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

// Gives the window the design's name, caption, fixed client size and background, makes its
// controls, links the tab stops in their order and puts the focus on the first of them.
void buildForm(QWidget &window, const FormDesign &design);

// The control of a built design with that name and element index (-1 for a single control),
// or nullptr.
QWidget *findControl(const QWidget &window, std::string_view name, int element = -1);

template <typename Control>
Control *control(const QWidget &window, std::string_view name, int element = -1)
{
    return qobject_cast<Control *>(findControl(window, name, element));
}

// The client area of a window of the given size opened at offset (logical pixels) from the
// client origin of opener, moved the least needed to lie inside available together with its
// frame. frame is the opener's own, taken for the new window's as the window system draws
// both alike.
QRect placeBeside(const QRect &opener, const QMargins &frame, QPoint offset, QSize client,
                  const QRect &available);

} // namespace ui
