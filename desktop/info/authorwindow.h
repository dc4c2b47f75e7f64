// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// frmAbout1: the author's picture, name, e-mail and messenger contact, a text box with the
// author's department and university, and the button cmdOK ("Знаю такого)").

#include "infowindow.h"

namespace info {

class AuthorWindow : public InfoWindow {
    Q_OBJECT

  public:
    explicit AuthorWindow(QWidget *parent = nullptr);
};

} // namespace info
