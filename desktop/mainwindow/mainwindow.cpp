// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow.h"

#include "calculator/commands.h"
#include "calculator/numbers.h"
#include "design/mainform.h"
#include "info/aboutwindow.h"
#include "info/authorwindow.h"
#include "info/singlewindow.h"
#include "ui/design.h"
#include "ui/form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

namespace mainwindow {

using namespace calculator;

namespace {

using ui::qs;

// The field texts as the commands see them, held by the window's line edits. A written text
// shows from its first character, as a classic text box shows a text a program sets: a long
// number must not read from its end.
class WidgetFields : public FieldTexts {
  public:
    std::string text(Field field) const override { return edit(field)->text().toStdString(); }
    void setText(Field field, std::string_view text) override
    {
        edit(field)->setText(qs(text));
        edit(field)->setCursorPosition(0);
    }

    QLineEdit *edit(Field field) const { return edits[static_cast<std::size_t>(field)]; }
    std::array<QLineEdit *, kFieldCount> edits{};
};

// Real modal message boxes over the main window.
class WidgetBoxes : public MessageBoxes {
  public:
    explicit WidgetBoxes(QWidget *owner) : owner_(owner) {}

    void show(std::string_view title, std::string_view prompt, BoxStyle style) override
    {
        const auto icon =
            style == BoxStyle::CriticalOk ? QMessageBox::Critical : QMessageBox::Warning;
        QMessageBox box(icon, qs(title), qs(prompt), QMessageBox::Ok, owner_);
        ++shown_;
        box.exec();
    }

    // How many boxes have been shown so far.
    int shown() const { return shown_; }

  private:
    QWidget *owner_;
    int shown_ = 0;
};

// Typed into a field, a comma enters the decimal point that read number takes, whichever key
// typed it (the main row's, the keypad's decimal key under a Russian layout) or through an
// input method. The field handles the typing as its own, undo included; what is pasted, dropped
// or written by the program keeps its commas.
class TypedCommaAsPoint : public QObject {
  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *typed = static_cast<QKeyEvent *>(event);
            if (!typed->text().contains(QLatin1Char(kTypedComma)))
                return false;
            QKeyEvent point(typed->type(), typed->key(), typed->modifiers(),
                            typed->nativeScanCode(), typed->nativeVirtualKey(),
                            typed->nativeModifiers(), pointFor(typed->text()),
                            typed->isAutoRepeat(), typed->count(), typed->device());
            point.setTimestamp(typed->timestamp());
            return deliver(watched, event, point);
        }
        if (event->type() == QEvent::InputMethod) {
            const auto *typed = static_cast<QInputMethodEvent *>(event);
            if (!typed->commitString().contains(QLatin1Char(kTypedComma)))
                return false;
            QInputMethodEvent point(typed->preeditString(), typed->attributes());
            point.setCommitString(pointFor(typed->commitString()), typed->replacementStart(),
                                  typed->replacementLength());
            return deliver(watched, event, point);
        }
        return false;
    }

  private:
    static QString pointFor(QString text)
    {
        return text.replace(QLatin1Char(kTypedComma), QLatin1Char(kDecimalPoint));
    }

    // The field handles the changed event in place of the typed one; what it does not accept
    // goes on to the window as the typed one would.
    static bool deliver(QObject *field, QEvent *typed, QEvent &changed)
    {
        field->event(&changed);
        typed->setAccepted(changed.isAccepted());
        return true;
    }
};

// A press on a button that takes the focus from a field whose check shows a box reaches the
// button only once the box is closed: the application moves the focus before it delivers the
// press. The release that went with it fell meanwhile on the window the box blocked, so the
// button would stay down and never click. Such a press is taken as the whole click.
class ClickAfterBox : public QObject {
  public:
    // The focus has just moved to widget while a box held the event. The press that moved it,
    // if a press did, is delivered next, before anything posted now.
    void expectPressOn(QWidget *widget)
    {
        button_ = qobject_cast<QAbstractButton *>(widget);
        if (!button_)
            return;
        button_->installEventFilter(this);
        QMetaObject::invokeMethod(
            this, [this] { forget(); }, Qt::QueuedConnection);
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != button_ || event->type() != QEvent::MouseButtonPress ||
            static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        QAbstractButton *button = button_;
        forget();
        button->click();
        return true;
    }

  private:
    void forget()
    {
        if (button_)
            button_->removeEventFilter(this);
        button_ = nullptr;
    }

    QPointer<QAbstractButton> button_;
};

} // namespace

struct MainWindow::Parts {
    explicit Parts(QWidget *owner) : windowBoxes(owner) {}

    WidgetFields fields;
    WidgetBoxes windowBoxes;
    TypedCommaAsPoint typedCommaAsPoint;
    ClickAfterBox clickAfterBox;
    MessageBoxes *substituteBoxes = nullptr;
    info::SingleWindow<info::AboutWindow> about;
    info::SingleWindow<info::AuthorWindow> author;
};

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      parts_(std::make_unique<Parts>(this))
{
    ui::buildForm(*this, design::mainform::kForm);
    setWindowIcon(ui::programIcon());
    for (const FieldInfo &f : kFields) {
        QLineEdit *edit = ui::control<QLineEdit>(*this, f.controlName, f.index);
        edit->installEventFilter(&parts_->typedCommaAsPoint);
        parts_->fields.edits[static_cast<std::size_t>(f.field)] = edit;
    }

    connect(button("Command1"), &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(button("Command2"), &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(button("Command3"), &QPushButton::clicked, this, &MainWindow::Command3_Click);
    // Connected after the default texts are in place, so start-up runs no check.
    connect(field(Field::RxWireDiameter), &QLineEdit::textChanged, this, &MainWindow::Text4_Change);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *from, QWidget *to) {
        // Only a move to another control of this window counts; losing the activation to
        // another window or a box does not.
        if (from != field(Field::TxWireDiameter) || !to || to->window() != this)
            return;
        const int boxesBefore = parts_->windowBoxes.shown();
        Text11_LostFocus();
        if (parts_->windowBoxes.shown() != boxesBefore)
            parts_->clickAfterBox.expectPressOn(to);
    });
}

MainWindow::~MainWindow()
{
    // Destroying the widgets moves the focus, and the application would report that to a
    // window whose parts are already gone.
    disconnect(qApp, nullptr, this, nullptr);
}

FieldTexts &MainWindow::fields()
{
    return parts_->fields;
}

QLineEdit *MainWindow::field(Field field) const
{
    return parts_->fields.edit(field);
}

QPushButton *MainWindow::button(std::string_view name) const
{
    return ui::control<QPushButton>(*this, name);
}

void MainWindow::setMessageBoxes(MessageBoxes *boxes)
{
    parts_->substituteBoxes = boxes;
}

MessageBoxes &MainWindow::boxes()
{
    return parts_->substituteBoxes ? *parts_->substituteBoxes : parts_->windowBoxes;
}

void MainWindow::Command1_Click()
{
    calculate(parts_->fields, boxes(), QLocale().decimalPoint().toStdString());
}

void MainWindow::Command2_Click()
{
    parts_->about.show(this);
}

void MainWindow::Command3_Click()
{
    parts_->author.show(this);
}

void MainWindow::Text4_Change()
{
    checkRxWire(parts_->fields, boxes());
}

void MainWindow::Text11_LostFocus()
{
    checkTxWire(parts_->fields, boxes());
}

} // namespace mainwindow
