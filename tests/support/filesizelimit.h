#ifndef SUPPORT_FILESIZELIMIT_H
#define SUPPORT_FILESIZELIMIT_H

// A file size limit for the current process while the value lives, to cut
// writes short the way a full disk would (the limit binds root too). Writes
// past it fail instead of raising SIGXFSZ.

#include <sys/resource.h>

#include <csignal>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_active = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_active = m_active && setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() { lift(); }

    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // The limit is in force; without it a test proves nothing.
    bool isActive() const { return m_active; }

    // Gives back the former limit and signal handling.
    void lift()
    {
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_saved);
        if (m_handler != SIG_ERR)
            std::signal(SIGXFSZ, m_handler);
        m_active = false;
        m_handler = SIG_ERR;
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_ERR;
    bool m_active = false;
};

#endif // SUPPORT_FILESIZELIMIT_H
