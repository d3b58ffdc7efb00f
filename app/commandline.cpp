#include "app/commandline.h"

#include "app/handovermessage.h"
#include "model/sketchglobals.h"

#include <QDebug>
#include <QDir>
#include <QFile>

namespace {

const QLatin1String exportImageOption("-exportimage");
const QLatin1String drawFrameOption("-drawframe");

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
