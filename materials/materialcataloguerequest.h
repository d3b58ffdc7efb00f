#ifndef MATERIALCATALOGUEREQUEST_H
#define MATERIALCATALOGUEREQUEST_H

#include "model/httphelpers.h"

#include <QByteArray>
#include <QString>

class QWidget;

// The two requests of the online material catalogue: the list of material
// files ("UserId", "Version", "LangName" on SketchGlobals::materialListUrl)
// and one material file (the same and "MaterialFileName" on
// SketchGlobals::materialGetUrl). The query is built in one pass, each value
// percent-encoded as UTF-8 (all but the unreserved characters), so a name such as "Cats & Dogs#1" reaches the
// service as it is and nothing in the service address is ever taken for a
// placeholder. The user id is the caller's (the user settings' own, handed
// down by the main window); this layer reads no settings.
//
// Both block their caller in the HTTP helper's local event loop until the
// reply is in, fails, or the time-out passes; every failure gives an empty
// body. An empty service address sends nothing. GUI thread only.
class MaterialCatalogueRequest
{
public:
    MaterialCatalogueRequest() = delete;

    static QString listUrl(const QString &userId);
    static QString materialUrl(const QString &userId, const QString &materialFileName);

    // The body of a GET of the address; empty on any failure, a body larger
    // than maxReplySize included.
    static QByteArray get(const QString &url, qint64 maxReplySize = httpDefaultMaxReplySize);
    // The body as text: UTF-8 up to a first NUL byte, untrimmed.
    static QString getText(const QString &url, qint64 maxReplySize = httpDefaultMaxReplySize);

    // A reply text of 1 to 10 characters is the service's (or the
    // network's) error message, shown to the user; longer ones are content.
    static constexpr int errorTextLength = 10;
    static bool isErrorText(const QString &text) { return !text.isEmpty() && text.size() <= errorTextLength; }
    // True when the text is such a message, after showing it as plain text
    // in an "Error" box over the owner (over the active window while the
    // owner is not shown yet, as while it is being built).
    static bool reportErrorText(QWidget *owner, const QString &text);

    // How long a catalogue request may take, from its start to the end of
    // its reply; the HTTP helpers' default unless set (tests shorten it).
    static int timeoutMs();
    static void setTimeoutMs(int milliseconds);
};

#endif // MATERIALCATALOGUEREQUEST_H
