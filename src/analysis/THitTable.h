// The fields of a hit that every distribution shares: where the hit lies in
// which file, and how that file is read. A search keeps each hit once, in a
// table that the bin sets of its distributions share; their matches refer to
// the hit by its index there and keep only their positions.
#pragma once

#include "TBlockList.h"
#include "TMatch.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct THitRecord {
    std::int64_t BeginOffest = 0;
    std::int64_t EndOffset = 0;
    std::int64_t LineNo = 0;
    std::int32_t FileNameIndex = 0;
    bool isUnicode = false;
    bool isUtf8 = false;

    static THitRecord Of(const TMatch& match)
    {
        return {match.BeginOffest,   match.EndOffset, match.LineNo,
                match.FileNameIndex, match.isUnicode, match.isUtf8};
    }
    void CopyTo(TMatch& match) const
    {
        match.BeginOffest = BeginOffest;
        match.EndOffset = EndOffset;
        match.LineNo = LineNo;
        match.FileNameIndex = FileNameIndex;
        match.isUnicode = isUnicode;
        match.isUtf8 = isUtf8;
    }
};

// Hits are added at the end and only the newest are ever removed, so an
// index stays valid for the life of the table. The records of a table that
// several bin sets share are only read or added to while one thread uses
// them.
class THitTable {
public:
    size_t size() const { return Records.size(); }
    // Adds hit and returns its index.
    size_t Add(const THitRecord& hit)
    {
        TPacked record;
        if (!Fits(hit, record))
            return AddWide(hit);
        Records.push_back(record);
        return Records.size() - 1;
    }
    THitRecord operator[](size_t index) const;

    // Drops the hits from index count on.
    void TruncateTo(size_t count);

    // Turns the file index i of the hit at index into map(i).
    template <typename Map>
    void MapFile(size_t index, Map map)
    {
        std::int32_t& file = FileOf(index);
        file = map(file);
    }
    // Turns each hit's file index i into fileNames[i]. Returns the indexes,
    // ascending, of the hits whose file index lies outside fileNames; they
    // keep it.
    std::vector<size_t> MapFiles(std::span<const int> fileNames);
    // Adds a copy of every hit of other, mapped as MapFiles maps them, and
    // returns what MapFiles would: indexes in other.
    std::vector<size_t> AppendMapped(const THitTable& other, std::span<const int> fileNames);

private:
    // Offsets grow with the file, so the first is kept whole; the length of
    // the hit and its line number fit 32 bits in all but gigantic files,
    // whose hits are kept whole aside.
    struct TPacked {
        std::int64_t BeginOffest; // the index in Wide for a wide record
        std::uint32_t Length;     // EndOffset - BeginOffest
        std::uint32_t LineNo;
        std::int32_t FileNameIndex;
        std::uint8_t Flags;
    };
    enum : std::uint8_t { Unicode = 1, Utf8 = 2, IsWide = 4 };

    static bool Fits(const THitRecord& hit, TPacked& record)
    {
        const std::uint64_t length =
            static_cast<std::uint64_t>(hit.EndOffset) - static_cast<std::uint64_t>(hit.BeginOffest);
        if (length > UINT32_MAX || hit.LineNo < 0 || hit.LineNo > std::int64_t(UINT32_MAX))
            return false;
        record = {
            hit.BeginOffest, static_cast<std::uint32_t>(length),
            static_cast<std::uint32_t>(hit.LineNo), hit.FileNameIndex,
            static_cast<std::uint8_t>((hit.isUnicode ? Unicode : 0) | (hit.isUtf8 ? Utf8 : 0))};
        return true;
    }
    size_t AddWide(const THitRecord& hit);
    std::vector<size_t> MapFilesFrom(size_t from, std::span<const int> fileNames);
    std::int32_t& FileOf(size_t index);

    TBlockList<TPacked> Records;
    std::vector<THitRecord> Wide;
};
