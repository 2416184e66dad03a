#include "VisibleText.h"

#include "CharCase.h"

#include <algorithm>

namespace {

bool ExactAt(const TWindowText& text, const std::u16string& s, int p)
{
    if (s.empty() || p + static_cast<int>(s.size()) - 1 > text.Length)
        return false;
    return std::equal(s.begin(), s.end(), text.Chars + p);
}

} // namespace

void TVisibleText::Reset(const TWindowText& text, const std::u16string& tagStart,
                         const std::u16string& tagStop)
{
    Text = text;
    Plain = tagStart.empty() && tagStop.empty();
    if (Plain)
        return;
    const int n = text.Length;
    Marker.resize(static_cast<size_t>(n) + 2);
    Shown.resize(static_cast<size_t>(n) + 2);
    // First a flag per position, then, from the end, the next flagged position.
    bool inTag = false;
    for (int p = 1; p <= n; ++p) {
        const bool start = ExactAt(text, tagStart, p);
        const bool stop = !start && ExactAt(text, tagStop, p);
        if (start || stop)
            inTag = start;
        Marker[p] = start || stop;
        Shown[p] = !start && !stop && !inTag;
    }
    Marker[n + 1] = Shown[n + 1] = n + 1;
    for (int p = n; p >= 1; --p) {
        Marker[p] = Marker[p] ? p : Marker[p + 1];
        Shown[p] = Shown[p] ? p : Shown[p + 1];
    }
}

bool TVisibleText::LiteralAt(const std::u16string& literal, int a) const
{
    const char16_t* upper = UpperCaseTable();
    const int zone = NextMarker(a); // seen whatever the inside-tag state
    int p = a;
    for (char16_t c : literal) {
        if (p >= zone)
            p = NextShown(p);
        if (p > Text.Length || upper[Text[p]] != c)
            return false;
        ++p;
    }
    return true;
}

int TVisibleText::Advance(int a, int n) const
{
    if (a > Text.Length)
        return Text.Length + n + 1;
    const int zone = NextMarker(a);
    int found = 0;
    for (int p = a;; ++p) {
        if (p >= zone)
            p = NextShown(p);
        if (p > Text.Length)
            break;
        if (found == n)
            return p;
        ++found;
    }
    return Text.Length + (n + 1 - found);
}
