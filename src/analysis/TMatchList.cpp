#include "TMatchList.h"

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
    if (at == Blocks.size() * BlockSize)
        Blocks.push_back(std::make_unique_for_overwrite<TStorage[]>(BlockSize));
    TMatch* slot = new (&Blocks[at / BlockSize][at % BlockSize]) TMatch(match);
    ++Count;
    return *slot;
}

void TMatchList::pop_front()
{
    ++Head;
    --Count;
    if (Count == 0)
        KeepOneBlock();
    else if (Head % BlockSize == 0)
        Blocks[Head / BlockSize - 1].reset();
}

void TMatchList::pop_back()
{
    --Count;
    if (Count == 0)
        KeepOneBlock();
    else if ((Head + Count) % BlockSize == 0)
        Blocks.pop_back();
}

void TMatchList::clear()
{
    Blocks.clear();
    Head = 0;
    Count = 0;
}

// A list that is filled and emptied again and again, as a unit's pending hits
// are, keeps one block rather than allocating it anew each time.
void TMatchList::KeepOneBlock()
{
    std::unique_ptr<TStorage[]> kept;
    for (std::unique_ptr<TStorage[]>& block : Blocks) {
        if (block) {
            kept = std::move(block);
            break;
        }
    }
    Blocks.clear();
    if (kept)
        Blocks.push_back(std::move(kept));
    Head = 0;
    Count = 0;
}
