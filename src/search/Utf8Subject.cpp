#include "Utf8Subject.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

void TUtf8Subject::Assign(const TWindowText& text)
{
    Utf8.clear();
    Offsets.assign(static_cast<size_t>(text.Length) + 2, 0);
    for (int p = 1; p <= text.Length; ++p) {
        Offsets[static_cast<size_t>(p)] = Utf8.size();
        const char16_t c = text[p];
        if (IsHighSurrogate(c) && p < text.Length && IsLowSurrogate(text[p + 1])) {
            Offsets[static_cast<size_t>(p) + 1] = Utf8.size();
            AppendUtf8(Utf8, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[p + 1] - 0xDC00));
            ++p;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendUtf8(Utf8, 0xFFFD);
        } else {
            AppendUtf8(Utf8, c);
        }
    }
    Offsets[static_cast<size_t>(text.Length) + 1] = Utf8.size();
}

size_t TUtf8Subject::OffsetOf(int p) const
{
    const size_t at = static_cast<size_t>(p);
    // The second half of a pair shares its offset with the first.
    if (at > 1 && at + 1 < Offsets.size() && Offsets[at] == Offsets[at - 1])
        return Offsets[at + 1];
    return Offsets[at];
}

int TUtf8Subject::PositionOf(size_t offset) const
{
    const auto found = std::lower_bound(Offsets.begin() + 1, Offsets.end(), offset);
    return static_cast<int>(found - Offsets.begin());
}
