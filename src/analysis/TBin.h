// A bin of a distribution: the matches whose position falls into one range of
// percentages or equals one position counted from the beginning or the end.
#pragma once

#include "TMatch.h"
#include "TMatchList.h"

#include <cstdint>

class TXmlNode;

// Ordinal values are stored in files.
enum TBinType : std::int32_t {
    btPrecentage = 0,   // Percent lies in ValFrom..ValTo, both inclusive
    btPosFromBegin = 1, // the position from the unit's beginning equals ValFrom (1 = first)
    btPosFromEnd = 2,   // the position from the unit's end equals ValFrom (1 = last)
    btOther = 3,        // the position fitted no other bin
};

class TBin {
public:
    TBinType BinType = btPrecentage;
    // Positions are compared with 64-bit counts. -1 when the type has no use
    // for it.
    std::int64_t ValFrom = -1;
    std::int64_t ValTo = -1;
    TMatchList Matches;

    void ClearMatches() { Matches.clear(); }
    std::int64_t Count() const { return static_cast<std::int64_t>(Matches.size()); }
    TMatch GetMatch(int index) const { return Matches[static_cast<size_t>(index)]; }
    void SetMatch(int index, const TMatch& Match)
    {
        Matches.Set(static_cast<size_t>(index), Match);
    }
    void AddMatch(const TMatch& Match) { Matches.push_back(Match); }

    bool operator==(const TBin&) const = default;

    // Makes Bin a copy of this bin.
    void CopyTo(TBin& Bin) const;

    // The bin as an element with one child "M" per match. Reading appends the
    // matches of every child, whatever its name, with their saved file indexes
    // (see TMatch::FromXml).
    void ToXml(TXmlNode& node) const;
    void FromXml(const TXmlNode& node, int savedFileCount);
};
