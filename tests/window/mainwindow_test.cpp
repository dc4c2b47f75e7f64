#include "calculator/commands.h"
#include "calculator/window/layout.h"
#include "calculator/window/mainwindow.h"
#include "common/designfont.h"
#include "ui/design.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <limits>
#include <memory>
#include <vector>

using namespace calculator;
using namespace Qt::StringLiterals;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Finds the control of the given name and, for control arrays, element index.
template <typename W> W *control(QWidget *window, std::string_view name, int index = -1)
{
    for (W *w : window->findChildren<W *>(qs(name))) {
        const QVariant element = w->property("index");
        if (index < 0 ? !element.isValid() : element == index)
            return w;
    }
    return nullptr;
}

// Records the texts of every modal box that appears and closes it, so a box raised by
// real event handling never blocks a test.
class BoxCloser : public QObject {
  public:
    BoxCloser()
    {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown.push_back({box->windowTitle(), box->text(), box->icon()});
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start();
    }

    struct Box {
        QString title;
        QString prompt;
        QMessageBox::Icon icon;
    };
    std::vector<Box> shown;

  private:
    QTimer timer_;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> window;
    RecordedMessages boxes;

    QLineEdit *edit(Field f) const { return window->field(f); }
    QPushButton *button(const char *name) const { return control<QPushButton>(window.get(), name); }

    void typeInto(Field f, const QString &text)
    {
        QLineEdit *e = edit(f);
        e->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(e, text);
    }

    void clearField(Field f)
    {
        QLineEdit *e = edit(f);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
    }

