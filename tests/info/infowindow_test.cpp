// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What both information windows share, tested once over each of them: the fixed dialog frame
// without icon, the yellow cmdOK that holds the focus and is the default button, the editable
// text box, and every way of closing, which unloads the window.

#include "tests/support/uitest.h"

#include "info/aboutwindow.h"
#include "info/authorwindow.h"
#include "ui/form.h"
#include "ui/textbox.h"

#include <QPushButton>

#include <memory>

using namespace Qt::StringLiterals;
using testing_support::designFontFault;
using ui::control;

namespace {

enum class Window { About, Author };

std::unique_ptr<info::InfoWindow> make(Window which)
{
    if (which == Window::About)
        return std::make_unique<info::AboutWindow>();
    return std::make_unique<info::AuthorWindow>();
}

// The windows as the user meets them, one row each.
void addWindowRows()
{
    QTest::addColumn<Window>("which");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QString>("button");
    QTest::addColumn<qreal>("textPoints");
    QTest::newRow("About") << Window::About << u"frmAbout"_s << u"О программе v.1"_s
                           << QSize(624, 312) << QColor(0, 0, 0) << u"Понял"_s << qreal(12);
    QTest::newRow("Author") << Window::Author << u"frmAbout1"_s << u"Автор программы"_s
                            << QSize(496, 220) << testing_support::desktopColour()
                            << u"Знаю такого)"_s << qreal(11.25);
}

enum class CloseBy {
    Click,
    Enter,
    KeypadEnter,
    Escape,
    EnterInTextBox,
    EscapeInTextBox,
    EnterOnPicture,
    EscapeOnPicture,
    CloseBox
};

} // namespace

class InfoWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void frameIsAFixedDialogWithoutIcon_data() { addWindowRows(); }
    void frameIsAFixedDialogWithoutIcon()
    {
        QFETCH(Window, which);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QColor, background);
        // Not the application's icon either.
        QApplication::setWindowIcon(ui::programIcon());
        const auto window = make(which);
        QApplication::setWindowIcon(QIcon());

        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->windowType(), Qt::Dialog);
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(window->windowIcon().isNull());
        QCOMPARE(window->palette().color(QPalette::Window), background);
        QVERIFY(window->autoFillBackground());

        QVERIFY(testing_support::open(window.get()));
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
    }

    void buttonHoldsTheFocusAndIsTheDefault_data() { addWindowRows(); }
    void buttonHoldsTheFocusAndIsTheDefault()
    {
        QFETCH(Window, which);
        QFETCH(QString, button);
        const auto window = make(which);
        QVERIFY(testing_support::open(window.get()));
        const auto *ok = control<QPushButton>(*window, "cmdOK");
        QVERIFY(ok);
        QCOMPARE(QApplication::focusWidget(), ok);
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->text(), button);
        QCOMPARE(ok->palette().color(QPalette::Button), QColor(255, 255, 0));
        const QString fault = designFontFault(ok->font(), ui::DesignFont::TimesNewRoman, 12);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void textBoxIsEditableLightYellowOnTheDesktopColour_data() { addWindowRows(); }
    void textBoxIsEditableLightYellowOnTheDesktopColour()
    {
        QFETCH(Window, which);
        QFETCH(qreal, textPoints);
        const auto window = make(which);
        const auto *box = control<ui::TextBox>(*window, "Text1");
        QVERIFY(box);
        QCOMPARE(box->palette().color(QPalette::Base), testing_support::desktopColour());
        QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 255, 192));
        const QString fault =
            designFontFault(box->font(), ui::DesignFont::TimesNewRoman, textPoints);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(box->focusPolicy(), Qt::ClickFocus);
        QVERIFY(!box->isReadOnly());
    }

    void closesBy_data()
    {
        QTest::addColumn<Window>("which");
        QTest::addColumn<CloseBy>("how");
        const std::pair<const char *, CloseBy> ways[]{
            {"click on cmdOK", CloseBy::Click},
            {"Enter on cmdOK", CloseBy::Enter},
            {"keypad Enter on cmdOK", CloseBy::KeypadEnter},
            {"Esc on cmdOK", CloseBy::Escape},
            {"Enter in the text box", CloseBy::EnterInTextBox},
            {"Esc in the text box", CloseBy::EscapeInTextBox},
            {"close box of the frame", CloseBy::CloseBox},
        };
        for (const auto &[way, how] : ways) {
            QTest::addRow("About: %s", way) << Window::About << how;
            QTest::addRow("Author: %s", way) << Window::Author << how;
        }
        QTest::newRow("Author: Enter on the picture") << Window::Author << CloseBy::EnterOnPicture;
        QTest::newRow("Author: Esc on the picture") << Window::Author << CloseBy::EscapeOnPicture;
    }

    void closesBy()
    {
        QFETCH(Window, which);
        QFETCH(CloseBy, how);
        QPointer<QWidget> window = make(which).release();
        QVERIFY(testing_support::open(window));
        auto *ok = control<QPushButton>(*window, "cmdOK");
        auto *box = control<ui::TextBox>(*window, "Text1");
        if (how == CloseBy::EnterInTextBox || how == CloseBy::EscapeInTextBox) {
            QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(40, 20));
            QCOMPARE(QApplication::focusWidget(), box);
        }
        if (how == CloseBy::EnterOnPicture || how == CloseBy::EscapeOnPicture) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), control<QWidget>(*window, "OLE1"));
        }

        switch (how) {
        case CloseBy::Click:
            QTest::mouseClick(ok, Qt::LeftButton);
            break;
        case CloseBy::Enter:
        case CloseBy::EnterInTextBox:
        case CloseBy::EnterOnPicture:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            break;
        case CloseBy::KeypadEnter:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
            break;
        case CloseBy::Escape:
        case CloseBy::EscapeInTextBox:
        case CloseBy::EscapeOnPicture:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            break;
        case CloseBy::CloseBox:
            QVERIFY(window->close());
            break;
        }
        if (window)
            QVERIFY(!window->isVisible());
        QVERIFY2(testing_support::isUnloaded(window), "the window was not unloaded");
    }
};

DDV_UI_TEST_MAIN(InfoWindowTest)
#include "infowindow_test.moc"
