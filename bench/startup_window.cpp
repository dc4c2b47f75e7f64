// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's own start-up, ended right after the main window's first paint.

#include "firstpaint.h"

#include "mainwindow/mainwindow.h"
#include "ui/design.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ui::setUpApplication(app);
    mainwindow::MainWindow window;
    new QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
