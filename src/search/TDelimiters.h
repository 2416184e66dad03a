// The word-delimiter set: the characters of WrdDelims, any in the Basic
// Multilingual Plane (an em dash or a curly quote as well as a blank), less the
// characters that the wildcard and tag settings need as parts of their texts,
// and always the line breaks and tabs. It finds words in the text, cuts
// patterns into words and finds word starts.
#pragma once

#include <QString>

#include <bitset>

class TAppSettings;

class TDelimiters {
public:
    TDelimiters() = default;
    // The set that the analysis and the matchers use with these settings.
    // Whatever WrdDelims says, tab, line feed, vertical tab, form feed and
    // carriage return separate words: a word at the end of a line does not
    // run into the first word of the next, and a line break is no word.
    explicit TDelimiters(const TAppSettings& settings);

    // The set of the characters of s. The halves of a surrogate pair are no
    // characters of their own and are left out.
    void MakeCharSet(const QString& s);
    // Removes every character of each wildcard and tag text except its last one,
    // so that a multi-character marker such as "<w" keeps its last character a
    // delimiter only when WrdDelims makes it one.
    void RemoveSpecialChars(const TAppSettings& settings);
    // Adds tab, line feed, vertical tab, form feed and carriage return.
    void AddLineBreaksAndTabs();

    bool Contains(char16_t c) const { return Set[c]; }
    // Calls visit(c) for every character c of the set, in order.
    template <typename TVisit>
    void ForEach(TVisit visit) const
    {
        for (size_t c = Set._Find_first(); c < Set.size(); c = Set._Find_next(c))
            visit(static_cast<char16_t>(c));
    }

private:
    void RemoveAllButLast(const QString& text);

    std::bitset<0x10000> Set;
};
