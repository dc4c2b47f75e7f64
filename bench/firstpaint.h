// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Ends the application right after a window's first paint, so that start-up can be measured
// as whole processes, from launch to the first frame on the screen.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

class QuitAfterFirstPaint : public QObject {
  public:
    // Owned by the window it watches.
    explicit QuitAfterFirstPaint(QWidget *window) : QObject(window)
    {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            // Queued, so that the controls' paint and the flush to the screen finish first.
            QTimer::singleShot(0, this, [] { QCoreApplication::quit(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool quitting_ = false;
};
