// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "authorpicture.h"

#include "design/infoforms.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace info {

namespace {

constexpr int kWidth = design::authorform::kPictureWidth;
constexpr int kHeight = design::authorform::kPictureHeight;

// One half of the DD winding: an arc closed by a straight side. The straight sides of the two
// halves overlap in the middle of the coil, which is what makes it a DD coil.
QPainterPath dHalf(const QRectF &ring, bool left)
{
    QPainterPath path;
    const qreal start = left ? 90 : -90;
    path.arcMoveTo(ring, start);
    path.arcTo(ring, start, 180);
    path.closeSubpath();
    return path;
}

} // namespace

QImage authorPicture()
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Ground: dark soil under an evening light.
    QLinearGradient ground(0, 0, 0, kHeight);
    ground.setColorAt(0, QColor(58, 74, 52));
    ground.setColorAt(1, QColor(30, 36, 28));
    painter.fillRect(image.rect(), ground);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) { // pebbles, placed by a fixed rule so the picture never varies
        const int x = (i * 53) % kWidth;
        const int y = (i * 97 + 31) % kHeight;
        painter.setBrush(QColor(90 + (i * 7) % 40, 84 + (i * 5) % 30, 66, 150));
        painter.drawEllipse(QPointF(x, y), 1.5 + (i % 3), 1 + (i % 2));
    }

    // The coil housing, an elongated disc seen from above.
    const QRectF housing(8, 22, 120, 170);
    QRadialGradient shell(housing.center(), 90, housing.center() - QPointF(20, 30));
    shell.setColorAt(0, QColor(70, 70, 76));
    shell.setColorAt(1, QColor(24, 24, 28));
    painter.setBrush(shell);
    painter.setPen(QPen(QColor(120, 120, 128), 3));
    painter.drawEllipse(housing);

    // The two windings, transmit in red copper and receive in bright copper, each shifted
    // towards the other so that their straight sides overlap.
    const qreal overlap = 16;
    const QRectF ring = housing.adjusted(12, 12, -12, -12);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(196, 84, 44), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(dHalf(ring, true).translated(overlap / 2, 0));
    painter.setPen(QPen(QColor(230, 160, 70), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(dHalf(ring, false).translated(-overlap / 2, 0));

    // The mounting ears in the middle and the cable that leaves at the back.
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.setBrush(QColor(160, 160, 168));
    painter.drawRoundedRect(QRectF(housing.center().x() - 9, housing.center().y() - 16, 18, 32), 3,
                            3);
    painter.setBrush(QColor(40, 40, 44));
    painter.drawEllipse(housing.center(), 3, 3);
    QPainterPath cable;
    cable.moveTo(housing.center().x(), housing.top() + 6);
    cable.cubicTo(housing.center().x() + 30, 10, housing.right() + 10, 30, kWidth, 4);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(12, 12, 12), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cable);
    painter.end();

    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace info
