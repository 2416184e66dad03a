// The characters of a window that a character-form match sees when markup tags
// are skipped. A reading that starts at position s sees every character up to
// the first tag start or stop text at or after s; from that text on, what it
// sees no longer depends on s, because each such text sets the inside-tag state
// outright. So one pass over the window answers for every start, and a reading
// steps from visible character to visible character however long the tags
// between them are.
#pragma once

#include "WindowText.h"

#include <string>
#include <vector>

class TVisibleText {
public:
    // Prepares text for readings that skip tags between tagStart and tagStop;
    // with both empty every character is visible. Costs a pass over the text.
    void Reset(const TWindowText& text, const std::u16string& tagStart,
               const std::u16string& tagStop);

    int Length() const { return Text.Length; }
    const char16_t* Chars() const { return Text.Chars; }

    // The first position at or after p where a tag start or stop text begins;
    // Length() + 1 when there is none.
    int NextMarker(int p) const { return Plain || p > Text.Length ? Text.Length + 1 : Marker[p]; }
    // The first position at or after p that a reading from position 1 sees; a
    // reading from s sees the same from NextMarker(s) on. Length() + 1 when
    // there is none.
    int NextShown(int p) const { return Plain || p > Text.Length ? p : Shown[p]; }
    bool IsShown(int p) const { return NextShown(p) == p; }

    // Whether the upper-cased literal equals the characters a reading from a
    // sees, one by one. REQUIRES: literal is not empty.
    bool LiteralAt(const std::u16string& literal, int a) const;
    // The position of the (n + 1)-th character a reading from a sees; when the
    // text ends first, as many positions past its end as were still missing.
    int Advance(int a, int n) const;

private:
    TWindowText Text;
    bool Plain = true; // no tag texts: every character visible
    std::vector<int> Marker;
    std::vector<int> Shown;
};
