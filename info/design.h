#pragma once

// The fixed designs of the information windows as data: one row per control, in the design's
// own units (twips), turned into widgets by InfoWindow. Texts are UTF-16 literals; text boxes
// keep the CR LF line ends of their design.

#include "ui/design.h"

#include <QColor>
#include <QImage>

namespace info {

using ui::DesignColor;
using ui::rgbColor;
using ui::systemColorOf;

// Colours both information windows are drawn in.
inline constexpr DesignColor kDesktop = systemColorOf(ui::SystemColor::Desktop);
inline constexpr DesignColor kLightYellow = rgbColor(255, 255, 192);
inline constexpr DesignColor kYellow = rgbColor(255, 255, 0);
inline constexpr DesignColor kBlack = rgbColor(0, 0, 0);

enum class ControlKind {
    TextBox, // multi-line, editable
    Label,   // transparent, word-wrapped caption
    Button,  // coloured face; the window's default and cancel button
    Picture, // a bitmap at its own size from the top-left corner, clipped by the box
};

struct ControlDesign {
    ControlKind kind;
    const char *name;
    int index;                    // element of a control array; -1 for a single control
    int left, top, width, height; // twips
    const char16_t *text;         // caption or text; unused for pictures
    DesignColor background;       // ignored by labels and pictures
    DesignColor foreground;
    qreal fontPoints;
    bool bold;
    int tabIndex;
    bool tabStop;
    bool scrollBars = false;       // text boxes: a vertical scroll bar when the text overflows
    int textMargin = 2;            // text boxes: pixels between the frame and the text
    QImage (*picture)() = nullptr; // pictures: makes the bitmap shown
};

struct WindowDesign {
    const char *name;
    const char16_t *caption;
    int clientWidth, clientHeight; // twips
    DesignColor background;
    int left, top; // where the client area first opens, twips from the screen's top-left corner
};

} // namespace info
