// The text window in UTF-8 for the regular-expression engine, with the map
// between byte offsets and window positions. The subject begins with the
// window's context, the characters before position 1, so that assertions and
// lookbehinds see the file as it is; searches start at position 1 or later.
// Where the window is the file's own UTF-8 its bytes are taken as they are;
// otherwise the window is converted. Characters outside the Basic Multilingual
// Plane take two positions and four bytes; an unpaired surrogate becomes
// U+FFFD, so that the engine is never given invalid UTF-8.
#pragma once

#include "OffsetMap.h"
#include "WindowText.h"

#include <string>

class TUtf8Subject {
public:
    // Takes text positions 1 - text.Before .. text.Length.
    void Assign(const TWindowText& text);

    const char* Bytes() const { return Utf8.data(); }
    size_t Size() const { return Used; }
    // The subject followed by a second copy of its last character: a guess at
    // how the text goes on after the window.
    size_t ContinuedSize() const { return Continued; }

    // The byte offset at which a search from position p begins: the start of
    // the character at p, or of the next one when p is the second half of a
    // surrogate pair. REQUIRES: 1 <= p <= Length() + 1.
    size_t OffsetOf(int p) const;
    // The position of the character that begins at byte offset; 0 or less in
    // the context. REQUIRES: offset <= Size().
    int PositionOf(size_t offset) const;
    int Length() const { return TextLength; }

private:
    void Convert(const TWindowText& text);
    void AppendContinuation();
    // The offset of the character that holds position p.
    size_t Start(int p) const
    {
        return static_cast<size_t>(p - First + (Ascii ? 0 : Map.AheadAt(p)));
    }

    std::string Utf8; // the first Used bytes are the subject
    size_t Used = 0;
    size_t Continued = 0;
    int TextLength = 0;
    int First = 1; // the position of the subject's first character
    // Without characters beyond ASCII no map is needed: offset and position
    // differ by First.
    bool Ascii = true;
    TOffsetMap Map;
};
