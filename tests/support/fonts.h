#ifndef SUPPORT_FONTS_H
#define SUPPORT_FONTS_H

// The comic face that stands in for the default text family where that one
// is missing, as the tests see it.

#include <QFont>
#include <QFontDatabase>
#include <QString>

// Why the stand-in cannot be seen on this machine, for QSKIP; null when it
// can: the default family missing, the stand-in installed.
inline const char *defaultFamilyStandInAbsence()
{
    const QFontDatabase fonts;
    if (fonts.hasFamily(QStringLiteral("Comic Sans MS")))
        return "the default family is installed here: nothing stands in for it";
    if (!fonts.hasFamily(QStringLiteral("Comic Neue")))
        return "Comic Neue is not installed (tools/install-deps.sh installs it)";
    return nullptr;
}

// The program has put the stand-in in place (Qt keeps the names of
// substitutes in small letters).
inline bool defaultFamilyStandsIn()
{
    return QFont::substitutes(QStringLiteral("Comic Sans MS"))
        .contains(QStringLiteral("Comic Neue"), Qt::CaseInsensitive);
}

#endif // SUPPORT_FONTS_H
