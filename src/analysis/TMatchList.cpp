#include "TMatchList.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

void TMatchList::TFreeBlock::operator()(TStorage* block) const
{
    std::free(block);
}

TMatchList::TBlock TMatchList::NewBlock(bool first)
{
    if (first)
        return TBlock(static_cast<TStorage*>(std::malloc(FirstBlockSize * sizeof(TMatch))));
    void* block = std::aligned_alloc(LargeBlockBytes, LargeBlockBytes);
#ifdef MADV_HUGEPAGE
    if (block)
        madvise(block, LargeBlockBytes, MADV_HUGEPAGE);
#endif
    return TBlock(static_cast<TStorage*>(block));
}

TMatchList::TMatchList(const TMatchList& other)
{
    for (const TMatch& match : other)
        push_back(match);
}

TMatchList& TMatchList::operator=(const TMatchList& other)
{
    if (this != &other) {
        clear();
        for (const TMatch& match : other)
            push_back(match);
    }
    return *this;
}

TMatch& TMatchList::push_back(const TMatch& match)
{
    const size_t at = Head + Count;
    if (at == Capacity(Blocks.size())) {
        Blocks.push_back(NewBlock(Blocks.empty()));
        if (!Blocks.back())
            throw std::bad_alloc();
    }
    TMatch* slot = new (Slot(at)) TMatch(match);
    ++Count;
    return *slot;
}

void TMatchList::pop_front()
{
    ++Head;
    --Count;
    if (Count == 0)
        KeepOneBlock();
    else if (BeginsBlock(Head))
        Blocks[BlockOf(Head - 1)].reset();
}

void TMatchList::pop_back()
{
    --Count;
    if (Count == 0)
        KeepOneBlock();
    else if (BeginsBlock(Head + Count))
        Blocks.pop_back();
}

void TMatchList::clear()
{
    Blocks.clear();
    Head = 0;
    Count = 0;
}

// A list that is filled and emptied again and again, as a unit's pending hits
// are, keeps its first block rather than allocating it anew each time.
void TMatchList::KeepOneBlock()
{
    if (Blocks.empty() || !Blocks.front()) {
        clear();
        return;
    }
    Blocks.resize(1);
    Head = 0;
    Count = 0;
}
