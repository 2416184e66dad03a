#include "Utf8Subject.h"

#include <algorithm>
#include <cstddef>

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
    First = 1 - text.Before;
    TextLength = text.Length;
    const char16_t* begin = text.Chars + First;
    const size_t count = static_cast<size_t>(text.Length - First + 1);
    // Three bytes at most for each position, and four for the continuation.
    if (Utf8.size() < 3 * count + 4)
        Utf8.resize(3 * count + 4);
    char* out = Utf8.data();
    Ascii = std::all_of(begin, begin + count, [](char16_t c) { return c < 0x80; });
    if (Ascii) {
        std::copy(begin, begin + count, out);
        Used = count;
        AppendContinuation();
        return;
    }
    Offsets.assign(count + 1, 0);
    for (int p = First; p <= text.Length; ++p) {
        const unsigned offset = static_cast<unsigned>(out - Utf8.data());
        const size_t at = static_cast<size_t>(p - First);
        Offsets[at] = offset;
        const char16_t c = text[p];
        if (IsHighSurrogate(c) && p < text.Length && IsLowSurrogate(text[p + 1])) {
            Offsets[at + 1] = offset;
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
    Offsets[count] = static_cast<unsigned>(Used);
    AppendContinuation();
}

void TUtf8Subject::AppendContinuation()
{
    Continued = Used;
    if (TextLength == 0)
        return;
    // The start of the character that holds the last position, the first half
    // of a pair included.
    const size_t at = static_cast<size_t>(TextLength - First);
    const size_t last = Ascii ? at : Offsets[at];
    std::copy(Utf8.begin() + static_cast<std::ptrdiff_t>(last),
              Utf8.begin() + static_cast<std::ptrdiff_t>(Used),
              Utf8.begin() + static_cast<std::ptrdiff_t>(Used));
    Continued = 2 * Used - last;
}

size_t TUtf8Subject::OffsetOf(int p) const
{
    if (Ascii)
        return static_cast<size_t>(p - First);
    const size_t at = static_cast<size_t>(p - First);
    // The second half of a pair shares its offset with the first.
    if (at > 0 && at + 1 < Offsets.size() && Offsets[at] == Offsets[at - 1])
        return Offsets[at + 1];
    return Offsets[at];
}

int TUtf8Subject::PositionOf(size_t offset) const
{
    if (Ascii)
        return static_cast<int>(offset) + First;
    const auto found = std::lower_bound(Offsets.begin(), Offsets.end(), offset);
    return static_cast<int>(found - Offsets.begin()) + First;
}
