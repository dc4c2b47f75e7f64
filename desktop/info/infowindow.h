// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What both information windows are: a fixed dialog frame without minimise or maximise box
// and without window icon, a solid background, the controls of a design at their fixed places,
// and one button, cmdOK, that is the default and the cancel button and unloads the window.
// Unloading destroys the window with its controls and any edits in them.

#include "ui/form.h"

#include <QDialog>

class QPushButton;

namespace info {

class InfoWindow : public QDialog {
    Q_OBJECT

  public:
    explicit InfoWindow(const ui::FormDesign &design, QWidget *parent = nullptr);

    // Places the window where its design opens it beside opener, or beside the screen's
    // top-left corner without one; the window system may still place it elsewhere.
    void placeBeside(const QWidget *opener);

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void cmdOK_Click();

    const ui::FormDesign &design_;
    QPushButton *cmdOK_ = nullptr;
};

} // namespace info
