#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QString>
#include <QStringList>

// The program's command line, sorted before any application object exists:
// options, documents (document and package paths) and images, each in
// command-line order, and the hand-over message built from the documents.
//
// Each argument after the program path is decoded from the 8-bit text of
// the system's locale, loses one pair of enclosing quotes, and goes to the
// first kind that fits: an option (begins with "-"), a document, an image;
// anything else is dropped. Every document also writes one debug line with
// its path in quotes.
//
// A plain value: sorting has no other effect, and every query below is
// derived from the three lists.
class CommandLine
{
public:
    // argv[0] is the program path and is not read.
    static CommandLine fromArguments(int argc, char **argv);
    // The same from texts already decoded, one per argument after the
    // program path.
    static CommandLine fromTexts(const QStringList &texts);
    // Drops the first and last character when the text begins and ends with
    // the same quote character (" or '); once, so inner quotes stay.
    static QString unquoted(const QString &text);

    const QStringList &options() const { return m_options; }
    const QStringList &documents() const { return m_documents; }
    const QStringList &images() const { return m_images; }

    // Any option puts the program in command mode.
    bool isCommandMode() const { return !m_options.isEmpty(); }
    // Options match ignoring case.
    bool hasOption(const QString &option) const;
    // "-exportimage" was asked for (valid or not).
    bool asksForImageExport() const;
    // "-exportimage" with at least one document and as many images as
    // documents: the i-th document goes to the i-th image.
    bool isValidImageExport() const;
    // "-drawframe": the exported pages show their paper border.
    bool drawsFrame() const;
    // "-h" or "--help": the usage, nothing else.
    bool asksForHelp() const;
    // The options that are none of the above, in order: a mistyped command.
    QStringList unknownOptions() const;

    // handOverMessage(documents()) (handovermessage.h): every document path,
    // its "%", "," and control characters escaped, followed by ",", in
    // order; empty without documents. The first instance opens its
    // documents from it.
    QString message() const;
    // The same with every path made absolute and clean against the current
    // folder, for a running instance that has a working folder of its own.
    QString absoluteMessage() const;

private:
    void add(const QString &argument);

    QStringList m_options;
    QStringList m_documents;
    QStringList m_images;
};

#endif // COMMANDLINE_H
