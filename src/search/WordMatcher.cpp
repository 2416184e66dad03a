#include "WordMatcher.h"

#include "TAppSettings.h"

#include <algorithm>

TWordMatcher::TWordMatcher(const TPatternItems& items, bool tags, const TAppSettings& settings,
                           TCharClasses& classes)
    : Classes(classes)
    , Segments{{0, 0}}
    , MinWords(std::max(settings.sdAtMinWords, 0))
    , MaxWords(settings.sdAtMinWords > settings.sdAtMaxWords ? MinWords
                                                             : std::max(settings.sdAtMaxWords, 0))
    , SkipTags(settings.soSkipTags)
    , PosTagStop(TMarker(settings.psTagStop).UpperText())
    , TagStart(settings.TagStart)
    , TagStop(TMarker(settings.TagStop).UpperText())
{
    for (const TPatternItem& item : items) {
        const bool word = item.Kind == TPatternItem::Word;
        const bool tagged = tags && item.Kind != TPatternItem::Between && !item.Tag.isEmpty();
        if (item.Kind == TPatternItem::Between)
            Segments.push_back({static_cast<int>(Items.size()) + 1, 0});
        else
            ++Segments.back().Length;
        Items.push_back({item.Kind, word ? TWordGlob(item.Text, settings) : TWordGlob(),
                         tagged ? TWordGlob(item.Tag, settings) : TWordGlob(), tagged});
    }
    const std::int64_t gaps = std::ssize(Segments) - 1;
    SlotsNeeded = std::max<std::int64_t>(std::ssize(Items) - gaps + gaps * MaxWords, 1);
    Counts.resize(static_cast<size_t>(gaps));
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
    return Segments.size() == 1 ? MatchPhrase(text, a, hit) : MatchWithGaps(text, a, hit);
}

// One attempt of a pattern without intervening-words items.
bool TWordMatcher::MatchPhrase(const TWindowText& text, int start, THit& hit)
{
    int a = start;
    int firstEnd = 0;
    TSlot slot{};
    for (const TItem& item : Items) {
        if (!NextSlot(text, a, firstEnd, slot) || !Compare(item, text, slot.Start, slot.End))
            return false;
    }
    if (slot.FirstEnd == 0)
        return false;
    hit = {start, slot.End - 1, slot.FirstEnd - 1};
    return true;
}

// Finds the token that the next pattern word is compared with, passing over
// tokens made only of tags, and leaves its compared word taken; a moves to the
// start of the token after it. False when the token cannot be reached.
bool TWordMatcher::NextSlot(const TWindowText& text, int& a, int& firstEnd, TSlot& slot)
{
    int e = a;
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
        if (next <= a) {
            slot = {a, e, firstEnd, true}; // a tag without end at the last character
            return false;
        }
        a = next;
    }
    slot = {a, e, firstEnd, false};
    a = NextTokenStart(text, e);
    return true;
}

// The gap counts are tried in a fixed order (the first count goes up fastest)
// and the first combination that matches gives the hit. Trying each
// combination would cost (counts per gap)^gaps attempts at every start.
// Instead: the words an attempt consumes are the same whatever the pattern
// (Slots), so a segment's outcome depends only on the slot it begins at.
// Forward, the slots each segment can begin at are found; backward, the
// counts are chosen, the last gap's first, each the least that still leads
// to a hit: the combination that the fixed order meets first.
bool TWordMatcher::MatchWithGaps(const TWindowText& text, int start, THit& hit)
{
    Slots.clear();
    WalkFrom = start;
    WalkFirstEnd = 0;
    SlotsEnded = false;
    ExtendSlots(text, std::max(Segments.front().Length, 1));
    if (!SegmentMatches(text, Segments.front(), 0))
        return false; // no count changes the first segment
    ExtendSlots(text, SlotsNeeded);
    if (!ReachSegments(text) || !FinalSlotsLeadToHit())
        return false;
    for (size_t gap = Segments.size() - 1; gap-- > 0;) {
        Counts[gap] = FirstGapCount(gap);
        KeepStartsLeadingTo(gap, Counts[gap]);
    }
    std::int64_t at = 0;
    for (size_t gap = 0; gap + 1 < Segments.size(); ++gap)
        at = Clamp(at + Segments[gap].Length + Counts[gap]);
    const TSlot& last = SlotAt(at + Segments.back().Length - 1);
    hit = {start, last.End - 1, last.FirstEnd - 1};
    return true;
}

