// The tasks shared between a pool and the calling thread: each runs once,
// the call returns only when all have, and a call from inside a full pool
// does not wait on tasks that no thread would start.

#include "model/sharedtasks.h"

#include <QThread>
#include <QThreadPool>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

class TestSharedTasks : public QObject
{
    Q_OBJECT

private slots:
    void everyTaskRunsOnce_data();
    void everyTaskRunsOnce();
    void callsFromAFullPoolFinish();
    void callsFromSeveralThreadsAtOnce();
};

void TestSharedTasks::everyTaskRunsOnce_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("poolThreads");
    QTest::newRow("none") << 0 << 4;
    QTest::newRow("negative") << -3 << 4;
    QTest::newRow("one, on the calling thread") << 1 << 4;
    QTest::newRow("as many as the pool") << 4 << 4;
    QTest::newRow("many more than the pool") << 257 << 3;
    QTest::newRow("a pool of one") << 17 << 1;
}

void TestSharedTasks::everyTaskRunsOnce()
{
    QFETCH(int, count);
    QFETCH(int, poolThreads);
    QThreadPool pool;
    pool.setMaxThreadCount(poolThreads);
    std::vector<std::atomic<int>> runs(size_t(qMax(count, 0)));
    SharedTasks::run(&pool, count, [&runs](int index) {
        QVERIFY(index >= 0 && size_t(index) < runs.size());
        ++runs[size_t(index)];
    });
    // Every run has ended when the call returns: nothing is counted later.
    pool.waitForDone();
    for (const std::atomic<int> &ran : runs)
        QCOMPARE(ran.load(), 1);
}

// The one worker of a pool runs a task that shares tasks of its own on the
// same pool, which has no thread left for them: the inner call takes its
// tasks itself.
void TestSharedTasks::callsFromAFullPoolFinish()
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    std::atomic<int> inner{0};
    SharedTasks::run(&pool, 2, [&](int) {
        SharedTasks::run(&pool, 8, [&](int) {
            QThread::msleep(1);
            ++inner;
        });
    });
    QCOMPARE(inner.load(), 16);
}

void TestSharedTasks::callsFromSeveralThreadsAtOnce()
{
    QThreadPool pool;
    pool.setMaxThreadCount(3);
    std::vector<int> sums(6, 0);
    std::vector<std::thread> callers;
    for (int &sum : sums) {
        callers.emplace_back([&pool, &sum]() {
            std::vector<int> parts(50, 0);
            SharedTasks::run(&pool, int(parts.size()), [&parts](int index) { parts[size_t(index)] = index; });
            for (int part : parts)
                sum += part;
        });
    }
    for (std::thread &caller : callers)
        caller.join();
    for (int sum : sums)
        QCOMPARE(sum, 49 * 50 / 2);
}

QTEST_GUILESS_MAIN(TestSharedTasks)
#include "tst_sharedtasks.moc"
