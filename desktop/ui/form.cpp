// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"

#include "textbox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace ui {

namespace {

void paint(QWidget *widget, QPalette::ColorRole role, const DesignColor &design)
{
    if (!design.isSet())
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, color(design));
    widget->setPalette(palette);
}

QFont fontOf(const ControlDesign &design)
{
    return designFont(design.font.family, design.font.points, design.font.bold);
}

// Each maker gives the text after the font, so that it is laid out once, in that font.
QWidget *makeButton(QWidget *window, const ControlDesign &design)
{
    auto *button = new QPushButton(window);
    button->setFont(fontOf(design));
    button->setText(qs(design.text));
    paint(button, QPalette::Button, design.background);
    paint(button, QPalette::ButtonText, design.foreground);
    // Enter presses a button only while that button has the focus.
    button->setAutoDefault(true);
    return button;
}

QWidget *makeField(QWidget *window, const ControlDesign &design)
{
    auto *field = new QLineEdit(window);
    field->setMaxLength(std::numeric_limits<int>::max()); // no limit of its own
    paint(field, QPalette::Base, design.background);
    paint(field, QPalette::Text, design.foreground);
    field->setAccessibleName(qs(design.description));
    field->setToolTip(qs(design.toolTip));
    // A field lays its whole line out on every edit and again on every paint, its cursor's
    // blinking included. Without shaping, which numbers do not need (letters lose only their
    // kerning), that takes about a third less: a megabyte pasted holds the window that much less.
    QFont font = fontOf(design);
    font.setStyleStrategy(QFont::PreferNoShaping);
    field->setFont(font);
    field->setText(qs(design.text));
    field->setCursorPosition(0);
    return field;
}

QWidget *makeTextBox(QWidget *window, const ControlDesign &design)
{
    auto *box = new TextBox(window);
    box->setVerticalScrollBarPolicy(design.scrollBars ? Qt::ScrollBarAsNeeded
                                                      : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->document()->setDocumentMargin(design.textMargin);
    paint(box, QPalette::Base, design.background);
    paint(box, QPalette::Text, design.foreground);
    // The frame and the scroll bar take the toolkit's colours, not a dark window's, so that
    // they stand out from it.
    QPalette palette = box->palette();
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Light, QPalette::Midlight,
                            QPalette::Mid, QPalette::Dark, QPalette::Shadow})
        palette.setBrush(role, QApplication::palette().brush(role));
    box->setPalette(palette);
    box->setFont(fontOf(design));
    box->setText(qs(design.text));
    return box;
}

QWidget *makeLabel(QWidget *window, const ControlDesign &design)
{
    auto *label = new QLabel(window);
    label->setTextFormat(Qt::PlainText);
    label->setFont(fontOf(design));
    label->setText(qs(design.text));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(design.opaque);
    paint(label, QPalette::Window, design.background);
    paint(label, QPalette::WindowText, design.foreground);
    return label;
}

QWidget *makeLine(QWidget *window, const ControlDesign &design)
{
    auto *line = new QWidget(window);
    line->setAutoFillBackground(true);
    paint(line, QPalette::Window, design.foreground);
    return line;
}

QWidget *makePicture(QWidget *window, const ControlDesign &)
{
    auto *picture = new QLabel(window);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

// The maker of each kind, in the order of ControlKind.
constexpr std::array kMakers{makeButton, makeField, makeTextBox, makeLabel, makeLine, makePicture};
static_assert(kMakers.size() == static_cast<std::size_t>(ControlKind::Picture) + 1);

QRect placeOf(const ControlDesign &design)
{
    const TwipsBox &box = design.place;
    if (design.kind == ControlKind::Line) {
        const QPoint from(twips(box.left), twips(box.top));
        const QPoint to(twips(box.left + box.width), twips(box.top + box.height));
        return QRect(from, to).normalized();
    }
    return twipsRect(box.left, box.top, box.width, box.height);
}

Qt::FocusPolicy focusPolicyOf(const ControlDesign &design)
{
    if (design.kind == ControlKind::Label || design.kind == ControlKind::Line)
        return Qt::NoFocus;
    return design.tabIndex >= 0 ? Qt::StrongFocus : Qt::ClickFocus;
}

} // namespace

void buildForm(QWidget &window, const FormDesign &design)
{
    window.setObjectName(qs(design.name));
    window.setWindowTitle(qs(design.caption));
    window.setFixedSize(twips(design.clientWidth), twips(design.clientHeight));
    window.setAutoFillBackground(true);
    paint(&window, QPalette::Window, design.background);

    std::vector<std::pair<int, QWidget *>> tabStops;
    for (const ControlDesign &row : design.controls) {
        QWidget *widget = kMakers[static_cast<std::size_t>(row.kind)](&window, row);
        widget->setObjectName(qs(row.name));
        if (row.index >= 0)
            widget->setProperty("index", row.index);
        widget->setGeometry(placeOf(row));
        widget->setFocusPolicy(focusPolicyOf(row));
        if (row.tabIndex >= 0)
            tabStops.emplace_back(row.tabIndex, widget);
    }

    std::stable_sort(tabStops.begin(), tabStops.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    if (!tabStops.empty())
        tabStops.front().second->setFocus(Qt::OtherFocusReason);
}

QWidget *findControl(const QWidget &window, std::string_view name, int element)
{
    for (QWidget *widget : window.findChildren<QWidget *>(qs(name), Qt::FindDirectChildrenOnly)) {
        const QVariant index = widget->property("index");
        if (element < 0 ? !index.isValid() : index == element)
            return widget;
    }
    return nullptr;
}

void showPicture(const QWidget &window, std::string_view name, const QImage &image)
{
    auto *picture = control<QLabel>(window, name);
    Q_ASSERT(picture);
    picture->setPixmap(QPixmap::fromImage(image));
}

QRect placeBeside(const QRect &opener, const QMargins &frame, QPoint offset, QSize client,
                  const QRect &available)
{
    QRect outer = QRect(opener.topLeft() + offset, client).marginsAdded(frame);
    // Right and bottom first, so that a window larger than the area keeps its top-left corner,
    // and with it the title bar, on the screen.
    outer.moveRight(std::min(outer.right(), available.right()));
    outer.moveBottom(std::min(outer.bottom(), available.bottom()));
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    return outer.marginsRemoved(frame);
}

} // namespace ui
