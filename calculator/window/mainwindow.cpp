#include "mainwindow.h"

#include "layout.h"

#include "calculator/commands.h"
#include "info/aboutwindow.h"
#include "info/authorwindow.h"
#include "info/singlewindow.h"
#include "ui/design.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include <limits>

namespace calculator {

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void setColor(QWidget *widget, QPalette::ColorRole role, QColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

// Control arrays keep their element index where tools and tests can find it.
void nameControl(QWidget *widget, std::string_view name, int index = -1)
{
    widget->setObjectName(qs(name));
    if (index >= 0)
        widget->setProperty("index", index);
}

// The field texts as the commands see them, held by the window's line edits.
class WidgetFields : public FieldTexts {
  public:
    std::string text(Field field) const override { return edit(field)->text().toStdString(); }
    void setText(Field field, std::string_view text) override { edit(field)->setText(qs(text)); }

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
        box.exec();
    }

  private:
    QWidget *owner_;
};

} // namespace

struct MainWindow::Parts {
    explicit Parts(QWidget *owner) : windowBoxes(owner) {}

    WidgetFields fields;
    WidgetBoxes windowBoxes;
    MessageBoxes *substituteBoxes = nullptr;
    info::SingleWindow<info::AboutWindow> about;
    info::SingleWindow<info::AuthorWindow> author;
};

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      parts_(std::make_unique<Parts>(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(layout::kCaption));
    setWindowIcon(ui::programIcon());
    setFixedSize(ui::twips(layout::kClientWidth), ui::twips(layout::kClientHeight));
    setAutoFillBackground(true);
    setColor(this, QPalette::Window, layout::kBackground.color());

    // Focus order, 1-based positions into this list.
    std::array<QWidget *, layout::kTabStops> tabOrder{};

    const QFont buttonFont = ui::designFont(ui::DesignFont::TimesNewRoman, layout::kButtonPoints);
    std::array<QPushButton *, layout::kButtons.size()> buttons{};
    for (std::size_t i = 0; i < layout::kButtons.size(); ++i) {
        const layout::ButtonDesign &design = layout::kButtons[i];
        auto *button = new QPushButton(qs(design.caption), this);
        nameControl(button, design.name);
        button->setGeometry(ui::twipsRect(design.left, layout::kButtonTop, layout::kButtonWidth,
                                          layout::kButtonHeight));
        button->setFont(buttonFont);
        setColor(button, QPalette::Button, design.face.color());
        // Enter presses a button only while that button has the focus.
        button->setAutoDefault(true);
        tabOrder[std::size_t(design.tabPosition - 1)] = button;
        buttons[i] = button;
    }

    const QFont fieldFont = ui::designFont(ui::DesignFont::MsSansSerif, layout::kFieldPoints);
    for (const layout::FieldDesign &design : layout::kFieldDesigns) {
        const FieldInfo &field = info(design.field);
        // The text goes in after the font, so that it is laid out once, in that font.
        auto *edit = new QLineEdit(this);
        nameControl(edit, field.controlName, field.index);
        edit->setGeometry(
            ui::twipsRect(design.left, design.top, layout::kFieldWidth, layout::kFieldHeight));
        edit->setFont(fieldFont);
        edit->setMaxLength(std::numeric_limits<int>::max()); // no limit of its own
        setColor(edit, QPalette::Base, design.background.color());
        edit->setAccessibleName(qs(field.label));
        if (!design.toolTip.empty())
            edit->setToolTip(qs(design.toolTip));
        edit->setText(qs(field.defaultText));
        edit->setCursorPosition(0);
        tabOrder[std::size_t(design.tabPosition - 1)] = edit;
        parts_->fields.edits[static_cast<std::size_t>(design.field)] = edit;
    }

    const QColor labelBackground = ui::systemColor(ui::SystemColor::Desktop);
    for (const layout::LabelDesign &design : layout::kLabels) {
        auto *label = new QLabel(qs(design.text), this);
        nameControl(label, "Label1", design.index);
        label->setGeometry(ui::twipsRect(design.left, design.top, design.width, design.height));
        label->setFont(ui::designFont(ui::DesignFont::MsSansSerif, design.points));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, labelBackground);
        palette.setColor(QPalette::WindowText, design.textColor.color());
        label->setPalette(palette);
    }

    // Lines are horizontal or vertical, one logical pixel wide, ends included.
    const QColor lineColor = layout::kWindowBackground.color();
    for (const layout::LineDesign &design : layout::kLines) {
        auto *line = new QWidget(this);
        nameControl(line, design.name, design.index);
        const QPoint from(ui::twips(design.x1), ui::twips(design.y1));
        const QPoint to(ui::twips(design.x2), ui::twips(design.y2));
        line->setGeometry(QRect(from, to).normalized());
        line->setAutoFillBackground(true);
        setColor(line, QPalette::Window, lineColor);
    }

    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    tabOrder.front()->setFocus(Qt::OtherFocusReason);

    connect(buttons[0], &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(buttons[1], &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(buttons[2], &QPushButton::clicked, this, &MainWindow::Command3_Click);
    // Connected after the default texts are in place, so start-up runs no check.
    connect(field(Field::RxWireDiameter), &QLineEdit::textChanged, this, &MainWindow::Text4_Change);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *from, QWidget *to) {
        // Only a move to another control of this window counts; losing the activation to
        // another window or a box does not.
        if (from == field(Field::TxWireDiameter) && to && to->window() == this)
            Text11_LostFocus();
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
    parts_->about.show();
}

void MainWindow::Command3_Click()
{
    parts_->author.show();
}

void MainWindow::Text4_Change()
{
    checkRxWire(parts_->fields, boxes());
}

void MainWindow::Text11_LostFocus()
{
    checkTxWire(parts_->fields, boxes());
}

} // namespace calculator
