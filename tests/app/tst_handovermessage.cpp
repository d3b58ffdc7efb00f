// The text that carries document paths to the window: every path comes back
// as it went, whatever characters it holds, and any text reads as some list
// of paths.
#include "app/handovermessage.h"

#include <QtTest>

class TestHandOverMessage : public QObject
{
    Q_OBJECT

private slots:
    void carriesAnyPath_data();
    void carriesAnyPath();
    void readsAnyText_data();
    void readsAnyText();
};

void TestHandOverMessage::carriesAnyPath_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("plain paths") << QStringList{"/a/x.slf", "y.slp"} << QString("/a/x.slf,y.slp,");
    QTest::newRow("a comma") << QStringList{"a,b.slf"} << QString("a%2Cb.slf,");
    QTest::newRow("a comma alone") << QStringList{","} << QString("%2C,");
    QTest::newRow("commas only") << QStringList{",,", ","} << QString("%2C%2C,%2C,");
    QTest::newRow("a percent sign") << QStringList{"100%.slf"} << QString("100%25.slf,");
    QTest::newRow("what looks like an escape") << QStringList{"a%2Cb.slf"} << QString("a%252Cb.slf,");
    QTest::newRow("line ends and controls")
        << QStringList{"a\nb.slf", QString::fromUtf8("\r\t\0\x1f\x7f", 5)}
        << QString("a%0Ab.slf,%0D%09%00%1F%7F,");
    QTest::newRow("beyond ASCII stands as it is")
        << QStringList{"\u00fcber,\u5716.slf", "\U0001F600.slf", QChar(0xfeff) + QString(".slf")}
        << QString("\u00fcber%2C\u5716.slf,\U0001F600.slf,\ufeff.slf,");
    QTest::newRow("empty paths") << QStringList{"", ""} << QString(",,");
}

void TestHandOverMessage::carriesAnyPath()
{
    QFETCH(QStringList, paths);
    QFETCH(QString, message);
    QCOMPARE(handOverMessage(paths), message);
    QCOMPARE(handOverPaths(message), paths);
}

void TestHandOverMessage::readsAnyText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("no comma at the end") << QString("a.slf,b.slf") << QStringList{"a.slf", "b.slf"};
    QTest::newRow("empty parts") << QString(",a.slf,,") << QStringList{"", "a.slf", ""};
    QTest::newRow("lower-case digits") << QString("a%2cb.slf,") << QStringList{"a,b.slf"};
    QTest::newRow("a percent sign at the end") << QString("a%,b%2,%") << QStringList{"a%", "b%2", "%"};
    QTest::newRow("no hexadecimal digits") << QString("%zz%2g%%41,") << QStringList{"%zz%2g%A"};
    QTest::newRow("an escape beyond ASCII") << QString("%FF,") << QStringList{"\u00ff"};
}

void TestHandOverMessage::readsAnyText()
{
    QFETCH(QString, message);
    QFETCH(QStringList, paths);
    QCOMPARE(handOverPaths(message), paths);
}

QTEST_APPLESS_MAIN(TestHandOverMessage)
#include "tst_handovermessage.moc"
