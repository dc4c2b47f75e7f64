// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The builder that turns a window design into widgets, on a design with one control of each
// kind: places converted from twips, texts, colours and fonts as the row gives them, focus by
// kind and tab index, and where a window opened beside another lands on the screen.

#include "tests/support/uitest.h"

#include "ui/form.h"
#include "ui/textbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;
using testing_support::designFontFault;
using ui::control;
using ui::ControlKind;

namespace {

QImage checkerboard()
{
    QImage image(60, 50, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, (x + y) % 2 ? Qt::white : Qt::black);
    return image;
}

// clang-format off
constexpr std::array kControls{
    ui::ControlDesign{.kind = ControlKind::Button, .name = "Command1",
                      .place = {150, 300, 1500, 450}, .text = "Расчет",
                      .background = ui::rgb("button-face", 0, 255, 0), .tabIndex = 1},
    ui::ControlDesign{.kind = ControlKind::Field, .name = "Text3", .index = 1,
                      .place = {1800, 300, 1695, 555}, .text = "33.5",
                      .background = ui::rgb("field-face", 255, 192, 128),
                      .font = {ui::DesignFont::MsSansSerif, 18}, .tabIndex = 0,
                      .toolTip = "Подсказка", .description = "Емкость контура  - RX"},
    ui::ControlDesign{.kind = ControlKind::TextBox, .name = "Text1",
                      .place = {120, 1200, 3000, 900},
                      .text = "первая\r\n\tвторая\r\n", .background = ui::kDesktopColor,
                      .foreground = ui::rgb("box-text", 255, 255, 192),
                      .font = {ui::DesignFont::TimesNewRoman, 11.25}, .scrollBars = true,
                      .textMargin = 0},
    ui::ControlDesign{.kind = ControlKind::Label, .name = "Label1", .index = 9,
                      .place = {3600, 1200, 1500, 615},
                      .text = "Число витков - RX", .background = ui::kDesktopColor,
                      .foreground = ui::rgb("label-text", 255, 255, 128),
                      .font = {ui::DesignFont::MsSansSerif, 12}, .opaque = true},
    ui::ControlDesign{.kind = ControlKind::Label, .name = "Label1", .index = 0,
                      .place = {3600, 2000, 1500, 375},
                      .text = "<b>Tamrel</b>", .foreground = ui::rgb("name-text", 0, 255, 0),
                      .font = {ui::DesignFont::TimesNewRoman, 12, true}},
    ui::ControlDesign{.kind = ControlKind::Line, .name = "Line2", .index = 3,
                      .place = {240, 2040, 6000, 0},
                      .foreground = ui::kWindowBackgroundColor},
    ui::ControlDesign{.kind = ControlKind::Line, .name = "Line5",
                      .place = {6240, 2040, 0, 6600},
                      .foreground = ui::kWindowBackgroundColor},
    ui::ControlDesign{.kind = ControlKind::Picture, .name = "OLE1",
                      .place = {5400, 120, 600, 450}, .tabIndex = 2},
};

constexpr ui::FormDesign kDesign{.name = "frmTest", .caption = "Проба  окна",
                                 .clientWidth = 9360, .clientHeight = 9000,
                                 .background = ui::rgb("background", 0, 0, 0), .controls = kControls};
// clang-format on

} // namespace

class FormTest : public QObject {
    Q_OBJECT

  private slots:
    void init()
    {
        window_ = std::make_unique<QWidget>();
        ui::buildForm(form(), kDesign);
        ui::showPicture(form(), "OLE1", checkerboard());
        QVERIFY(testing_support::open(&form()));
    }
    void cleanup() { window_.reset(); }

