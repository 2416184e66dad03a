// The matches of one bin, in the order they were added. A match is read back
// whole, but stored compactly: the fields that it shares with the same hit in
// the other distributions are kept once, in a table of hits (THitTable) that
// the bin sets of one search share, and the list keeps only the hit's index
// and its positions in 32-bit fields. A match whose values do not fit them is
// kept whole aside, so that every value reads back exactly as it was added.
#pragma once

#include "TBlockList.h"
#include "THitTable.h"
#include "TMatch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

// What a match adds to its hit in one distribution.
struct TPositions {
    std::int64_t WordsFromBeginning = 0;
    std::int64_t SentecesFromBeginning = 0;
    std::int64_t WordsFromEnd = 0;
    std::int64_t SentecesFromEnd = 0;
    std::int16_t Percent = 0;

    static TPositions Of(const TMatch& match)
    {
        return {match.WordsFromBeginning, match.SentecesFromBeginning, match.WordsFromEnd,
                match.SentecesFromEnd, match.Percent};
    }
    TMatch With(const THitRecord& hit) const
    {
        TMatch match;
        hit.CopyTo(match);
        match.WordsFromBeginning = WordsFromBeginning;
        match.SentecesFromBeginning = SentecesFromBeginning;
        match.WordsFromEnd = WordsFromEnd;
        match.SentecesFromEnd = SentecesFromEnd;
        match.Percent = Percent;
        return match;
    }
};

// How the hits of one table go over to another in a merge: they have been
// added to To from index Offset on, with their file indexes mapped (the table
// itself when To is From and Offset 0). Unlisted holds, ascending, the
// indexes in From of the hits whose file index could not be mapped.
struct THitTransfer {
    const THitTable* From = nullptr;
    std::shared_ptr<THitTable> To;
    size_t Offset = 0;
    std::vector<size_t> Unlisted;
};

class TMatchList {
public:
    // Yields the matches by value.
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = TMatch;
        using difference_type = std::ptrdiff_t;
        using reference = TMatch;
        struct pointer {
            TMatch Value;
            const TMatch* operator->() const { return &Value; }
        };

        const_iterator() = default;
        const_iterator(const TMatchList* list, std::ptrdiff_t index)
            : Owner(list)
            , Index(index)
        {}

