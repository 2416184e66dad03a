#include "TBlockList.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

void BlockStorage::TFree::operator()(void* block) const
{
    std::free(block);
}

// A huge page holds 2 MiB; aligned storage must be a whole number of them.
void* BlockStorage::Allocate(size_t bytes, bool large)
{
    const size_t page = size_t(2) << 20;
    void* block =
        large ? std::aligned_alloc(page, (bytes + page - 1) / page * page) : std::malloc(bytes);
    if (!block)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    if (large)
        madvise(block, bytes, MADV_HUGEPAGE);
#endif
    return block;
}
