#include "WordMatcher.h"

#include "CancelCheck.h"
#include "SpareVector.h"
#include "TAppSettings.h"

#include <algorithm>

namespace {

struct TKnownEndsBuffer;
struct TSkipToBuffer;

} // namespace

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
    , KnownEnds(TSpareVector<int, TKnownEndsBuffer>::Take())
    , SkipTo(TSpareVector<int, TSkipToBuffer>::Take())
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
    Counts.resize(Segments.size() - 1);
    if (tags)
        Tags.emplace(settings);
    for (const QString& start : settings.psTagsStart) {
        if (!start.isEmpty())
            PosTagStarts.emplace_back(start);
    }
    MarkMatchStarts(settings, classes);
}

// The memos are given back all 0, as the next matcher on the thread expects
// them.
TWordMatcher::~TWordMatcher()
{
    for (const int landing : KnownEndsSet)
        KnownEnds[static_cast<size_t>(landing)] = 0;
    for (const int skipped : SkipToSet)
        SkipTo[static_cast<size_t>(skipped)] = 0;
    TSpareVector<int, TKnownEndsBuffer>::Give(std::move(KnownEnds));
    TSpareVector<int, TSkipToBuffer>::Give(std::move(SkipTo));
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
    TSlot first{};
    TSlot slot{};
    for (const TItem& item : Items) {
        if (!NextSlot(text, a, slot) || !Compare(item, text, slot.Start, slot.End))
            return false;
        if (&item == &Items.front())
            first = slot;
    }
    if (first.AtEnd)
        return false; // the attempt met no word of its own
    hit = {start, slot.End - 1, first.End - 1};
    return true;
}

// Finds the token that the next pattern word is compared with; a moves to the
// start of the token after it. False when
// the token cannot be reached. The first end of an attempt is the end of its
// first slot, unless that is the empty word at the end of the text.
bool TWordMatcher::NextSlot(const TWindowText& text, int& a, TSlot& slot)
{
    const TSlotToken token = SlotToken(text, a);
    slot = {a, token.Start, token.End, token.AtEnd, token.Dead};
    if (token.Dead)
        return false;
    a = NextTokenStart(text, token.End);
    return true;
}

// The first token from a whose compared word is not empty, passing over
// tokens made only of tags; or the empty word at the end of the text; or a
// token that cannot be reached (a tag without end at the last character, or
// a cancelled search). A text of nothing but
// tags would send every start through all of them, so where a walk passed
// over a token, the token it found is kept for the window.
TWordMatcher::TSlotToken TWordMatcher::SlotToken(const TWindowText& text, int a)
{
    if (text.Chars != MemoText)
        ForgetTokens(text);
    Skipped.clear();
    TSlotToken token{};
    for (;;) {
        if (const int known = SkipTo[static_cast<size_t>(a)]) {
            token = SkipOutcomes[static_cast<size_t>(known - 1)];
            break;
        }
        const int e = TokenEnd(text, a);
        if (Cancel && Cancel->Work(e - a + 1))
            return {a, e, false, true};  // a cancelled attempt reaches no further
        TakeComparedWord(text, a, e, 1); // empty or not is all that counts here
        const int next = WordLength > 0 ? 0 : NextTokenStart(text, e);
        const bool atEnd = next > text.Length;
        token = {a, e, atEnd, !atEnd && next != 0 && next <= a};
        if (next == 0 || token.AtEnd || token.Dead)
            break;
        Skipped.push_back(a);
        a = next;
    }
    if (!Skipped.empty()) {
        SkipOutcomes.push_back(token);
        for (const int skipped : Skipped) {
            SkipTo[static_cast<size_t>(skipped)] = static_cast<int>(SkipOutcomes.size());
            SkipToSet.push_back(skipped);
        }
    }
    return token;
}

// The gap counts are tried in a fixed order (the first count goes up fastest)
// and the first combination that matches gives the hit. Trying each
// combination would cost (counts per gap)^gaps attempts at every start.
// Instead: the words an attempt consumes are the same whatever the pattern
// (the slots), so a segment's outcome depends only on the slot it begins at.
// Forward, the slots each segment can begin at are found; backward, the
// counts are chosen, the last gap's first, each the least that still leads
// to a hit: the combination that the fixed order meets first.
bool TWordMatcher::MatchWithGaps(const TWindowText& text, int start, THit& hit)
{
    BeginWalk(text, start);
    if (!SegmentMatches(text, Segments.front(), 0))
        return false; // no count changes the first segment
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
    hit = {start, last.End - 1, SlotAt(0).End - 1};
    return true;
}

