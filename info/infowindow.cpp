#include "infowindow.h"

#include "textbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace info {

namespace {

void setColors(QWidget *widget, QPalette::ColorRole backgroundRole, const DesignColor &background,
               QPalette::ColorRole foregroundRole, const DesignColor &foreground)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, backgroundRole, background.color());
        palette.setColor(group, foregroundRole, foreground.color());
    }
    widget->setPalette(palette);
}

} // namespace

InfoWindow::InfoWindow(const WindowDesign &window, std::span<const ControlDesign> controls,
                       QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QString::fromLatin1(window.name));
    setWindowTitle(QString::fromUtf16(window.caption));
    // A close box but no system menu keeps a Windows dialog frame free of an icon.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon()); // not the application's icon either
    setAttribute(Qt::WA_DeleteOnClose);

    const QSize client(ui::twips(window.clientWidth), ui::twips(window.clientHeight));
    setFixedSize(client);
    QRect place(QPoint(ui::twips(window.left), ui::twips(window.top)), client);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        place.translate(available.topLeft());
        place.moveRight(std::min(place.right(), available.right()));
        place.moveBottom(std::min(place.bottom(), available.bottom()));
    }
    setGeometry(place);

    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, window.background.color());
    setPalette(palette);

    // Made in tab-index order, the controls take the focus by Tab in that order.
    std::vector<const ControlDesign *> inTabOrder;
    for (const ControlDesign &design : controls)
        inTabOrder.push_back(&design);
    std::stable_sort(inTabOrder.begin(), inTabOrder.end(),
                     [](const auto *a, const auto *b) { return a->tabIndex < b->tabIndex; });
    for (const ControlDesign *design : inTabOrder)
        createControl(*design);

    Q_ASSERT(cmdOK_);
    cmdOK_->setDefault(true);
    cmdOK_->setFocus();
    connect(cmdOK_, &QPushButton::clicked, this, &InfoWindow::cmdOK_Click);
}

void InfoWindow::createControl(const ControlDesign &design)
{
    QWidget *widget = nullptr;
    switch (design.kind) {
    case ControlKind::TextBox: {
        auto *box = new TextBox(this);
        box->setText(QString::fromUtf16(design.text));
        box->setVerticalScrollBarPolicy(design.scrollBars ? Qt::ScrollBarAsNeeded
                                                          : Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->document()->setDocumentMargin(design.textMargin);
        setColors(box, QPalette::Base, design.background, QPalette::Text, design.foreground);
        // The frame and the scroll bar take the toolkit's colours, not the window's dark
        // background, so that they stand out from it.
        QPalette palette = box->palette();
        for (const auto role :
             {QPalette::Window, QPalette::Button, QPalette::Light, QPalette::Midlight,
              QPalette::Mid, QPalette::Dark, QPalette::Shadow})
            palette.setBrush(role, QApplication::palette().brush(role));
        box->setPalette(palette);
        widget = box;
        break;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(QString::fromUtf16(design.text), this);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setColors(label, QPalette::Window, design.background, QPalette::WindowText,
                  design.foreground);
        widget = label;
        break;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(QString::fromUtf16(design.text), this);
        setColors(button, QPalette::Button, design.background, QPalette::ButtonText,
                  design.foreground);
        if (qstrcmp(design.name, "cmdOK") == 0)
            cmdOK_ = button;
        widget = button;
        break;
    }
    case ControlKind::Picture: {
        auto *picture = new QLabel(this);
        if (design.picture)
            picture->setPixmap(QPixmap::fromImage(design.picture()));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = picture;
        break;
    }
    }

    widget->setObjectName(QString::fromLatin1(design.name));
    if (design.index >= 0)
        widget->setProperty("index", design.index);
    widget->setGeometry(ui::twipsRect(design.left, design.top, design.width, design.height));
    widget->setFont(ui::designFont(ui::DesignFont::TimesNewRoman, design.fontPoints, design.bold));
    if (design.kind == ControlKind::Label)
        widget->setFocusPolicy(Qt::NoFocus);
    else
        widget->setFocusPolicy(design.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
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