  private Q_SLOTS:
    void init()
    {
        window = std::make_unique<MainWindow>();
        boxes.shown.clear();
        window->setMessageBoxes(&boxes);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup() { window.reset(); }

    void windowFrame()
    {
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("DD for Velmor ARM / AVR    by_Tamrel   v.1.0"));
        QCOMPARE(window->size(), QSize(848, 594));
        QCOMPARE(window->minimumSize(), QSize(848, 594));
        QCOMPARE(window->maximumSize(), QSize(848, 594));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(0, 0, 0));
        QVERIFY(!window->windowIcon().isNull());
        QCOMPARE(window->findChildren<QPushButton *>().size(), 3);
        QCOMPARE(window->findChildren<QLineEdit *>().size(), 14);
        QCOMPARE(window->findChildren<QLabel *>().size(), 34);
        QCOMPARE(window->findChildren<QWidget *>(QRegularExpression(u"^Line\\d$"_s)).size(), 12);
    }

    void startsWithDefaultsAndFocusInText1()
    {
        for (const FieldInfo &f : kFields)
            QCOMPARE(edit(f.field)->text(), qs(f.defaultText));
        QCOMPARE(QApplication::focusWidget(), edit(Field::RxFrequency));
        QVERIFY(boxes.shown.empty());
    }

    void buttons_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < layout::kButtons.size(); ++i)
            QTest::newRow(layout::kButtons[i].name.data()) << int(i);
    }

    void buttons()
    {
        QFETCH(int, row);
        const layout::ButtonDesign &design = layout::kButtons[std::size_t(row)];
        auto *b = control<QPushButton>(window.get(), design.name);
        QVERIFY(b);
        QCOMPARE(b->geometry(), ui::twipsRect(design.left, 120, 1695, 495));
        QCOMPARE(b->text(), qs(design.caption));
        QCOMPARE(b->palette().color(QPalette::Button), design.face.color());
        const QString fontFault =
            testing_support::designFontFault(b->font(), ui::DesignFont::TimesNewRoman, 12);
        QVERIFY2(fontFault.isEmpty(), qPrintable(fontFault));
        QVERIFY(!b->isDefault());
        QCOMPARE(b->focusPolicy(), Qt::StrongFocus);
    }

    void fields_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < layout::kFieldDesigns.size(); ++i)
            QTest::newRow(info(layout::kFieldDesigns[i].field).controlName.data()) << int(i);
    }

    void fields()
    {
        QFETCH(int, row);
        const layout::FieldDesign &design = layout::kFieldDesigns[std::size_t(row)];
        const FieldInfo &f = info(design.field);
        auto *e = control<QLineEdit>(window.get(), f.controlName, f.index);
        QVERIFY(e);
        QCOMPARE(e, edit(design.field));
        QCOMPARE(e->geometry(), ui::twipsRect(design.left, design.top, 1695, 555));
        QCOMPARE(e->text(), qs(f.defaultText));
        QCOMPARE(e->palette().color(QPalette::Base), design.background.color());
        const QString fontFault =
            testing_support::designFontFault(e->font(), ui::DesignFont::MsSansSerif, 18);
        QVERIFY2(fontFault.isEmpty(), qPrintable(fontFault));
        QCOMPARE(e->toolTip(), qs(design.toolTip));
        QCOMPARE(e->accessibleName(), qs(f.label));
        QCOMPARE(e->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QVERIFY(!e->isReadOnly());
        QCOMPARE(e->focusPolicy(), Qt::StrongFocus);
    }

    void labels_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < layout::kLabels.size(); ++i)
            QTest::newRow(qPrintable(QStringLiteral("Label1(%1)").arg(layout::kLabels[i].index)))
                << int(i);
    }

    void labels()
    {
        QFETCH(int, row);
        const layout::LabelDesign &design = layout::kLabels[std::size_t(row)];
        auto *l = control<QLabel>(window.get(), "Label1", design.index);
        QVERIFY(l);
        QCOMPARE(l->geometry(),
                 ui::twipsRect(design.left, design.top, design.width, design.height));
        QCOMPARE(l->text(), qs(design.text));
        QCOMPARE(l->palette().color(QPalette::WindowText), design.textColor.color());
        QCOMPARE(l->palette().color(QPalette::Window), ui::systemColor(ui::SystemColor::Desktop));
        QVERIFY(l->autoFillBackground());
        const QString fontFault =
            testing_support::designFontFault(l->font(), ui::DesignFont::MsSansSerif, design.points);
        QVERIFY2(fontFault.isEmpty(), qPrintable(fontFault));
        QVERIFY(l->wordWrap());
        QCOMPARE(l->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(l->focusPolicy(), Qt::NoFocus);
    }

    void labelTextsAreTheDesignTexts()
    {
        // Spot checks of texts that the tables derive from the field set.
        QCOMPARE(control<QLabel>(window.get(), "Label1", 9)->text(),
                 QStringLiteral("Число витков - RX      (в пределах 175 - 250!!)"));
        QCOMPARE(control<QLabel>(window.get(), "Label1", 6)->text(),
                 QStringLiteral("Емкость контура  - RX"));
        QCOMPARE(control<QLabel>(window.get(), "Label1", 33)->text(), QStringLiteral("мм^2"));
        QCOMPARE(control<QLabel>(window.get(), "Label1", 18)->text(), QStringLiteral("нФ"));
        QCOMPARE(control<QLabel>(window.get(), "Label1", 12)->font().pointSize(), 48);
    }

    void lines_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < layout::kLines.size(); ++i)
            QTest::newRow(qPrintable(QStringLiteral("%1(%2)")
                                         .arg(qs(layout::kLines[i].name))
                                         .arg(layout::kLines[i].index)))
                << int(i);
    }

    void lines()
    {
        QFETCH(int, row);
        const layout::LineDesign &design = layout::kLines[std::size_t(row)];
        auto *line = control<QWidget>(window.get(), design.name, design.index);
        QVERIFY(line);
        const QRect g = line->geometry();
        QCOMPARE(g.topLeft(), QPoint(design.x1 / 15, design.y1 / 15));
        QCOMPARE(g.bottomRight(), QPoint(design.x2 / 15, design.y2 / 15));
        QCOMPARE(line->palette().color(QPalette::Window),
                 ui::systemColor(ui::SystemColor::WindowBackground));
        QCOMPARE(line->focusPolicy(), Qt::NoFocus);
    }

    void tabCyclesThroughTheSeventeenControls()
    {
        const QStringList order{u"Text1"_s,  u"Text2"_s,  u"Text4"_s,  u"Command1"_s, u"Command2"_s,
                                u"Command3"_s, u"Text3"_s,  u"Text7"_s,  u"Text6"_s,  u"Text5"_s,
                                u"Text13"_s, u"Text10"_s, u"Text14"_s, u"Text12"_s, u"Text11"_s,
                                u"Text9"_s,  u"Text8"_s};
        QStringList forward;
        for (int i = 0; i < order.size(); ++i) {
            forward << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(forward, order);
        QCOMPARE(QApplication::focusWidget(), edit(Field::RxFrequency));

        QStringList backward;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward.prepend(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(backward, order);
        QCOMPARE(QApplication::focusWidget(), edit(Field::RxFrequency));
    }

    void enterInAFieldDoesNotCalculate()
    {
        for (Field f : {Field::RxFrequency, Field::RxWireDiameter, Field::TxCapacitance}) {
            edit(f)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(edit(f), Qt::Key_Return);
            QTest::keyClick(edit(f), Qt::Key_Enter);
        }
        QCOMPARE(edit(Field::RxInductance)->text(), QStringLiteral("0"));
        QCOMPARE(edit(Field::RxTurns)->text(), QStringLiteral("0"));
        QVERIFY(boxes.shown.empty());
    }

    void keyboardPressesTheFocusedButton()
    {
        button("Command1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button("Command1"), Qt::Key_Space);
        QCOMPARE(edit(Field::RxInductance)->text(), QStringLiteral("7684"));
        edit(Field::RxInductance)->setText(u"0"_s);
        QTest::keyClick(button("Command1"), Qt::Key_Return);
        QCOMPARE(edit(Field::RxInductance)->text(), QStringLiteral("7684"));
    }

    void calculateClickOnTheDefaults()
    {
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::RxInductance)->text(), QStringLiteral("7684"));
        QCOMPARE(edit(Field::RxTurns)->text(), QStringLiteral("173"));
        QCOMPARE(edit(Field::RxCrossSection)->text(), QStringLiteral("4.400082"));
        QCOMPARE(edit(Field::TxCrossSection)->text(), QStringLiteral("5.024"));
        QCOMPARE(edit(Field::TxInductance)->text(), QStringLiteral("408"));
        QCOMPARE(edit(Field::TxRingDiameter)->text(), QStringLiteral("190"));
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].title, std::string(text::kTurnCountTitle));
        QCOMPARE(boxes.shown[0].prompt, std::string(text::kTurnCountPrompt));
        QCOMPARE(boxes.shown[0].style, BoxStyle::ExclamationOk);
    }

    void realBoxesAreModalWithTheirIconsAndTexts()
    {
        window->setMessageBoxes(nullptr);
        BoxCloser closer;
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(closer.shown.size(), std::size_t(1));
        QCOMPARE(closer.shown[0].title, QStringLiteral("Ошибка. Неправильное значение витков RX"));
        QCOMPARE(closer.shown[0].prompt,
                 QStringLiteral("Подберите диаметр провода  или конденсатор для RX !!! "));
        QCOMPARE(closer.shown[0].icon, QMessageBox::Warning);

        // A fault box, then the program goes on and calculates again.
        edit(Field::RxFrequency)->setText(u"0"_s);
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(closer.shown.size(), std::size_t(2));
        QCOMPARE(closer.shown[1].title, QStringLiteral("Ошибка расчета"));
        QCOMPARE(closer.shown[1].icon, QMessageBox::Critical);
        QVERIFY(closer.shown[1].prompt.contains(u"«Желаемая частота - RX»"_s));

        edit(Field::RxFrequency)->setText(u"10"_s);
        edit(Field::RxCapacitance)->setText(u"27"_s);
        edit(Field::RxTurns)->setText(u"0"_s);
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::RxTurns)->text(), QStringLiteral("198"));
        QCOMPARE(closer.shown.size(), std::size_t(2));
    }

    void faultKeepsEarlierOutputsAndALaterRunWorks()
    {
        edit(Field::TxFrequency)->setText(u""_s);
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::TxCrossSection)->text(), QStringLiteral("5.024"));
        QCOMPARE(edit(Field::TxInductance)->text(), QStringLiteral("0"));
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].title, std::string(text::kFaultTitle));

        edit(Field::TxFrequency)->setText(u"11.5"_s);
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::TxInductance)->text(), QStringLiteral("408"));
    }

    void rxWireCheckRunsOnEveryEdit()
    {
        clearField(Field::RxWireDiameter);
        QVERIFY(boxes.shown.empty());
        QTest::keyClicks(edit(Field::RxWireDiameter), u"0."_s);
        QVERIFY(boxes.shown.empty());
        QTest::keyClick(edit(Field::RxWireDiameter), Qt::Key_3);
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].prompt, std::string(text::kRxWirePrompt));
        QCOMPARE(edit(Field::RxWireDiameter)->text(), QStringLiteral("0.3"));

        boxes.shown.clear();
        clearField(Field::RxWireDiameter);
        QTest::keyClicks(edit(Field::RxWireDiameter), u"0.255"_s);
        QCOMPARE(boxes.shown.size(), std::size_t(2));

        // Deleting back into the allowed range warns no more.
        boxes.shown.clear();
        QTest::keyClick(edit(Field::RxWireDiameter), Qt::Key_Backspace); // 0.25
        QTest::keyClick(edit(Field::RxWireDiameter), Qt::Key_Backspace); // 0.2
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(QApplication::focusWidget(), edit(Field::RxWireDiameter));
    }

    void txWireCheckRunsWhenLeavingTheField()
    {
        clearField(Field::TxWireDiameter);
        QTest::keyClicks(edit(Field::TxWireDiameter), u"0.5"_s);
        QVERIFY(boxes.shown.empty()); // not while typing

        QTest::keyClick(edit(Field::TxWireDiameter), Qt::Key_Tab);
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].prompt, std::string(text::kTxWirePrompt));
        QCOMPARE(QApplication::focusWidget(), edit(Field::TxRingDiameter));
        QCOMPARE(edit(Field::TxWireDiameter)->text(), QStringLiteral("0.5"));

        // Leaving another field runs no check.
        QTest::keyClick(edit(Field::TxRingDiameter), Qt::Key_Tab);
        QCOMPARE(boxes.shown.size(), std::size_t(1));

        // A click elsewhere, on a field or a button.
        QTest::mouseClick(edit(Field::TxWireDiameter), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), edit(Field::TxWireDiameter));
        QTest::mouseClick(edit(Field::TxTurns), Qt::LeftButton);
        QCOMPARE(boxes.shown.size(), std::size_t(2));
        QCOMPARE(QApplication::focusWidget(), edit(Field::TxTurns));

        // Shift+Tab back out of the field.
        edit(Field::TxWireDiameter)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit(Field::TxWireDiameter), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(boxes.shown.size(), std::size_t(3));
        QCOMPARE(QApplication::focusWidget(), edit(Field::TxCapacitance));

        // Values in range pass.
        edit(Field::TxWireDiameter)->setFocus(Qt::MouseFocusReason);
        edit(Field::TxWireDiameter)->setText(u"0.45"_s);
        QTest::keyClick(edit(Field::TxWireDiameter), Qt::Key_Tab);
        QCOMPARE(boxes.shown.size(), std::size_t(3));
    }

    void txWireCheckIgnoresLossOfActivation()
    {
        edit(Field::TxWireDiameter)->setText(u"1"_s);
        edit(Field::TxWireDiameter)->setFocus(Qt::MouseFocusReason);

        QWidget other;
        other.setWindowTitle(u"other"_s);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(boxes.shown.empty());

        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(QApplication::focusWidget(), edit(Field::TxWireDiameter));
        QVERIFY(boxes.shown.empty());

        QTest::keyClick(edit(Field::TxWireDiameter), Qt::Key_Tab);
        QCOMPARE(boxes.shown.size(), std::size_t(1));
    }

    void russianRegionalSettingsWriteACommaAndStillCalculate()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::RxCrossSection)->text(), QStringLiteral("4,400082"));
        QCOMPARE(edit(Field::TxCrossSection)->text(), QStringLiteral("5,024"));
        QCOMPARE(edit(Field::RxTurns)->text(), QStringLiteral("173"));

        // The outputs read back only where they are whole; a second run gives the same.
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::RxCrossSection)->text(), QStringLiteral("4,400082"));
        QCOMPARE(edit(Field::TxInductance)->text(), QStringLiteral("408"));
        QLocale::setDefault(saved);

        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::RxCrossSection)->text(), QStringLiteral("4.400082"));
    }

    void outputFieldsTakeTypingAndAreOverwritten()
    {
        clearField(Field::RxInductance);
        QTest::keyClicks(edit(Field::RxInductance), u"abc"_s);
        QCOMPARE(edit(Field::RxInductance)->text(), QStringLiteral("abc"));
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::RxInductance)->text(), QStringLiteral("7684"));
    }

    void pastingAMegabyteRaisesOneBoxPerEdit()
    {
        QLineEdit *wire = edit(Field::RxWireDiameter);
        QCOMPARE(wire->maxLength(), std::numeric_limits<int>::max());
        clearField(Field::RxWireDiameter);

        // A million digits lie beyond the double range: one fault box for the one paste.
        QApplication::clipboard()->setText(QString(1'000'000, QLatin1Char('9')));
        QTest::keyClick(wire, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(wire->text().size(), 1'000'000);
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].title, std::string(text::kFaultTitle));

        // A million blanks before a thin wire: no box at all.
        boxes.shown.clear();
        wire->selectAll();
        QApplication::clipboard()->setText(QString(1'000'000, QLatin1Char(' ')) + u"0.15"_s);
        QTest::keyClick(wire, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(boxes.shown.empty());

        // The pasted text reads as 0.15, just as the plain text does.
        MemoryFieldTexts plain;
        plain.setText(Field::RxWireDiameter, "0.15");
        RecordedMessages plainBoxes;
        calculate(plain, plainBoxes, ".");
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::RxTurns)->text(), qs(plain.text(Field::RxTurns)));
        QCOMPARE(edit(Field::RxCrossSection)->text(), qs(plain.text(Field::RxCrossSection)));
    }

    void informationWindowsOpenOnceBesideAWorkingMainWindow()
    {
        const auto visible = [](const char *name) {
            int count = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                count += w->objectName() == QLatin1String(name) && w->isVisible();
            return count;
        };
        QTest::mouseClick(button("Command2"), Qt::LeftButton);
        QTest::mouseClick(button("Command2"), Qt::LeftButton);
        QTest::mouseClick(button("Command3"), Qt::LeftButton);
        QTest::mouseClick(button("Command3"), Qt::LeftButton);
        QCOMPARE(visible("frmAbout"), 1);
        QCOMPARE(visible("frmAbout1"), 1);

        // Modeless: the main window keeps working while both are open.
        QVERIFY(!QApplication::activeModalWidget());
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(edit(Field::RxTurns)->text(), QStringLiteral("173"));

        // Closing the main window leaves them open; the run ends when the last one closes.
        const auto closeWindow = [](const char *name) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String(name) && w->isVisible())
                    w->close();
        };
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        std::vector<int> stillOpenAfterEachClose;
        QTimer::singleShot(0, window.get(), [&] {
            window->close();
            stillOpenAfterEachClose.push_back(visible("frmAbout") + visible("frmAbout1"));
            closeWindow("frmAbout");
            stillOpenAfterEachClose.push_back(lastClosed.count() == 0 ? visible("frmAbout1") : -1);
            closeWindow("frmAbout1");
        });
        QTimer failsafe;
        failsafe.callOnTimeout(&failsafe, [] { QCoreApplication::exit(2); });
        failsafe.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(stillOpenAfterEachClose, (std::vector<int>{2, 1}));
        QCOMPARE(lastClosed.count(), 1);
    }

    void nothingIsClippedAtThisScale()
    {
        // Run at several display scale factors by CTest; the layout is in logical pixels
        // and the fonts scale with it, so every text must still fit its box.
        for (QLabel *l : window->findChildren<QLabel *>()) {
            const QRect needed = l->fontMetrics().boundingRect(
                l->contentsRect(), int(l->alignment()) | Qt::TextWordWrap, l->text());
            QVERIFY2(l->contentsRect().contains(needed),
                     qPrintable(QStringLiteral("Label1(%1) \"%2\"")
                                    .arg(l->property("index").toInt())
                                    .arg(l->text())));
        }
        for (QPushButton *b : window->findChildren<QPushButton *>())
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) < b->width() - 8,
                     qPrintable(b->objectName()));
        for (QLineEdit *e : window->findChildren<QLineEdit *>())
            QVERIFY2(e->fontMetrics().height() <= e->height() - 4, qPrintable(e->objectName()));
        const QPixmap shot = window->grab();
        QCOMPARE(shot.deviceIndependentSize().toSize(), QSize(848, 594));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ui::setUpApplication(app);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "mainwindow_test.moc"
