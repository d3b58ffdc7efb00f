#include "model/sharedtasks.h"

#include <QThreadPool>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace {

// One call's tasks. The counters are read and written under the queue's
// lock, the finished count under the batch's own.
struct Batch
{
    std::function<void(int)> task;
    int count = 0;
    int next = 0;
    int finished = 0;
    std::mutex mutex;
    std::condition_variable allFinished;
};

// The batches with tasks left to take, oldest first.
std::mutex queueMutex;
std::deque<std::shared_ptr<Batch>> queue;

// Takes the next task of the batch, or of the oldest batch when none is
// given; false when there is none left.
bool takeTask(const std::shared_ptr<Batch> &only, std::shared_ptr<Batch> *batch, int *index)
{
    const std::lock_guard<std::mutex> lock(queueMutex);
    while (!queue.empty()) {
        const auto at = only ? std::find(queue.begin(), queue.end(), only) : queue.begin();
        if (at == queue.end())
            return false;
        std::shared_ptr<Batch> taken = *at;
        const bool left = taken->next < taken->count;
        if (left)
            *index = taken->next++;
        if (taken->next >= taken->count)
            queue.erase(at);
        if (left) {
            *batch = std::move(taken);
            return true;
        }
    }
    return false;
}

void runTask(Batch &batch, int index)
{
    batch.task(index);
    const std::lock_guard<std::mutex> lock(batch.mutex);
    if (++batch.finished == batch.count)
        batch.allFinished.notify_all();
}

// A job of the pool: it runs one task of whichever batch is oldest, or
// nothing when another thread has taken them all. The job carries nothing
// and is made and deleted inside Qt: the pool hands nothing over.
void runOldestTask()
{
    std::shared_ptr<Batch> batch;
    int index = 0;
    if (takeTask(nullptr, &batch, &index))
        runTask(*batch, index);
}

} // namespace

void SharedTasks::run(QThreadPool *pool, int count, const std::function<void(int)> &task)
{
    if (count <= 0)
        return;
    auto batch = std::make_shared<Batch>();
    batch->task = task;
    batch->count = count;
    {
        const std::lock_guard<std::mutex> lock(queueMutex);
        queue.push_back(batch);
    }
    for (int i = 1; i < count; ++i)
        pool->start([]() { runOldestTask(); });
    std::shared_ptr<Batch> taken;
    int index = 0;
    while (takeTask(batch, &taken, &index))
        runTask(*taken, index);
    std::unique_lock<std::mutex> lock(batch->mutex);
    batch->allFinished.wait(lock, [&batch]() { return batch->finished == batch->count; });
}
