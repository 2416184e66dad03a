#include "RegexSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

TRegexSearch::TRegexSearch(const TCompiledRegex& expression)
    : Code(expression.Compiled())
{
    if (!Code)
        return;
    MatchData = pcre2_match_data_create_from_pattern(Code, nullptr);
    // The engine's default limits stop an expression that backtracks without
    // end; a failed search is reported, not waited for.
    MatchContext = pcre2_match_context_create(nullptr);
}

TRegexSearch::~TRegexSearch()
{
    pcre2_match_context_free(MatchContext);
    pcre2_match_data_free(MatchData);
}

void TRegexSearch::SetWindow(const TWindowText& text)
{
    Subject.Assign(text);
    SearchFrom(1);
}

void TRegexSearch::ShiftWindow(const TWindowText& text, int reached, int shift)
{
    const bool keep = Start >= reached;
    Subject.Assign(text);
    if (keep) {
        Start -= shift;
        End -= shift;
    } else {
        SearchFrom(1);
    }
}

int TRegexSearch::TakeAt(int p)
{
    if (Start != 0 && Start < p)
        SearchFrom(p);
    if (Start != p)
        return 0;
    const int last = End - 1;
    SearchFrom(End);
    return last;
}

void TRegexSearch::SearchFrom(int p)
{
    Start = End = 0;
    if (!Code || Failed || p > Subject.Length() + 1)
        return;
    const int result = pcre2_match(Code, reinterpret_cast<PCRE2_SPTR>(Subject.Bytes()),
                                   Subject.Size(), Subject.OffsetOf(p),
                                   PCRE2_NOTEMPTY | PCRE2_NO_UTF_CHECK, MatchData, MatchContext);
    if (result == PCRE2_ERROR_NOMATCH)
        return;
    if (result < 0) {
        Failed = true;
        if (OnFailure)
            OnFailure(RegexEngineMessage(result));
        return;
    }
    const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(MatchData);
    Start = Subject.PositionOf(vector[0]);
    End = Subject.PositionOf(vector[1]);
}
