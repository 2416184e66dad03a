// Markers and markup in text: the case-insensitive test whether a marker stands
// at a position, and the stripping of "<...>" markup from a word.
#pragma once

#include "WindowText.h"

#include <QString>

#include <string>

// A marker text prepared for repeated case-insensitive comparisons with the text.
class TMarker {
public:
    TMarker() = default;
    explicit TMarker(const QString& text);

    bool IsEmpty() const { return Upper.empty(); }
    int Length() const { return static_cast<int>(Upper.size()); }
    char16_t First() const { return Upper.front(); } // REQUIRES: !IsEmpty()
    const std::u16string& UpperText() const { return Upper; }

    // True when the marker is not empty and the text from k on equals it,
    // both upper-cased; a marker that runs past the text's end is not there.
    bool At(const TWindowText& text, int k) const;
    // As At, but an empty marker stands everywhere.
    bool StartsAt(const TWindowText& text, int k) const { return IsEmpty() || At(text, k); }
    // True when the text of the marker's length that ends at k equals it;
    // an empty marker ends everywhere.
    bool EndsAt(const TWindowText& text, int k) const;

private:
    std::u16string Upper;
};

// Does tag stand in text at index (1-based)? Letter case is ignored, and an
// empty tag stands nowhere.
bool TagAt(const TWindowText& text, const QString& tag, int index);

// s without markup: every character from a "<" up to and including the next ">"
// is left out, and so is every ">".
QString RemoveTags(const QString& s);

// Appends the characters of [begin, end) without markup to out, as RemoveTags.
void AppendWithoutTags(const char16_t* begin, const char16_t* end, std::u16string& out);
