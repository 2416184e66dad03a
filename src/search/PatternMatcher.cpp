#include "PatternMatcher.h"

#include "TAppSettings.h"

TPatternMatcher::TPatternMatcher(const TSearchPattern& pattern, const TAppSettings& settings,
                                 const TDelimiters& delimiters, TCharClasses& classes)
    : SkipTags(settings.soSkipTags)
{
    switch (pattern.Syntax()) {
    case ssWordPhrase:
        if (settings.soWords) {
            Words.emplace(PrepareWordPhrase(pattern.Text(), settings, delimiters), false, settings,
                          classes);
            Kind = TMode::Words;
        } else {
            Characters.emplace(TWildcardPattern(pattern.Text(), settings), SkipTags);
            Kind = TMode::Characters;
        }
        break;
    case ssWordTag:
        Words.emplace(PrepareWordTag(pattern.Text(), settings, delimiters), true, settings,
                      classes);
        Kind = TMode::Words;
        break;
    case ssRegularExpression:
        Expression = std::make_unique<TRegexSearch>(*pattern.Expression());
        Kind = TMode::Expression;
        break;
    }
}

// A match that covers no character (a pattern of only optional wildcards) is
// no hit: its end would lie before its start and the scan would stand still.
bool TPatternMatcher::MatchCharacters(const TWindowText& text, int pos, THit& hit)
{
    const int after = Characters->MatchAt(text, pos);
    if (after <= pos)
        return false;
    hit = {pos, after - 1, after - 1};
    return true;
}

bool TPatternMatcher::MatchExpression(int pos, THit& hit)
{
    const int last = Expression->TakeAt(pos);
    if (last == 0)
        return false;
    hit = {pos, last, last};
    return true;
}
