#ifndef UPDATECHECK_H
#define UPDATECHECK_H

#include <QByteArray>
#include <QString>

// What the main window's update check needs besides the window: the address
// of the Upgrade request, how its reply is read, and where the updater lies.
//
// The reply is read warily: it is shown to the user, and a page of a portal
// or a misconfigured server must not read as a version. Only a short line of
// printable text from an answer that is no redirect counts.
//
// No state; every function reads only its arguments (and the files named).
class UpdateCheck
{
public:
    UpdateCheck() = delete;

    // Time-out of each web-service request of the main window: the check and
    // the notices.
    static constexpr int requestTimeoutMs = 15000;
    // A reply larger than this is not a version.
    static constexpr qint64 maxReplySize = 4096;
    // The longest version text taken, after trimming.
    static constexpr int maxVersionLength = 64;

    // "<upgradeUrl>?UserId=<userId>&Version=<version>", both values
    // percent-encoded as UTF-8; empty when `upgradeUrl` is (no service).
    static QString checkUrl(const QString &upgradeUrl, const QString &userId, const QString &version);

    // The newer version a reply names: its bytes decoded as UTF-8 up to the
    // first zero byte and trimmed. Empty ("no newer version") when that
    // leaves nothing, more than maxVersionLength characters, a "<" or ">",
    // or any character that does not print, and for every answer whose HTTP
    // `status` is not 2xx.
    static QString newerVersion(const QByteArray &reply, int status);

    // The updater in the program's folder.
    static QString updaterPath(const QString &programFolder);
    // True when the updater can replace the program in its folder: the
    // folder may be written and the updater is an executable file there.
    static bool canUpdateInPlace(const QString &programFolder);
};

#endif // UPDATECHECK_H
