#include "CharClasses.h"

#include "CharCase.h"
#include "TAppSettings.h"
#include "TDelimiters.h"

#include <algorithm>

TCharClasses::TCharClasses(const TAppSettings& settings, const TDelimiters& delimiters)
    : Flags(0x10000, 0)
{
    delimiters.ForEach([this](char16_t c) { Flags[c] |= Delimiter; });
    for (const QString& start : settings.psTagsStart)
        Mark(TMarker(start), PosTagStart);
    const TMarker tagStart(settings.TagStart);
    Mark(tagStart, TagStart);

    MarkChar(u'\r', ScanSpecial);
    MarkChar(u'\n', ScanSpecial);
    if (settings.soSkipTags) {
        // An empty TagStart opens a tag at every character.
        if (tagStart.IsEmpty()) {
            MarkAll(ScanSpecial);
        } else {
            Mark(tagStart, ScanSpecial);
        }
    }
}

void TCharClasses::Mark(const TMarker& marker, std::uint8_t flag)
{
    if (!marker.IsEmpty())
        MarkUpper(marker.First(), flag);
}

void TCharClasses::MarkUpper(char16_t upper, std::uint8_t flag)
{
    for (char16_t c : CaseVariantsOf(upper))
        Flags[c] |= flag;
}

void TCharClasses::MarkAll(std::uint8_t flag)
{
    for (std::uint8_t& flags : Flags)
        flags |= flag;
}
