// The user settings: where the file lives, what load() reads, and that a
// missing file or missing entries read as empty texts. QSettings is the
// oracle of the file's text: what it writes reads back, and what is written
// reads back through it.
#include "app/usersettings.h"
#include "support/childwait.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

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

// Texts as the program and the users may hold them, odd characters
// included.
void addTexts()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QStringLiteral("u-42");
    QTest::newRow("empty") << QString();
    QTest::newRow("at sign first") << QStringLiteral("@home");
    QTest::newRow("typed form as text") << QStringLiteral("@Variant(x)");
    QTest::newRow("separators") << QStringLiteral("a,b;c=d");
    QTest::newRow("blanks at both ends") << QStringLiteral("  padded  ");
    QTest::newRow("quotes and backslashes") << QStringLiteral("say \"hi\" \\ bye");
    QTest::newRow("line breaks and tabs") << QStringLiteral("one\ntwo\r\tthree");
    QTest::newRow("control characters before digits") << (QStringLiteral("a") + QChar(1) + QStringLiteral("1f") + QChar(0) + QStringLiteral("7"));
    QTest::newRow("beyond Latin-1") << QStringLiteral("j\u00fcrgen@\u4f8b\u3048.jp");
    QTest::newRow("byte order mark first") << (QChar(0xFEFF) + QStringLiteral("x"));
    QTest::newRow("comment and section signs") << QStringLiteral("#1 [x] ;y");
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
    void damagedValuesReadAsEmpty_data();
    void damagedValuesReadAsEmpty();
    void saveAfterALineWithoutEqualsSucceeds();
    void unreadableFilesLeaveTheTextsEmpty_data();
    void unreadableFilesLeaveTheTextsEmpty();
    void readsWhatQSettingsWrites_data();
    void readsWhatQSettingsWrites();
    void writesWhatQSettingsReads_data();
    void writesWhatQSettingsReads();
    void readsHandEditedLinesAsQSettingsDoes_data();
    void readsHandEditedLinesAsQSettingsDoes();

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
    QVERIFY(child.waitForFinished(childWaitMilliseconds));
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

// A value that is not plain text reads as empty and never as a Qt type of
// its own (a typed list whose count asks for gigabytes stopped every start);
// the other texts of the file still read.
void TestUserSettings::damagedValuesReadAsEmpty_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("userId");
    QTest::newRow("list of two thousand million") << QByteArray("@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)") << QString();
    QTest::newRow("same, quoted") << QByteArray("\"@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)\"") << QString();
    QTest::newRow("date") << QByteArray("@DateTime(\\0\\0\\0\\x10\\0)") << QString();
    QTest::newRow("bytes") << QByteArray("@ByteArray(u-1)") << QString();
    QTest::newRow("rectangle") << QByteArray("@Rect(1 2 3 4)") << QString();
    QTest::newRow("invalid") << QByteArray("@Invalid()") << QString();
    QTest::newRow("list") << QByteArray("u-1, u-2") << QString();
    QTest::newRow("escaped at sign") << QByteArray("@@u-1") << QString("@u-1");
    QTest::newRow("text form") << QByteArray("@String(u-1)") << QString("u-1");
    QTest::newRow("unknown form") << QByteArray("@Thing(u-1)") << QString("@Thing(u-1)");
}

void TestUserSettings::damagedValuesReadAsEmpty()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, userId);
    QVERIFY(writeFile(settingsFile(), "[General]\nthemeName=Olive\nuserId=" + value + "\nemail=a@b.org\n"));
    UserSettings &settings = UserSettings::instance();
    settings.load();
    QCOMPARE(settings.userId(), userId);
    QCOMPARE(settings.themeName(), QString("Olive"));
    QCOMPARE(settings.email(), QString("a@b.org"));
    // The file is replaced whole by the next save, which reads it back.
    settings.setLastVersion("2.2");
    QVERIFY(settings.save());
    settings.load();
    QCOMPARE(settings.userId(), userId);
    QCOMPARE(settings.lastVersion(), QString("2.2"));
}

// What the file held before has no say in whether a save succeeded. A
// file of its own, which this process has not read before the save.
void TestUserSettings::saveAfterALineWithoutEqualsSucceeds()
{
    const QString path = m_home.filePath(QStringLiteral("format-error/Loomdraw.ini"));
    QVERIFY(writeFile(path, "[General]\nthemeName=Blue\nnot a setting\n"));
    UserSettings &settings = UserSettings::instance();
    settings.setThemeName("Gray");
    QVERIFY(settings.save(path));
    settings.setThemeName(QString());
    settings.load(path);
    QCOMPARE(settings.themeName(), QString("Gray"));
}

void TestUserSettings::unreadableFilesLeaveTheTextsEmpty_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("larger than a mebibyte") << "large";
}