void TWordMatcher::ForgetText()
{
    PosTagStopSearch = {};
    TagStopSearch = {};
    TagCloseSearch = {};
    MemoText = nullptr;
    WalkText = nullptr;
    WalkStart = 0;
    Chain.clear();
    ChainAt = 0;
    ChainEnded = false;
}

// Makes the slots those of the walk from start: the chain from the slot that
// was taken from start on, or a walk of its own (Prefix) until it joins the
// chain or ends.
void TWordMatcher::BeginWalk(const TWindowText& text, int start)
{
    if (text.Chars != WalkText || start < WalkStart)
        ForgetText();
    WalkText = text.Chars;
    WalkStart = start;
    Prefix.clear();
    PrefixEnded = false;
    const auto byFrom = [](const TSlot& slot, int from) { return slot.From < from; };
    int a = start;
    for (;;) {
        const auto joined = std::lower_bound(Chain.begin() + ChainAt, Chain.end(), a, byFrom);
        if (joined != Chain.end() && joined->From == a) {
            ChainAt = joined - Chain.begin();
            return;
        }
        // Beyond the chain's end, or long without joining it (the chain began
        // at a start off the common walk): this walk becomes the chain.
        if ((joined == Chain.end() && !ChainEnded) || std::ssize(Prefix) >= MaxPrefix) {
            Chain.assign(Prefix.begin(), Prefix.end());
            Prefix.clear();
            ChainAt = 0;
            ChainWalk = a;
            ChainEnded = false;
            ExtendChain(text, 1);
            return;
        }
        TSlot slot{};
        const bool alive = NextSlot(text, a, slot);
        PrefixEnded = !alive || (!Prefix.empty() && slot == Prefix.back());
        Prefix.push_back(slot);
        if (PrefixEnded)
            return;
    }
}

// Walks the chain on until SlotCount() reaches count or the walk ends: from a
// dead slot on, or once a slot repeats the one before it (past the end of the
// text), every further slot is the last one.
void TWordMatcher::ExtendChain(const TWindowText& text, std::int64_t count)
{
    if (PrefixEnded)
        return;
    while (SlotCount() < count && !ChainEnded) {
        TSlot slot{};
        const bool alive = NextSlot(text, ChainWalk, slot);
        ChainEnded = !alive || (!Chain.empty() && slot == Chain.back());
        Chain.push_back(slot);
    }
}

std::int64_t TWordMatcher::SlotCount() const
{
    const std::int64_t prefix = std::ssize(Prefix);
    return PrefixEnded ? prefix : prefix + std::ssize(Chain) - ChainAt;
}

const TWordMatcher::TSlot& TWordMatcher::SlotAt(std::int64_t k) const
{
    const std::int64_t prefix = std::ssize(Prefix);
    if (k < prefix)
        return Prefix[static_cast<size_t>(k)];
    if (PrefixEnded)
        return Prefix.back();
    const std::int64_t at = std::min(ChainAt + k - prefix, std::ssize(Chain) - 1);
    return Chain[static_cast<size_t>(at)];
}

// The segment's items compared with the slots from at on.
bool TWordMatcher::SegmentMatches(const TWindowText& text, const TSegment& segment, std::int64_t at)
{
    ExtendChain(text, at + segment.Length);
    for (int i = 0; i < segment.Length; ++i) {
        const TSlot& slot = SlotAt(at + i);
        if (slot.Dead)
            return false;
        if (!Compare(Items[static_cast<size_t>(segment.First + i)], text, slot.Start, slot.End))
            return false;
    }
    return true;
}

