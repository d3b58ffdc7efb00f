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
// all four texts once; a missing or unreadable file (one that is no regular
// file, or larger than any settings file) leaves them empty. Only plain
// texts are read (IniText): a value of any other kind, a damaged one
// included, reads as empty, so no file can stop the program. The setters
// change the texts in memory only; save() writes all four at once,
// replacing the file as a whole, so a failed save leaves the previous file.
// GUI thread only.
class UserSettings
{
public:
    static UserSettings &instance();

    // The settings file of this user.
    static QString filePath();

    // Replaces all four texts by what the file holds.
    void load();
    void load(const QString &path);
    // Writes all four texts, creating the file's folder when need be; false
    // when the file could not be written (the program goes on with the
    // texts in memory and reports nothing). What the file held before does
    // not count: it is replaced.
    bool save() const;
    bool save(const QString &path) const;

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
