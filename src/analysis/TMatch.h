// One hit of a search, measured in one distribution: its position in its unit
// and where it lies in its file, so that its text can be read again. Millions
// are stored, so a match is a small plain value; the texts that a concordance
// window shows for it live in that window's own rows.
#pragma once

#include <cstdint>

class TXmlNode;

struct TMatch {
    // Positions and line numbers grow with the file, so they are counted in
    // 64 bits; the fields are ordered to pack the match into 64 bytes.
    std::int64_t WordsFromBeginning = 0;    // 1 for the unit's first word
    std::int64_t SentecesFromBeginning = 0; // 0 in the sentence distribution
    std::int64_t WordsFromEnd = 0;          // sentence distribution only; 1 for the last word
    std::int64_t SentecesFromEnd = 0;       // 0 in the sentence distribution; 1 for the last
    std::int16_t Percent = 0;               // 0 (first word) to 100 (last word)
    bool isUnicode = false;                 // the file is UTF-16LE: two bytes per character
    bool isUtf8 = false;            // the file is read as UTF-8: one to four bytes per character
    std::int32_t FileNameIndex = 0; // index in FileNameCache
    std::int64_t LineNo = 0;
    std::int64_t BeginOffest = 0; // byte offset of the hit's first character
    std::int64_t EndOffset = 0;   // byte offset of the hit's last character

    std::int64_t FromBeginning(bool UseSentences) const
    {
        return UseSentences ? SentecesFromBeginning : WordsFromBeginning;
    }
    std::int64_t FromEnd(bool UseSentences) const
    {
        return UseSentences ? SentecesFromEnd : WordsFromEnd;
    }

    bool operator==(const TMatch&) const = default;

    void CopyTo(TMatch& Match) const { Match = *this; }
    TMatch CreateCopy() const { return *this; }

    // The match as the attributes of an element "M". Reading keeps the saved
    // file index, an index in the file-name list saved with the match; throws
    // TError when it lies outside the savedFileCount entries of that list.
    void ToXml(TXmlNode& node) const;
    void FromXml(const TXmlNode& node, int savedFileCount);
};

// Millions of matches are kept: a larger match costs memory for each.
static_assert(sizeof(TMatch) == 64);
