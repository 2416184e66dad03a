// Matches whose values lie at and beyond the edges of the compact forms in
// which matches are stored.
#pragma once

#include "TMatch.h"

#include <cstdint>
#include <limits>
#include <vector>

// Each value at the edge of a 32-bit field and beyond, and the fields that
// the compact forms expect to be 0 set together.
inline std::vector<TMatch> ExtremeMatches()
{
    std::vector<TMatch> matches;
    using Int64 = std::numeric_limits<std::int64_t>;
    const std::int64_t wide = std::int64_t(1) << 32;
    const std::int64_t values[] = {0, 1, -1, wide - 1, wide, Int64::min(), Int64::max()};
    for (const std::int64_t v : values) {
        matches.push_back({.WordsFromBeginning = v, .WordsFromEnd = 2});
        matches.push_back({.WordsFromBeginning = 3, .SentecesFromBeginning = v});
        matches.push_back({.WordsFromEnd = v, .SentecesFromEnd = 4});
        matches.push_back({.SentecesFromBeginning = 5, .SentecesFromEnd = v});
        matches.push_back({.WordsFromBeginning = 1,
                           .SentecesFromBeginning = 2,
                           .WordsFromEnd = 3,
                           .SentecesFromEnd = 4});
        matches.push_back({.LineNo = v, .BeginOffest = 7, .EndOffset = 9});
        matches.push_back({.BeginOffest = v, .EndOffset = v / 2 + 1000});
        matches.push_back({.BeginOffest = 10, .EndOffset = v});
        matches.push_back({.BeginOffest = v, .EndOffset = 10});
    }
    for (const std::int16_t percent :
         {std::int16_t(-32768), std::int16_t(-1), std::int16_t(101), std::int16_t(32767)})
        matches.push_back({.Percent = percent});
    for (const std::int32_t file : {-1, 0, std::numeric_limits<std::int32_t>::max()}) {
        matches.push_back({.isUnicode = true, .FileNameIndex = file});
        matches.push_back({.isUtf8 = true, .FileNameIndex = file});
    }
    return matches;
}
