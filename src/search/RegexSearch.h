// A regular expression searched in the text window with the PCRE2 engine:
// compiled in UTF mode with the newline convention "any", executed with empty
// matches rejected. The matches are taken one after the other as the scan
// reaches them; the next match not yet taken is pending, and it moves with the
// window when the window moves on.
//
// The subject begins with the window's context, so that ^, \A, \b and
// lookbehinds see the text before the window as it is. Where a window does not
// end the file, its end is not the end of the text: a match that depends on
// what follows it ($, \z, \Z, \b or a lookahead there) is undecided until the
// window moves on.
#pragma once

#include "CompiledRegex.h"
#include "Utf8Subject.h"
#include "WindowText.h"

#include <QString>

#include <cstdint>
#include <functional>

struct pcre2_real_code_8;
struct pcre2_real_match_data_8;
struct pcre2_real_match_context_8;

class TRegexSearch {
public:
    // Searches with expression, which must outlive this object; an expression
    // that did not compile finds nothing.
    explicit TRegexSearch(const TCompiledRegex& expression);
    ~TRegexSearch();
    TRegexSearch(const TRegexSearch&) = delete;
    TRegexSearch& operator=(const TRegexSearch&) = delete;

    // Called with the engine's message when a search fails (for instance when
    // the expression backtracks too much); the search then finds nothing more.
    std::function<void(const QString& message)> OnFailure;

    // Makes text the subject and searches it from its beginning.
    void SetWindow(const TWindowText& text);
    // The window moved on by shift positions after the scan reached reached:
    // a pending match behind that position is dropped, another moves with the
    // window; without one the new window is searched from its beginning.
    void ShiftWindow(const TWindowText& text, int reached, int shift);

    // The position where the pending match begins, or may begin when only the
    // text after the window can tell, or 0 when there is none.
    int PendingStart() const { return Start; }

    // Takes the pending match if it begins at p, after replacing one that
    // begins before p (the scan passed it) by the next match from p. Returns
    // the position of the match's last character, or 0 when none begins at p.
    int TakeAt(int p);

private:
    void SearchFrom(int p);
    void Find(int p, std::uint32_t options);
    void CutAtWindowEnd(int s);
    bool RunsPastWindowEnd(int s);
    int Match(size_t size, int p, std::uint32_t options);

    pcre2_real_code_8* Code = nullptr; // the compiled expression's
    pcre2_real_match_data_8* MatchData = nullptr;
    pcre2_real_match_context_8* MatchContext = nullptr;
    bool Failed = false;
    TUtf8Subject Subject;
    bool WindowEndsFile = true;
    int Start = 0; // the pending match's first position, 0 when none
    int End = 0;   // the position after its last character
    // Whether a match begins at Start depends on the text after the window;
    // End is not known.
    bool Undecided = false;
};
