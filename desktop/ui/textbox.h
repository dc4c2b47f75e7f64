// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A multi-line text box whose text, like the classic toolkit's, ends its lines with CR LF:
// setText() takes such a text and text() gives it back character for character, while the
// box shows one line per CR LF. Enter is left to the window's default button; Ctrl+Enter or
// Shift+Enter starts a new line.

#include <QPlainTextEdit>

namespace ui {

class TextBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit TextBox(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;

  protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace ui
