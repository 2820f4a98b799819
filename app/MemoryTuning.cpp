#include "MemoryTuning.h"

#include "core/Logging.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX) && defined(__GLIBC__)
#include <malloc.h>
#endif

void tuneMemoryAllocator()
{
#if defined(Q_OS_LINUX) && defined(__GLIBC__)
    // The walk allocates each listed file on its own thread. In a thread arena glibc grows
    // the heap a page at a time and hands whole heaps back when the list is freed, so every
    // scan faults all its memory in afresh: on a large tree that costs more than the walk.
    // One arena, grown in large steps and kept for the next scan, avoids both.
    if (mallopt(M_ARENA_MAX, 1) != 1 || mallopt(M_TOP_PAD, 64 << 20) != 1
        || mallopt(M_TRIM_THRESHOLD, 1 << 30) != 1)
        qCWarning(lcApp, "Could not tune the memory allocator; large scans will be slower");
#endif
}