void TestUserSettings::unreadableFilesLeaveTheTextsEmpty()
{
    QFETCH(QString, kind);
    QVERIFY(writeFile(settingsFile(), fullFile));
    UserSettings &settings = UserSettings::instance();
    settings.load();
    QVERIFY(QFile::remove(settingsFile()));
    if (kind == "folder")
        QVERIFY(QDir().mkpath(settingsFile()));
    else if (kind == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(settingsFile()).constData(), 0600), 0);
    else
        QVERIFY(writeFile(settingsFile(), fullFile + QByteArray(1024 * 1024, ' ')));
    settings.load();
    QCOMPARE(settings.themeName(), QString());
    QCOMPARE(settings.userId(), QString());
    QCOMPARE(settings.email(), QString());
    if (kind == "folder")
        QVERIFY(QDir(settingsFile()).removeRecursively());
}

void TestUserSettings::readsWhatQSettingsWrites_data()
{
    addTexts();
}

// Each text in a file of its own: QSettings keeps what it read of a file
// for the rest of the process.
void TestUserSettings::readsWhatQSettingsWrites()
{
    QFETCH(QString, text);
    const QString path = m_home.filePath(QStringLiteral("written/%1.ini").arg(QTest::currentDataTag()));
    {
        QSettings written(path, QSettings::IniFormat);
        written.setIniCodec("UTF-8");
        written.setValue("email", text);
        written.setValue("userId", "u-1");
    }
    UserSettings &settings = UserSettings::instance();
    settings.load(path);
    QCOMPARE(settings.email(), text);
    QCOMPARE(settings.userId(), QString("u-1"));
}

void TestUserSettings::writesWhatQSettingsReads_data()
{
    addTexts();
    QTest::newRow("beyond the basic plane") << QString::fromUcs4(U"\U0001F600 smile");
    QTest::newRow("unpaired surrogates") << (QChar(0xD800) + QStringLiteral("a") + QChar(0xDC00));
}

void TestUserSettings::writesWhatQSettingsReads()
{
    QFETCH(QString, text);
    const QString path = m_home.filePath(QStringLiteral("read/%1.ini").arg(QTest::currentDataTag()));
    UserSettings &settings = UserSettings::instance();
    QVERIFY(writeFile(path, "[General]\nemail=x\n"));
    settings.load(path);
    settings.setThemeName(text);
    QVERIFY(settings.save(path));
    QSettings saved(path, QSettings::IniFormat);
    saved.setIniCodec("UTF-8");
    QCOMPARE(saved.value("themeName").toString(), text);
    QCOMPARE(saved.value("email").toString(), QString("x"));
    settings.load(path);
    QCOMPARE(settings.themeName(), text);
}

void TestUserSettings::readsHandEditedLinesAsQSettingsDoes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("blanks around the equals sign") << QByteArray("[General]\n  email =  a b  \n");
    QTest::newRow("keys before any section") << QByteArray("email=top\n[Other]\nemail=other\n");
    QTest::newRow("section in lower case") << QByteArray("[Other]\nemail=other\n[general]\nemail=x\n");
    QTest::newRow("repeated key") << QByteArray("[General]\nemail=1\nemail=2\n");
    QTest::newRow("comments") << QByteArray("; note\n[General]\nemail=a ; b\n;email=c\n");
    QTest::newRow("quoted parts") << QByteArray("[General]\nemail=x \"y, z\"  \"w\" v\n");
    QTest::newRow("quote across lines") << QByteArray("[General]\nemail=\"a\nb\"\nuserId=u\n");
    QTest::newRow("escapes") << QByteArray("[General]\nemail=\\101\\x42\\q\\?\\'\\x10000041\n");
    QTest::newRow("line continued") << QByteArray("[General]\nemail=a\\\nb\nuserId=u\n");
    QTest::newRow("Windows line ends") << QByteArray("[General]\r\nemail=a\r\nuserId=u\r\n");
    QTest::newRow("line without equals") << QByteArray("[General]\nnothing\nemail=a\n");
    QTest::newRow("empty value") << QByteArray("[General]\nemail=\n");
    QTest::newRow("key in another group") << QByteArray("[General]\nx/email=a\n");
}

// The oracle runs on a file it has never seen in this process.
void TestUserSettings::readsHandEditedLinesAsQSettingsDoes()
{
    QFETCH(QByteArray, file);
    const QString path = m_home.filePath(QStringLiteral("edited/%1.ini").arg(QTest::currentDataTag()));
    QVERIFY(writeFile(path, file));
    QSettings oracle(path, QSettings::IniFormat);
    oracle.setIniCodec("UTF-8");
    UserSettings &settings = UserSettings::instance();
    settings.load(path);
    QCOMPARE(settings.email(), oracle.value("email").toString());
    QCOMPARE(settings.userId(), oracle.value("userId").toString());
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