// Walks on until Slots holds count slots, or fewer when the text runs out:
// from a dead slot on, or once a slot repeats the one before it (past the end
// of the text), every further slot is the last one.
void TWordMatcher::ExtendSlots(const TWindowText& text, std::int64_t count)
{
    while (std::ssize(Slots) < count && !SlotsEnded) {
        TSlot slot{};
        SlotsEnded = !NextSlot(text, WalkFrom, WalkFirstEnd, slot) ||
                     (!Slots.empty() && slot == Slots.back());
        Slots.push_back(slot);
    }
}

// The segment's items compared with the slots from at on.
bool TWordMatcher::SegmentMatches(const TWindowText& text, const TSegment& segment, int at)
{
    for (int i = 0; i < segment.Length; ++i) {
        const TSlot& slot = SlotAt(std::int64_t{at} + i);
        if (slot.Dead)
            return false;
        TakeComparedWord(text, slot.Start, slot.End);
        if (!Compare(Items[static_cast<size_t>(segment.First + i)], text, slot.Start, slot.End))
            return false;
    }
    return true;
}

// Reach holds a row per segment over the slot indexes 0 .. Slots.size(), the
// last standing for every index beyond: 1 where the segment can begin with
// all segments before it matched, 2 where it was found not to match. False
// when some segment can begin nowhere.
bool TWordMatcher::ReachSegments(const TWindowText& text)
{
    const size_t width = Slots.size() + 1;
    Reach.assign(Segments.size() * width, 0);
    Reach[0] = 1;
    for (size_t gap = 0; gap + 1 < Segments.size(); ++gap) {
        const std::uint8_t* from = &Reach[gap * width];
        std::uint8_t* to = &Reach[(gap + 1) * width];
        bool reached = false;
        for (size_t p = 0; p < width; ++p) {
            if (from[p] != 1)
                continue;
            const std::int64_t after = static_cast<std::int64_t>(p) + Segments[gap].Length;
            for (std::int64_t count = MinWords; count <= MaxWords; ++count) {
                const int at = Clamp(after + count);
                if (to[at] == 0)
                    to[at] = SegmentMatches(text, Segments[gap + 1], at) ? 1 : 2;
                reached = reached || to[at] == 1;
                if (static_cast<size_t>(at) == width - 1)
                    break; // larger counts reach the same slot
            }
        }
        if (!reached)
            return false;
    }
    return true;
}

// Leads marks where the last segment can begin and end the attempt with a
// hit: the last slot it consumes is reachable and a first end is set.
bool TWordMatcher::FinalSlotsLeadToHit()
{
    const size_t width = Slots.size() + 1;
    const std::uint8_t* reach = &Reach[(Segments.size() - 1) * width];
    Leads.assign(width, 0);
    bool any = false;
    for (size_t p = 0; p < width; ++p) {
        const std::int64_t last = static_cast<std::int64_t>(p) + Segments.back().Length - 1;
        if (reach[p] != 1 || last < 0)
            continue;
        const TSlot& slot = SlotAt(last);
        Leads[p] = !slot.Dead && slot.FirstEnd != 0;
        any = any || Leads[p];
    }
    return any;
}

// The least count of the gap that leads from a start of the segment before it
// to a start in Leads. There is one: every start in Leads was reached so.
int TWordMatcher::FirstGapCount(size_t gap) const
{
    const size_t width = Slots.size() + 1;
    const std::uint8_t* reach = &Reach[gap * width];
    const std::int64_t length = Segments[gap].Length;
    int count = MinWords;
    for (; count < MaxWords; ++count) {
        for (size_t p = 0; p < width; ++p) {
            if (reach[p] == 1 && Leads[Clamp(static_cast<std::int64_t>(p) + length + count)])
                return count;
        }
        if (static_cast<size_t>(Clamp(length + count)) == width - 1)
            break; // larger counts reach the same slots
    }
    return count;
}

// Narrows Leads to the starts of the segment before the gap from which count
// leads into Leads.
void TWordMatcher::KeepStartsLeadingTo(size_t gap, int count)
{
    const size_t width = Slots.size() + 1;
    const std::uint8_t* reach = &Reach[gap * width];
    Scratch.assign(width, 0);
    for (size_t p = 0; p < width; ++p) {
        Scratch[p] = reach[p] == 1 &&
                     Leads[Clamp(static_cast<std::int64_t>(p) + Segments[gap].Length + count)];
    }
    Leads.swap(Scratch);
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
