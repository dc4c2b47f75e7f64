// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The calculator's main window, Form1: the fourteen fields, labels, frame lines and three
// buttons of the fixed design, wired to the Calculate command and the two wire checks.
// The window only shows things; the operations live in the core (calculator/commands.h) and
// reach the fields and message boxes through the interfaces the window implements.

#include "calculator/fields.h"
#include "calculator/messages.h"

#include <QWidget>

#include <memory>
#include <string_view>

class QLineEdit;
class QPushButton;

namespace mainwindow {

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The field texts as the commands see them.
    calculator::FieldTexts &fields();
    QLineEdit *field(calculator::Field field) const;
    QPushButton *button(std::string_view name) const;

    // Where the operations show their boxes: real modal boxes over this window, unless a
    // test hands in its own (nullptr restores the real ones).
    void setMessageBoxes(calculator::MessageBoxes *boxes);

  private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Text4_Change();
    void Text11_LostFocus();

    calculator::MessageBoxes &boxes();

    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace mainwindow
