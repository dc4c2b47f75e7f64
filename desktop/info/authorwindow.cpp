// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "authorwindow.h"

#include "authorpicture.h"

#include "design/infoforms.h"

namespace info {

AuthorWindow::AuthorWindow(QWidget *parent) : InfoWindow(design::authorform::kForm, parent)
{
    ui::showPicture(*this, "OLE1", authorPicture());
}

} // namespace info
