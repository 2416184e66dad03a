#include "WildcardMatcher.h"

#include "CancelCheck.h"
#include "CharCase.h"

#include <algorithm>

namespace {

using TPiece = TWildcardPattern::TPiece;
using TWildcard = TWildcardPattern::TWildcard;

bool IsOptional(TWildcard w)
{
    return w == TWildcard::ZeroOrMore || w == TWildcard::ZeroOrOne;
}

} // namespace

// Answers "the first candidate at or after from, before limit, that gives a
// match" from what earlier questions learned. The answer is a pure function of
// the position, so knowledge is only lost when a question starts beyond it.
template <typename TStep, typename TTest>
int TWildcardMatcher::TFrontier::First(int from, int limit, TStep step, TTest test)
{
    if (from >= limit)
        return 0;
    if (from > To) {
        Lo = To = from;
        Value = 0;
    } else if (from < Lo) {
        for (int g = step(from); g < Lo; g = step(g + 1)) {
            if (const int r = test(g)) {
                To = g;
                Value = r;
                break;
            }
        }
        Lo = from;
    }
    while (Value == 0 && To < limit) {
        To = step(To);
        if (To >= limit)
            break;
        Value = test(To);
        if (Value == 0)
            ++To;
    }
    return Value != 0 && To < limit ? Value : 0;
}

TWildcardMatcher::TWildcardMatcher(TWildcardPattern pattern, bool skipTags)
    : Pattern(std::move(pattern))
    , SkipTags(skipTags)
    , Stars(Pattern.Pieces().size())
{
    const auto stars =
        std::count_if(Pattern.Pieces().begin(), Pattern.Pieces().end(),
                      [](const TPiece& piece) { return piece.Following == TWildcard::ZeroOrMore; });
    Levels.resize(2 * (static_cast<size_t>(stars) + 1));
    for (const std::u16string* tag : {&Pattern.TagStart(), &Pattern.TagStop()}) {
        if (SkipTags && !tag->empty())
            TagFirsts.push_back(tag->front());
    }
}

void TWildcardMatcher::Prepare(const TWindowText& text)
{
    static const std::u16string none;
    Text.Reset(text, SkipTags ? Pattern.TagStart() : none, SkipTags ? Pattern.TagStop() : none);
    std::fill(Stars.begin(), Stars.end(), TStarState());
    Marks.assign(static_cast<size_t>(text.Length) + 2, 0);
    Mark = 0;
    Prepared = true;
}

int TWildcardMatcher::MatchAt(const TWindowText& text, int start)
{
    if (Pattern.Pieces().empty() || CannotStartAt(text, start))
        return 0;
    if (!Prepared || text.Chars != Text.Chars() || text.Length != Text.Length())
        Prepare(text);
    if (start > text.Length + 1)
        return 0;
    return MatchFrom(0, start);
}

// Most positions fail at their first character, which a reading from there sees
// unless a tag text begins at it: those need none of the prepared knowledge.
bool TWildcardMatcher::CannotStartAt(const TWindowText& text, int start) const
{
    const std::u16string& literal = Pattern.Pieces().front().Literal;
    if (literal.empty() || start > text.Length)
        return false;
    const char16_t c = text[start];
    return UpperChar(c) != literal.front() && TagFirsts.find(c) == std::u16string::npos;
}

// Matches pieces b onwards at x. Pieces with an exactly-one or zero-or-one
// wildcard lead to at most two positions for the next piece; those are taken a
// level of pieces at a time, each position once, in the order in which trying
// them one by one would reach them. That ends at a zero-or-more piece or the
// last piece, where the first position that gives a match decides.
int TWildcardMatcher::MatchFrom(size_t b, int x)
{
    if (Cancel && Cancel->Work(1))
        return 0;
    const std::vector<TPiece>& pieces = Pattern.Pieces();
    const auto decides = [&pieces](size_t k) {
        return k + 1 == pieces.size() || pieces[k].Following == TWildcard::ZeroOrMore;
    };
    if (decides(b))
        return MatchEnd(b, x);
    std::vector<int>& current = Levels[2 * Depth];
    std::vector<int>& next = Levels[2 * Depth + 1];
    ++Depth;
    current.assign(1, x);
    // An optional wildcard at the text's end matches at once; positions
    // reached before it on its level still come first.
    int fallback = 0;
    int result = 0;
    for (;; ++b) {
        if (decides(b)) {
            for (int y : current) {
                result = MatchEnd(b, y);
                if (result > 0)
                    break;
            }
            break;
        }
        const TPiece& piece = pieces[b];
        next.clear();
        if (++Mark == 0) {
            std::fill(Marks.begin(), Marks.end(), 0);
            Mark = 1;
        }
        for (int y : current) {
            if (y == Text.Length() + 1 && piece.Literal.empty() &&
                piece.Following == TWildcard::ZeroOrOne) {
                fallback = y;
                break;
            }
            AddSuccessors(b, y, next);
        }
        if (next.empty() || (Cancel && Cancel->Work(std::ssize(next))))
            break;
        current.swap(next);
    }
    --Depth;
    return result > 0 ? result : fallback;
}