// Reach holds, per segment, the slot indexes where it begins and matches with
// every segment before it matched; an index of SlotCount() stands for every
// index beyond the walk's end. False when some segment can begin nowhere.
// Only reached indexes are kept: a few per segment, however far the gaps
// reach into the text.
bool TWordMatcher::ReachSegments(const TWindowText& text)
{
    Reach.resize(Segments.size());
    Reach[0].assign(1, 0);
    for (size_t gap = 0; gap + 1 < Segments.size(); ++gap) {
        Scratch.clear();
        for (const std::int64_t p : Reach[gap]) {
            const std::int64_t after = p + Segments[gap].Length;
            for (std::int64_t count = MinWords; count <= MaxWords; ++count) {
                ExtendChain(text, after + count + 1);
                const std::int64_t at = Clamp(after + count);
                Scratch.push_back(at);
                if (at == SlotCount())
                    break; // larger counts reach the same slot
            }
        }
        std::sort(Scratch.begin(), Scratch.end());
        Scratch.erase(std::unique(Scratch.begin(), Scratch.end()), Scratch.end());
        std::vector<std::int64_t>& to = Reach[gap + 1];
        to.clear();
        for (const std::int64_t at : Scratch) {
            if (SegmentMatches(text, Segments[gap + 1], at))
                to.push_back(at);
        }
        if (to.empty())
            return false;
    }
    return true;
}

// Leads holds where the last segment can begin and end the attempt with a
// hit: the last slot it consumes is reachable and a first end is set.
bool TWordMatcher::FinalSlotsLeadToHit()
{
    Leads.clear();
    if (SlotAt(0).AtEnd)
        return false; // the attempt met no word of its own
    for (const std::int64_t p : Reach.back()) {
        const std::int64_t last = p + Segments.back().Length - 1;
        if (last >= 0 && !SlotAt(last).Dead)
            Leads.push_back(p);
    }
    return !Leads.empty();
}

bool TWordMatcher::LeadsTo(std::int64_t at) const
{
    return std::binary_search(Leads.begin(), Leads.end(), Clamp(at));
}

// The least count of the gap that leads from a start of the segment before it
// to a start in Leads. There is one: every start in Leads was reached so.
int TWordMatcher::FirstGapCount(size_t gap) const
{
    const std::int64_t length = Segments[gap].Length;
    int count = MinWords;
    for (; count < MaxWords; ++count) {
        for (const std::int64_t p : Reach[gap]) {
            if (LeadsTo(p + length + count))
                return count;
        }
        if (Reach[gap].front() + length + count >= SlotCount())
            break; // larger counts reach the same slots
    }
    return count;
}

// Narrows Leads to the starts of the segment before the gap from which count
// leads into Leads.
void TWordMatcher::KeepStartsLeadingTo(size_t gap, int count)
{
    Scratch.clear();
    for (const std::int64_t p : Reach[gap]) {
        if (LeadsTo(p + Segments[gap].Length + count))
            Scratch.push_back(p);
    }
    Leads.swap(Scratch);
}

// The compared word against the pattern word; with tags, its word part, and
// the raw token a..e-1 against the tag pattern. Both are cut at
// MaxComparedToken characters of the token.
bool TWordMatcher::Compare(const TItem& item, const TWindowText& text, int a, int e)
{
    e = std::min(e, a + MaxComparedToken);
    if (item.Kind == TPatternItem::Word) {
        // A longer word cannot match; with tags the word part is cut from
        // the word as far as it is compared.
        const int most = item.Word.MaxLength();
        TakeComparedWord(text, a, e, Tags || most == INT_MAX ? INT_MAX : most + 1);
        std::u16string_view word(Word, static_cast<size_t>(WordLength));
        if (Tags)
            word = Tags->WordPart(word, PartBuffer);
        if (!item.Word.Matches(word.data(), static_cast<int>(word.size()), Cancel))
            return false;
    }
    if (!item.HasTag)
        return true;
    const std::u16string_view token(text.Chars + a, static_cast<size_t>(std::max(e - a, 0)));
    return Tags->TagMatches(token, item.Tag, PartBuffer);
}

// Tokens can run on over many tags, and every word start inside one of those
// tags begins a scan that passes the same tags again. A scan is a function of
// where it stands, so where an earlier scan landed after a tag (in the same
// step of the loop) the rest is known: its end.
int TWordMatcher::TokenEnd(const TWindowText& text, int a) const
{
    if (text.Chars != MemoText)
        ForgetTokens(text);
    Landings.clear();
    const int end = ScanToken(text, a);
    for (const int landing : Landings) {
        KnownEnds[static_cast<size_t>(landing)] = end;
        KnownEndsSet.push_back(landing);
    }
    return end;
}

