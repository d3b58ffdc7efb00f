#ifndef INITEXT_H
#define INITEXT_H

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>

// The text of a UTF-8 INI file as QSettings writes it, read and written as
// plain texts only. QSettings itself turns a value such as "@Variant(...)"
// into whatever Qt type its bytes name, and a damaged one can throw while it
// is decoded; the user settings need four texts and nothing else, so they
// are read here, where no value is ever more than text.
//
// Reading follows QSettings for what it writes and for the usual hand
// edits: "[General]" (in any letter case) and the lines before the first
// section hold the top-level keys; a line starting with ";" and everything
// after a ";" outside quotes is a comment; quotes group text (also across
// lines) and the escapes \a \b \f \n \r \t \v \" \' \? \\, \x with hex
// digits, \ with octal digits and a backslash before a line break (which
// joins the lines) are understood; white space outside quotes is trimmed
// at both ends. A value that QSettings would read as anything but one text
// is left out: a list (a "," outside quotes) and the typed forms
// "@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("
// and "@Invalid()". "@@" stands for "@" and "@String(...)" for the text
// inside it. Lines without "=" are passed over.
//
// Writing gives the "[General]" section with one "key=value" line per text,
// each escaped so that QSettings and read() both give that text back.
//
// Never instantiated; plain functions of their arguments.
class IniText
{
public:
    IniText() = delete;

    // The top-level texts by key; the last of a repeated key wins.
    static QHash<QString, QString> read(const QByteArray &text);
    // The "[General]" section of the values in the given order.
    static QByteArray write(const QVector<QPair<QString, QString>> &values);
};

#endif // INITEXT_H
