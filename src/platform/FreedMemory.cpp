#include "FreedMemory.h"

#include <QPixmapCache>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void TrimHeap()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void ReturnFreedMemory()
{
    QPixmapCache::clear();
    TrimHeap();
}

void ReturnLargeBuffersAtOnce()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
#endif
}
