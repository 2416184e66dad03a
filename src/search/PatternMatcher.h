// The matcher step of the analysis: the search pattern prepared once per file
// for its syntax, and asked at each offered position whether a hit begins there.
#pragma once

#include "CharClasses.h"
#include "Hit.h"
#include "WildcardPattern.h"
#include "WindowText.h"
#include "WordMatcher.h"
#include "WordPattern.h"

#include <QString>

#include <optional>

class TAppSettings;
class TDelimiters;

class TPatternMatcher {
public:
    TPatternMatcher(const QString& pattern, int syntax, const TAppSettings& settings,
                    const TDelimiters& delimiters, const TCharClasses& classes);

    // The number of pattern words of the word form (the run reports a word/phrase
    // pattern without words as an error).
    int PatternWordCount() const { return static_cast<int>(Items.size()); }

    // Called once for each offered position pos, after the character there was
    // scanned. When a hit begins at pos, describes it and returns true.
    bool SearchStep(const TWindowText& text, int pos, THit& hit)
    {
        switch (Mode) {
        case TMode::Words:
            return Words->IsWordStart(text, pos) && Words->MatchAt(text, pos, hit);
        case TMode::Characters:
            return MatchCharacters(text, pos, hit);
        case TMode::None:
            break;
        }
        return false;
    }

    // False when SearchStep at pos certainly finds no hit; cheap enough to ask
    // at every position.
    bool MayMatchAt(const TWindowText& text, int pos) const
    {
        switch (Mode) {
        case TMode::Words:
            return Words->IsWordStart(text, pos) && Words->MayMatchWordAt(text[pos]);
        case TMode::Characters:
            return true;
        case TMode::None:
            break;
        }
        return false;
    }

private:
    enum class TMode { None, Words, Characters };

    bool MatchCharacters(const TWindowText& text, int pos, THit& hit) const;

    TMode Mode = TMode::None;
    bool SkipTags = false;
    TPatternItems Items;
    std::optional<TWordMatcher> Words;
    std::optional<TWildcardPattern> Characters;
};
