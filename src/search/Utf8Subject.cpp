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

char* AppendUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace

void TUtf8Subject::Assign(const TWindowText& text)
{
    const size_t length = static_cast<size_t>(text.Length);
    TextLength = text.Length;
    // Three bytes at most for each position.
    if (Utf8.size() < 3 * length)
        Utf8.resize(3 * length);
    char* out = Utf8.data();
    Ascii =
        std::all_of(text.Chars + 1, text.Chars + 1 + length, [](char16_t c) { return c < 0x80; });
    if (Ascii) {
        std::copy(text.Chars + 1, text.Chars + 1 + length, out);
        Used = length;
        return;
    }
    Offsets.assign(length + 2, 0);
    for (int p = 1; p <= text.Length; ++p) {
        const unsigned offset = static_cast<unsigned>(out - Utf8.data());
        Offsets[static_cast<size_t>(p)] = offset;
        const char16_t c = text[p];
        if (IsHighSurrogate(c) && p < text.Length && IsLowSurrogate(text[p + 1])) {
            Offsets[static_cast<size_t>(p) + 1] = offset;
            out =
                AppendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[p + 1] - 0xDC00));
            ++p;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            out = AppendUtf8(out, 0xFFFD);
        } else {
            out = AppendUtf8(out, c);
        }
    }
    Used = static_cast<size_t>(out - Utf8.data());
    Offsets[length + 1] = static_cast<unsigned>(Used);
}

size_t TUtf8Subject::OffsetOf(int p) const
{
    if (Ascii)
        return static_cast<size_t>(p) - 1;
    const size_t at = static_cast<size_t>(p);
    // The second half of a pair shares its offset with the first.
    if (at > 1 && at + 1 < Offsets.size() && Offsets[at] == Offsets[at - 1])
        return Offsets[at + 1];
    return Offsets[at];
}

int TUtf8Subject::PositionOf(size_t offset) const
{
    if (Ascii)
        return static_cast<int>(offset) + 1;
    const auto found = std::lower_bound(Offsets.begin() + 1, Offsets.end(), offset);
    return static_cast<int>(found - Offsets.begin());
}
