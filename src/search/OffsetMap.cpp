#include "OffsetMap.h"

#include <algorithm>

// The hits of a scan ask in the order of the text, a few breaks apart: the
// search starts from the last answer, and only a long way on halves the rest.
int TOffsetMap::AheadAt(int p) const
{
    constexpr std::size_t nearby = 16;
    std::size_t next = Hint < Breaks.size() && Breaks[Hint].Pos <= p ? Hint + 1 : 0;
    const std::size_t stop = std::min(Breaks.size(), next + nearby);
    while (next < stop && Breaks[next].Pos <= p)
        ++next;
    if (next == stop && next < Breaks.size() && Breaks[next].Pos <= p) {
        next = static_cast<std::size_t>(
            std::upper_bound(Breaks.begin() + static_cast<std::ptrdiff_t>(next), Breaks.end(), p,
                             [](int pos, const TBreak& b) { return pos < b.Pos; }) -
            Breaks.begin());
    }
    if (next == 0)
        return 0;
    Hint = next - 1;
    return Breaks[Hint].Ahead;
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
