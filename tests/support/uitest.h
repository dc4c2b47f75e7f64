// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window tests share: the test program's start with the program's own application
// set-up and a watchdog for modal boxes, opening a window as the user sees it, waiting for an
// unloaded window to be gone, counting windows on screen, checking a control's font, and the
// contrast of two colours.

#include "ui/design.h"

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

namespace testing_support {

// Closes every modal box that opens while the tests run, so that a box raised by real event
// handling never blocks the suite. A box that no ExpectedBoxes is waiting for fails the
// running test.
class ModalWatchdog : public QObject {
  public:
    ModalWatchdog();

  private:
    void closeModalBox();
    QTimer timer_;
};

// While one exists, the watchdog keeps the boxes it closes here instead of failing the test.
class ExpectedBoxes {
  public:
    struct Box {
        QString title;
        QString prompt;
        QMessageBox::Icon icon;
    };

    // close does what the person does to each box while it is up (a click on OK, a key);
    // without it the box ends as OK would end it.
    explicit ExpectedBoxes(std::function<void(QMessageBox *)> closeBox = {});
    ~ExpectedBoxes();
    ExpectedBoxes(const ExpectedBoxes &) = delete;
    ExpectedBoxes &operator=(const ExpectedBoxes &) = delete;

    std::vector<Box> shown;
    const std::function<void(QMessageBox *)> close;
};

// Runs the test object's test functions in an application set up as the program sets it up.
template <typename Tests> int runUiTests(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ui::setUpApplication(app);
    const ModalWatchdog watchdog;
    Tests tests;
    return QTest::qExec(&tests, argc, argv);
}

// Shows the window and makes it the active one, so that keys reach its focus widget.
[[nodiscard]] bool open(QWidget *window);

// Runs the deletions that closing a window has queued; true when the window is gone.
[[nodiscard]] bool isUnloaded(const QPointer<QWidget> &window);

// The top-level widgets with that object name that are on screen, and one of them (nullptr
// when there is none).
int visibleWindows(const char *name);
QWidget *visibleWindow(const char *name);

// The two system colours of the designs as this platform gives them, asked from Windows itself
// there, elsewhere their classic values written out: the desktop black, as current Windows has
// it, and the window background white.
QColor desktopColour();
QColor windowBackgroundColour();

// WCAG's contrast ratio of two colours, from 1 (the same) to 21 (black and white): the lighter
// one's relative luminance over the darker one's, each plus 0.05.
double contrastRatio(const QColor &a, const QColor &b);

// Empty when the font is the design's family where it is installed as a scalable font with
// Cyrillic letters, otherwise the Liberation font that stands in for it (the program depends
// on fonts-liberation), at the design's size and weight, with Cyrillic glyphs; otherwise what
// is wrong.
QString designFontFault(const QFont &font, ui::DesignFont family, qreal points, bool bold = false);

} // namespace testing_support

#define DDV_UI_TEST_MAIN(Tests)                                                                    \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        return testing_support::runUiTests<Tests>(argc, argv);                                     \
    }
