// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What frmAbout1 shows: its controls at their places, the three labels of one control array,
// the four lines of the text box within the client area, the picture clipped by its box, and
// Tab between the button and the picture.

#include "tests/support/uitest.h"

#include "info/authorpicture.h"
#include "info/authorwindow.h"
#include "ui/form.h"
#include "ui/textbox.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>

#include <memory>

using ui::control;
using ui::TextBox;

namespace {

constexpr int kClientWidth = 496;

} // namespace

class AuthorWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { window_ = std::make_unique<info::AuthorWindow>(); }
    void cleanup() { window_.reset(); }

    void controlsStandAtTheirDesignPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("place");
        QTest::newRow("OLE1") << "OLE1" << -1 << QRect(8, 8, 137, 201);
        QTest::newRow("Label1(0)") << "Label1" << 0 << QRect(272, 8, 145, 25);
        QTest::newRow("Label1(1)") << "Label1" << 1 << QRect(200, 120, 217, 33);
        QTest::newRow("Label1(2)") << "Label1" << 2 << QRect(200, 144, 217, 33);
        QTest::newRow("Text1") << "Text1" << -1 << QRect(160, 40, 353, 73);
        QTest::newRow("cmdOK") << "cmdOK" << -1 << QRect(264, 176, 108, 31);
    }

    void controlsStandAtTheirDesignPlaces()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, place);
        const QWidget *widget = control<QWidget>(*window_, name.toStdString(), index);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), place);
    }

    void labelsAreOneControlArray()
    {
        const auto labels = window_->findChildren<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(labels.size(), 3);
        QSet<int> indices;
        for (const QLabel *label : labels)
            indices.insert(label->property("index").toInt());
        QCOMPARE(indices, (QSet<int>{0, 1, 2}));
    }

    void labelsShowNameMailAndMessengerEachOnOneLine_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("name") << 0 << "^\\S.*\\S$" << QColor(0, 255, 0);
        QTest::newRow("e-mail") << 1 << "^E-mail:  +\\S+@example\\.org$" << QColor(192, 192, 0);
        QTest::newRow("messenger") << 2 << "^\\w+:  +\\S+$" << QColor(192, 192, 0);
    }

    void labelsShowNameMailAndMessengerEachOnOneLine()
    {
        QFETCH(int, index);
        QFETCH(QString, pattern);
        QFETCH(QColor, colour);
        const auto *label = control<QLabel>(*window_, "Label1", index);
        QVERIFY(label);
        QVERIFY2(QRegularExpression(pattern).match(label->text()).hasMatch(),
                 qPrintable(label->text()));
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        const QString fault = testing_support::designFontFault(
            label->font(), ui::DesignFont::TimesNewRoman, 12, true);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }

    void textBoxHoldsFourIndentedLinesEndedByCrLf()
    {
        const auto *box = control<TextBox>(*window_, "Text1");
        const QString text = box->text();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 4);
        for (const QString &line : lines) {
            QVERIFY2(line.startsWith(QLatin1Char('\t')), qPrintable(line));
            QVERIFY(!line.trimmed().isEmpty());
            QVERIFY(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        }
        QVERIFY(text.contains(QLatin1Char(' ')));
    }

    // The box reaches past the client area; all four lines still show in the part that is seen.
    void textBoxLinesShowInsideTheClientArea()
    {
        QVERIFY(testing_support::open(window_.get()));
        const auto *box = control<TextBox>(*window_, "Text1");
        QCOMPARE(box->geometry().right(), 512);
        const QRect seen = box->viewport()->rect();
        const int viewportLeft = box->viewport()->mapTo(window_.get(), QPoint(0, 0)).x();
        for (QTextBlock block = box->document()->begin(); block.blockNumber() < 4;
             block = block.next()) {
            QCOMPARE(block.layout()->lineCount(), 1);
            QTextCursor end(block);
            end.movePosition(QTextCursor::EndOfBlock);
            // The glyphs, from the top of the line to the lowest descender, are in view.
            const QRect start = box->cursorRect(QTextCursor(block));
            const QFontMetricsF metrics(box->font());
            QVERIFY2(start.top() >= seen.top() &&
                         start.top() + metrics.ascent() + metrics.descent() <= seen.height(),
                     qPrintable(block.text()));
            QVERIFY2(viewportLeft + box->cursorRect(end).right() < kClientWidth,
                     qPrintable(block.text()));
        }
    }

    void pictureIsA24BitBitmapOfItsOwnSize()
    {
        const QImage picture = info::authorPicture();
        QCOMPARE(picture.size(), QSize(189, 204));
        QCOMPARE(picture.format(), QImage::Format_RGB888);
        QCOMPARE(picture.depth(), 24);
        QCOMPARE(info::authorPicture(), picture);
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 3)
            for (int x = 0; x < picture.width(); x += 3)
                colours.insert(picture.pixel(x, y));
        QVERIFY2(colours.size() > 50, "the picture is nearly blank");
    }

    // Shown from its top-left corner at its own size, the picture loses a strip on the right
    // and a few rows at the bottom to its box.
    void pictureShowsItsTopLeftPartClippedByTheBox()
    {
        QVERIFY(testing_support::open(window_.get()));
        auto *box = control<QLabel>(*window_, "OLE1");
        QCOMPARE(box->pixmap().size(), QSize(189, 204));
        const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB888);
        QCOMPARE(shown.size(), QSize(137, 201));
        QCOMPARE(shown, info::authorPicture().copy(0, 0, 137, 201));
    }

    void tabVisitsThePicture()
    {
        QVERIFY(testing_support::open(window_.get()));
        auto *ok = control<QPushButton>(*window_, "cmdOK");
        auto *picture = control<QWidget>(*window_, "OLE1");
        QTest::keyClick(ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), picture);
        QTest::keyClick(picture, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), picture);
    }

  private:
    std::unique_ptr<info::AuthorWindow> window_;
};

DDV_UI_TEST_MAIN(AuthorWindowTest)
#include "authorwindow_test.moc"
