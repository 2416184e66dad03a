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

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TAppSettings;

class TWordMatcher {
public:
    // With tags (the word/tag syntax), each pattern word is compared with the
    // word part of a token and its tag pattern with the token's tag.
    // Marks in classes the characters at which a hit may begin (MatchStart).
    TWordMatcher(const TPatternItems& items, bool tags, const TAppSettings& settings,
                 TCharClasses& classes);

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

    void MarkMatchStarts(const TAppSettings& settings, TCharClasses& classes) const;
    bool MatchPhrases(const TWindowText& text, int a, THit& hit);
    bool MatchPhrase(const TWindowText& text, int start, THit& hit);
    bool MatchNextWord(const TWindowText& text, const TItem& item, int& a, int& firstEnd, int& e);
    bool NextCombination();
    bool Compare(const TItem& item, const TWindowText& text, int a, int e);
    int PassTag(const TWindowText& text, int k, const std::u16string& stop) const;
    void TakeComparedWord(const TWindowText& text, int a, int e);

    const TCharClasses& Classes;
    std::vector<TItem> Items;
    std::vector<int> GapCounts; // one per intervening-words item
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
};
