#ifndef HANDOVERMESSAGE_H
#define HANDOVERMESSAGE_H

#include <QString>
#include <QStringList>

// The text that carries document paths from a start to the window that
// opens them: the first start's own documents, and those a later start
// hands over to the running instance.
//
// Every path is followed by ",", in order. Inside a path, "%", "," and the
// control characters (U+0000 to U+001F and U+007F) are written as "%" and
// two upper-case hexadecimal digits of their code, so that any path comes
// back as it was ("a,b.slf" is "a%2Cb.slf,", a path of "," alone is
// "%2C,") and the text is a single line. Every other character, non-ASCII
// ones too, stands as it is. No paths give the empty text.
//
// Reading takes any text: a "%" that is not followed by two hexadecimal
// digits (of either case) stands for itself, an empty part between two ","
// is an empty path, and the "," after the last path may be missing. No
// state.

QString handOverMessage(const QStringList &paths);
// handOverPaths(handOverMessage(paths)) == paths for every list.
QStringList handOverPaths(const QString &message);

#endif // HANDOVERMESSAGE_H
