#ifndef SUPPORT_HEAPBYTES_H
#define SUPPORT_HEAPBYTES_H

// The bytes the process holds on its heap right now, from the address
// sanitizer's allocator when it runs, else from the C library's: the
// difference before and after an operation is what it left behind.

#include <QtGlobal>

#include <cstddef>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's own count (its header is not always installed).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

inline qint64 heapBytesInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks) + qint64(info.hblkhd);
#endif
}

#endif // SUPPORT_HEAPBYTES_H
