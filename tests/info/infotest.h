#pragma once

// What the information window tests share: finding a control by its design name and element,
// opening a window as the user sees it, and waiting for an unloaded window to be gone.

#include "ui/design.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>

namespace infotest {

// The control of the design with that name and element index (-1 for a single control).
template <typename Control = QWidget>
Control *control(const QWidget *window, const char *name, int index = -1)
{
    const auto matches = window->findChildren<Control *>(QString::fromLatin1(name));
    for (Control *candidate : matches) {
        const QVariant element = candidate->property("index");
        if ((index < 0 && !element.isValid()) || (element.isValid() && element.toInt() == index))
            return candidate;
    }
    return nullptr;
}

// The program's own set-up: fonts and their substitutes, the Fusion style.
inline void setUpApplication()
{
    ui::setUpApplication(*qobject_cast<QApplication *>(qApp));
}

// Shows the window and makes it the active one, so that keys reach its focus widget.
[[nodiscard]] inline bool open(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Runs the deletions that closing a window has queued; true when the window is gone.
[[nodiscard]] inline bool isUnloaded(const QPointer<QWidget> &window)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
}

// The top-level widgets with that object name that are on screen.
inline int visibleWindows(const char *name)
{
    int count = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->objectName() == QLatin1String(name) ? 1 : 0;
    return count;
}

} // namespace infotest
