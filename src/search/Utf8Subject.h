// The text window in UTF-8 for the regular-expression engine, with the map
// between byte offsets and window positions. Characters outside the Basic
// Multilingual Plane take two positions and four bytes; an unpaired surrogate
// becomes U+FFFD, so that the engine is never given invalid UTF-8.
#pragma once

#include "WindowText.h"

#include <string>
#include <vector>

class TUtf8Subject {
public:
    // Converts text positions 1..text.Length.
    void Assign(const TWindowText& text);

    const char* Bytes() const { return Utf8.data(); }
    size_t Size() const { return Used; }

    // The byte offset at which a search from position p begins: the start of
    // the character at p, or of the next one when p is the second half of a
    // surrogate pair. REQUIRES: 1 <= p <= Length() + 1.
    size_t OffsetOf(int p) const;
    // The position of the character that begins at byte offset.
    int PositionOf(size_t offset) const;
    int Length() const { return TextLength; }

private:
    std::string Utf8; // the first Used bytes are the subject
    size_t Used = 0;
    int TextLength = 0;
    // A window of ASCII text needs no map: offset and position differ by one.
    bool Ascii = true;
    // Offsets[p]: the byte offset of the character that holds position p;
    // Offsets[Length() + 1] is the subject's size. Offsets[0] is unused.
    std::vector<unsigned> Offsets;
};
