#ifndef HEXDIGIT_H
#define HEXDIGIT_H

#include <QChar>

// The value of a hexadecimal digit in either case, or -1 for any other
// character: for the readers of escaped texts (the settings file, the
// hand-over message).
inline int hexDigitValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

#endif // HEXDIGIT_H
