#include "app/usersettings.h"

#include "app/programfiles.h"

#include <QSettings>

namespace {

const QLatin1String themeNameKey("ThemeName");
const QLatin1String userIdKey("UserId");
const QLatin1String lastVersionKey("LastVersion");
const QLatin1String emailKey("Email");

} // namespace

UserSettings &UserSettings::instance()
{
    static UserSettings settings;
    return settings;
}

void UserSettings::load()
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope,
                    QLatin1String(ProgramFiles::settingsFolder),
                    QLatin1String(ProgramFiles::settingsName));
    // Texts beyond Latin-1 (an e-mail address, say) stay readable in the file.
    store.setIniCodec("UTF-8");
    m_themeName = store.value(themeNameKey).toString();
    m_userId = store.value(userIdKey).toString();
    m_lastVersion = store.value(lastVersionKey).toString();
    m_email = store.value(emailKey).toString();
}
