// frmAbout1 as the user sees it: its frame, the place, colour and font of every control, the
// picture clipped by its box, the focus order and the keys that close it.

#include "common/designfont.h"
#include "infotest.h"

#include "info/authorpicture.h"
#include "info/authorwindow.h"
#include "info/textbox.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>

#include <memory>

using infotest::control;

namespace {

constexpr int kClientWidth = 496;

} // namespace

class AuthorWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { infotest::setUpApplication(); }
    void init() { window_ = std::make_unique<info::AuthorWindow>(); }
    void cleanup() { window_.reset(); }

    void frameIsAFixedDialogWithoutIconOrMinMaxBox()
    {
        QCOMPARE(window_->objectName(), QStringLiteral("frmAbout1"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Автор программы"));
        QCOMPARE(window_->windowType(), Qt::Dialog);
        const Qt::WindowFlags flags = window_->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(window_->windowIcon().isNull());
        QCOMPARE(window_->palette().color(QPalette::Window),
                 ui::systemColor(ui::SystemColor::Desktop));

        QVERIFY(infotest::open(window_.get()));
        QCOMPARE(window_->size(), QSize(kClientWidth, 220));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
    }

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
        const QWidget *widget = control(window_.get(), name.toLatin1().constData(), index);
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
        const auto *label = control<QLabel>(window_.get(), "Label1", index);
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
        const auto *box = control<info::TextBox>(window_.get(), "Text1");
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

    void textBoxColoursFontAndFocus()
    {
        const auto *box = control<info::TextBox>(window_.get(), "Text1");
        QCOMPARE(box->palette().color(QPalette::Base), ui::systemColor(ui::SystemColor::Desktop));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 255, 192));
        const QString fault =
            testing_support::designFontFault(box->font(), ui::DesignFont::TimesNewRoman, 11.25);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(box->focusPolicy(), Qt::ClickFocus);
        QVERIFY(!box->isReadOnly());
    }

    // The box reaches past the client area; all four lines still show in the part that is seen.
    void textBoxLinesShowInsideTheClientArea()
    {
        QVERIFY(infotest::open(window_.get()));
        const auto *box = control<info::TextBox>(window_.get(), "Text1");
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

    void buttonCaptionColourAndFont()
    {
        const auto *ok = control<QPushButton>(window_.get(), "cmdOK");
        QCOMPARE(ok->text(), QStringLiteral("Знаю такого)"));
        QCOMPARE(ok->palette().color(QPalette::Button), QColor(255, 255, 0));
        const QString fault =
            testing_support::designFontFault(ok->font(), ui::DesignFont::TimesNewRoman, 12);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(ok->isDefault());
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
        QVERIFY(infotest::open(window_.get()));
        auto *box = control<QLabel>(window_.get(), "OLE1");
        QCOMPARE(box->pixmap().size(), QSize(189, 204));
        const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB888);
        QCOMPARE(shown.size(), QSize(137, 201));
        QCOMPARE(shown, info::authorPicture().copy(0, 0, 137, 201));
    }

    void focusStartsOnTheButtonAndTabVisitsThePicture()
    {
        QVERIFY(infotest::open(window_.get()));
        auto *ok = control<QPushButton>(window_.get(), "cmdOK");
        auto *picture = control(window_.get(), "OLE1");
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), picture);
        QTest::keyClick(picture, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), picture);
    }

    void closesBy_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("fromPicture");
        QTest::newRow("Enter on cmdOK") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter on cmdOK") << int(Qt::Key_Enter) << false;
        QTest::newRow("Esc on cmdOK") << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter on the picture") << int(Qt::Key_Return) << true;
        QTest::newRow("Esc on the picture") << int(Qt::Key_Escape) << true;
    }

    void closesBy()
    {
        QFETCH(int, key);
        QFETCH(bool, fromPicture);
        QPointer<QWidget> window = window_.release();
        QVERIFY(infotest::open(window));
        if (fromPicture) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), control(window, "OLE1"));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY2(infotest::isUnloaded(window), "the window was not unloaded");
    }

  private:
    std::unique_ptr<info::AuthorWindow> window_;
};

QTEST_MAIN(AuthorWindowTest)
#include "authorwindow_test.moc"
