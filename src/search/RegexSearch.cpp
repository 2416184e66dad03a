#include "RegexSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <algorithm>
#include <pcre2.h>

namespace {

// How near the window's end a match must end to be checked against the text
// after the window, in characters: the reach of lookaheads that are honoured.
constexpr int EndReach = 1024;

} // namespace

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
    WindowEndsFile = text.AtFileEnd;
    SearchFrom(1);
}

void TRegexSearch::ShiftWindow(const TWindowText& text, int reached, int shift)
{
    const bool keep = Start >= reached;
    if (keep && Undecided)
        CutAtWindowEnd(Start);
    Subject.Assign(text);
    WindowEndsFile = text.AtFileEnd;
    if (!keep) {
        SearchFrom(1);
    } else if (Undecided) {
        SearchFrom(std::max(1, Start - shift));
    } else {
        Start -= shift;
        End -= shift;
    }
}

int TRegexSearch::TakeAt(int p)
{
    if (Start != 0 && Start < p)
        SearchFrom(p);
    // The scan reached a match that only the text after the window could
    // decide: the window is searched as if it ended the text ($ aside). Such a
    // match began half a window before the window's end at least, or markup
    // that the scan passed over led to it. A match found further on is
    // checked as any other.
    if (Start == p && Undecided) {
        Find(p, PCRE2_NOTEOL);
        if (Start > p)
            SearchFrom(Start);
    }
    if (Start != p)
        return 0;
    const int last = End - 1;
    SearchFrom(End);
    return last;
}

// Where the window does not end the file, its end is not the end of the text.
// A match that ends near it is looked for again in partial mode: the engine
// then stops where the end of the subject would decide, where the match would
// take the window's end for the end of the text ($, \z, \Z, \b, a lookahead;
// $ and \Z before a line break that ends the window too) or runs into it.
// Further from the end the complete search, twice as fast, stands; when it
// finds nothing, the next window is searched anyway.
void TRegexSearch::SearchFrom(int p)
{
    if (WindowEndsFile) {
        Find(p, 0);
        return;
    }
    Find(p, PCRE2_NOTEOL);
    const int nearEnd = Subject.Length() + 1 - EndReach;
    if (Start != 0 && End > nearEnd)
        Find(std::max(p, std::min(Start, nearEnd)), PCRE2_PARTIAL_HARD);
}

void TRegexSearch::Find(int p, std::uint32_t options)
{
    Start = End = 0;
    Undecided = false;
    while (p <= Subject.Length() + 1) {
        const int result = Match(Subject.Size(), p, options);
        if (result == PCRE2_ERROR_NOMATCH)
            return;
        const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(MatchData);
        // \K inside a lookaround, reached through a subroutine call, can
        // report a start before the search's start or after the match's end:
        // the hit begins where the search began at the earliest, and a match
        // left without a character is passed over.
        const int begin = std::max(p, Subject.PositionOf(vector[0]));
        if (result == PCRE2_ERROR_PARTIAL) {
            Start = begin;
            Undecided = true;
            return;
        }
        const int end = Subject.PositionOf(vector[1]);
        if (end > begin) {
            Start = begin;
            End = end;
            return;
        }
        p = std::max(p + 1, end);
    }
}

// Before the window moves on. A match undecided at s that runs on past the
// window's end, as a run of letters does, is cut there like any match that
// reaches the window's end. One that needs the window's end to be the end of
// the text, or looks past it, is left to the next window.
void TRegexSearch::CutAtWindowEnd(int s)
{
    if (Match(Subject.Size(), s, PCRE2_ANCHORED | PCRE2_NOTEOL) < 0)
        return;
    const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(MatchData);
    const int begin = std::max(s, Subject.PositionOf(vector[0]));
    const int end = Subject.Length() + 1;
    if (vector[1] != Subject.Size() || begin >= end || !RunsPastWindowEnd(s))
        return;
    Start = begin;
    End = end;
    Undecided = false;
}

// Whether the expression, matched at s, goes on past the window's end when the
// window's last character is repeated there: then the match does not depend
// on the window's end being the end of the text.
bool TRegexSearch::RunsPastWindowEnd(int s)
{
    const int result = Match(Subject.ContinuedSize(), s, PCRE2_ANCHORED | PCRE2_PARTIAL_HARD);
    return result == PCRE2_ERROR_PARTIAL ||
           (result >= 0 && pcre2_get_ovector_pointer(MatchData)[1] > Subject.Size());
}

// Runs the engine on the first size bytes of the subject from position p.
// Returns the engine's result; an error is reported once and ends the search,
// which then finds nothing (PCRE2_ERROR_NOMATCH).
int TRegexSearch::Match(size_t size, int p, std::uint32_t options)
{
    if (!Code || Failed)
        return PCRE2_ERROR_NOMATCH;
    const int result =
        pcre2_match(Code, reinterpret_cast<PCRE2_SPTR>(Subject.Bytes()), size, Subject.OffsetOf(p),
                    options | PCRE2_NOTEMPTY | PCRE2_NO_UTF_CHECK, MatchData, MatchContext);
    if (result >= 0 || result == PCRE2_ERROR_NOMATCH || result == PCRE2_ERROR_PARTIAL)
        return result;
    Failed = true;
    if (OnFailure)
        OnFailure(RegexEngineMessage(result));
    return PCRE2_ERROR_NOMATCH;
}
