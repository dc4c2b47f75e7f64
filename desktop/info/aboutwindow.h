// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// frmAbout: what the calculator does and the design rule its cross-sections serve, in a text
// box the user may edit until the window is unloaded, and the button cmdOK ("Понял").

#include "infowindow.h"

namespace info {

class AboutWindow : public InfoWindow {
    Q_OBJECT

  public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

} // namespace info