    // Twips to logical pixels: 15 to the pixel, to the nearest one; a line includes both ends.
    void placesComeFromTwips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("place");
        QTest::newRow("button") << u"Command1"_s << -1 << QRect(10, 20, 100, 30);
        QTest::newRow("field") << u"Text3"_s << 1 << QRect(120, 20, 113, 37);
        QTest::newRow("text box") << u"Text1"_s << -1 << QRect(8, 80, 200, 60);
        QTest::newRow("label") << u"Label1"_s << 9 << QRect(240, 80, 100, 41);
        QTest::newRow("horizontal line") << u"Line2"_s << 3 << QRect(16, 136, 401, 1);
        QTest::newRow("vertical line") << u"Line5"_s << -1 << QRect(416, 136, 1, 441);
        QTest::newRow("picture") << u"OLE1"_s << -1 << QRect(360, 8, 40, 30);
    }

    void placesComeFromTwips()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, place);
        const QWidget *control = ui::findControl(form(), name.toStdString(), index);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
    }

    void buttonShowsItsFaceAndKeepsTheSystemsTextColour()
    {
        const auto *button = control<QPushButton>(form(), "Command1");
        QCOMPARE(button->text(), u"Расчет"_s);
        QCOMPARE(button->palette().color(QPalette::Button), QColor(0, 255, 0));
        QCOMPARE(button->palette().color(QPalette::ButtonText),
                 QApplication::palette().color(QPalette::ButtonText));
        QVERIFY(button->autoDefault());
        QVERIFY(!button->isDefault());
        const QString fault = designFontFault(button->font(), ui::DesignFont::TimesNewRoman, 12);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void fieldShowsItsTextFromTheStartWithoutALengthLimit()
    {
        const auto *field = control<QLineEdit>(form(), "Text3", 1);
        QCOMPARE(field->text(), u"33.5"_s);
        QCOMPARE(field->cursorPosition(), 0);
        QCOMPARE(field->maxLength(), std::numeric_limits<int>::max());
        QCOMPARE(field->palette().color(QPalette::Base), QColor(255, 192, 128));
        QCOMPARE(field->toolTip(), u"Подсказка"_s);
        QCOMPARE(field->accessibleName(), u"Емкость контура  - RX"_s);
        const QString fault = designFontFault(field->font(), ui::DesignFont::MsSansSerif, 18);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void textBoxKeepsItsLineEndsAndMargin()
    {
        const auto *box = control<ui::TextBox>(form(), "Text1");
        QCOMPARE(box->text(), u"первая\r\n\tвторая\r\n"_s);
        QCOMPARE(box->document()->blockCount(), 3);
        QCOMPARE(box->document()->documentMargin(), 0.0);
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(box->palette().color(QPalette::Base), testing_support::desktopColour());
        QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 255, 192));
        // Its frame keeps the toolkit's colours, to stand out from a dark window.
        QCOMPARE(box->palette().color(QPalette::Window),
                 QApplication::palette().color(QPalette::Window));
    }

    void labelsShowPlainTextWrappedOpaqueOnlyWhenTheRowSaysSo()
    {
        const auto *opaque = control<QLabel>(form(), "Label1", 9);
        QVERIFY(opaque->autoFillBackground());
        QCOMPARE(opaque->palette().color(QPalette::Window), testing_support::desktopColour());
        QCOMPARE(opaque->palette().color(QPalette::WindowText), QColor(255, 255, 128));
        QVERIFY(opaque->wordWrap());
        QCOMPARE(opaque->alignment(), Qt::AlignLeft | Qt::AlignTop);

        const auto *clear = control<QLabel>(form(), "Label1", 0);
        QVERIFY(!clear->autoFillBackground());
        QCOMPARE(clear->textFormat(), Qt::PlainText);
        const QString fault =
            designFontFault(clear->font(), ui::DesignFont::TimesNewRoman, 12, true);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void linesAndPicturesShowTheirColourAndBitmap()
    {
        const QImage shot = form().grab().toImage();
        const QColor line = testing_support::windowBackgroundColour();
        QCOMPARE(shot.pixelColor(16, 136), line);
        QCOMPARE(shot.pixelColor(416, 576), line);
        QCOMPARE(shot.pixelColor(220, 137), QColor(0, 0, 0));
        auto *picture = control<QLabel>(form(), "OLE1");
        QCOMPARE(picture->grab().toImage().convertToFormat(QImage::Format_RGB888),
                 checkerboard().copy(0, 0, 40, 30));
    }

    // Tab visits the tab stops by tab index; other controls take the focus by a click only,
    // labels and lines not at all.
    void focusFollowsTheTabIndex()
    {
        const QWidget *field = control<QLineEdit>(form(), "Text3", 1);
        const QWidget *button = control<QPushButton>(form(), "Command1");
        const QWidget *picture = control<QLabel>(form(), "OLE1");
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), picture);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(control<QWidget>(form(), "Text1")->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(control<QWidget>(form(), "Label1", 9)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(control<QWidget>(form(), "Line5")->focusPolicy(), Qt::NoFocus);
    }

    // A window of 100 x 50 with frame margins of 4 left, 20 top, 4 right and 4 bottom, opened
    // at (282, 163) from an opener whose client area is at `opener` on a screen whose free
    // area is (0, 0, 1000, 700).
    void windowsOpenBesideTheirOpenerInsideTheScreen_data()
    {
        QTest::addColumn<QPoint>("opener");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("room to spare") << QPoint(100, 50) << QPoint(382, 213);
        QTest::newRow("against the right edge") << QPoint(700, 50) << QPoint(896, 213);
        QTest::newRow("against the bottom edge") << QPoint(100, 600) << QPoint(382, 646);
        QTest::newRow("against both edges") << QPoint(900, 600) << QPoint(896, 646);
        QTest::newRow("opener off the left edge") << QPoint(-400, 50) << QPoint(4, 213);
        QTest::newRow("opener above the top") << QPoint(100, -300) << QPoint(382, 20);
    }

    void windowsOpenBesideTheirOpenerInsideTheScreen()
    {
        QFETCH(QPoint, opener);
        QFETCH(QPoint, expected);
        const QRect placed =
            ui::placeBeside(QRect(opener, QSize(848, 594)), QMargins(4, 20, 4, 4), QPoint(282, 163),
                            QSize(100, 50), QRect(0, 0, 1000, 700));
        QCOMPARE(placed, QRect(expected, QSize(100, 50)));
    }

  private:
    QWidget &form() const { return *window_; }
    std::unique_ptr<QWidget> window_;
};

DDV_UI_TEST_MAIN(FormTest)
#include "form_test.moc"
