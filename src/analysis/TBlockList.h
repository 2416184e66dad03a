// An ordered list of small plain values, stored in blocks: millions of values
// are kept without the copies and slack of a growing array, and a list that is
// emptied from the front gives its memory back as it goes. The first blocks
// are small and double in size, so that the many short lists (one per bin of
// every file of a large corpus) cost little; the others are large and, where
// the system allows, backed by huge pages, which spares the processor most of
// the page handling that millions of values would cost.
#pragma once

#include <bit>
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace BlockStorage {

struct TFree {
    void operator()(void* block) const;
};
// Storage for bytes bytes, on huge pages when large; throws std::bad_alloc.
void* Allocate(size_t bytes, bool large);

} // namespace BlockStorage

template <typename T>
class TBlockList {
    // Blocks are raw storage: a value is written once, when it is added.
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    TBlockList() = default;
    TBlockList(TBlockList&& other) noexcept { swap(other); }
    TBlockList& operator=(TBlockList&& other) noexcept
    {
        TBlockList(std::move(other)).swap(*this);
        return *this;
    }
    void swap(TBlockList& other) noexcept
    {
        Blocks.swap(other.Blocks);
        std::swap(Head, other.Head);
        std::swap(Count, other.Count);
        std::swap(Next, other.Next);
        std::swap(Limit, other.Limit);
    }

    size_t size() const { return Count; }
    bool empty() const { return Count == 0; }

    T& operator[](size_t i) { return *Slot(Head + i); }
    const T& operator[](size_t i) const { return *Slot(Head + i); }

    void push_back(const T& value)
    {
        if (Next == Limit)
            Grow();
        new (Next++) T(value);
        ++Count;
    }
    // Removes the first value; a large block is freed as soon as it is left
    // behind. The small blocks are kept for the values still to come, as a
    // list that is filled and emptied again and again would otherwise
    // allocate them anew each time.
    void pop_front()
    {
        ++Head;
        --Count;
        if (Count == 0)
            KeepSmallBlocks();
        else if (Head > SmallTotal && (Head - SmallTotal) % LargeSize == 0)
            Blocks[BlockOf(Head - 1)].reset();
    }
    // Keeps the first count values. REQUIRES: count <= size().
    void truncate(size_t count)
    {
        if (count == 0) {
            KeepSmallBlocks();
            return;
        }
        Count = count;
        const size_t end = Head + Count;
        Blocks.resize(BlockOf(end - 1) + 1);
        Next = Slot(end - 1) + 1;
        Limit = BlockEnd(Blocks.size() - 1);
    }
    void clear() { TBlockList().swap(*this); }

private:
    using TBlock = std::unique_ptr<T[], BlockStorage::TFree>;

    static constexpr size_t FirstSize = 16;
    static constexpr size_t SmallBlocks = 12;
    static constexpr size_t SmallTotal = FirstSize * ((size_t(1) << SmallBlocks) - 1);
    static constexpr size_t LargeBytes = size_t(2) << 20;
    static constexpr size_t LargeSize = LargeBytes / sizeof(T);

    static size_t BlockOf(size_t at)
    {
        if (at < SmallTotal)
            return static_cast<size_t>(std::bit_width(at / FirstSize + 1)) - 1;
        return SmallBlocks + (at - SmallTotal) / LargeSize;
    }
    static size_t BlockSize(size_t block)
    {
        return block < SmallBlocks ? FirstSize << block : LargeSize;
    }
    static size_t BlockStart(size_t block)
    {
        return block < SmallBlocks ? FirstSize * ((size_t(1) << block) - 1)
                                   : SmallTotal + (block - SmallBlocks) * LargeSize;
    }
    T* Slot(size_t at) const
    {
        const size_t block = BlockOf(at);
        return std::launder(Blocks[block].get() + (at - BlockStart(block)));
    }
    T* BlockEnd(size_t block) const { return Blocks[block].get() + BlockSize(block); }

    // The next value begins a block: one kept from before, or a new one.
    void Grow()
    {
        const size_t block = BlockOf(Head + Count);
        if (block == Blocks.size())
            Blocks.emplace_back(static_cast<T*>(
                BlockStorage::Allocate(BlockSize(block) * sizeof(T), block >= SmallBlocks)));
        Next = Blocks[block].get();
        Limit = BlockEnd(block);
    }
    void KeepSmallBlocks()
    {
        size_t kept = 0;
        while (kept < Blocks.size() && kept < SmallBlocks && Blocks[kept])
            ++kept;
        Blocks.resize(kept);
        Head = 0;
        Count = 0;
        Next = kept == 0 ? nullptr : Blocks[0].get();
        Limit = kept == 0 ? nullptr : BlockEnd(0);
    }

    // Blocks before the one that holds the first value may have been freed.
    std::vector<TBlock> Blocks;
    size_t Head = 0; // index of the first value, counted from the start of Blocks[0]
    size_t Count = 0;
    // The free part of the last block.
    T* Next = nullptr;
    T* Limit = nullptr;
};
