// The word form of the word/phrase syntax: pattern words matched against
// consecutive words (tokens) of the text, with intervening-words gaps. A token
// runs from a word start to the next delimiter and passes over markup tags as
// units; the compared word is the token without its tags when tags are skipped.
#pragma once

#include "CharCase.h"
#include "CharClasses.h"
#include "Hit.h"
#include "Markup.h"
#include "TagStyle.h"
#include "WindowText.h"
#include "WordGlob.h"
#include "WordPattern.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TAppSettings;
class TCancelCheck;

class TWordMatcher {
public:
    // With tags (the word/tag syntax), each pattern word is compared with the
    // word part of a token and its tag pattern with the token's tag.
    // Marks in classes the characters at which a hit may begin (MatchStart).
    TWordMatcher(const TPatternItems& items, bool tags, const TAppSettings& settings,
                 TCharClasses& classes);
    ~TWordMatcher();
    TWordMatcher(const TWordMatcher&) = delete;
    TWordMatcher& operator=(const TWordMatcher&) = delete;

    // A word starts at p when its character is no delimiter and the character
    // before it is one, or p is the file's first character: where the word
    // scanner counts a word.
    bool IsWordStart(const TWindowText& text, int p) const
    {
        return IsWordStart(Classes[text[p]], Classes[text[p - 1]], p == 1 && text.AtFileStart);
    }
    // The same from the classes of the character at p and of the one before it.
    static bool IsWordStart(std::uint8_t classes, std::uint8_t before, bool fileStart)
    {
        return !(classes & TCharClasses::Delimiter) &&
               ((before & TCharClasses::Delimiter) || fileStart);
    }

    // Tries the pattern at the word start a; on success describes the hit,
    // whose new position is the last character of its first non-empty token.
    bool MatchAt(const TWindowText& text, int a, THit& hit)
    {
        return MayMatchWordAt(text[a]) && MatchPhrases(text, a, hit);
    }

    // Long attempts ask check whether the search was cancelled.
    void SetCancelCheck(TCancelCheck* check) { Cancel = check; }

    // The text of the window changed (it moved on): what the matcher learnt
    // of the old text no longer holds.
    void ForgetText();

    // False when a word start whose first character is c certainly does not
    // match: when no markup begins with c, the compared word begins with c, and
    // a pattern whose first word begins with another letter cannot match there,
    // whatever its gaps.
    bool MayMatchWordAt(char16_t c) const { return Classes[c] & TCharClasses::MatchStart; }

    // The end (one past the last character) of the token that starts at a.
    int TokenEnd(const TWindowText& text, int a) const;
    // The first position at or after e that holds no delimiter.
    int NextTokenStart(const TWindowText& text, int e) const;

private:
    struct TItem {
        TPatternItem::TKind Kind;
        TWordGlob Word;
        TWordGlob Tag;
        bool HasTag; // an empty tag pattern matches every tag
    };

    // One word of the text as a phrase attempt consumes it: the walk position
    // it was taken from, the token compared (Start..End-1), whether it is the
    // empty word at the end of the text and whether the token could not be
    // reached (an unterminated tag at the last character).
    struct TSlot {
        int From;
        int Start;
        int End;
        bool AtEnd;
        bool Dead;
        bool operator==(const TSlot&) const = default;
    };
    // The token a pattern word is compared with, as a walk from a word start
    // finds it.
    struct TSlotToken {
        int Start;
        int End;
        bool AtEnd;
        bool Dead;
    };
    // A run of pattern items between intervening-words items.
    struct TSegment {
        int First; // index into Items
        int Length;
    };
    // The last search for a tag's stop text: from From on, its first
    // occurrence is at At (0: none to the window's end).
    struct TStopSearch {
        const char16_t* Text = nullptr;
        int From = 0;
        int At = 0;
    };

