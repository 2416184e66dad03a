// The character-form matcher against the plain transcription it replaced,
// kept here as the reference: the same result for every text, pattern, start
// and tag setting, and a bounded time on the patterns that made the reference
// slow.

#include "WildcardMatcher.h"

#include "../DefaultSettings.h"
#include "../TestText.h"
#include "CharCase.h"
#include "TAppSettings.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

using TPiece = TWildcardPattern::TPiece;
using TWildcard = TWildcardPattern::TWildcard;

// The reference: a literal reading of the algorithm, whose work per position
// grows with the rest of the window (and exponentially with optional
// wildcards in a row).
class TReferenceMatch {
public:
    TReferenceMatch(const TWindowText& text, const TWildcardPattern& pattern, bool skipTags)
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

bool TReferenceMatch::ExactAt(const std::u16string& s, int p) const
{
    if (s.empty() || p + static_cast<int>(s.size()) - 1 > Text.Length)
        return false;
    return std::equal(s.begin(), s.end(), Text.Chars + p);
}

// The first visible position at or after p, following the inside-tag state:
// a position where TagStart begins opens a tag, one where TagStop begins
// closes it, and both are invisible, like everything inside the tag.
int TReferenceMatch::NextVisible(int p, bool& inTag) const
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

bool TReferenceMatch::PieceAt(const std::u16string& literal, int a) const
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

int TReferenceMatch::FindPiece(const std::u16string& literal, int from) const
{
    bool inTag = false;
    for (int p = NextVisible(from, inTag); p <= Text.Length; p = NextVisible(p + 1, inTag)) {
        if (PieceAt(literal, p))
            return p;
    }
    return 0;
}

int TReferenceMatch::CountVisible(int a, int b) const
{
    bool inTag = false;
    int count = 0;
    for (int p = NextVisible(a, inTag); p <= b && p <= Text.Length; p = NextVisible(p + 1, inTag))
        ++count;
    return count;
}

// The position of the (n + 1)-th visible character from a; when the text ends
// first, as many positions past its end as characters were still missing.
int TReferenceMatch::Advance(int a, int n) const
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

int TReferenceMatch::MatchPiece(size_t b, int a) const
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

int ReferenceMatchWildcardsAt(const TWindowText& text, const TWildcardPattern& pattern, int start,
                              bool skipTags)
{
    if (pattern.Pieces().empty())
        return 0;
    return TReferenceMatch(text, pattern, skipTags).MatchPiece(0, start);
}

struct TCase {
    QString Text;
    QString Pattern;
    QString Star, Question, Percent;
    QString TagStart, TagStop;
    bool SkipTags = false;

    TAppSettings Settings() const
    {
        TAppSettings settings = DefaultSettings();
        settings.wcStar = Star;
        settings.wcQuestion = Question;
        settings.wcPercent = Percent;
        settings.TagStart = TagStart;
        settings.TagStop = TagStop;
        return settings;
    }

    std::string Describe() const
    {
        return QStringList{u"text \""_s + Text + u'"', u"pattern \""_s + Pattern + u'"',
                           u"wildcards \""_s + Star + u"\" \""_s + Question + u"\" \""_s + Percent +
                               u'"',
                           u"tags \""_s + TagStart + u"\" \""_s + TagStop + u'"',
                           SkipTags ? u"skipping tags"_s : u"tags visible"_s}
            .join(u", "_s)
            .toStdString();
    }
};

class TCaseMaker {
public:
    TCase Make()
    {
        TCase c;
        const QString alphabet = Pick({u"ab"_s, u"aAb "_s, u"a<>b"_s, u"aB<> "_s, u"<>a"_s});
        c.Star = Pick({u"*"_s, u"*"_s, u"**"_s, u"<*"_s});
        c.Question = Pick({u"?"_s, u"?"_s, u"?!"_s});
        c.Percent = Pick({u"%"_s, u"%"_s, u"%a"_s, u""_s});
        c.TagStart = Pick({u"<"_s, u"<"_s, u"<<"_s, u""_s, u"a<"_s});
        c.TagStop = Pick({u">"_s, u">"_s, u">>"_s, u""_s, u"<"_s});
        c.SkipTags = Below(4) != 0;
        const int length = Below(Below(2) == 0 ? 12 : 40);
        for (int k = 0; k < length; ++k)
            c.Text += alphabet[Below(alphabet.size())];
        const int tokens = 1 + Below(8);
        for (int k = 0; k < tokens; ++k) {
            switch (Below(5)) {
            case 0:
                c.Pattern += c.Star;
                break;
            case 1:
                c.Pattern += c.Question;
                break;
            case 2:
                c.Pattern += c.Percent;
                break;
            default:
                for (int n = 1 + Below(2); n > 0; --n)
                    c.Pattern += alphabet[Below(alphabet.size())];
            }
        }
        return c;
    }

