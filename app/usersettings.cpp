#include "app/usersettings.h"

#include "app/programfiles.h"

#include <QSettings>

namespace {

const QLatin1String themeNameKey("themeName");
const QLatin1String userIdKey("userId");
const QLatin1String lastVersionKey("lastVersion");
const QLatin1String emailKey("email");

// The store's one file. QSettings writes it through a temporary file that
// replaces it once complete.
struct Store : QSettings
{
    Store()
        : QSettings(QSettings::IniFormat, QSettings::UserScope,
                    QLatin1String(ProgramFiles::settingsFolder),
                    QLatin1String(ProgramFiles::settingsName))
    {
        // Texts beyond Latin-1 (an e-mail address, say) stay readable.
        setIniCodec("UTF-8");
    }
};

} // namespace

UserSettings &UserSettings::instance()
{
    static UserSettings settings;
    return settings;
}

void UserSettings::load()
{
    Store store;
    m_themeName = store.value(themeNameKey).toString();
    m_userId = store.value(userIdKey).toString();
    m_lastVersion = store.value(lastVersionKey).toString();
    m_email = store.value(emailKey).toString();
}

bool UserSettings::save() const
{
    Store store;
    store.setValue(themeNameKey, m_themeName);
    store.setValue(userIdKey, m_userId);
    store.setValue(lastVersionKey, m_lastVersion);
    store.setValue(emailKey, m_email);
    store.sync();
    return store.status() == QSettings::NoError;
}