    void MarkMatchStarts(const TAppSettings& settings, TCharClasses& classes) const;
    bool MatchPhrases(const TWindowText& text, int a, THit& hit);
    bool MatchPhrase(const TWindowText& text, int start, THit& hit);
    bool NextSlot(const TWindowText& text, int& a, TSlot& slot);
    TSlotToken SlotToken(const TWindowText& text, int a);
    bool MatchWithGaps(const TWindowText& text, int start, THit& hit);
    void BeginWalk(const TWindowText& text, int start);
    void ExtendChain(const TWindowText& text, std::int64_t count);
    std::int64_t SlotCount() const;
    const TSlot& SlotAt(std::int64_t k) const;
    // Once the walk has ended, every index from SlotCount() on stands for the
    // same: at or beyond the last slot.
    std::int64_t Clamp(std::int64_t at) const { return std::min(at, SlotCount()); }
    bool SegmentMatches(const TWindowText& text, const TSegment& segment, std::int64_t at);
    bool ReachSegments(const TWindowText& text);
    bool FinalSlotsLeadToHit();
    int FirstGapCount(size_t gap) const;
    void KeepStartsLeadingTo(size_t gap, int count);
    bool LeadsTo(std::int64_t at) const;
    bool Compare(const TItem& item, const TWindowText& text, int a, int e);
    int PassTag(const TWindowText& text, int k, const std::u16string& stop,
                TStopSearch& last) const;
    // Where a scan for the token end stands after passing a part-of-speech
    // tag, or an ordinary tag, at position k: an index into KnownEnds.
    enum TLandingStep { AfterPosTag, AfterTag };
    static int Landing(int k, TLandingStep step) { return 2 * k + step; }
    int KnownEnd(int k, TLandingStep step) const
    {
        return KnownEnds[static_cast<size_t>(Landing(k, step))];
    }
    int ScanToken(const TWindowText& text, int a) const;
    void ForgetTokens(const TWindowText& text) const;
    void TakeComparedWord(const TWindowText& text, int a, int e, int limit);

    // Only so many characters of a token are compared. A tag whose end never
    // comes makes the tokens around it run to the window's end, and every
    // start inside them would compare the rest of the window; no word or tag
    // of a text is this long.
    static constexpr int MaxComparedToken = 1024;

    const TCharClasses& Classes;
    TCancelCheck* Cancel = nullptr;
    std::vector<TItem> Items;
    // The items cut at the intervening-words items: one segment more than gaps.
    std::vector<TSegment> Segments;
    // The counts one intervening-words item takes, least first; a negative
    // setting counts as 0, and a least above the most is the only count. The
    // settings keep the most within MaxInterveningWords, which bounds the
    // work of a start: each slot a gap is reached from tries that many counts.
    int MinWords = 0;
    int MaxWords = 0;
    bool SkipTags = false;
    std::vector<TMarker> PosTagStarts; // the non-empty psTagsStart entries
    std::u16string PosTagStop;         // upper-cased, searched exactly
    TMarker TagStart;
    std::u16string TagStop; // upper-cased, searched exactly

    // The compared word of the current token: a view into the window, or into
    // WordBuffer when tags had to be removed.
    const char16_t* Word = nullptr;
    int WordLength = 0;
    std::u16string WordBuffer;
    std::optional<TTagStyle> Tags;
    std::u16string PartBuffer;

    // The last stop-text searches, kept for the window: an unterminated tag
    // would otherwise send every token after it searching to the window's end.
    mutable TStopSearch PosTagStopSearch;
    mutable TStopSearch TagStopSearch;
    mutable TStopSearch TagCloseSearch; // of ">", which ends what the compared word drops
    // What is known of the tokens of the window (MemoText): the token ends
    // known from where scans landed after tags (0: unknown), the indexes set
    // in it, and those of the scan under way; the slot token that a walk from
    // a token made only of tags found (SkipTo: 1 + an index into
    // SkipOutcomes, 0: unknown), the positions set in it, and those of the
    // walk under way.
    mutable const char16_t* MemoText = nullptr;
    mutable std::vector<int> KnownEnds;
    mutable std::vector<int> KnownEndsSet;
    mutable std::vector<int> Landings;
    mutable std::vector<int> SkipTo;
    mutable std::vector<int> SkipToSet;
    mutable std::vector<TSlotToken> SkipOutcomes;
    std::vector<int> Skipped;
    const std::u16string TagClose = u">";

    // The walk of the search with gaps. Consecutive starts walk the same
    // words, so the walk is kept for the window as a chain (Chain, from
    // ChainAt on, continued from ChainWalk) that later starts join; a start
    // off the chain (inside a tag) walks its own Prefix until it joins.
    const char16_t* WalkText = nullptr;
    int WalkStart = 0;
    std::vector<TSlot> Chain;
    std::int64_t ChainAt = 0;
    int ChainWalk = 0;
    bool ChainEnded = false;
    std::vector<TSlot> Prefix;
    static constexpr std::int64_t MaxPrefix = 32;
    bool PrefixEnded = false; // every slot from the last of Prefix on is that one
    // Per segment, the slot indexes at which it may begin with every segment
    // before it matched (Reach); while choosing the counts, those of one
    // segment that lead to a hit (Leads). Both are sorted.
    std::vector<std::vector<std::int64_t>> Reach;
    std::vector<std::int64_t> Leads;
    std::vector<std::int64_t> Scratch;
    std::vector<int> Counts;
};
