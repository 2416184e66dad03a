#include "RegexSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

using namespace Qt::StringLiterals;

namespace {

QString EngineMessage(int code)
{
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
    return length < 0 ? u"error %1"_s.arg(code)
                      : QString::fromUtf8(reinterpret_cast<const char*>(buffer), length);
}

} // namespace

TRegexSearch::TRegexSearch(const QString& expression)
{
    if (expression.isEmpty()) {
        Error = u"TPerlRegEx.Compile() - Please specify a regular expression in RegEx first"_s;
        return;
    }
    const QByteArray utf8 = expression.toUtf8();
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(context, PCRE2_NEWLINE_ANY);
    int code = 0;
    PCRE2_SIZE offset = 0;
    Code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.constData()),
                         static_cast<PCRE2_SIZE>(utf8.size()), PCRE2_UTF, &code, &offset, context);
    pcre2_compile_context_free(context);
    if (!Code) {
        Error = u"TPerlRegEx.Compile() - Error in regex at offset %1: %2"_s.arg(offset).arg(
            EngineMessage(code));
        return;
    }
    // Compiled to machine code where the platform allows; the results are
    // the same, only faster.
    pcre2_jit_compile(Code, PCRE2_JIT_COMPLETE);
    MatchData = pcre2_match_data_create_from_pattern(Code, nullptr);
    // The engine's default limits stop an expression that backtracks without
    // end; a failed search is reported, not waited for.
    MatchContext = pcre2_match_context_create(nullptr);
}

TRegexSearch::~TRegexSearch()
{
    pcre2_match_context_free(MatchContext);
    pcre2_match_data_free(MatchData);
    pcre2_code_free(Code);
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
            OnFailure(EngineMessage(result));
        return;
    }
    const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(MatchData);
    Start = Subject.PositionOf(vector[0]);
    End = Subject.PositionOf(vector[1]);
}
