// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One information window for the whole run: created from its design on the first show,
// shown modeless beside the window that opens it, destroyed with its controls and edits when
// the user closes it, and made afresh on the next show. A show while it is open leaves the
// open window as it is, where it is, and brings it to the front with the focus.

#include <QPointer>
#include <QWidget>

namespace info {

template <typename Window> class SingleWindow {
  public:
    SingleWindow() = default;
    SingleWindow(const SingleWindow &) = delete;
    SingleWindow &operator=(const SingleWindow &) = delete;
    // A window still open when its owner goes lives on; the program ends with its last window.
    ~SingleWindow() = default;

    void show(const QWidget *opener = nullptr)
    {
        if (!window_) {
            window_ = new Window; // top-level: closing the main window leaves it open
            window_->setAttribute(Qt::WA_DeleteOnClose);
            if (opener)
                window_->placeBeside(opener);
        }
        window_->show();
        window_->raise();
        window_->activateWindow();
    }

    // The open window, or nullptr while it is closed.
    Window *current() const { return window_.data(); }

  private:
    QPointer<Window> window_;
};

} // namespace info