    int Below(qsizetype n) { return static_cast<int>(Random() % static_cast<unsigned>(n)); }

private:
    QString Pick(std::initializer_list<QString> choices)
    {
        return *(choices.begin() + Below(static_cast<qsizetype>(choices.size())));
    }

    std::mt19937 Random{20261210};
};

// Text of the given length made of words, with a tag now and then.
QString GeneratedText(int length)
{
    const QString words[] = {u"the"_s,   u"that"_s, u"a"_s,    u"about"_s, u"<p>"_s, u"there"_s,
                             u"cabin"_s, u"then"_s, u"acid"_s, u"to"_s,    u"this"_s};
    std::mt19937 random(7);
    QString text;
    while (text.size() < length)
        text += words[random() % std::size(words)] + u' ';
    return text.left(length);
}

} // namespace

// Every start of each window, first in order (as the analysis asks) and then
// at random (so that what the matcher learned is asked for out of order).
TEST(WildcardMatcher, AgreesWithTheReference)
{
    TCaseMaker maker;
    for (int n = 0; n < 20000; ++n) {
        const TCase c = maker.Make();
        const TWildcardPattern pattern(c.Pattern, c.Settings());
        const TTestText window(c.Text);
        const TWindowText text = window.View();
        TWildcardMatcher matcher(pattern, c.SkipTags);
        std::vector<int> starts;
        for (int start = 1; start <= text.Length + 2; ++start)
            starts.push_back(start);
        for (int k = 0; k < 2 * text.Length; ++k)
            starts.push_back(1 + maker.Below(text.Length + 1));
        for (int start : starts) {
            const int expected = ReferenceMatchWildcardsAt(text, pattern, start, c.SkipTags);
            const int actual = matcher.MatchAt(text, start);
            if (actual != expected) {
                ADD_FAILURE() << c.Describe() << ", start " << start << ": " << actual
                              << " instead of " << expected;
                return;
            }
        }
    }
}

TEST(WildcardMatcher, ForgetsATextThatChangedInPlace)
{
    std::u16string chars = u" xaay "; // positions 1 to 4
    const TWindowText text{chars.data(), 4, true};
    TWildcardMatcher matcher(TWildcardPattern(u"x*y"_s, DefaultSettings()), false);
    ASSERT_EQ(matcher.MatchAt(text, 1), 5);
    chars[4] = u'z';
    matcher.ForgetText();
    EXPECT_EQ(matcher.MatchAt(text, 1), 0);
}

// Patterns whose work per position the reference let grow with the window,
// or exponentially, over a whole window of text: the test's time limit is the
// check. The same text, shortened, checks the results against the reference
// (where its time allows), and the whole window a sample of them against a
// matcher that has learned nothing yet. In the text without tag ends every
// character after the first tag start is hidden from a reading that meets it.
TEST(WildcardMatcher, StaysFastWhereTheReferenceWasNot)
{
    const QString words = GeneratedText(102400);
    QString unclosed = words;
    unclosed.replace(u'>', u'p');
    const struct {
        QString Pattern;
        bool SkipTags;
        const QString& Text;
        bool Compared;
    } cases[] = {
        {u"th?t"_s, false, words, true},      {u"a?c"_s, true, words, true},
        {u"*qqq"_s, false, words, true},      {u"*qqq"_s, true, unclosed, true},
        {u"t?e"_s, false, words, true},       {u"th*e"_s, true, words, true},
        {u"a*q*"_s, true, words, true},       {u"th"_s, true, unclosed, true},
        {u"*%*%*%*%q"_s, true, words, false}, {u"%%%%%%%%%%%%%%%%%%%%x"_s, false, words, false},
    };
    TAppSettings settings = DefaultSettings();
    settings.TagStart = u"<"_s;
    settings.TagStop = u">"_s;
    for (const auto& c : cases) {
        const TWildcardPattern pattern(c.Pattern, settings);
        TWildcardMatcher matcher(pattern, c.SkipTags);
        const TTestText part(c.Text.left(c.Compared ? 300 : 0));
        for (int start = 1; start <= part.View().Length; ++start)
            ASSERT_EQ(matcher.MatchAt(part.View(), start),
                      ReferenceMatchWildcardsAt(part.View(), pattern, start, c.SkipTags))
                << c.Pattern.toStdString() << " at " << start;
        const TTestText whole(c.Text);
        for (int start = 1; start <= whole.View().Length; ++start) {
            const int after = matcher.MatchAt(whole.View(), start);
            if (start % 997 == 0) {
                ASSERT_EQ(after, TWildcardMatcher(pattern, c.SkipTags).MatchAt(whole.View(), start))
                    << c.Pattern.toStdString() << " at " << start;
            }
        }
    }
}
