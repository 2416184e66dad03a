// The character form of the word/phrase syntax (and of section patterns): the
// whole pattern as one wildcard text, cut into pieces of literal text that each
// end in a wildcard (TWildcardMatcher matches them). Wildcard texts are
// recognised as a whole here, so a wildcard of several characters works. Letter
// case is always ignored.
#pragma once

#include <QString>

#include <string>
#include <vector>

class TAppSettings;

class TWildcardPattern {
public:
    enum class TWildcard { None, ZeroOrMore, ExactlyOne, ZeroOrOne };
    struct TPiece {
        std::u16string Literal; // upper-cased
        TWildcard Following = TWildcard::None;
    };

    // Cuts pattern into pieces with the wildcard texts of settings; TagStart and
    // TagStop are kept for matching with markup tags made invisible.
    TWildcardPattern(const QString& pattern, const TAppSettings& settings);

    const std::vector<TPiece>& Pieces() const { return PieceList; }

    // The matcher goes one call deeper for each zero-or-more wildcard, and
    // wildcards in a row cost it the square of their number at every
    // position; more than these would risk the stack or stall a search, and
    // no pattern a person writes has them.
    static constexpr int MaxZeroOrMore = 1000;
    static constexpr int MaxWildcardsInARow = 32;
    // Why the matcher cannot take the pattern, as the end of a sentence
    // ("more than …"); empty when it can.
    QString Unusable() const;
    const std::u16string& TagStart() const { return Start; }
    const std::u16string& TagStop() const { return Stop; }

private:
    std::vector<TPiece> PieceList;
    std::u16string Start;
    std::u16string Stop;
};
