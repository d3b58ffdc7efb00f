#include "app/interactivestart.h"

#include "app/commandline.h"
#include "app/programfiles.h"
#include "app/singleinstanceapplication.h"
#include "model/sketchglobals.h"
#include "skin/windows/skintheme.h"

#include <QTextStream>
#include <QTranslator>

namespace {

// The interface font family used with the Chinese translations.
const QString chineseFontFamily = QStringLiteral("\u5fae\u8f6f\u96c5\u9ed1");

int echoMessages(SingleInstanceApplication &application, const CommandLine &commandLine)
{
    const auto echo = [](const QString &message) {
        QTextStream(stdout) << "message: " << message << '\n';
    };
    echo(commandLine.message());
    QObject::connect(&application, &SingleInstanceApplication::messageReceived, echo);
    return application.exec();
}

} // namespace

int startInteractive(SingleInstanceApplication &application, const CommandLine &commandLine)
{
    QTranslator translator;
    installInterfaceTranslation(application, translator, QCoreApplication::applicationDirPath());
    // After the translation, so that the first style sheet has its font.
    setSkinThemeStyle(Black);

    // ---- The main window comes here. ------------------------------------
    // Build MainWindow without a parent and show it; newFile() when
    // commandLine.message() is empty, else openFile(commandLine.message());
    // then connect lastWindowClosed() to quit() and messageReceived() to
    // openFile(QString), run the event loop, and destroy the window before
    // the translator goes.
    if (qEnvironmentVariableIsSet(echoMessagesVariable))
        return echoMessages(application, commandLine);
    QTextStream(stderr) << ProgramFiles::program
                        << ": the main window is not built yet; images are exported with "
                           "-exportimage DOCUMENT... IMAGE...\n";
    return 0;
}

QString installInterfaceTranslation(QCoreApplication &application, QTranslator &translator,
                                    const QString &folder)
{
    for (const char *code : ProgramFiles::translationCodes) {
        const QString name = QString::fromLatin1(ProgramFiles::translationFilePattern)
                                 .arg(folder, QLatin1String(code));
        if (!translator.load(name))
            continue;
        SketchGlobals::language = QLatin1String(code);
        application.installTranslator(&translator);
        skinFontFamily = chineseFontFamily;
        return SketchGlobals::language;
    }
    return QString();
}
