// How part-of-speech tags are written in the text, for the word/tag syntax:
// embedded in the word after a delimiter ("table_NN1"), or as markup outside
// the word ("<w NN1>table"). Splits a token into the word part that the word
// pattern is compared with and the tag that the tag pattern is compared with.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

class TAppSettings;
class TWordGlob;

class TTagStyle {
public:
    explicit TTagStyle(const TAppSettings& settings);

    // The word part of a compared word: without its tag markup. The search for
    // the markers ignores letter case; the word part keeps the text's case.
    std::u16string_view WordPart(std::u16string_view word, std::u16string& buffer) const;

    // Does the raw token's tag match the tag pattern? The tag is compared in
    // upper case. An empty tag pattern matches every token.
    bool TagMatches(std::u16string_view token, const TWordGlob& pattern,
                    std::u16string& buffer) const;

private:
    // The first of the tag starts that occurs in upper, and where; npos if none.
    size_t FindTagStart(std::u16string_view upper, size_t& length) const;

    bool Embedded;
    std::u16string Delimiter;              // upper-cased
    std::vector<std::u16string> TagStarts; // the non-empty psTagsStart entries, upper-cased
    std::u16string TagStop;                // upper-cased
    mutable std::u16string UpperBuffer;
};
