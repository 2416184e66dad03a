#include "WordMatcher.h"

#include "TAppSettings.h"

#include <algorithm>

TWordMatcher::TWordMatcher(const TPatternItems& items, bool tags, const TAppSettings& settings,
                           TCharClasses& classes)
    : Classes(classes)
    , MinWords(settings.sdAtMinWords)
    , MaxWords(settings.sdAtMaxWords)
    , SkipTags(settings.soSkipTags)
    , PosTagStop(TMarker(settings.psTagStop).UpperText())
    , TagStart(settings.TagStart)
    , TagStop(TMarker(settings.TagStop).UpperText())
{
    for (const TPatternItem& item : items) {
        const bool word = item.Kind == TPatternItem::Word;
        const bool tagged = tags && item.Kind != TPatternItem::Between && !item.Tag.isEmpty();
        Items.push_back({item.Kind, word ? TWordGlob(item.Text, settings) : TWordGlob(),
                         tagged ? TWordGlob(item.Tag, settings) : TWordGlob(), tagged});
        if (item.Kind == TPatternItem::Between)
            GapCounts.push_back(0);
    }
    if (tags)
        Tags.emplace(settings);
    for (const QString& start : settings.psTagsStart) {
        if (!start.isEmpty())
            PosTagStarts.emplace_back(start);
    }
    MarkMatchStarts(settings, classes);
}

// A hit may begin where markup begins, and otherwise only with the first
// character of the first pattern word when that is no wildcard.
void TWordMatcher::MarkMatchStarts(const TAppSettings& settings, TCharClasses& classes) const
{
    const std::optional<char16_t> literal =
        !Items.empty() && Items.front().Kind == TPatternItem::Word
            ? Items.front().Word.LiteralFirst()
            : std::nullopt;
    if (!literal) {
        classes.MarkAll(TCharClasses::MatchStart);
        return;
    }
    if (Items.front().Word.CaseSensitive())
        classes.MarkChar(*literal, TCharClasses::MatchStart);
    else
        classes.MarkUpper(*literal, TCharClasses::MatchStart);
    for (const TMarker& start : PosTagStarts)
        classes.Mark(start, TCharClasses::MatchStart);
    if (SkipTags) {
        classes.Mark(TMarker(settings.TagStart), TCharClasses::MatchStart);
        classes.MarkChar(u'<', TCharClasses::MatchStart);
        classes.MarkChar(u'>', TCharClasses::MatchStart);
    }
}

bool TWordMatcher::MatchPhrases(const TWindowText& text, int a, THit& hit)
{
    if (Items.empty())
        return false;
    std::fill(GapCounts.begin(), GapCounts.end(), MinWords);
    do {
        if (MatchPhrase(text, a, hit))
            return true;
    } while (NextCombination());
    return false;
}

// Steps to the next combination of gap counts: the first count goes up fastest.
bool TWordMatcher::NextCombination()
{
    if (MinWords > MaxWords)
        return false;
    for (int& count : GapCounts) {
        if (++count <= MaxWords)
            return true;
        count = MinWords;
    }
    return false;
}

bool TWordMatcher::MatchPhrase(const TWindowText& text, int start, THit& hit)
{
    int a = start;
    int firstEnd = 0; // 0: not set
    int e = start;
    size_t gap = 0;
    for (const TItem& item : Items) {
        const int words = item.Kind == TPatternItem::Between ? GapCounts[gap++] : 1;
        for (int w = 0; w < words; ++w) {
            if (!MatchNextWord(text, item, a, firstEnd, e))
                return false;
        }
    }
    if (firstEnd == 0)
        return false;
    hit = {start, e - 1, firstEnd - 1};
    return true;
}

// Compares the token at a with one pattern word, passing over tokens that are
// made only of tags; a moves to the start of the token after it.
bool TWordMatcher::MatchNextWord(const TWindowText& text, const TItem& item, int& a, int& firstEnd,
                                 int& e)
{
    for (;;) {
        e = TokenEnd(text, a);
        if (firstEnd == 0)
            firstEnd = e;
        TakeComparedWord(text, a, e);
        if (WordLength > 0)
            break;
        const int next = NextTokenStart(text, e);
        if (firstEnd == e)
            firstEnd = 0;
        if (next > text.Length)
            break; // at the end of the text the empty word is compared
        if (next <= a)
            return false; // a tag without end at the last character: no progress
        a = next;
    }
    const bool matched = Compare(item, text, a, e);
    a = NextTokenStart(text, e);
    return matched;
}

// The compared word against the pattern word; with tags, its word part, and
// the raw token a..e-1 against the tag pattern.
bool TWordMatcher::Compare(const TItem& item, const TWindowText& text, int a, int e)
{
    if (item.Kind == TPatternItem::Word) {
        std::u16string_view word(Word, static_cast<size_t>(WordLength));
        if (Tags)
            word = Tags->WordPart(word, PartBuffer);
        if (!item.Word.Matches(word.data(), static_cast<int>(word.size())))
            return false;
    }
    if (!item.HasTag)
        return true;
    const std::u16string_view token(text.Chars + a, static_cast<size_t>(std::max(e - a, 0)));
    return Tags->TagMatches(token, item.Tag, PartBuffer);
}

int TWordMatcher::TokenEnd(const TWindowText& text, int a) const
{
    int k = a;
    while (k <= text.Length) {
        if (Classes[text[k]] & TCharClasses::PosTagStart) {
            const bool atTag = std::any_of(PosTagStarts.begin(), PosTagStarts.end(),
                                           [&](const TMarker& m) { return m.At(text, k); });
            if (atTag) {
                k = PassTag(text, k, PosTagStop);
                if (k == 0)
                    return text.Length;
                if (k > text.Length)
                    break;
            }
        }
        if (SkipTags && (Classes[text[k]] & TCharClasses::TagStart) && TagStart.At(text, k)) {
            k = PassTag(text, k, TagStop);
            if (k == 0)
                return text.Length;
            if (k > text.Length)
                break;
        }
        if (Classes.IsDelimiter(text[k]))
            break;
        ++k;
    }
    return std::min(k, text.Length + 1);
}

// The position after the first occurrence of stop at or after k, compared
// exactly; 0 when there is none. An empty stop text occurs at k itself.
int TWordMatcher::PassTag(const TWindowText& text, int k, const std::u16string& stop) const
{
    const char16_t* begin = text.Chars + k;
    const char16_t* end = text.Chars + text.Length + 1;
    const char16_t* found = std::search(begin, end, stop.begin(), stop.end());
    if (found == end && !stop.empty())
        return 0;
    return static_cast<int>(found - text.Chars) + static_cast<int>(stop.size());
}

int TWordMatcher::NextTokenStart(const TWindowText& text, int e) const
{
    while (e <= text.Length && Classes.IsDelimiter(text[e]))
        ++e;
    return e;
}

void TWordMatcher::TakeComparedWord(const TWindowText& text, int a, int e)
{
    const char16_t* begin = text.Chars + a;
    const char16_t* end = text.Chars + e;
    const bool hasMarkup =
        SkipTags && std::any_of(begin, end, [](char16_t c) { return c == u'<' || c == u'>'; });
    if (!hasMarkup) {
        Word = begin;
        WordLength = e - a;
        return;
    }
    WordBuffer.clear();
    AppendWithoutTags(begin, end, WordBuffer);
    Word = WordBuffer.data();
    WordLength = static_cast<int>(WordBuffer.size());
}
