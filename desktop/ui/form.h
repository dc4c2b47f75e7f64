// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The builder that turns a window's fixed design (design/schema.h) into widgets. Every window
// of the program is described and built this way.

#include "design.h"

#include <QWidget>

#include <span>
#include <string_view>

class QImage;

namespace ui {

// The design schema's names, which every window's code uses as the toolkit's own.
using design::ControlDesign;
using design::ControlKind;
using design::FontDesign;
using design::FormDesign;
using design::TwipsBox;

// Gives the window the design's name, caption, fixed client size and background, makes its
// controls, links the tab stops in their order and puts the focus on the first of them.
// A picture control shows nothing until its window gives it its bitmap (showPicture).
void buildForm(QWidget &window, const FormDesign &design);

// The control of a built design with that name and element index (-1 for a single control),
// or nullptr.
QWidget *findControl(const QWidget &window, std::string_view name, int element = -1);

template <typename Control>
Control *control(const QWidget &window, std::string_view name, int element = -1)
{
    return qobject_cast<Control *>(findControl(window, name, element));
}

// Shows image in the picture control of that name, at its own size from the top-left corner,
// clipped by the control.
void showPicture(const QWidget &window, std::string_view name, const QImage &image);

// The client area of a window of the given size opened at offset (logical pixels) from the
// client origin of opener, moved the least needed to lie inside available together with its
// frame. frame is the opener's own, taken for the new window's as the window system draws
// both alike.
QRect placeBeside(const QRect &opener, const QMargins &frame, QPoint offset, QSize client,
                  const QRect &available);

} // namespace ui
