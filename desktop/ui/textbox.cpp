// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textbox.h"

#include <QKeyEvent>

namespace ui {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
}

// A document line break stands for CR LF, so a text that ends with CR LF ends the box with an
// empty line, as the classic text box shows it.
void TextBox::setText(const QString &text)
{
    QString lines = text;
    lines.replace(kCrLf, QStringLiteral("\n"));
    setPlainText(lines);
}

QString TextBox::text() const
{
    return toPlainText().replace(QLatin1Char('\n'), kCrLf);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        event->ignore(); // the window's default button takes it
        return;
    }
    if (enter && (modifiers == Qt::ControlModifier || modifiers == Qt::ShiftModifier)) {
        textCursor().insertBlock();
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace ui
