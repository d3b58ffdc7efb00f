#ifndef USERSETTINGS_H
#define USERSETTINGS_H

#include <QString>

// The per-user store of four texts that the main window, the web-service
// requests and the feedback form share: the theme last applied, the user's
// id at the web service, the version last reported to it and the user's
// e-mail address. A text never written reads as empty.
//
// One process-wide instance. It lives in the user's configuration folder as
// the UTF-8 INI file "Loomdraw/Loomdraw.ini" ($XDG_CONFIG_HOME on Linux), one
// key per text: "themeName", "userId", "lastVersion", "email". load() reads
// all four texts once; a missing or unreadable file leaves them empty. The
// setters change the texts in memory only; save() writes all four at once,
// replacing the file as a whole, so a failed save leaves the previous file.
// GUI thread only.
class UserSettings
{
public:
    static UserSettings &instance();

    // Replaces all four texts by what the file holds.
    void load();
    // Writes all four texts; false when the file could not be written (the
    // program goes on with the texts in memory and reports nothing).
    bool save() const;

    QString themeName() const { return m_themeName; }
    QString userId() const { return m_userId; }
    QString lastVersion() const { return m_lastVersion; }
    QString email() const { return m_email; }

    void setThemeName(const QString &name) { m_themeName = name; }
    void setLastVersion(const QString &version) { m_lastVersion = version; }

private:
    UserSettings() = default;

    QString m_themeName;
    QString m_userId;
    QString m_lastVersion;
    QString m_email;
};

#endif // USERSETTINGS_H
