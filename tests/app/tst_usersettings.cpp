// The user settings: where the file lives, what load() reads, and that a
// missing file or missing entries read as empty texts.
#include "app/usersettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Set in a child run of this program: load the settings without the test
// mode of the standard paths and print them.
const char *const PrintSettingsVariable = "LOOMDRAW_TEST_PRINT_SETTINGS";

int printSettings(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    UserSettings &settings = UserSettings::instance();
    settings.load();
    QTextStream(stdout) << settings.themeName() << '|' << settings.userId() << '|'
                        << settings.lastVersion() << '|' << settings.email();
    return 0;
}

const QByteArray fullFile = "[General]\n"
                            "themeName=Olive\n"
                            "userId=u-42\n"
                            "lastVersion=2.1\n"
                            "email=j\xc3\xbcrgen@example.org\n";

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestUserSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void readsAllFourTexts();
    void readsMissingEntriesAsEmpty();
    void forgetsTextsOfAFileThatIsGone();
    void livesUnderTheConfigurationHome();
    void savesAllFourTextsAtOnce();
    void saveThatCannotWriteSaysSo();

private:
    // Where the settings live in this process: the standard paths' test
    // mode puts the configuration folder below the (temporary) home.
    QString settingsFile() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + "/Loomdraw/Loomdraw.ini";
    }

    QTemporaryDir m_home;
};

void TestUserSettings::initTestCase()
{
    QVERIFY(m_home.isValid());
    // Before the first settings object: the folders are read once.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + "/config"));
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(settingsFile().startsWith(m_home.path()));
}

void TestUserSettings::cleanup()
{
    QFile::remove(settingsFile());
}

void TestUserSettings::readsAllFourTexts()
{
    QVERIFY(writeFile(settingsFile(), fullFile));
    UserSettings &settings = UserSettings::instance();
    settings.load();
    QCOMPARE(settings.themeName(), QString("Olive"));
    QCOMPARE(settings.userId(), QString("u-42"));
    QCOMPARE(settings.lastVersion(), QString("2.1"));
    QCOMPARE(settings.email(), QString("j\u00fcrgen@example.org"));
}

void TestUserSettings::readsMissingEntriesAsEmpty()
{
    QVERIFY(writeFile(settingsFile(), "[General]\nuserId=u-7\n"));
    UserSettings &settings = UserSettings::instance();
    settings.load();
    QCOMPARE(settings.userId(), QString("u-7"));
    QCOMPARE(settings.themeName(), QString());
    QCOMPARE(settings.lastVersion(), QString());
    QCOMPARE(settings.email(), QString());
}

void TestUserSettings::forgetsTextsOfAFileThatIsGone()
{
    QVERIFY(writeFile(settingsFile(), fullFile));
    UserSettings &settings = UserSettings::instance();
    settings.load();
    QVERIFY(QFile::remove(settingsFile()));
    settings.load();
    QCOMPARE(settings.themeName(), QString());
    QCOMPARE(settings.userId(), QString());
    QCOMPARE(settings.lastVersion(), QString());
    QCOMPARE(settings.email(), QString());
}

// The program runs without the test mode; its file is then
// $XDG_CONFIG_HOME/Loomdraw/Loomdraw.ini.
void TestUserSettings::livesUnderTheConfigurationHome()
{
    QTemporaryDir configuration;
    QVERIFY(configuration.isValid());
    QVERIFY(writeFile(configuration.path() + "/Loomdraw/Loomdraw.ini", fullFile));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(PrintSettingsVariable, "1");
    environment.insert("XDG_CONFIG_HOME", configuration.path());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()),
             QString("Olive|u-42|2.1|j\u00fcrgen@example.org"));
}

void TestUserSettings::savesAllFourTextsAtOnce()
{
    QVERIFY(writeFile(settingsFile(), fullFile));
    UserSettings &settings = UserSettings::instance();
    settings.load();
    settings.setThemeName("Gray");
    settings.setLastVersion("2.2");
    // Memory only, until the save.
    settings.load();
    QCOMPARE(settings.themeName(), QString("Olive"));
    settings.setThemeName("Gray");
    settings.setLastVersion("2.2");
    QVERIFY(settings.save());

    QSettings saved(settingsFile(), QSettings::IniFormat);
    saved.setIniCodec("UTF-8");
    QCOMPARE(saved.allKeys().size(), 4);
    QCOMPARE(saved.value("themeName").toString(), QString("Gray"));
    QCOMPARE(saved.value("userId").toString(), QString("u-42"));
    QCOMPARE(saved.value("lastVersion").toString(), QString("2.2"));
    QCOMPARE(saved.value("email").toString(), QString("j\u00fcrgen@example.org"));
    settings.load();
    QCOMPARE(settings.themeName(), QString("Gray"));
    QCOMPARE(settings.email(), QString("j\u00fcrgen@example.org"));
}

// A file where the settings' folder belongs blocks every save, for root too.
void TestUserSettings::saveThatCannotWriteSaysSo()
{
    const QString folder = QFileInfo(settingsFile()).path();
    QVERIFY(QDir(folder).removeRecursively());
    QVERIFY(writeFile(folder, "in the way"));
    UserSettings &settings = UserSettings::instance();
    settings.setThemeName("Blue");
    QVERIFY(!settings.save());
    QCOMPARE(settings.themeName(), QString("Blue"));
    QVERIFY(QFile::remove(folder));
}

// A run with PrintSettingsVariable set only prints the settings; every other
// run is the test.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(PrintSettingsVariable))
        return printSettings(argc, argv);
    QCoreApplication application(argc, argv);
    TestUserSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_usersettings.moc"
