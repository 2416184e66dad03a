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
    const size_t count = static_cast<size_t>(text.Length - First + 1);
    // Three bytes at most for each position, and four for the continuation.
    if (Utf8.size() < 3 * count + 4)
        Utf8.resize(3 * count + 4);
    if (text.Utf8) {
        std::copy(text.Utf8, text.Utf8 + text.Utf8Size, Utf8.data());
        Used = static_cast<size_t>(text.Utf8Size);
        // A copy: the subject outlives the window's next move.
        Map = *text.Utf8Map;
        Ascii = Map.Empty();
    } else {
        Convert(text);
    }
    AppendContinuation();
}

void TUtf8Subject::Convert(const TWindowText& text)
{
    const char16_t* begin = text.Chars + First;
    const size_t count = static_cast<size_t>(text.Length - First + 1);
    char* out = Utf8.data();
    Map.Clear();
    Ascii = std::all_of(begin, begin + count, [](char16_t c) { return c < 0x80; });
    if (Ascii) {
        std::copy(begin, begin + count, out);
        Used = count;
        return;
    }
    int ahead = 0;
    for (int p = First; p <= text.Length; ++p) {
        const char16_t c = text[p];
        if (IsHighSurrogate(c) && p < text.Length && IsLowSurrogate(text[p + 1])) {
            out =
                AppendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[p + 1] - 0xDC00));
            // The second half shares the offset of the first; four bytes for
            // two positions.
            Map.Break(p + 1, ahead - 1);
            ahead += 2;
            Map.Break(p + 2, ahead);
            ++p;
            continue;
        }
        char* const from = out;
        out = AppendUtf8(out, IsHighSurrogate(c) || IsLowSurrogate(c) ? 0xFFFD : c);
        if (out - from > 1) {
            ahead += static_cast<int>(out - from) - 1;
            Map.Break(p + 1, ahead);
        }
    }
    Used = static_cast<size_t>(out - Utf8.data());
}

void TUtf8Subject::AppendContinuation()
{
    Continued = Used;
    if (TextLength == 0)
        return;
    // The start of the character that holds the last position, the first half
    // of a pair included.
    const size_t last = Start(TextLength);
    std::copy(Utf8.begin() + static_cast<std::ptrdiff_t>(last),
              Utf8.begin() + static_cast<std::ptrdiff_t>(Used),
              Utf8.begin() + static_cast<std::ptrdiff_t>(Used));
    Continued = 2 * Used - last;
}

size_t TUtf8Subject::OffsetOf(int p) const
{
    const size_t at = Start(p);
    // The second half of a pair shares its offset with the first.
    if (!Ascii && p > First && p <= TextLength && Start(p - 1) == at)
        return Start(p + 1);
    return at;
}

int TUtf8Subject::PositionOf(size_t offset) const
{
    if (Ascii)
        return static_cast<int>(offset) + First;
    int low = First;
    int high = TextLength + 1;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (Start(mid) < offset)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}
