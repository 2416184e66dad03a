#include "OffsetMap.h"

#include <algorithm>

int TOffsetMap::AheadAt(int p) const
{
    const auto after = std::upper_bound(Breaks.begin(), Breaks.end(), p,
                                        [](int pos, const TBreak& b) { return pos < b.Pos; });
    return after == Breaks.begin() ? 0 : std::prev(after)->Ahead;
}

void TOffsetMap::Shift(int shift, int first)
{
    const int base = AheadAt(first + shift);
    const auto kept = std::upper_bound(Breaks.begin(), Breaks.end(), first + shift,
                                       [](int pos, const TBreak& b) { return pos < b.Pos; });
    const auto end = std::transform(kept, Breaks.end(), Breaks.begin(), [&](const TBreak& b) {
        return TBreak{b.Pos - shift, b.Ahead - base};
    });
    Breaks.erase(end, Breaks.end());
}
