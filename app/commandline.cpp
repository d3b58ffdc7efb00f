#include "app/commandline.h"

#include "app/handovermessage.h"
#include "model/sketchglobals.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <iterator>

namespace {

const QLatin1String exportImageOption("-exportimage");
const QLatin1String drawFrameOption("-drawframe");
const QLatin1String shortHelpOption("-h");
const QLatin1String helpOption("--help");
const QLatin1String knownOptions[] = {exportImageOption, drawFrameOption, shortHelpOption, helpOption};

} // namespace

CommandLine CommandLine::fromArguments(int argc, char **argv)
{
    QStringList texts;
    for (int i = 1; i < argc; ++i)
        texts.append(QFile::decodeName(argv[i]));
    return fromTexts(texts);
}

CommandLine CommandLine::fromTexts(const QStringList &texts)
{
    CommandLine commandLine;
    for (const QString &text : texts)
        commandLine.add(unquoted(text));
    return commandLine;
}

QString CommandLine::unquoted(const QString &text)
{
    if (text.isEmpty())
        return text;
    const QChar first = text.front();
    if ((first != QLatin1Char('"') && first != QLatin1Char('\'')) || text.back() != first)
        return text;
    // A lone quote character both begins and ends the text.
    return text.size() == 1 ? QString() : text.mid(1, text.size() - 2);
}

void CommandLine::add(const QString &argument)
{
    if (argument.startsWith(QLatin1Char('-'))) {
        m_options.append(argument);
    } else if (SketchGlobals::isDocumentFile(argument) || SketchGlobals::isPackageFile(argument)) {
        m_documents.append(argument);
        qDebug() << argument;
    } else if (SketchGlobals::isImageFile(argument)) {
        m_images.append(argument);
    }
}

bool CommandLine::hasOption(const QString &option) const
{
    return m_options.contains(option, Qt::CaseInsensitive);
}

bool CommandLine::asksForImageExport() const
{
    return hasOption(exportImageOption);
}

bool CommandLine::isValidImageExport() const
{
    return asksForImageExport() && !m_documents.isEmpty() && m_documents.size() == m_images.size();
}

bool CommandLine::drawsFrame() const
{
    return hasOption(drawFrameOption);
}

bool CommandLine::asksForHelp() const
{
    return hasOption(shortHelpOption) || hasOption(helpOption);
}

QStringList CommandLine::unknownOptions() const
{
    QStringList unknown;
    for (const QString &option : m_options) {
        const bool known = std::any_of(std::begin(knownOptions), std::end(knownOptions), [&option](QLatin1String name) {
            return option.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (!known)
            unknown.append(option);
    }
    return unknown;
}

QString CommandLine::message() const
{
    return handOverMessage(m_documents);
}

QString CommandLine::absoluteMessage() const
{
    const QDir current = QDir::current();
    QStringList paths;
    for (const QString &document : m_documents)
        paths.append(QDir::cleanPath(current.absoluteFilePath(document)));
    return handOverMessage(paths);
}
