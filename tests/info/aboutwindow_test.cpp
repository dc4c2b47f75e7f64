// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What frmAbout shows: its two controls at their places, the About text to the character and
// every line of it readable, its colours as painted, and edits in the text box.

#include "tests/support/uitest.h"

#include "info/aboutwindow.h"
#include "ui/form.h"
#include "ui/textbox.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

#include <array>
#include <memory>

using ui::control;
using ui::TextBox;

namespace {

// The About text as designed, line by line; every line ends with CR LF.
const std::array<QString, 13> kAboutLines{
    QStringLiteral(
        "Программа для расчета параметров датчика DD для металлоискателя Velmor ARM /AVR."),
    QString(),
    QStringLiteral("Согласно входных даных ведется расчет необходимого количества витков,толщины "),
    QStringLiteral(
        "проводника и других качественных показателей необходимых при намотке датчика DD."),
    QStringLiteral("Конечному пользователю достаточно ввести желаемые параметры и получить на "),
    QStringLiteral("выходе приемлемое решение."),
    QString(),
    QStringLiteral("Фактически использованы формулы по рассчете многовитковой концентрической "),
    QStringLiteral("котушки, с небольшыми поправками по геометрии."),
    QString(),
    QStringLiteral("Для улучшения термозависимости и балансировки в качестве основы "),
    QStringLiteral("предлагается взять методику участника форума DDMaster (forum.example.org)."),
    QStringLiteral(
        "Согласно которой сечение витков  котушки RX должно быть больше чем сечение TX."),
};

QString aboutText()
{
    QString text;
    for (const QString &line : kAboutLines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { window_ = std::make_unique<info::AboutWindow>(); }
    void cleanup() { window_.reset(); }

    void controlsStandAtTheirDesignPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("Text1") << "Text1" << QRect(8, 8, 609, 249);
        QTest::newRow("cmdOK") << "cmdOK" << QRect(16, 256, 108, 47);
    }

    void controlsStandAtTheirDesignPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        const QWidget *widget = control<QWidget>(*window_, name.toStdString());
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), place);
        QCOMPARE(widget->parentWidget(), window_.get());
    }

    void hasNoOtherControls()
    {
        QCOMPARE(window_->findChildren<QPushButton *>().size(), 1);
        QCOMPARE(window_->findChildren<TextBox *>().size(), 1);
    }

    void aboutTextIsTheDesignTextToTheCharacter()
    {
        const QString expected = aboutText();
        QCOMPARE(expected.size(), 699);
        for (const int line : {2, 4, 7, 10})
            QVERIFY2(kAboutLines[line].endsWith(QLatin1Char(' ')), qPrintable(kAboutLines[line]));
        QVERIFY(kAboutLines[12].contains(QStringLiteral("витков  котушки")));

        const QString actual = control<TextBox>(*window_, "Text1")->text();
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(actual[i] == expected[i],
                     qPrintable(QStringLiteral("character %1: U+%2")
                                    .arg(i)
                                    .arg(actual[i].unicode(), 4, 16, QLatin1Char('0'))));
    }

    // Each CR LF ends a shown line; the last one leaves an empty line after the text.
    void aboutTextShowsItsThirteenLines()
    {
        const auto *box = control<TextBox>(*window_, "Text1");
        QCOMPARE(box->document()->blockCount(), 14);
        QTextBlock block = box->document()->firstBlock();
        for (const QString &line : kAboutLines) {
            QCOMPARE(block.text(), line);
            block = block.next();
        }
        QVERIFY(block.text().isEmpty());
    }

    // Long lines wrap inside the box, and the scroll bar brings the last line into view.
    void everyLineCanBeRead()
    {
        QVERIFY(testing_support::open(window_.get()));
        auto *box = control<TextBox>(*window_, "Text1");
        const QRect viewport = box->viewport()->rect();
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        const QTextBlock last = box->document()->findBlockByNumber(12);
        const QRect lastLine = box->cursorRect(QTextCursor(last));
        QVERIFY2(viewport.contains(lastLine), "the last line cannot be scrolled into view");

        for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
            const QTextLayout *layout = block.layout();
            for (int i = 0; i < layout->lineCount(); ++i)
                QVERIFY(layout->lineAt(i).naturalTextWidth() <= viewport.width());
        }
    }

    void paintsItsColours()
    {
        QVERIFY(testing_support::open(window_.get()));
        const QImage image = window_->grab().toImage();
        QCOMPARE(image.size(), QSize(624, 312));
        QCOMPARE(image.pixelColor(600, 290), QColor(0, 0, 0)); // the window, right of cmdOK
        const QColor face = image.pixelColor(30, 262);         // cmdOK, above its caption
        QVERIFY2(face.red() > 200 && face.green() > 200 && face.blue() < 120,
                 qPrintable(face.name()));

        const QImage text = image.copy(QRect(8, 8, 609, 249));
        int inked = 0;
        for (int y = 0; y < text.height(); ++y)
            for (int x = 0; x < text.width(); ++x)
                inked += text.pixelColor(x, y) == QColor(255, 255, 192) ? 1 : 0;
        QVERIFY2(inked > 500, "the About text is not painted light yellow");
    }

    void tabKeepsTheFocusOnTheButton()
    {
        QVERIFY(testing_support::open(window_.get()));
        auto *ok = control<QPushButton>(*window_, "cmdOK");
        QTest::keyClick(ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), ok);
    }

    void textCanBeEditedAndCtrlEnterStartsALine()
    {
        QVERIFY(testing_support::open(window_.get()));
        auto *box = control<TextBox>(*window_, "Text1");
        QVERIFY(!box->isReadOnly());
        QTest::mouseClick(box->viewport(), Qt::LeftButton);
        box->moveCursor(QTextCursor::Start);
        QTest::keyClicks(box, QStringLiteral("Hello"));
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(window_->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Hello\r\n") + aboutText());
    }

  private:
    std::unique_ptr<info::AboutWindow> window_;
};

DDV_UI_TEST_MAIN(AboutWindowTest)
#include "aboutwindow_test.moc"