void TWildcardMatcher::Add(int y, std::vector<int>& next)
{
    if (y > Text.Length() + 1 || Marks[static_cast<size_t>(y)] == Mark)
        return;
    Marks[static_cast<size_t>(y)] = Mark;
    next.push_back(y);
}

// The positions at which piece b + 1 is tried after piece b matched at x, for
// an exactly-one or zero-or-one wildcard. The wildcard's characters are counted
// as a reading from x sees them; when another wildcard follows at once, the
// further position is one character on, seen or not.
void TWildcardMatcher::AddSuccessors(size_t b, int x, std::vector<int>& next)
{
    const TPiece& piece = Pattern.Pieces()[b];
    const int length = static_cast<int>(piece.Literal.size());
    if (x > Text.Length() || (length > 0 && !Text.LiteralAt(piece.Literal, x)))
        return;
    const bool exactlyOne = piece.Following == TWildcard::ExactlyOne;
    const std::u16string& following = Pattern.Pieces()[b + 1].Literal;
    if (following.empty()) {
        const int first = Text.Advance(x, length + (exactlyOne ? 1 : 0));
        const int tries = exactlyOne ? 1 : std::min(2, Text.Length() - x + 1);
        for (int t = 0; t < tries; ++t)
            Add(first + t, next);
        return;
    }
    for (int skipped = exactlyOne ? 1 : 0; skipped <= 1; ++skipped) {
        const int g = Text.Advance(x, length + skipped);
        if (g <= Text.Length() && Text.LiteralAt(following, g))
            Add(g, next);
    }
}

// Piece b at x when it is the last piece or has a zero-or-more wildcard.
int TWildcardMatcher::MatchEnd(size_t b, int x)
{
    const std::vector<TPiece>& pieces = Pattern.Pieces();
    const TPiece& piece = pieces[b];
    const int length = static_cast<int>(piece.Literal.size());
    if (x == Text.Length() + 1 && piece.Literal.empty() && IsOptional(piece.Following))
        return x;
    if (x > Text.Length() || (length > 0 && !Text.LiteralAt(piece.Literal, x)))
        return 0;
    if (b + 1 == pieces.size()) {
        int e = Text.Advance(x, length);
        if (piece.Following == TWildcard::ExactlyOne)
            e = Text.Advance(e, 1);
        return e <= Text.Length() + 1 ? e : 0;
    }
    if (!pieces[b + 1].Literal.empty())
        return FindFollowing(b, x + length);
    // Another wildcard follows at once: the next piece is tried at every
    // position from the end of the literal on, seen or not.
    const int first = Text.Advance(x, length);
    const int last = std::min(Text.Length() + 1, first + Text.Length() - x);
    return Stars[b].Any.First(
        first, last + 1, [](int p) { return p; }, [this, b](int y) { return MatchFrom(b + 1, y); });
}

// The first occurrence of the next piece's literal at or after from that a
// reading from there sees and at which the rest of the pattern matches. Such a
// reading sees the characters up to the next tag text whatever the inside-tag
// state, and from there on what every reading sees.
int TWildcardMatcher::FindFollowing(size_t b, int from)
{
    if (from > Text.Length())
        return 0;
    const std::u16string& following = Pattern.Pieces()[b + 1].Literal;
    // A tag text is never a candidate: no reading sees it.
    const auto test = [this, b, &following](int g) {
        return Text.NextMarker(g) != g && Text.LiteralAt(following, g) ? MatchFrom(b + 1, g) : 0;
    };
    const auto shown = [this](int p) { return Text.NextShown(p); };
    TStarState& state = Stars[b];
    if (Text.IsShown(from))
        return state.Shown.First(from, Text.Length() + 1, shown, test);
    const int zone = Text.NextMarker(from);
    if (const int r = state.Any.First(
            from, zone, [](int p) { return p; }, test))
        return r;
    return state.Shown.First(zone, Text.Length() + 1, shown, test);
}
