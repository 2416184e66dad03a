// Preparing word-form patterns: the pattern text cut into pattern words at the
// word delimiters, with the intervening-words items recognised.
#pragma once

#include <QString>

#include <vector>

class TAppSettings;
class TDelimiters;

struct TPatternItem {
    enum TKind {
        Word,    // an ordinary pattern word, matched against one word of the text
        AnyWord, // matches every word of the text
        Between, // the intervening-words item: sdAtMinWords to sdAtMaxWords any-words
    };
    TKind Kind = Word;
    QString Text; // the pattern word as written
    QString Tag;  // the tag pattern of the word/tag syntax; empty matches any tag
};

using TPatternItems = std::vector<TPatternItem>;

// The maximal runs of pattern characters that are not delimiters, in order.
std::vector<QString> SplitPatternWords(const QString& pattern, const TDelimiters& delimiters);

// The word form of a word/phrase pattern. An empty result is the pattern error
// that the analysis reports.
TPatternItems PrepareWordPhrase(const QString& pattern, const TAppSettings& settings,
                                const TDelimiters& delimiters);

// The items of a word/tag pattern: each cut at its first sdAmpersant into the
// word part and the tag part; an empty word part stands for any word.
TPatternItems PrepareWordTag(const QString& pattern, const TAppSettings& settings,
                             const TDelimiters& delimiters);

// s without leading and trailing characters up to U+0020.
QString TrimControls(const QString& s);
