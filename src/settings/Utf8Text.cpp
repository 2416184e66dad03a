#include "Utf8Text.h"

#include "Cp1252.h"

#include <cstdint>
#include <cstring>

namespace {

bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The sequence length that a lead byte announces and the range its second
// byte must lie in, which rules out overlong forms, surrogates and code points
// beyond U+10FFFF; a length of 0 for a byte that leads nothing.
struct TLead {
    int Length;
    unsigned char SecondLow;
    unsigned char SecondHigh;
};

TLead LeadOf(unsigned char b)
{
    if (b < 0x80)
        return {1, 0, 0};
    if (b < 0xC2)
        return {0, 0, 0};
    if (b < 0xE0)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};
    if (b == 0xED)
        return {3, 0x80, 0x9F};
    if (b < 0xF0)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};
    if (b < 0xF4)
        return {4, 0x80, 0xBF};
    if (b == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

} // namespace

int Utf8SequenceAt(const unsigned char* p, std::size_t available)
{
    const TLead lead = LeadOf(p[0]);
    if (lead.Length <= 1)
        return lead.Length;
    if (available < 2)
        return -1;
    if (p[1] < lead.SecondLow || p[1] > lead.SecondHigh)
        return 0;
    for (int i = 2; i < lead.Length; ++i) {
        if (static_cast<std::size_t>(i) >= available)
            return -1;
        if (!IsContinuation(p[i]))
            return 0;
    }
    return lead.Length;
}

// Eight bytes are looked at in one step.
std::size_t AsciiLength(const unsigned char* bytes, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        if (word & 0x8080808080808080u)
            break;
    }
    while (i < count && bytes[i] < 0x80)
        ++i;
    return i;
}

char32_t Utf8CodePoint(const unsigned char* p, int length)
{
    switch (length) {
    case 1:
        return p[0];
    case 2:
        return (char32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    case 3:
        return (char32_t(p[0] & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    default:
        return (char32_t(p[0] & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) |
               (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
    }
}

bool IsValidUtf8(QByteArrayView bytes, bool cutAllowed)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    for (std::size_t i = 0; i < size;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = Utf8SequenceAt(p + i, size - i);
        if (length < 0)
            return cutAllowed;
        if (length == 0)
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

QString DecodeUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    char16_t* const start = out;
    for (std::size_t i = 0; i < size;) {
        const int length = p[i] < 0x80 ? 1 : Utf8SequenceAt(p + i, size - i);
        if (length <= 0) {
            ConvertCp1252(p + i, out++, 1);
            ++i;
            continue;
        }
        const char32_t c = Utf8CodePoint(p + i, length);
        if (c >= 0x10000) {
            *out++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(c);
        }
        i += static_cast<std::size_t>(length);
    }
    text.truncate(out - start);
    return text;
}
