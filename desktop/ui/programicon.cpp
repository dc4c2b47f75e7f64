// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design.h"

namespace ui {

// The PNG images are made from the icon's drawing by desktop/app/icons/generate.py and compiled in.
// A window hands every size of its icon to the window system at start, decoded, so the
// large sizes, which only the desktop menu uses, are left to the installed theme icons.
QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/%1x%1/ddvelmor.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace ui
