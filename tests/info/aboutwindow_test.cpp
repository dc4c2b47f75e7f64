// frmAbout as the user sees it: its frame, the place, colour and font of every control, the
// About text to the character, the focus on cmdOK, and every way of closing it.

#include "common/designfont.h"
#include "infotest.h"

#include "info/aboutwindow.h"
#include "info/textbox.h"

#include <QFontInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

#include <array>
#include <memory>

using infotest::control;

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

enum class CloseBy { Click, EnterOnButton, EnterInTextBox, Escape, EscapeInTextBox, CloseBox };

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { infotest::setUpApplication(); }
    void init() { window_ = std::make_unique<info::AboutWindow>(); }
    void cleanup() { window_.reset(); }

    void frameIsAFixedDialogWithoutIconOrMinMaxBox()
    {
        QCOMPARE(window_->objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("О программе v.1"));
        QVERIFY(window_->isWindow());
        QCOMPARE(window_->windowType(), Qt::Dialog);
        const Qt::WindowFlags flags = window_->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(window_->windowIcon().isNull());

        QVERIFY(infotest::open(window_.get()));
        QCOMPARE(window_->size(), QSize(624, 312));
        QCOMPARE(window_->minimumSize(), QSize(624, 312));
        QCOMPARE(window_->maximumSize(), QSize(624, 312));
    }

    void showsNoIconEvenWhenTheApplicationHasOne()
    {
        QApplication::setWindowIcon(ui::programIcon());
        info::AboutWindow window;
        QApplication::setWindowIcon(QIcon());
        QVERIFY(window.windowIcon().isNull());
    }

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
        const QWidget *widget = control(window_.get(), name.toLatin1().constData());
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), place);
        QCOMPARE(widget->parentWidget(), window_.get());
    }

    void hasNoOtherControls()
    {
        QCOMPARE(window_->findChildren<QPushButton *>().size(), 1);
        QCOMPARE(window_->findChildren<info::TextBox *>().size(), 1);
    }

    void aboutTextIsTheDesignTextToTheCharacter()
    {
        const QString expected = aboutText();
        QCOMPARE(expected.size(), 699);
        for (const int line : {2, 4, 7, 10})
            QVERIFY2(kAboutLines[line].endsWith(QLatin1Char(' ')), qPrintable(kAboutLines[line]));
        QVERIFY(kAboutLines[12].contains(QStringLiteral("витков  котушки")));

        const QString actual = control<info::TextBox>(window_.get(), "Text1")->text();
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
        const auto *box = control<info::TextBox>(window_.get(), "Text1");
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
        QVERIFY(infotest::open(window_.get()));
        auto *box = control<info::TextBox>(window_.get(), "Text1");
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

    void coloursAndFonts()
    {
        const auto *box = control<info::TextBox>(window_.get(), "Text1");
        QCOMPARE(box->palette().color(QPalette::Base), ui::systemColor(ui::SystemColor::Desktop));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 255, 192));
        const auto *ok = control<QPushButton>(window_.get(), "cmdOK");
        QCOMPARE(ok->text(), QStringLiteral("Понял"));
        QCOMPARE(ok->palette().color(QPalette::Button), QColor(255, 255, 0));
        QCOMPARE(window_->palette().color(QPalette::Window), QColor(0, 0, 0));
        QVERIFY(window_->autoFillBackground());

        for (const QWidget *widget :
             {static_cast<const QWidget *>(box), static_cast<const QWidget *>(ok)}) {
            const QString fault =
                testing_support::designFontFault(widget->font(), ui::DesignFont::TimesNewRoman, 12);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    void paintsItsColours()
    {
        QVERIFY(infotest::open(window_.get()));
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

    void focusStartsOnTheButtonAndTabKeepsIt()
    {
        QVERIFY(infotest::open(window_.get()));
        auto *ok = control<QPushButton>(window_.get(), "cmdOK");
        QCOMPARE(QApplication::focusWidget(), ok);
        QVERIFY(ok->isDefault());
        QCOMPARE(control(window_.get(), "Text1")->focusPolicy(), Qt::ClickFocus);
        QTest::keyClick(ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), ok);
    }

    void closesBy_data()
    {
        QTest::addColumn<CloseBy>("how");
        QTest::newRow("click on cmdOK") << CloseBy::Click;
        QTest::newRow("Enter on cmdOK") << CloseBy::EnterOnButton;
        QTest::newRow("Enter in the text box") << CloseBy::EnterInTextBox;
        QTest::newRow("Esc on cmdOK") << CloseBy::Escape;
        QTest::newRow("Esc in the text box") << CloseBy::EscapeInTextBox;
        QTest::newRow("close box of the frame") << CloseBy::CloseBox;
    }

    void closesBy()
    {
        QFETCH(CloseBy, how);
        QPointer<QWidget> window = window_.release();
        QVERIFY(infotest::open(window));
        auto *ok = control<QPushButton>(window, "cmdOK");
        auto *box = control<info::TextBox>(window, "Text1");
        if (how == CloseBy::EnterInTextBox || how == CloseBy::EscapeInTextBox) {
            QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
            QCOMPARE(QApplication::focusWidget(), box);
        }

        switch (how) {
        case CloseBy::Click:
            QTest::mouseClick(ok, Qt::LeftButton);
            break;
        case CloseBy::EnterOnButton:
        case CloseBy::EnterInTextBox:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            break;
        case CloseBy::Escape:
        case CloseBy::EscapeInTextBox:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            break;
        case CloseBy::CloseBox:
            QVERIFY(window->close());
            break;
        }
        if (window)
            QVERIFY(!window->isVisible());
        QVERIFY2(infotest::isUnloaded(window), "the window was not unloaded");
    }

    void textCanBeEditedAndCtrlEnterStartsALine()
    {
        QVERIFY(infotest::open(window_.get()));
        auto *box = control<info::TextBox>(window_.get(), "Text1");
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

QTEST_MAIN(AboutWindowTest)
#include "aboutwindow_test.moc"
