// A flag byte for every UTF-16 code unit, so that the per-character work of the
// analysis asks one table whether a character is a delimiter or may begin one
// of the markers that the settings define, and takes its slow paths only then.
#pragma once

#include "Markup.h"

#include <cstdint>
#include <vector>

class TAppSettings;
class TDelimiters;

class TCharClasses {
public:
    enum TFlag : std::uint8_t {
        Delimiter = 1,
        PosTagStart = 2, // may begin a non-empty psTagsStart entry
        TagStart = 4,    // may begin a non-empty TagStart
        // The word scanner has more to do than count words: a line break, or
        // (when tags are skipped) the possible start of a tag.
        ScanSpecial = 8,
        // May begin a header or body marker.
        HeaderBody = 32,
        // May begin a section, paragraph or sentence boundary.
        Structure = 64,
        // May begin a hit of the word form: set by its matcher.
        MatchStart = 128,
    };

    TCharClasses(const TAppSettings& settings, const TDelimiters& delimiters);

    // Gives flag to every character whose upper-case form is the marker's first
    // character; an empty marker marks nothing.
    void Mark(const TMarker& marker, std::uint8_t flag);
    // Gives flag to every character whose upper-case form is upper.
    void MarkUpper(char16_t upper, std::uint8_t flag);
    // Gives flag to the character c itself.
    void MarkChar(char16_t c, std::uint8_t flag) { Flags[c] |= flag; }
    // Gives flag to every character.
    void MarkAll(std::uint8_t flag);

    std::uint8_t operator[](char16_t c) const { return Flags[c]; }
    bool IsDelimiter(char16_t c) const { return Flags[c] & Delimiter; }

private:
    std::vector<std::uint8_t> Flags;
};
