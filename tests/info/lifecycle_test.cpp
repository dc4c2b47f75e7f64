// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The information windows as single instances: one window however often it is shown, loaded
// afresh after it is closed, both open together, and alive after the window that opened them
// has closed, with the program ending only when the last window closes.

#include "tests/support/uitest.h"

#include "info/aboutwindow.h"
#include "info/authorwindow.h"
#include "info/singlewindow.h"
#include "ui/form.h"
#include "ui/textbox.h"

#include <QPushButton>
#include <QTimer>

using testing_support::isUnloaded;
using testing_support::visibleWindows;
using ui::control;
using ui::TextBox;

namespace {

// Shows the window as the main window's button does and types into its text box.
template <typename Window> QString showAndEdit(info::SingleWindow<Window> &single)
{
    single.show();
    auto *box = control<TextBox>(*single.current(), "Text1");
    const QString designed = box->text();
    QTest::mouseClick(box->viewport(), Qt::LeftButton);
    box->moveCursor(QTextCursor::Start);
    QTest::keyClicks(box, QStringLiteral("edit"));
    return designed;
}

} // namespace

class LifecycleTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void firstShowCreatesTheWindow()
    {
        info::SingleWindow<info::AboutWindow> about;
        QVERIFY(!about.current());
        QCOMPARE(visibleWindows("frmAbout"), 0);
        about.show();
        QVERIFY(about.current());
        QVERIFY(about.current()->isVisible());
        QVERIFY(!about.current()->isModal());
        QCOMPARE(visibleWindows("frmAbout"), 1);
    }

    // A second show brings the open window to the front, as it is and where it is.
    void twoShowsGiveOneWindowLeftAsItIs()
    {
        info::SingleWindow<info::AboutWindow> about;
        info::SingleWindow<info::AuthorWindow> author;
        const QString designed = showAndEdit(about);
        showAndEdit(author);
        const QPointer<QWidget> firstAbout = about.current();
        const QPointer<QWidget> firstAuthor = author.current();
        const QRect aboutPlace = firstAbout->geometry();
        QWidget mainWindow; // in front of both, as after a click on the main window
        QVERIFY(testing_support::open(&mainWindow));
        about.show();
        QTRY_COMPARE(QApplication::activeWindow(), firstAbout.data());
        author.show();
        QTRY_COMPARE(QApplication::activeWindow(), firstAuthor.data());
        QCOMPARE(about.current(), firstAbout.data());
        QCOMPARE(author.current(), firstAuthor.data());
        QCOMPARE(firstAbout->geometry(), aboutPlace);
        QCOMPARE(visibleWindows("frmAbout"), 1);
        QCOMPARE(visibleWindows("frmAbout1"), 1);
        QCOMPARE(control<TextBox>(*about.current(), "Text1")->text(),
                 QStringLiteral("edit") + designed);
    }

    void closingUnloadsAndTheNextShowLoadsTheDesign_data()
    {
        QTest::addColumn<bool>("about");
        QTest::newRow("About") << true;
        QTest::newRow("Author") << false;
    }

    void closingUnloadsAndTheNextShowLoadsTheDesign()
    {
        QFETCH(bool, about);
        info::SingleWindow<info::AboutWindow> aboutWindow;
        info::SingleWindow<info::AuthorWindow> authorWindow;
        const auto current = [&]() -> QWidget * {
            return about ? static_cast<QWidget *>(aboutWindow.current()) : authorWindow.current();
        };
        const QString designed = about ? showAndEdit(aboutWindow) : showAndEdit(authorWindow);
        const QPointer<QWidget> first = current();
        QVERIFY(control<TextBox>(*first, "Text1")->text() != designed);

        QTest::mouseClick(control<QPushButton>(*first, "cmdOK"), Qt::LeftButton);
        QVERIFY(isUnloaded(first));
        QVERIFY(!current());

        about ? aboutWindow.show() : authorWindow.show();
        QVERIFY(current());
        QCOMPARE(control<TextBox>(*current(), "Text1")->text(), designed);
        QCOMPARE(current()->focusWidget(), control<QWidget>(*current(), "cmdOK"));
    }

    void bothOpenTogetherEachClosingOnlyItself()
    {
        info::SingleWindow<info::AboutWindow> about;
        info::SingleWindow<info::AuthorWindow> author;
        about.show();
        author.show();
        QVERIFY(about.current()->isVisible());
        QVERIFY(author.current()->isVisible());

        QVERIFY(testing_support::open(author.current()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(isUnloaded(author.current()));
        QVERIFY(about.current() && about.current()->isVisible());

        author.show();
        QVERIFY(testing_support::open(about.current()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(isUnloaded(about.current()));
        QVERIFY(author.current() && author.current()->isVisible());
    }

    // A stand-in for the main window opens the About window and closes; the program goes on
    // until the About window closes too, and then ends by itself.
    void programEndsWithTheLastWindow()
    {
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QWidget mainWindow;
        info::SingleWindow<info::AboutWindow> about;
        int lastWindowClosed = 0;
        bool aboutOpenAfterMainClosed = false;
        bool aboutOpenAtQuit = true;
        bool timedOut = false;
        QObject observer; // its connections end with this test
        connect(qApp, &QGuiApplication::lastWindowClosed, &observer, [&] { ++lastWindowClosed; });
        connect(qApp, &QCoreApplication::aboutToQuit, &observer,
                [&] { aboutOpenAtQuit = about.current() && about.current()->isVisible(); });

        mainWindow.show();
        about.show();
        QTimer::singleShot(0, this, [&] {
            mainWindow.close();
            aboutOpenAfterMainClosed = about.current() && about.current()->isVisible();
            QTimer::singleShot(0, this, [&] {
                QCOMPARE(lastWindowClosed, 0);
                QTest::mouseClick(control<QPushButton>(*about.current(), "cmdOK"), Qt::LeftButton);
            });
        });
        QTimer watchdog; // ends a run in which the program fails to end by itself
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, this, [&] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        watchdog.start(20000);

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!timedOut);
        QVERIFY(aboutOpenAfterMainClosed);
        QCOMPARE(lastWindowClosed, 1);
        QVERIFY(!aboutOpenAtQuit);
    }
};

DDV_UI_TEST_MAIN(LifecycleTest)
#include "lifecycle_test.moc"
