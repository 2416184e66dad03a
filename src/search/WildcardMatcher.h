// The character-form matcher: a wildcard pattern matched at one position of
// the window after another. It learns from each position for the next ones, so
// that the work over a window stays about linear in its length whatever the
// pattern: what a zero-or-more wildcard found (or did not find) further on is
// kept per piece, and the positions that optional wildcards can reach are
// tried once each.
#pragma once

#include "VisibleText.h"
#include "WildcardPattern.h"
#include "WindowText.h"

#include <cstdint>
#include <string>
#include <vector>

class TCancelCheck;

class TWildcardMatcher {
public:
    // With skipTags the characters of markup tags are invisible to the match.
    TWildcardMatcher(TWildcardPattern pattern, bool skipTags);

    // Matches the pattern anchored at start. Returns the position just after
    // the match, or 0 when there is none. The matcher keeps what it learned
    // about text until ForgetText, or a text with other Chars or Length.
    // REQUIRES: start >= 1.
    int MatchAt(const TWindowText& text, int start);

    // Call whenever the characters of the window change.
    void ForgetText() { Prepared = false; }

    // Long match attempts ask check whether the search was cancelled; a
    // cancelled attempt finds nothing.
    void SetCancelCheck(TCancelCheck* check) { Cancel = check; }

private:
    // What one scan for a piece's successors has learned: a range of
    // positions none of which gives a match, and the first one after it that
    // does.
    struct TFrontier {
        int Lo = 1;
        int To = 0;    // no candidate in [Lo, To) gives a match
        int Value = 0; // when not 0, the candidate To gives this result

        template <typename TStep, typename TTest>
        int First(int from, int limit, TStep step, TTest test);
    };
    struct TStarState {
        TFrontier Any;   // every position is a candidate
        TFrontier Shown; // only positions that a reading from 1 sees
    };

    bool CannotStartAt(const TWindowText& text, int start) const;
    void Prepare(const TWindowText& text);
    int MatchFrom(size_t b, int x);
    int MatchEnd(size_t b, int x);
    int FindFollowing(size_t b, int from);
    void AddSuccessors(size_t b, int x, std::vector<int>& next);
    void Add(int y, std::vector<int>& next);

    const TWildcardPattern Pattern;
    const bool SkipTags;
    TCancelCheck* Cancel = nullptr;
    std::u16string TagFirsts; // the first characters of the tag texts skipped

    bool Prepared = false;
    TVisibleText Text;
    std::vector<TStarState> Stars; // one per piece, used by zero-or-more pieces
    // The positions of one level of pieces, two per level of nested
    // zero-or-more pieces, and the mark of positions already on a level.
    std::vector<std::vector<int>> Levels;
    size_t Depth = 0;
    std::vector<std::uint32_t> Marks;
    std::uint32_t Mark = 0;
};