int TWordMatcher::ScanToken(const TWindowText& text, int a) const
{
    int k = a;
    while (k <= text.Length) {
        if (Classes[text[k]] & TCharClasses::PosTagStart) {
            const bool atTag = std::any_of(PosTagStarts.begin(), PosTagStarts.end(),
                                           [&](const TMarker& m) { return m.At(text, k); });
            if (atTag) {
                k = PassTag(text, k, PosTagStop, PosTagStopSearch);
                if (k == 0)
                    return text.Length;
                if (k > text.Length)
                    break;
                if (const int known = KnownEnd(k, AfterPosTag))
                    return known;
                Landings.push_back(Landing(k, AfterPosTag));
            }
        }
        if (SkipTags && (Classes[text[k]] & TCharClasses::TagStart) && TagStart.At(text, k)) {
            k = PassTag(text, k, TagStop, TagStopSearch);
            if (k == 0)
                return text.Length;
            if (k > text.Length)
                break;
            if (const int known = KnownEnd(k, AfterTag))
                return known;
            Landings.push_back(Landing(k, AfterTag));
        }
        if (Classes.IsDelimiter(text[k]))
            break;
        ++k;
    }
    return std::min(k, text.Length + 1);
}

// Only the entries that were set are cleared: a window holds few tags as a
// rule, and clearing it all at every move would cost more than the search.
void TWordMatcher::ForgetTokens(const TWindowText& text) const
{
    MemoText = text.Chars;
    for (const int landing : KnownEndsSet)
        KnownEnds[static_cast<size_t>(landing)] = 0;
    KnownEndsSet.clear();
    KnownEnds.resize(2 * static_cast<size_t>(text.Length) + 4, 0);
    for (const int skipped : SkipToSet)
        SkipTo[static_cast<size_t>(skipped)] = 0;
    SkipToSet.clear();
    SkipOutcomes.clear();
    SkipTo.resize(static_cast<size_t>(text.Length) + 2, 0);
}

// The position after the first occurrence of stop at or after k, compared
// exactly; 0 when there is none. An empty stop text occurs at k itself. The
// answer for k holds for every position up to the occurrence, so the last
// search is kept.
int TWordMatcher::PassTag(const TWindowText& text, int k, const std::u16string& stop,
                          TStopSearch& last) const
{
    if (stop.empty())
        return k;
    if (last.Text != text.Chars || k < last.From || (last.At != 0 && k > last.At)) {
        const char16_t* begin = text.Chars + k;
        const char16_t* end = text.Chars + text.Length + 1;
        const char16_t* found = std::search(begin, end, stop.begin(), stop.end());
        last = {text.Chars, k, found == end ? 0 : static_cast<int>(found - text.Chars)};
    }
    return last.At == 0 ? 0 : last.At + static_cast<int>(stop.size());
}

int TWordMatcher::NextTokenStart(const TWindowText& text, int e) const
{
    while (e <= text.Length && Classes.IsDelimiter(text[e]))
        ++e;
    return e;
}

// The compared word is the token a..e-1 without its tags: from a "<" up to
// the next ">", and every ">", are dropped. The next ">" is found through the
// kept search, so that a "<" without end does not send each start that meets
// it reading to the window's end. Only the first limit characters are taken:
// a token can run to the window's end, and every start inside it would copy
// the rest of the window.
void TWordMatcher::TakeComparedWord(const TWindowText& text, int a, int e, int limit)
{
    const char16_t* begin = text.Chars + a;
    const char16_t* end = text.Chars + a + std::min(e - a, limit);
    const char16_t* markup =
        SkipTags ? std::find_if(begin, end, [](char16_t c) { return c == u'<' || c == u'>'; })
                 : end;
    if (markup == end) {
        Word = begin;
        WordLength = static_cast<int>(end - begin);
        return;
    }
    WordBuffer.assign(begin, markup);
    for (int k = static_cast<int>(markup - text.Chars); k < e && std::ssize(WordBuffer) < limit;
         ++k) {
        const char16_t c = text[k];
        if (c == u'<') {
            const int after = PassTag(text, k, TagClose, TagCloseSearch);
            if (after == 0 || after > e)
                break; // the rest of the token is inside the tag
            k = after - 1;
        } else if (c != u'>') {
            WordBuffer.push_back(c);
        }
    }
    Word = WordBuffer.data();
    WordLength = static_cast<int>(WordBuffer.size());
}
