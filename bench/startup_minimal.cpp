// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The baseline for start-up: a bare Qt program with an empty window of the main window's
// size, ended right after its first paint.

#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(848, 594);
    new QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
