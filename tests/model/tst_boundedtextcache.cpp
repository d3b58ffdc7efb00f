// The bounded text cache: what it keeps, what it drops first, and its count
// of bytes.
#include "model/boundedtextcache.h"

#include <QtTest>

class TestBoundedTextCache : public QObject
{
    Q_OBJECT

private slots:
    void keepsTextsByKey();
    void replacingMakesAnEntryTheNewest();
    void dropsTheOldestWhenFull();
    void refusesATextLargerThanTheWhole();
    void shrinkingDropsTheOldestAtOnce();
};

void TestBoundedTextCache::keepsTextsByKey()
{
    BoundedTextCache cache;
    QCOMPARE(cache.capacity(), qint64(64 * 1024 * 1024));
    QVERIFY(cache.insert(QStringLiteral("A"), QStringLiteral("alpha")));
    QVERIFY(cache.insert(QStringLiteral("B"), QString()));
    QVERIFY(cache.contains(QStringLiteral("A")));
    QVERIFY(cache.contains(QStringLiteral("B")));
    QVERIFY(!cache.contains(QStringLiteral("C")));
    QCOMPARE(cache.value(QStringLiteral("A")), QStringLiteral("alpha"));
    QCOMPARE(cache.value(QStringLiteral("C")), QString());
    QCOMPARE(cache.size(), qint64(2 * (1 + 5) + 2 * 1));
    cache.remove(QStringLiteral("A"));
    QCOMPARE(cache.keys(), QList<QString>{QStringLiteral("B")});
    QCOMPARE(cache.size(), qint64(2));
    cache.clear();
    QVERIFY(cache.isEmpty());
    QCOMPARE(cache.size(), qint64(0));
}

void TestBoundedTextCache::replacingMakesAnEntryTheNewest()
{
    BoundedTextCache cache(100);
    cache.insert(QStringLiteral("a"), QStringLiteral("1111"));
    cache.insert(QStringLiteral("b"), QStringLiteral("2222"));
    cache.insert(QStringLiteral("a"), QStringLiteral("33"));
    QCOMPARE(cache.keys(), (QList<QString>{QStringLiteral("b"), QStringLiteral("a")}));
    QCOMPARE(cache.value(QStringLiteral("a")), QStringLiteral("33"));
    QCOMPARE(cache.size(), qint64(2 * 5 + 2 * 3));
}

void TestBoundedTextCache::dropsTheOldestWhenFull()
{
    // Each entry costs 2 * (1 + 9) = 20 bytes: five fit in 100.
    BoundedTextCache cache(100);
    const QString text(9, QLatin1Char('x'));
    for (const char *key : {"1", "2", "3", "4", "5"})
        QVERIFY(cache.insert(QLatin1String(key), text));
    QCOMPARE(cache.size(), qint64(100));
    QVERIFY(cache.insert(QStringLiteral("6"), text));
    QCOMPARE(cache.keys(), (QList<QString>{"2", "3", "4", "5", "6"}));
    // A larger one pushes out as many as it needs.
    QVERIFY(cache.insert(QStringLiteral("7"), QString(29, QLatin1Char('y'))));
    QCOMPARE(cache.keys(), (QList<QString>{"5", "6", "7"}));
    QVERIFY(cache.size() <= cache.capacity());
}

void TestBoundedTextCache::refusesATextLargerThanTheWhole()
{
    BoundedTextCache cache(100);
    cache.insert(QStringLiteral("kept"), QStringLiteral("small"));
    cache.insert(QStringLiteral("big"), QStringLiteral("old"));
    QVERIFY(!cache.insert(QStringLiteral("big"), QString(50, QLatin1Char('z'))));
    // The older entries stay; the key's own old text is gone.
    QCOMPARE(cache.keys(), QList<QString>{QStringLiteral("kept")});
    QVERIFY(!cache.contains(QStringLiteral("big")));
}

void TestBoundedTextCache::shrinkingDropsTheOldestAtOnce()
{
    BoundedTextCache cache(100);
    for (const char *key : {"1", "2", "3"})
        cache.insert(QLatin1String(key), QString(9, QLatin1Char('x')));
    cache.setCapacity(45);
    QCOMPARE(cache.keys(), (QList<QString>{"2", "3"}));
    cache.setCapacity(-1);
    QVERIFY(cache.isEmpty());
    QCOMPARE(cache.capacity(), qint64(0));
}

QTEST_GUILESS_MAIN(TestBoundedTextCache)
#include "tst_boundedtextcache.moc"
