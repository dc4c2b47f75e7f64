// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

#include <span>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ui {

namespace {

// The design's families with their stand-ins (design/schema.h) as the toolkit names them.
const QStringList &candidates(DesignFont family)
{
    static const auto list = [](std::span<const std::string_view> names) {
        QStringList families;
        for (const std::string_view name : names)
            families.append(qs(name));
        return families;
    };
    static const QStringList sans = list(design::kSansFamilies);
    static const QStringList serif = list(design::kSerifFamilies);
    return family == DesignFont::MsSansSerif ? sans : serif;
}

// The first candidate that is installed, scales to every size and has Cyrillic letters,
// looked up once. Windows still carries "MS Sans Serif" as a bitmap font in a few sizes, which
// could show neither the 48 pt block letters nor, outside Russian Windows, Cyrillic text.
// Asking the toolkit for a family that is missing sends every font made from it through
// fontconfig's substitution rules, which costs a large share of the start-up time; the list
// of installed families does not.
QString installedFamily(DesignFont family)
{
    static const auto pick = [](DesignFont f) {
        const QStringList installed = QFontDatabase::families();
        for (const QString &name : candidates(f))
            if (installed.contains(name, Qt::CaseInsensitive) &&
                QFontDatabase::isSmoothlyScalable(name) &&
                QFontDatabase::writingSystems(name).contains(QFontDatabase::Cyrillic))
                return name;
        return candidates(f).front();
    };
    static const QString sans = pick(DesignFont::MsSansSerif);
    static const QString serif = pick(DesignFont::TimesNewRoman);
    return family == DesignFont::MsSansSerif ? sans : serif;
}

} // namespace

QFont designFont(DesignFont family, qreal points, bool bold)
{
    QFont font(installedFamily(family));
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
    return QColor::fromRgb(design::fixedRgb(which));
#endif
}

QColor color(const DesignColor &color)
{
    return color.kind == DesignColor::Kind::System ? systemColor(color.system)
                                                   : QColor::fromRgb(color.rgb);
}

void setUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("DD for Velmor"));
    QApplication::setApplicationVersion(QStringLiteral(DDV_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Tamrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("ddvelmor"));

    // Fusion paints the coloured button faces and field backgrounds of the designs on
    // every platform; native styles ignore some of them.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The toolkit's own texts (the fields' context menus) in Russian like the rest of the
    // program, whatever the system's locale. Linux keeps the catalogue in Qt's translations
    // folder, the Windows program in translations/ beside it, which is that folder for a
    // program that carries its own Qt. Without it they stay in English.
    auto *catalogue = new QTranslator(&app);
    if (catalogue->load(QStringLiteral("qtbase_ru"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(catalogue);
    else
        delete catalogue;
}

} // namespace ui
