// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "infowindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace info {

InfoWindow::InfoWindow(const ui::FormDesign &design, QWidget *parent)
    : QDialog(parent), design_(design)
{
    // A close box but no system menu keeps a Windows dialog frame free of an icon.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon()); // not the application's icon either
    setAttribute(Qt::WA_DeleteOnClose);
    ui::buildForm(*this, design);
    placeBeside(nullptr);

    cmdOK_ = ui::control<QPushButton>(*this, "cmdOK");
    Q_ASSERT(cmdOK_);
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &InfoWindow::cmdOK_Click);
}

void InfoWindow::placeBeside(const QWidget *opener)
{
    const QScreen *screen = opener ? opener->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect origin(available.topLeft(), QSize());
    QMargins frame;
    if (opener) {
        origin = opener->geometry();
        const QRect outer = opener->frameGeometry();
        frame = QMargins(origin.left() - outer.left(), origin.top() - outer.top(),
                         outer.right() - origin.right(), outer.bottom() - origin.bottom());
    }
    const QPoint offset(ui::twips(design_.left), ui::twips(design_.top));
    setGeometry(ui::placeBeside(origin, frame, offset, size(), available));
}

// Esc presses the cancel button, as Enter presses the default one.
void InfoWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void InfoWindow::cmdOK_Click()
{
    close();
}

} // namespace info
