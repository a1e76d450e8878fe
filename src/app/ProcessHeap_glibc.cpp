#include "app/ProcessHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

// Less than start-up fills before the window is first painted (some 1.4 MiB,
// most of it the font configuration's), so these are pages start-up touches
// anyway and its peak memory stays as it was.
constexpr std::size_t StartupHeapBytes = 1280 * 1024;

// Below the size for which glibc gives a block a mapping of its own, so that
// the blocks come from the heap itself.
constexpr std::size_t BlockBytes = 64 * 1024;

} // namespace

bool PrepareHeap()
{
#if defined(__GLIBC__)
    // The window system's connection, the session bus and the painter each
    // start a thread, and glibc would give every one a heap of its own for
    // the few small blocks it allocates.
    mallopt(M_ARENA_MAX, 1);
#ifdef MADV_POPULATE_WRITE
    // The heap grows by this much beyond each request and keeps this much
    // when blocks are freed, so the pages made ready below stay with it for
    // what start-up allocates next. (Setting it also keeps glibc's size for
    // blocks of a mapping of their own at its default, 128 KiB.)
    mallopt(M_TOP_PAD, static_cast<int>(StartupHeapBytes));
    std::array<void*, StartupHeapBytes / BlockBytes> blocks{};
    std::uintptr_t low = UINTPTR_MAX;
    std::uintptr_t high = 0;
    for (void*& block : blocks) {
        block = std::malloc(BlockBytes);
        if (!block)
            continue;
        const auto at = reinterpret_cast<std::uintptr_t>(block);
        low = std::min(low, at);
        high = std::max(high, at + BlockBytes);
    }
    bool ready = false;
    if (low < high) {
        const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        const std::uintptr_t begin = low & ~(pageSize - 1);
        // A kernel before 5.14 refuses; the pages then come one fault at a
        // time, as they always did.
        ready = madvise(reinterpret_cast<void*>(begin), high - begin, MADV_POPULATE_WRITE) == 0;
    }
    for (void* block : blocks)
        std::free(block);
    return ready;
#else
    return false;
#endif
#else
    return false;
#endif
}
