#include "WildcardPattern.h"

#include "CharCase.h"
#include "TAppSettings.h"

namespace {

using TPiece = TWildcardPattern::TPiece;
using TWildcard = TWildcardPattern::TWildcard;

std::u16string UpperText(QStringView s)
{
    std::u16string result;
    for (QChar c : s)
        result.push_back(UpperChar(c.unicode()));
    return result;
}

// One match attempt: the text, the pattern and which characters it may see.
class TWildcardMatch {
public:
    TWildcardMatch(const TWindowText& text, const TWildcardPattern& pattern, bool skipTags)
        : Text(text)
        , Pieces(pattern.Pieces())
        , TagStart(skipTags ? pattern.TagStart() : std::u16string())
        , TagStop(skipTags ? pattern.TagStop() : std::u16string())
    {}

    int MatchPiece(size_t b, int a) const;

private:
    bool ExactAt(const std::u16string& s, int p) const;
    int NextVisible(int p, bool& inTag) const;
    bool PieceAt(const std::u16string& literal, int a) const;
    int FindPiece(const std::u16string& literal, int from) const;
    int CountVisible(int a, int b) const;
    int Advance(int a, int n) const;

    const TWindowText& Text;
    const std::vector<TPiece>& Pieces;
    const std::u16string TagStart; // empty when tags are visible
    const std::u16string TagStop;
};

bool TWildcardMatch::ExactAt(const std::u16string& s, int p) const
{
    if (s.empty() || p + static_cast<int>(s.size()) - 1 > Text.Length)
        return false;
    return std::equal(s.begin(), s.end(), Text.Chars + p);
}

// The first visible position at or after p, following the inside-tag state:
// a position where TagStart begins opens a tag, one where TagStop begins
// closes it, and both are invisible, like everything inside the tag.
int TWildcardMatch::NextVisible(int p, bool& inTag) const
{
    for (; p <= Text.Length; ++p) {
        if (ExactAt(TagStart, p))
            inTag = true;
        else if (ExactAt(TagStop, p))
            inTag = false;
        else if (!inTag)
            return p;
    }
    return p;
}

bool TWildcardMatch::PieceAt(const std::u16string& literal, int a) const
{
    const char16_t* upper = UpperCaseTable();
    bool inTag = false;
    int p = a;
    for (char16_t c : literal) {
        p = NextVisible(p, inTag);
        if (p > Text.Length || upper[Text[p]] != c)
            return false;
        ++p;
    }
    return true;
}

int TWildcardMatch::FindPiece(const std::u16string& literal, int from) const
{
    bool inTag = false;
    for (int p = NextVisible(from, inTag); p <= Text.Length; p = NextVisible(p + 1, inTag)) {
        if (PieceAt(literal, p))
            return p;
    }
    return 0;
}

int TWildcardMatch::CountVisible(int a, int b) const
{
    bool inTag = false;
    int count = 0;
    for (int p = NextVisible(a, inTag); p <= b && p <= Text.Length; p = NextVisible(p + 1, inTag))
        ++count;
    return count;
}

// The position of the (n + 1)-th visible character from a; when the text ends
// first, as many positions past its end as characters were still missing.
int TWildcardMatch::Advance(int a, int n) const
{
    bool inTag = false;
    int found = 0;
    for (int p = NextVisible(a, inTag); p <= Text.Length; p = NextVisible(p + 1, inTag)) {
        if (found == n)
            return p;
        ++found;
    }
    return Text.Length + (n + 1 - found);
}

int TWildcardMatch::MatchPiece(size_t b, int a) const
{
    const TPiece& piece = Pieces[b];
    const int literalLength = static_cast<int>(piece.Literal.size());
    const bool optional =
        piece.Following == TWildcard::ZeroOrMore || piece.Following == TWildcard::ZeroOrOne;
    if (a == Text.Length + 1 && piece.Literal.empty() && optional)
        return a;
    if (a > Text.Length || (!piece.Literal.empty() && !PieceAt(piece.Literal, a)))
        return 0;
    if (b + 1 == Pieces.size()) {
        int e = Advance(a, literalLength);
        if (piece.Following == TWildcard::ExactlyOne)
            e = Advance(e, 1);
        return e <= Text.Length + 1 ? e : 0;
    }
    const std::u16string& next = Pieces[b + 1].Literal;
    const int oneMore = piece.Following == TWildcard::ExactlyOne ? 1 : 0;
    // When another wildcard follows at once, the next piece is tried at each
    // position this wildcard can reach: one for exactly-one, two for
    // zero-or-one, any number for zero-or-more.
    const int lastTry = piece.Following == TWildcard::ExactlyOne  ? 0
                        : piece.Following == TWildcard::ZeroOrOne ? 1
                                                                  : Text.Length;
    int t = 0;
    for (int i = a + literalLength; i <= literalLength + Text.Length; ++i, ++t) {
        if (next.empty()) {
            if (t > lastTry)
                return 0;
            const int r = MatchPiece(b + 1, Advance(a, literalLength + oneMore) + t);
            if (r > 0)
                return r;
            continue;
        }
        const int g = FindPiece(next, i);
        if (g == 0)
            return 0;
        const int gap = CountVisible(a, g) - literalLength - 1;
        i = g;
        if ((piece.Following == TWildcard::ExactlyOne && gap != 1) ||
            (piece.Following == TWildcard::ZeroOrOne && gap != 0 && gap != 1))
            continue;
        const int r = MatchPiece(b + 1, g);
        if (r > 0)
            return r;
    }
    return 0;
}

} // namespace

TWildcardPattern::TWildcardPattern(const QString& pattern, const TAppSettings& settings)
    : Start(settings.TagStart.toStdU16String())
    , Stop(settings.TagStop.toStdU16String())
{
    // When two wildcard texts start at the same character, the earlier in this
    // list is taken.
    const std::pair<const QString*, TWildcard> wildcards[] = {
        {&settings.wcStar, TWildcard::ZeroOrMore},
        {&settings.wcQuestion, TWildcard::ExactlyOne},
        {&settings.wcPercent, TWildcard::ZeroOrOne},
    };
    qsizetype current = 0;
    while (current < pattern.size()) {
        qsizetype first = -1;
        const std::pair<const QString*, TWildcard>* found = nullptr;
        for (const auto& wildcard : wildcards) {
            if (wildcard.first->isEmpty())
                continue;
            const qsizetype at = pattern.indexOf(*wildcard.first, current);
            if (at >= 0 && (first < 0 || at < first)) {
                first = at;
                found = &wildcard;
            }
        }
        if (!found) {
            PieceList.push_back({UpperText(QStringView(pattern).mid(current)), TWildcard::None});
            break;
        }
        PieceList.push_back(
            {UpperText(QStringView(pattern).mid(current, first - current)), found->second});
        current = first + found->first->size();
    }
}

int MatchWildcardsAt(const TWindowText& text, const TWildcardPattern& pattern, int start,
                     bool skipTags)
{
    if (pattern.Pieces().empty())
        return 0;
    return TWildcardMatch(text, pattern, skipTags).MatchPiece(0, start);
}
