// Where the characters of a text begin in its bytes when characters take one
// to four bytes: the byte offset of a position runs ahead of the position by
// an amount that changes only after a character of more than one byte, so a
// text with few such characters needs few entries, and plain ASCII none.
#pragma once

#include <cstddef>
#include <vector>

class TOffsetMap {
public:
    // From position p on, offsets run ahead of positions by ahead, until the
    // next break. REQUIRES: p is greater than the position of every break.
    void Break(int p, int ahead) { Breaks.push_back({p, ahead}); }
    void Clear() { Breaks.clear(); }
    bool Empty() const { return Breaks.empty(); }

    // How far offsets run ahead at position p: 0 before the first break.
    int AheadAt(int p) const;
    // The last break's amount, 0 without one: what a position after every
    // break runs ahead by.
    int LastAhead() const { return Breaks.empty() ? 0 : Breaks.back().Ahead; }

    // The text moved on by shift positions and its new first position is
    // first: positions fall by shift, and amounts by the one in force at
    // first, which becomes 0.
    void Shift(int shift, int first);

private:
    struct TBreak {
        int Pos;
        int Ahead;
    };
    std::vector<TBreak> Breaks;   // ordered by position
    mutable std::size_t Hint = 0; // the break of the last answer
};
