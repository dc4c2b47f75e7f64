// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aboutwindow.h"

#include "design/infoforms.h"

namespace info {

AboutWindow::AboutWindow(QWidget *parent) : InfoWindow(design::aboutform::kForm, parent) {}

} // namespace info
