#include "PatternMatcher.h"

#include "TAppSettings.h"

TPatternMatcher::TPatternMatcher(const QString& pattern, int syntax, const TAppSettings& settings,
                                 const TDelimiters& delimiters, const TCharClasses& classes)
    : SkipTags(settings.soSkipTags)
{
    if (syntax != ssWordPhrase)
        return;
    if (settings.soWords) {
        Items = PrepareWordPhrase(pattern, settings, delimiters);
        Words.emplace(Items, settings, classes);
        Mode = TMode::Words;
    } else {
        Characters.emplace(pattern, settings);
        Mode = TMode::Characters;
    }
}

// A match that covers no character (a pattern of only optional wildcards) is
// no hit: its end would lie before its start and the scan would stand still.
bool TPatternMatcher::MatchCharacters(const TWindowText& text, int pos, THit& hit) const
{
    const int after = MatchWildcardsAt(text, *Characters, pos, SkipTags);
    if (after <= pos)
        return false;
    hit = {pos, after - 1, after - 1};
    return true;
}
