#include "WordGlob.h"

#include "CancelCheck.h"
#include "CharCase.h"
#include "TAppSettings.h"

#include <climits>

namespace {

char16_t FirstOf(const QString& s)
{
    return s.isEmpty() ? char16_t(0) : s.front().unicode();
}

} // namespace

TWordGlob::TWordGlob(const QString& pattern, const TAppSettings& settings)
    : IsCaseSensitive(settings.soCaseSensitive)
{
    // An empty wildcard text has no first character, so it makes no wildcard.
    const char16_t star = FirstOf(settings.wcStar);
    const char16_t percent = FirstOf(settings.wcPercent);
    const char16_t question = FirstOf(settings.wcQuestion);
    for (QChar qc : pattern) {
        const char16_t c = qc.unicode();
        if (!settings.wcStar.isEmpty() && c == star)
            Kinds.push_back(TKind::ZeroOrMore);
        else if (!settings.wcPercent.isEmpty() && c == percent)
            Kinds.push_back(TKind::ZeroOrOne);
        else if (!settings.wcQuestion.isEmpty() && c == question)
            Kinds.push_back(TKind::ExactlyOne);
        else
            Kinds.push_back(TKind::Literal);
        Chars.push_back(IsCaseSensitive ? c : UpperChar(c));
        MaxWordLength = Kinds.back() == TKind::ZeroOrMore || MaxWordLength == INT_MAX
                            ? INT_MAX
                            : MaxWordLength + 1;
        AllLiteral &= Kinds.back() == TKind::Literal;
    }
    Current.resize(Kinds.size() + 1);
    Next.resize(Kinds.size() + 1);
}

std::optional<char16_t> TWordGlob::LiteralFirst() const
{
    if (Kinds.empty() || Kinds.front() != TKind::Literal)
        return std::nullopt;
    return Chars.front();
}

// Adds the states reachable without reading a character: past every
// zero-or-more and zero-or-one wildcard.
void TWordGlob::Close(std::vector<unsigned char>& states) const
{
    for (size_t j = 0; j < Kinds.size(); ++j) {
        if (states[j] && Kinds[j] != TKind::Literal && Kinds[j] != TKind::ExactlyOne)
            states[j + 1] = 1;
    }
}

// A simulation of the pattern as an automaton whose state j means "the first j
// pattern characters are used up"; it never backtracks, so no pattern word can
// make a long token expensive.
bool TWordGlob::Matches(const char16_t* word, int length, TCancelCheck* cancel) const
{
    const size_t m = Kinds.size();
    const char16_t* upper = UpperCaseTable();
    if (AllLiteral) {
        if (size_t(length) != m)
            return false;
        for (size_t i = 0; i < m; ++i) {
            if ((IsCaseSensitive ? word[i] : upper[word[i]]) != Chars[i])
                return false;
        }
        return true;
    }
    std::fill(Current.begin(), Current.end(), 0);
    Current[0] = 1;
    Close(Current);
    constexpr int StepsBetweenChecks = 1024;
    for (int i = 0; i < length; ++i) {
        if (cancel && i % StepsBetweenChecks == StepsBetweenChecks - 1 &&
            cancel->Work(std::int64_t{StepsBetweenChecks} * static_cast<std::int64_t>(m)))
            return false;
        const char16_t c = IsCaseSensitive ? word[i] : upper[word[i]];
        std::fill(Next.begin(), Next.end(), 0);
        bool alive = false;
        for (size_t j = 0; j < m; ++j) {
            if (!Current[j])
                continue;
            switch (Kinds[j]) {
            case TKind::ZeroOrMore:
                Next[j] = 1;
                break;
            case TKind::ZeroOrOne:
            case TKind::ExactlyOne:
                Next[j + 1] = 1;
                break;
            case TKind::Literal:
                if (Chars[j] != c)
                    continue;
                Next[j + 1] = 1;
                break;
            }
            alive = true;
        }
        if (!alive)
            return false;
        Close(Next);
        Current.swap(Next);
    }
    return Current[m] != 0;
}
