#include "design.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QStyleFactory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ui {

namespace {

constexpr auto kMsSansSerif = "MS Sans Serif";
constexpr auto kTimesNewRoman = "Times New Roman";

} // namespace

QFont designFont(DesignFont family, qreal points, bool bold)
{
    QFont font(family == DesignFont::MsSansSerif ? kMsSansSerif : kTimesNewRoman);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(family == DesignFont::MsSansSerif ? QFont::SansSerif : QFont::Serif);
    return font;
}

QColor systemColor(SystemColor which)
{
#ifdef Q_OS_WIN
    const DWORD rgb = GetSysColor(static_cast<int>(which));
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
#else
    switch (which) {
    case SystemColor::Desktop:
        return Qt::black;
    case SystemColor::WindowBackground:
        return QGuiApplication::palette().color(QPalette::Base);
    }
    return Qt::black;
#endif
}

void setUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("DD for Velmor"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("Tamrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("ddvelmor"));

    // Fusion paints the coloured button faces and field backgrounds of the designs on
    // every platform; native styles ignore some of them.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // Liberation Serif shares the metrics of Times New Roman; Liberation Sans is close to
    // the old sans serif and, like the others listed, has Cyrillic glyphs.
    QFont::insertSubstitutions(QString::fromLatin1(kMsSansSerif),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QString::fromLatin1(kTimesNewRoman),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

} // namespace ui
