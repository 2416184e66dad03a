// One pattern word of the word form, compiled for comparison with one word of
// the text. Only the first character of each wildcard text is a wildcard here:
// zero-or-more (wcStar), zero-or-one (wcPercent) and exactly-one (wcQuestion);
// every other character must equal the word's character, letter case ignored
// unless the comparison is case-sensitive.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

class TAppSettings;
class TCancelCheck;

class TWordGlob {
public:
    TWordGlob() = default;
    TWordGlob(const QString& pattern, const TAppSettings& settings);

    // Does the whole word match the whole pattern word? Runs in time proportional
    // to the product of both lengths, whatever the wildcards; a cancelled search
    // ends it early, without a match.
    bool Matches(const char16_t* word, int length, TCancelCheck* cancel = nullptr) const;

    // The character that a matching word must begin with, none when the pattern
    // word begins with a wildcard; upper-cased unless the comparison is case-sensitive.
    std::optional<char16_t> LiteralFirst() const;
    // The length of the longest word that can match; INT_MAX with a
    // zero-or-more wildcard.
    int MaxLength() const { return MaxWordLength; }
    bool CaseSensitive() const { return IsCaseSensitive; }

private:
    enum class TKind : unsigned char { Literal, ZeroOrMore, ZeroOrOne, ExactlyOne };
    void Close(std::vector<unsigned char>& states) const;

    std::vector<TKind> Kinds;
    std::u16string Chars; // upper-cased unless case-sensitive
    bool IsCaseSensitive = false;
    bool AllLiteral = true; // no wildcard: a plain comparison does
    int MaxWordLength = 0;
    mutable std::vector<unsigned char> Current, Next;
};
