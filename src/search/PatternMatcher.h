// The matcher step of the analysis: the search pattern prepared once per file
// for its syntax, and asked at each offered position whether a hit begins there.
#pragma once

#include "CancelCheck.h"
#include "CharClasses.h"
#include "Hit.h"
#include "RegexSearch.h"
#include "SearchPattern.h"
#include "WildcardMatcher.h"
#include "WindowText.h"
#include "WordMatcher.h"
#include "WordPattern.h"

#include <memory>
#include <optional>

class TAppSettings;
class TDelimiters;

class TPatternMatcher {
public:
    enum class TMode { None, Words, Characters, Expression };

    // Prepares the search's pattern for one file; classes learns where hits
    // may begin. The pattern must outlive the matcher.
    TPatternMatcher(const TSearchPattern& pattern, const TAppSettings& settings,
                    const TDelimiters& delimiters, TCharClasses& classes);

    // The regular expression of a regular-expression search, null otherwise.
    TRegexSearch* Regex() const { return Expression.get(); }

    // Called once for each offered position pos, after the character there was
    // scanned. When a hit begins at pos, describes it and returns true.
    bool SearchStep(const TWindowText& text, int pos, THit& hit)
    {
        switch (Kind) {
        case TMode::Words:
            return Words->IsWordStart(text, pos) && Words->MatchAt(text, pos, hit);
        case TMode::Characters:
            return MatchCharacters(text, pos, hit);
        case TMode::Expression:
            return MatchExpression(pos, hit);
        case TMode::None:
            break;
        }
        return false;
    }

    // Long match attempts ask check whether the search was cancelled.
    void SetCancelCheck(TCancelCheck* check)
    {
        if (Words)
            Words->SetCancelCheck(check);
        if (Characters)
            Characters->SetCancelCheck(check);
    }

    // Call whenever the characters of the window change (it moved on): what
    // the matcher learnt of the old text is forgotten.
    void ForgetText()
    {
        if (Words)
            Words->ForgetText();
        if (Characters)
            Characters->ForgetText();
    }

    TMode Mode() const { return Kind; }
    // The word form's matcher (also of the word/tag syntax), null in other modes.
    const TWordMatcher* WordForm() const { return Words ? &*Words : nullptr; }

private:
    bool MatchCharacters(const TWindowText& text, int pos, THit& hit);
    bool MatchExpression(int pos, THit& hit);

    TMode Kind = TMode::None;
    bool SkipTags = false;
    std::optional<TWordMatcher> Words; // also the word/tag syntax
    std::optional<TWildcardMatcher> Characters;
    std::unique_ptr<TRegexSearch> Expression;
};
