#include "app/updatecheck.h"

#include "app/programfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString UpdateCheck::checkUrl(const QString &upgradeUrl, const QString &userId, const QString &version)
{
    if (upgradeUrl.isEmpty())
        return QString();
    return QStringLiteral("%1?UserId=%2&Version=%3")
        .arg(upgradeUrl, QString::fromLatin1(QUrl::toPercentEncoding(userId)),
             QString::fromLatin1(QUrl::toPercentEncoding(version)));
}

QString UpdateCheck::newerVersion(const QByteArray &reply, int status)
{
    if (status < 200 || status > 299)
        return QString();
    const int zero = reply.indexOf('\0');
    const QString text = QString::fromUtf8(zero < 0 ? reply : reply.left(zero)).trimmed();
    if (text.size() > maxVersionLength)
        return QString();
    for (const QChar c : text) {
        if (c == QLatin1Char('<') || c == QLatin1Char('>') || !c.isPrint())
            return QString();
    }
    return text;
}

QString UpdateCheck::updaterPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QLatin1String(ProgramFiles::updater));
}

bool UpdateCheck::canUpdateInPlace(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const QFileInfo updater(updaterPath(programFolder));
    return folder.isDir() && folder.isWritable() && updater.isFile() && updater.isExecutable();
}
