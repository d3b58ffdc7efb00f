// The command line: an input is the 8-bit arguments after the program path,
// each ended by a NUL byte. Every argument goes, once unquoted, to the one
// kind it fits or nowhere, in command-line order; every option is either
// one the program knows or reported as unknown; and a command that is no
// valid export ends through qMain at once, before any application object,
// with the code its options call for: 2 for an unknown option, else 0 for
// help, else 2 for a mistyped export.
#include "fuzz/fuzzsupport.h"

#include "app/commandline.h"
#include "app/qmain.h"
#include "model/sketchglobals.h"

#include <QFile>
#include <QStringList>

#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Enough for any command a person types; more only slows the search.
constexpr int MaxArguments = 64;

QList<QByteArray> argumentsOf(const QByteArray &input)
{
    QList<QByteArray> arguments = input.split('\0');
    // The text after the last NUL is an argument too; an input that ends
    // with a NUL has none after it.
    if (input.endsWith('\0'))
        arguments.removeLast();
    return arguments.mid(0, MaxArguments);
}

enum class Kind { Option, Document, Image, None };

// The sorting rule as a user reads it, apart from the code that sorts.
Kind kindOf(const QString &text)
{
    if (text.startsWith(QLatin1Char('-')))
        return Kind::Option;
    if (SketchGlobals::isDocumentFile(text) || SketchGlobals::isPackageFile(text))
        return Kind::Document;
    if (SketchGlobals::isImageFile(text))
        return Kind::Image;
    return Kind::None;
}

QString unquotedText(const QString &text)
{
    for (const QChar quote : {QLatin1Char('"'), QLatin1Char('\'')}) {
        if (text.size() >= 2 && text.startsWith(quote) && text.endsWith(quote))
            return text.mid(1, text.size() - 2);
    }
    return text == QLatin1String("\"") || text == QLatin1String("'") ? QString() : text;
}

bool isKnownOption(const QString &option)
{
    for (const char *known : {"-exportimage", "-drawframe", "-h", "--help"}) {
        if (option.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void checkSorting(const QStringList &texts, const CommandLine &commandLine)
{
    QStringList options;
    QStringList documents;
    QStringList images;
    for (const QString &text : texts) {
        const QString argument = unquotedText(text);
        if (CommandLine::unquoted(text) != argument)
            fuzzFail(QStringLiteral("\"%1\" unquotes to \"%2\"").arg(text, CommandLine::unquoted(text)));
        switch (kindOf(argument)) {
        case Kind::Option:
            options.append(argument);
            break;
        case Kind::Document:
            documents.append(argument);
            break;
        case Kind::Image:
            images.append(argument);
            break;
        case Kind::None:
            break;
        }
    }
    if (commandLine.options() != options || commandLine.documents() != documents
        || commandLine.images() != images)
        fuzzFail(QStringLiteral("\"%1\" is sorted into options \"%2\", documents \"%3\", images \"%4\"")
                     .arg(texts.join(QLatin1String("\" \"")), commandLine.options().join(QLatin1Char(' ')),
                          commandLine.documents().join(QLatin1Char(' ')),
                          commandLine.images().join(QLatin1Char(' '))));
    if (commandLine.isCommandMode() != !options.isEmpty())
        fuzzFail(QStringLiteral("command mode is not \"an option was given\""));
}

void checkOptions(const CommandLine &commandLine)
{
    QStringList unknown;
    bool help = false;
    for (const QString &option : commandLine.options()) {
        if (!isKnownOption(option))
            unknown.append(option);
        help = help || option.compare(QLatin1String("-h"), Qt::CaseInsensitive) == 0
            || option.compare(QLatin1String("--help"), Qt::CaseInsensitive) == 0;
    }
    if (commandLine.unknownOptions() != unknown)
        fuzzFail(QStringLiteral("unknown options \"%1\", expected \"%2\"")
                     .arg(commandLine.unknownOptions().join(QLatin1Char(' ')), unknown.join(QLatin1Char(' '))));
    if (commandLine.asksForHelp() != help)
        fuzzFail(QStringLiteral("help asked: %1").arg(commandLine.asksForHelp()));
    const bool valid = commandLine.hasOption(QStringLiteral("-exportimage")) && !commandLine.documents().isEmpty()
        && commandLine.documents().size() == commandLine.images().size();
    if (commandLine.isValidImageExport() != valid)
        fuzzFail(QStringLiteral("a valid export: %1").arg(commandLine.isValidImageExport()));
}

// The usage and error lines of qMain go nowhere while it runs.
class SilencedOutput
{
public:
    SilencedOutput()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        m_output = ::dup(1);
        m_errors = ::dup(2);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::close(null);
    }
    ~SilencedOutput()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        ::dup2(m_output, 1);
        ::dup2(m_errors, 2);
        ::close(m_output);
        ::close(m_errors);
    }
    SilencedOutput(const SilencedOutput &) = delete;
    SilencedOutput &operator=(const SilencedOutput &) = delete;

private:
    int m_output;
    int m_errors;
};

void checkCommandEnd(QList<QByteArray> arguments, const CommandLine &commandLine)
{
    // An export would need an application of its own, and no option is
    // the interactive start: neither ends at once.
    if (!commandLine.isCommandMode()
        || (commandLine.isValidImageExport() && commandLine.unknownOptions().isEmpty()
            && !commandLine.asksForHelp()))
        return;
    const int expected = !commandLine.unknownOptions().isEmpty() ? 2 : commandLine.asksForHelp() ? 0 : 2;
    arguments.prepend("Loomdraw");
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int exitCode = -1;
    {
        const SilencedOutput silenced;
        exitCode = qMain(int(argv.size()) - 1, argv.data());
    }
    if (exitCode != expected)
        fuzzFail(QStringLiteral("\"%1\" ends with %2, expected %3")
                     .arg(commandLine.options().join(QLatin1Char(' ')))
                     .arg(exitCode)
                     .arg(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > FuzzMaxInputSize)
        return 0;
    const QList<QByteArray> arguments = argumentsOf(fuzzBytes(data, size));
    std::vector<QByteArray> bytes(arguments.begin(), arguments.end());
    std::vector<char *> argv{const_cast<char *>("Loomdraw")};
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const CommandLine commandLine = CommandLine::fromArguments(int(argv.size()) - 1, argv.data());

    QStringList texts;
    for (const QByteArray &argument : arguments)
        texts.append(QFile::decodeName(argument));
    if (!(CommandLine::fromTexts(texts).options() == commandLine.options()))
        fuzzFail(QStringLiteral("the arguments decode otherwise than their texts"));
    checkSorting(texts, commandLine);
    checkOptions(commandLine);
    checkCommandEnd(arguments, commandLine);
    return 0;
}
