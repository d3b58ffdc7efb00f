#ifndef SUPPORT_FIFOWATCH_H
#define SUPPORT_FIFOWATCH_H

// A FIFO that no program writes to, for code that must never wait on one:
// opening it for reading waits for a writer for ever. While the watch lives,
// a reader that has waited longer than the bound is let go (the watch opens
// the FIFO for writing and closes it again at once, so the reader sees an
// empty file), and the watch records that it had to: the test fails fast
// instead of hanging.

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class FifoWatch
{
public:
    explicit FifoWatch(const QString &path, int boundMs = 3000)
        : m_path(QFile::encodeName(path))
        , m_made(::mkfifo(m_path.constData(), 0600) == 0)
        , m_thread([this, boundMs] { watch(boundMs); })
    {
    }
    ~FifoWatch()
    {
        m_stop = true;
        m_thread.join();
    }

    FifoWatch(const FifoWatch &) = delete;
    FifoWatch &operator=(const FifoWatch &) = delete;

    // The FIFO is there; without it a test proves nothing.
    bool isMade() const { return m_made; }
    // Some reader waited for a writer past the bound.
    bool releasedAReader() const { return m_released; }

private:
    void watch(int boundMs)
    {
        using clock = std::chrono::steady_clock;
        auto due = clock::now() + std::chrono::milliseconds(boundMs);
        while (!m_stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (clock::now() < due)
                continue;
            // Without a reader this fails at once (ENXIO) and waits for
            // nothing; with one, both opens complete.
            const int writer = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                m_released = true;
                ::close(writer);
            }
            due = clock::now() + std::chrono::milliseconds(boundMs);
        }
    }

    QByteArray m_path;
    bool m_made;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_released{false};
    std::thread m_thread;
};

#endif // SUPPORT_FIFOWATCH_H
