#include "app/usersettings.h"

#include "app/initext.h"
#include "app/programfiles.h"
#include "model/filehelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QLatin1String themeNameKey("themeName");
const QLatin1String userIdKey("userId");
const QLatin1String lastVersionKey("lastVersion");
const QLatin1String emailKey("email");

// Four short texts: a larger file is none of ours.
constexpr qint64 kMaxFileSize = 1024 * 1024;

// The file's bytes; empty for a file that is missing, no regular file (a
// FIFO would block the start) or too large.
QByteArray readSettingsFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileSize)
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    return bytes.size() > kMaxFileSize ? QByteArray() : bytes;
}

} // namespace

UserSettings &UserSettings::instance()
{
    static UserSettings settings;
    return settings;
}

QString UserSettings::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/')
        + QLatin1String(ProgramFiles::settingsFolder) + QLatin1Char('/') + QLatin1String(ProgramFiles::settingsName)
        + QLatin1String(".ini");
}

void UserSettings::load()
{
    load(filePath());
}

void UserSettings::load(const QString &path)
{
    const QHash<QString, QString> values = IniText::read(readSettingsFile(path));
    m_themeName = values.value(themeNameKey);
    m_userId = values.value(userIdKey);
    m_lastVersion = values.value(lastVersionKey);
    m_email = values.value(emailKey);
}

bool UserSettings::save() const
{
    return save(filePath());
}

bool UserSettings::save(const QString &path) const
{
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return false;
    return writeWholeFile(path, IniText::write({{themeNameKey, m_themeName},
                                                {userIdKey, m_userId},
                                                {lastVersionKey, m_lastVersion},
                                                {emailKey, m_email}}));
}
