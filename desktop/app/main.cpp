// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/mainwindow.h"
#include "ui/design.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ui::setUpApplication(app);
    mainwindow::MainWindow window;
    window.show();
    return QApplication::exec();
}
