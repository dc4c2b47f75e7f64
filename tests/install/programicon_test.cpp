// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's icon: the window icon in all its theme sizes, and the Windows icon file with
// its four images (32 and 16 pixels, each in 16 and 256 colours), all showing the motif: a
// dark circle crossed by a vertical bar on a light ground.

#include "ui/design.h"

#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 96;
}
bool isLight(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) > 192;
}

// Where the motif must show whatever the picture's size: the bar down the middle, the ground
// near the edges, the circle on the middle row between the ground and the centre.
QString motifFault(const QImage &image)
{
    const int size = image.width();
    const int middle = size / 2;
    for (int y = size / 8; y < size - size / 8; ++y)
        if (!isDark(image, middle, y))
            return QStringLiteral("no bar at row %1").arg(y);
    for (const QPoint ground : {QPoint(size / 10, middle), QPoint(size / 6, size / 6),
                                QPoint(size - 1 - size / 6, size - 1 - size / 6)})
        if (!isLight(image, ground.x(), ground.y()))
            return QStringLiteral("no light ground at %1,%2").arg(ground.x()).arg(ground.y());
    for (const bool left : {true, false}) {
        bool circle = false;
        for (int i = size / 8; i <= size / 4; ++i)
            circle = circle || isDark(image, left ? i : size - 1 - i, middle);
        if (!circle)
            return QStringLiteral("no circle on the %1").arg(left ? u"left"_s : u"right"_s);
    }
    return {};
}

} // namespace

class ProgramIconTest : public QObject {
    Q_OBJECT

  private slots:
    void windowIconHasTheWindowSizes()
    {
        const QIcon icon = ui::programIcon();
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        for (const int size : {16, 24, 32, 48, 64})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }

    void windowIconShowsTheMotif_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 48, 64})
            QTest::addRow("%d", size) << size;
    }

    void windowIconShowsTheMotif()
    {
        QFETCH(int, size);
        const QImage image = ui::programIcon().pixmap(size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        const QString fault = motifFault(image);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void themeIconsShowTheMotif_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {128, 256})
            QTest::addRow("%d", size) << size;
    }

    // The large sizes live only in the desktop theme.
    void themeIconsShowTheMotif()
    {
        QFETCH(int, size);
        const QImage image(QStringLiteral(ICON_DIR "/hicolor/%1x%1/apps/ddvelmor.png").arg(size));
        QCOMPARE(image.size(), QSize(size, size));
        const QString fault = motifFault(image);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // The directory of the icon file, read as Windows reads it.
    void iconFileHoldsFourPalettedImages()
    {
        QFile file(QStringLiteral(ICON_DIR "/ddvelmor.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
        QVERIFY(data.size() > 6 + 4 * 16);
        QCOMPARE(qFromLittleEndian<quint16>(bytes), quint16(0));
        QCOMPARE(qFromLittleEndian<quint16>(bytes + 2), quint16(1)); // an icon, not a cursor
        QCOMPARE(qFromLittleEndian<quint16>(bytes + 4), quint16(4));

        struct Entry {
            int size, colours, bits;
        };
        const Entry expected[] = {{32, 16, 4}, {16, 16, 4}, {32, 0, 8}, {16, 0, 8}};
        for (int i = 0; i < 4; ++i) {
            const uchar *entry = bytes + 6 + 16 * i;
            QCOMPARE(int(entry[0]), expected[i].size);
            QCOMPARE(int(entry[1]), expected[i].size);
            QCOMPARE(int(entry[2]), expected[i].colours);
            QCOMPARE(qFromLittleEndian<quint16>(entry + 6), quint16(expected[i].bits));
            const quint32 length = qFromLittleEndian<quint32>(entry + 8);
            const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
            QVERIFY(offset + length <= quint32(data.size()));

            // A BITMAPINFOHEADER of twice the height (colours, then the AND mask), uncompressed,
            // with a full palette; no PNG-compressed image.
            const uchar *header = bytes + offset;
            const int size = expected[i].size;
            const int bits = expected[i].bits;
            QCOMPARE(qFromLittleEndian<quint32>(header), quint32(40));
            QCOMPARE(qFromLittleEndian<qint32>(header + 4), qint32(size));
            QCOMPARE(qFromLittleEndian<qint32>(header + 8), qint32(2 * size));
            QCOMPARE(qFromLittleEndian<quint16>(header + 14), quint16(bits));
            QCOMPARE(qFromLittleEndian<quint32>(header + 16), quint32(0));
            const auto rowBytes = [](int bitsPerRow) {
                return (bitsPerRow + 31) / 32 * 4;
            };
            const quint32 bitmaps = size * (rowBytes(size * bits) + rowBytes(size));
            QCOMPARE(length, 40 + 4 * (1u << bits) + bitmaps);
        }
    }

    void iconFileImagesShowTheMotif()
    {
        QImageReader reader(QStringLiteral(ICON_DIR "/ddvelmor.ico"));
        QCOMPARE(reader.imageCount(), 4);
        for (int i = 0; i < 4; ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
            QCOMPARE(image.width(), i % 2 == 0 ? 32 : 16);
            const QString fault = motifFault(image);
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("image %1: ").arg(i) + fault));
        }
    }
};

QTEST_MAIN(ProgramIconTest)
#include "programicon_test.moc"
