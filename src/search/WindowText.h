// A read-only view of text for the matchers: 1-based positions, as the analysis
// window numbers them. Chars[0] is valid and holds the character that precedes
// position 1 in the file (0 at the file's start), so that word starts and line
// breaks can look back across a window shift. Regular expressions look further
// back, over the Before characters of context.
#pragma once

class TOffsetMap;

struct TWindowText {
    const char16_t* Chars = nullptr; // Chars[1] .. Chars[Length] are the text
    int Length = 0;
    bool AtFileStart = true; // position 1 is the file's first character
    // Chars[1 - Before] .. Chars[0] are the file's characters before position 1.
    int Before = 0;
    bool AtFileEnd = true; // no character of the file follows position Length
    // Where the text is the file's own valid UTF-8: the Utf8Size bytes of
    // positions 1 - Before .. Length, position p beginning at byte
    // p - (1 - Before) + Utf8Map->AheadAt(p). Null otherwise.
    const char* Utf8 = nullptr;
    int Utf8Size = 0;
    const TOffsetMap* Utf8Map = nullptr;

    char16_t operator[](int k) const { return Chars[k]; }
};
