// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "uitest.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace testing_support {

namespace {

ExpectedBoxes *expected = nullptr;

#ifdef Q_OS_WIN
QColor windowsColour(int index)
{
    const COLORREF colour = GetSysColor(index);
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
#endif

} // namespace

ModalWatchdog::ModalWatchdog()
{
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::closeModalBox);
    timer_.start();
}

void ModalWatchdog::closeModalBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    const ExpectedBoxes::Box shown{box->windowTitle(), box->text(), box->icon()};
    if (expected) {
        expected->shown.push_back(shown);
        if (expected->close)
            expected->close(box);
        else
            box->done(QMessageBox::Ok);
        if (box->isVisible()) {
            box->done(QMessageBox::Ok);
            QTest::qFail("the box stayed open", __FILE__, __LINE__);
        }
        return;
    }
    box->done(QMessageBox::Ok);
    const QByteArray message =
        "unexpected box \"" + shown.title.toUtf8() + "\": \"" + shown.prompt.toUtf8() + '"';
    QTest::qFail(message.constData(), __FILE__, __LINE__);
}

ExpectedBoxes::ExpectedBoxes(std::function<void(QMessageBox *)> closeBox)
    : close(std::move(closeBox))
{
    expected = this;
}

ExpectedBoxes::~ExpectedBoxes()
{
    expected = nullptr;
}

bool open(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

bool isUnloaded(const QPointer<QWidget> &window)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
}

int visibleWindows(const char *name)
{
    int count = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->objectName() == QLatin1String(name) ? 1 : 0;
    return count;
}

QWidget *visibleWindow(const char *name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

#ifdef Q_OS_WIN
QColor desktopColour()
{
    return windowsColour(COLOR_BACKGROUND);
}

QColor windowBackgroundColour()
{
    return windowsColour(COLOR_WINDOW);
}
#else
QColor desktopColour()
{
    return QColor(0, 0, 0);
}

QColor windowBackgroundColour()
{
    return QColor(255, 255, 255);
}
#endif

double contrastRatio(const QColor &a, const QColor &b)
{
    // sRGB channels made linear, weighted by how bright each primary looks.
    const auto luminance = [](const QColor &c) {
        const auto linear = [](int channel) {
            const double v = channel / 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString designFontFault(const QFont &font, ui::DesignFont family, qreal points, bool bold)
{
    const QString designFamily = family == ui::DesignFont::MsSansSerif
                                     ? QStringLiteral("MS Sans Serif")
                                     : QStringLiteral("Times New Roman");
    const QString standIn = family == ui::DesignFont::MsSansSerif
                                ? QStringLiteral("Liberation Sans")
                                : QStringLiteral("Liberation Serif");
    const bool designUsable =
        QFontDatabase::families().contains(designFamily) &&
        QFontDatabase::isSmoothlyScalable(designFamily) &&
        QFontDatabase::writingSystems(designFamily).contains(QFontDatabase::Cyrillic);
    const QString expectedFamily = designUsable ? designFamily : standIn;
    const QString shown = QFontInfo(font).family();
    if (shown != expectedFamily)
        return QStringLiteral("shows %1 instead of %2").arg(shown, expectedFamily);
    if (font.pointSizeF() != points)
        return QStringLiteral("%1 pt instead of %2 pt").arg(font.pointSizeF()).arg(points);
    if (font.bold() != bold || font.italic())
        return QStringLiteral("wrong weight or slant");
    const QFontMetrics metrics(font);
    for (const char16_t letter : u"ЖжЫыЭэЁё")
        if (letter && !metrics.inFont(QChar(letter)))
            return QStringLiteral("no glyph for %1").arg(QChar(letter));
    return {};
}

} // namespace testing_support
