// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves the Author picture as a PNG file, for the web page, which shows the very bitmap the
// Author window paints:
//   ddv_save_author_picture OUT.png

#include "authorpicture.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The highest compression; PNG keeps every pixel.
    return info::authorPicture().save(QString::fromLocal8Bit(argv[1]), "PNG", 0) ? 0 : 1;
}
