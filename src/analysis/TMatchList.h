// An ordered list of matches, stored in blocks: millions of matches are kept
// without the copies and slack of a growing array, and a list that is emptied
// from the front gives its memory back as it goes. The first block is small,
// for the many short lists; the others are large and, where the system allows,
// backed by huge pages, which spares the processor most of the page handling
// that millions of matches would cost.
#pragma once

#include "TMatch.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

class TMatchList {
public:
    template <typename List, typename Value>
    class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = TMatch;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;

        Iterator() = default;
        Iterator(List* list, std::ptrdiff_t index)
            : Owner(list)
            , Index(index)
        {}

        reference operator*() const { return (*Owner)[static_cast<size_t>(Index)]; }
        pointer operator->() const { return &**this; }
        reference operator[](difference_type n) const { return *(*this + n); }
        Iterator& operator++()
        {
            ++Index;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            ++Index;
            return old;
        }
        Iterator& operator--()
        {
            --Index;
            return *this;
        }
        Iterator operator--(int)
        {
            Iterator old = *this;
            --Index;
            return old;
        }
        Iterator& operator+=(difference_type n)
        {
            Index += n;
            return *this;
        }
        Iterator& operator-=(difference_type n)
        {
            Index -= n;
            return *this;
        }
        friend Iterator operator+(Iterator i, difference_type n) { return i += n; }
        friend Iterator operator+(difference_type n, Iterator i) { return i += n; }
        friend Iterator operator-(Iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b)
        {
            return a.Index - b.Index;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.Index == b.Index; }
        friend auto operator<=>(const Iterator& a, const Iterator& b)
        {
            return a.Index <=> b.Index;
        }

    private:
        List* Owner = nullptr;
        std::ptrdiff_t Index = 0;
    };
    using iterator = Iterator<TMatchList, TMatch>;
    using const_iterator = Iterator<const TMatchList, const TMatch>;

    TMatchList() = default;
    TMatchList(const TMatchList& other);
    TMatchList& operator=(const TMatchList& other);
    TMatchList(TMatchList&& other) noexcept { swap(other); }
    TMatchList& operator=(TMatchList&& other) noexcept
    {
        TMatchList(std::move(other)).swap(*this);
        return *this;
    }
    void swap(TMatchList& other) noexcept
    {
        Blocks.swap(other.Blocks);
        std::swap(Head, other.Head);
        std::swap(Count, other.Count);
    }

    size_t size() const { return Count; }
    bool empty() const { return Count == 0; }

    TMatch& operator[](size_t i) { return *Slot(Head + i); }
    const TMatch& operator[](size_t i) const { return *Slot(Head + i); }
    TMatch& front() { return (*this)[0]; }
    TMatch& back() { return (*this)[Count - 1]; }

    TMatch& push_back(const TMatch& match);
    void pop_front();
    void pop_back();
    void clear();

    iterator begin() { return {this, 0}; }
    iterator end() { return {this, static_cast<std::ptrdiff_t>(Count)}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, static_cast<std::ptrdiff_t>(Count)}; }

    // The same matches in the same order.
    friend bool operator==(const TMatchList& a, const TMatchList& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    // Blocks are raw storage: a match is written once, when it is added.
    static_assert(std::is_trivially_copyable_v<TMatch> && std::is_trivially_destructible_v<TMatch>);
    struct alignas(TMatch) TStorage {
        std::byte Bytes[sizeof(TMatch)];
    };
    struct TFreeBlock {
        void operator()(TStorage* block) const;
    };
    using TBlock = std::unique_ptr<TStorage[], TFreeBlock>;

    static constexpr size_t FirstBlockSize = 1024;
    static constexpr size_t LargeBlockBytes = size_t(2) << 20;
    static constexpr size_t LargeBlockSize = LargeBlockBytes / sizeof(TMatch);

    static TBlock NewBlock(bool first);
    // The number of matches that the first blocks blocks hold.
    static size_t Capacity(size_t blocks)
    {
        return blocks == 0 ? 0 : FirstBlockSize + (blocks - 1) * LargeBlockSize;
    }
    // Whether the match at index at is the first of its block.
    static bool BeginsBlock(size_t at)
    {
        return at == 0 || (at >= FirstBlockSize && (at - FirstBlockSize) % LargeBlockSize == 0);
    }
    TMatch* Slot(size_t at) const
    {
        TStorage* slot;
        if (at < FirstBlockSize) {
            slot = &Blocks[0][at];
        } else {
            const size_t rest = at - FirstBlockSize;
            slot = &Blocks[1 + rest / LargeBlockSize][rest % LargeBlockSize];
        }
        return std::launder(reinterpret_cast<TMatch*>(slot));
    }
    size_t BlockOf(size_t at) const
    {
        return at < FirstBlockSize ? 0 : 1 + (at - FirstBlockSize) / LargeBlockSize;
    }
    void KeepOneBlock();

    // Blocks before the one that holds the first match are released.
    std::vector<TBlock> Blocks;
    size_t Head = 0; // index of the first match, counted from the start of Blocks[0]
    size_t Count = 0;
};
