#pragma once

// Checks a control's font against its design: the design's family where it is installed,
// otherwise the Liberation font that stands in for it (the program depends on
// fonts-liberation), at the design's size and weight, with Cyrillic glyphs.

#include "ui/design.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QString>

namespace testing_support {

// Empty when the font matches, otherwise what is wrong.
inline QString designFontFault(const QFont &font, ui::DesignFont family, qreal points,
                               bool bold = false)
{
    const QStringList candidates = ui::designFamilies(family);
    const QString designFamily = candidates.front();
    const QString standIn = family == ui::DesignFont::MsSansSerif
                                ? QStringLiteral("Liberation Sans")
                                : QStringLiteral("Liberation Serif");
    const QString expected =
        QFontDatabase::families().contains(designFamily) ? designFamily : standIn;
    const QString shown = QFontInfo(font).family();
    if (shown != expected)
        return QStringLiteral("shows %1 instead of %2").arg(shown, expected);
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
