#ifndef SHAREDTASKS_H
#define SHAREDTASKS_H

#include <functional>

class QThreadPool;

// Runs a number of tasks at once on the worker threads of a pool and on the
// calling thread, and returns when every one has run: the bands of one
// paint, say.
//
// The calling thread takes tasks too, until none is left to take, and then
// waits only for the tasks that workers have taken and are running: a call
// from a worker of the same pool, or while the pool is busy, cannot wait on
// tasks that no thread will start.
//
// Every hand-over between threads (the tasks out, the end of each back)
// goes through a lock of the standard library: whatever a task reads was
// written before run() was called, and whatever it writes is seen by the
// caller after run() returns, in a way a race detector follows as well.
// The pool's own queue carries no data: its jobs only take tasks from here.
class SharedTasks
{
public:
    // task(0) ... task(count - 1), each once, in no particular order and on
    // no particular thread; one thread per task at most. Nothing for a count
    // of 0 or less. The pool must outlive the call.
    static void run(QThreadPool *pool, int count, const std::function<void(int)> &task);
};

#endif // SHAREDTASKS_H