        TMatch operator*() const { return (*Owner)[static_cast<size_t>(Index)]; }
        pointer operator->() const { return {**this}; }
        TMatch operator[](difference_type n) const { return *(*this + n); }
        const_iterator& operator++()
        {
            ++Index;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++Index;
            return old;
        }
        const_iterator& operator--()
        {
            --Index;
            return *this;
        }
        const_iterator operator--(int)
        {
            const_iterator old = *this;
            --Index;
            return old;
        }
        const_iterator& operator+=(difference_type n)
        {
            Index += n;
            return *this;
        }
        const_iterator& operator-=(difference_type n)
        {
            Index -= n;
            return *this;
        }
        friend const_iterator operator+(const_iterator i, difference_type n) { return i += n; }
        friend const_iterator operator+(difference_type n, const_iterator i) { return i += n; }
        friend const_iterator operator-(const_iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b)
        {
            return a.Index - b.Index;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b)
        {
            return a.Index == b.Index;
        }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b)
        {
            return a.Index <=> b.Index;
        }

    private:
        const TMatchList* Owner = nullptr;
        std::ptrdiff_t Index = 0;
    };
    using iterator = const_iterator;

    TMatchList() = default;
    // A copy keeps its hits in a table of its own.
    TMatchList(const TMatchList& other);
    TMatchList& operator=(const TMatchList& other);
    TMatchList(TMatchList&& other) noexcept = default;
    TMatchList& operator=(TMatchList&& other) noexcept = default;

    size_t size() const { return Entries.size(); }
    bool empty() const { return Entries.empty(); }
    TMatch operator[](size_t i) const;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, static_cast<std::ptrdiff_t>(size())}; }

    void push_back(const TMatch& match);
    // Replaces the match at i. The hit it had stays in the table, where
    // other lists may still refer to it.
    void Set(size_t i, const TMatch& match);
    void clear();

    // Adds the match of the hit at index hit of table with these positions.
    // The hit is referred to where the list keeps its hits in table (a list
    // without matches takes it up), else copied.
    void AddHit(const std::shared_ptr<THitTable>& table, size_t hit, const TPositions& positions)
    {
        TEntry entry;
        if ((Table == table || TakeUp(table)) && Encode(hit, positions, entry))
            Entries.push_back(entry);
        else
            AddWhole(positions.With((*table)[hit]));
    }

    // Adds the matches of other at the end and leaves it empty. Its file
    // indexes i become fileNames[i], those of its hits in transfer.From as
    // transfer made them. Throws TError for a file index outside fileNames.
    void Append(TMatchList&& other, const THitTransfer& transfer, std::span<const int> fileNames);
    // Turns every file index i into map(i), in the order of the matches.
    template <typename Map>
    void MapFiles(Map map);
    // Whether a match refers to a hit of transfer.From listed in
    // transfer.Unlisted.
    bool RefersToUnlisted(const THitTransfer& transfer) const;
    // The table the list keeps its hits in; absent while it has none.
    const std::shared_ptr<THitTable>& Hits() const { return Table; }

    friend bool operator==(const TMatchList& a, const TMatchList& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    // The positions of a hit in the sentence distribution (Words) or in the
    // others (Sentences) fit three fields; a match that fits neither form is
    // Wide and kept whole, A and B holding its index in Wide.
    enum TForm : std::uint8_t { Words, Sentences, IsWide };
    struct TEntry {
        std::uint32_t Hit;
        std::uint32_t A; // WordsFromBeginning
        std::uint32_t B; // WordsFromEnd (Words) or SentecesFromBeginning (Sentences)
        std::uint32_t C; // SentecesFromEnd
        std::int16_t Percent;
        TForm Form;
    };
    static_assert(sizeof(TEntry) == 20);

    static bool Fits(std::int64_t value) { return static_cast<std::uint64_t>(value) <= UINT32_MAX; }
    static bool Encode(size_t hit, const TPositions& p, TEntry& entry)
    {
        if (hit > UINT32_MAX || !Fits(p.WordsFromBeginning) || !Fits(p.SentecesFromEnd))
            return false;
        entry = {static_cast<std::uint32_t>(hit),
                 static_cast<std::uint32_t>(p.WordsFromBeginning),
                 0,
                 static_cast<std::uint32_t>(p.SentecesFromEnd),
                 p.Percent,
                 Words};
        if (p.SentecesFromBeginning == 0 && Fits(p.WordsFromEnd))
            entry.B = static_cast<std::uint32_t>(p.WordsFromEnd);
        else if (p.WordsFromEnd == 0 && Fits(p.SentecesFromBeginning))
            entry = {entry.Hit, entry.A,       static_cast<std::uint32_t>(p.SentecesFromBeginning),
                     entry.C,   entry.Percent, Sentences};
        else
            return false;
        return true;
    }
    bool TakeUp(const std::shared_ptr<THitTable>& table);
    TEntry EntryFor(const TMatch& match);
    void AddWhole(const TMatch& match) { Entries.push_back(EntryFor(match)); }
    static size_t WideIndex(const TEntry& entry) { return entry.A | std::uint64_t(entry.B) << 32; }

    TBlockList<TEntry> Entries;
    std::vector<TMatch> Wide;
    std::shared_ptr<THitTable> Table;
};

template <typename Map>
void TMatchList::MapFiles(Map map)
{
    // A table that other lists share is not changed under them: the list
    // then takes a table of its own.
    if (Table && Table.use_count() > 1) {
        TMatchList copy(*this);
        *this = std::move(copy);
    }
    for (size_t i = 0; i < size(); ++i) {
        TEntry& entry = Entries[i];
        if (entry.Form == IsWide) {
            TMatch& match = Wide[WideIndex(entry)];
            match.FileNameIndex = map(match.FileNameIndex);
        } else {
            Table->MapFile(entry.Hit, map);
        }
    }
}
