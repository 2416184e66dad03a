// A read-only view of text for the matchers: 1-based positions, as the analysis
// window numbers them. Chars[0] is valid and holds the character that precedes
// position 1 in the file, so that word starts and line breaks can look back
// across a window shift.
#pragma once

struct TWindowText {
    const char16_t* Chars = nullptr; // Chars[1] .. Chars[Length] are the text
    int Length = 0;
    bool AtFileStart = true; // position 1 is the file's first character

    char16_t operator[](int k) const { return Chars[k]; }
};
