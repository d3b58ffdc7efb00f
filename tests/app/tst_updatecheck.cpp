// The update check's rules: the request's address, which replies name a
// newer version, and when the updater can replace the program.
#include "app/updatecheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void checkUrlEncodesItsValues_data();
    void checkUrlEncodesItsValues();
    void noServiceNoAddress();
    void readsTheReply_data();
    void readsTheReply();
    void updatesInPlaceOnlyWithAWritableFolderAndAnUpdater_data();
    void updatesInPlaceOnlyWithAWritableFolderAndAnUpdater();
};

void TestUpdateCheck::checkUrlEncodesItsValues_data()
{
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("url");
    const QString base = "http://127.0.0.1:1/Services/Upgrade.ashx";
    QTest::newRow("empty user") << "" << "2.2" << base + "?UserId=&Version=2.2";
    QTest::newRow("plain") << "u-42" << "2.2" << base + "?UserId=u-42&Version=2.2";
    QTest::newRow("separators")
        << "a&b=c d+e%f#g?" << "2.2" << base + "?UserId=a%26b%3Dc%20d%2Be%25f%23g%3F&Version=2.2";
    QTest::newRow("beyond ASCII") << QString::fromUtf8("j\xc3\xbcrgen") << "2.2"
                                  << base + "?UserId=j%C3%BCrgen&Version=2.2";
}

void TestUpdateCheck::checkUrlEncodesItsValues()
{
    QFETCH(QString, userId);
    QFETCH(QString, version);
    QFETCH(QString, url);
    const QString built = UpdateCheck::checkUrl("http://127.0.0.1:1/Services/Upgrade.ashx", userId, version);
    QCOMPARE(built, url);
    // The network layer's lenient parse keeps the encoding and the values.
    const QUrlQuery query(QUrl(built, QUrl::TolerantMode));
    QCOMPARE(query.queryItemValue("UserId", QUrl::FullyDecoded), userId);
    QCOMPARE(query.queryItemValue("Version", QUrl::FullyDecoded), version);
}

void TestUpdateCheck::noServiceNoAddress()
{
    QCOMPARE(UpdateCheck::checkUrl(QString(), "u-42", "2.2"), QString());
}

void TestUpdateCheck::readsTheReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("version");
    QTest::newRow("a version") << QByteArray("2.3") << 200 << "2.3";
    QTest::newRow("blanks and a line end") << QByteArray(" 2.3\r\n") << 200 << "2.3";
    QTest::newRow("up to a zero byte") << QByteArray("2.3\0junk", 8) << 200 << "2.3";
    QTest::newRow("words") << QByteArray("2.3 beta") << 200 << "2.3 beta";
    QTest::newRow("beyond ASCII") << QByteArray("2.3 \xce\xb2") << 200 << QString::fromUtf8("2.3 \xce\xb2");
    QTest::newRow("64 characters") << QByteArray(64, '9') << 200 << QString(64, '9');
    QTest::newRow("empty") << QByteArray() << 200 << "";
    QTest::newRow("only blanks") << QByteArray(" \r\n") << 200 << "";
    QTest::newRow("65 characters") << QByteArray(65, '9') << 200 << "";
    QTest::newRow("an HTML page")
        << QByteArray("<!DOCTYPE html><html><body>Welcome</body></html>") << 200 << "";
    QTest::newRow("a link") << QByteArray("2.3 <a href=\"http://x\">get</a>") << 200 << "";
    QTest::newRow("a lone >") << QByteArray("2.3 > 2.2") << 200 << "";
    QTest::newRow("a control character") << QByteArray("2.\x01" "3") << 200 << "";
    QTest::newRow("a line break inside") << QByteArray("2.3\nclick here") << 200 << "";
    QTest::newRow("a tab inside") << QByteArray("2.3\tx") << 200 << "";
    QTest::newRow("a redirect's body") << QByteArray("2.3") << 302 << "";
    QTest::newRow("no answer") << QByteArray("2.3") << 0 << "";
    QTest::newRow("an error's body") << QByteArray("2.3") << 500 << "";
    QTest::newRow("204") << QByteArray() << 204 << "";
}

void TestUpdateCheck::readsTheReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(QString, version);
    QCOMPARE(UpdateCheck::newerVersion(reply, status), version);
}

void TestUpdateCheck::updatesInPlaceOnlyWithAWritableFolderAndAnUpdater_data()
{
    QTest::addColumn<QString>("updater");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("an executable updater") << "executable" << false << true;
    QTest::newRow("no updater") << "none" << false << false;
    QTest::newRow("an updater that may not run") << "not executable" << false << false;
    QTest::newRow("a folder in its place") << "folder" << false << false;
    QTest::newRow("a folder that may not be written") << "executable" << true << false;
}

void TestUpdateCheck::updatesInPlaceOnlyWithAWritableFolderAndAnUpdater()
{
    QFETCH(QString, updater);
    QFETCH(bool, readOnlyFolder);
    QFETCH(bool, inPlace);
    if (readOnlyFolder && ::geteuid() == 0)
        QSKIP("root may write any folder, so a read-only one cannot be made");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = UpdateCheck::updaterPath(folder.path());
    QCOMPARE(path, folder.filePath("LoomdrawUpdate"));
    if (updater == "folder") {
        QVERIFY(QDir(folder.path()).mkdir("LoomdrawUpdate"));
    } else if (updater != "none") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (updater == "executable")
            permissions |= QFile::ExeOwner;
        QVERIFY(file.setPermissions(permissions));
    }
    if (readOnlyFolder)
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    QCOMPARE(UpdateCheck::canUpdateInPlace(folder.path()), inPlace);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
