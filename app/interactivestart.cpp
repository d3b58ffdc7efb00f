#include "app/interactivestart.h"

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/programfiles.h"
#include "app/singleinstanceapplication.h"
#include "editor/sketchview.h"
#include "model/sketchglobals.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintheme.h"

#include <QDateTime>
#include <QEvent>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

namespace {

// The interface font family used with the Chinese translations.
const QString chineseFontFamily = QStringLiteral("\u5fae\u8f6f\u96c5\u9ed1");

void writeLine(const QString &line)
{
    QTextStream(stdout) << line << '\n';
}

// --- The test hook's echo ---------------------------------------------------

void answerDialogsWithCancel()
{
    SkinDialog::setAnswerHook([](SkinDialog *dialog) {
        const auto *box = qobject_cast<SkinMessageBox *>(dialog);
        writeLine(QStringLiteral("dialog: %1: %2").arg(dialog->windowTitle(), box ? box->text() : QString()));
        return int(SkinDialog::ResultCancel);
    });
}

void echoHandled(const MainWindow &window, const QString &message)
{
    QStringList views;
    for (const SketchView *view : window.sketchViews())
        views.append(view->fileName().isEmpty() ? view->title() : view->fileName());
    writeLine(QStringLiteral("message: ") + message);
    writeLine(QStringLiteral("views: ") + views.join(QLatin1String(" | ")));
}

// --- The benchmark hook -----------------------------------------------------

// Reports the first paint of the watched widget once it is over, and ends
// the event loop.
class FirstPaintReport : public QObject
{
public:
    explicit FirstPaintReport(QWidget *watched)
        : QObject(watched)
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint event has been handled.
            QTimer::singleShot(0, this, [] {
                writeLine(QStringLiteral("painted %1").arg(QDateTime::currentMSecsSinceEpoch()));
                QCoreApplication::exit(0);
            });
        }
        return false;
    }
};

void reportStartup(MainWindow &window)
{
    writeLine(QStringLiteral("shown %1").arg(QDateTime::currentMSecsSinceEpoch()));
    SketchView *view = window.currentSketchView();
    new FirstPaintReport(view ? static_cast<QWidget *>(view) : &window);
}

} // namespace

int startInteractive(SingleInstanceApplication &application, const CommandLine &commandLine)
{
    QTranslator translator;
    installInterfaceTranslation(application, translator, QCoreApplication::applicationDirPath());
    // After the translation, so that the first style sheet has its font.
    setSkinThemeStyle(Black);
    const bool echo = qEnvironmentVariableIsSet(echoMessagesVariable);
    if (echo)
        answerDialogsWithCancel();

    // Goes before the translator.
    MainWindow window;
    window.show();
    const QString message = commandLine.message();
    if (message.isEmpty())
        window.newFile();
    else
        window.openFile(message);
    if (echo)
        echoHandled(window, message);
    if (qEnvironmentVariableIsSet(reportStartupVariable))
        reportStartup(window);

    QObject::connect(&application, SIGNAL(lastWindowClosed()), &application, SLOT(quit()));
    QObject::connect(&application, SIGNAL(messageReceived(QString)), &window, SLOT(openFile(QString)));
    if (echo) {
        // After the window's own connection: reports what it has done.
        QObject::connect(&application, &SingleInstanceApplication::messageReceived, &window,
                         [&window](const QString &received) { echoHandled(window, received); });
    }
    return application.exec();
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
