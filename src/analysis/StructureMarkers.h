// The settings that describe how a text is structured, prepared for the
// recognisers of the analysis: header and body tags, section, paragraph and
// sentence boundaries.
#pragma once

#include "CharCase.h"
#include "Markup.h"
#include "WildcardPattern.h"

#include <optional>
#include <string>
#include <vector>

class TAppSettings;
class TCharClasses;

struct TStructureMarkers {
    explicit TStructureMarkers(const TAppSettings& settings);

    // Flags the characters at which a marker or boundary may begin: HeaderBody
    // for the header and body tags, Structure for the rest. Sections found by
    // a regular expression begin where its match does, whatever the character.
    void MarkStarts(TCharClasses& classes) const;

    // False when no match of the section pattern can begin with c.
    bool SectionPatternMayBeginWith(char16_t c) const
    {
        return SectionPatternFirst == 0 || UpperChar(c) == SectionPatternFirst;
    }

    TMarker HeaderStart, HeaderStop, BodyStart, BodyStop;

    int SectionsType;
    TMarker SectionStart, SectionStop;              // markers (type 0)
    std::optional<TWildcardPattern> SectionPattern; // pattern (type 1)
    char16_t SectionPatternFirst = 0; // the first character of its literal text, if any

    int ParagraphsType;
    TMarker ParagraphStart;

    int SentencesType;
    TMarker SentenceStart;
    std::u16string SentenceDelimiters; // each character ends a sentence
    bool AbbreviationDetect;
    bool IncludeTrailingQuotes;
    bool CapitalRequired;
    std::vector<TMarker> Exceptions;
    std::vector<std::u16string> ExceptionTexts; // as written, to find the delimiters in
};
