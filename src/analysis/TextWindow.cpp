#include "TextWindow.h"

#include "Cp1252.h"
#include "ProgressIndicator.h"
#include "SpareVector.h"
#include "Utf8Text.h"

#include <QChar>
#include <QSysInfo>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

struct TWindowBuffer;
struct TByteBuffer;

} // namespace

TTextWindow::TTextWindow()
    : Buffer(TSpareVector<char16_t, TWindowBuffer>::Take())
    , Bytes(TSpareVector<char, TByteBuffer>::Take())
{
    Buffer.assign(Context + Size + 2, 0);
    Bytes.resize(Size);
}

TTextWindow::~TTextWindow()
{
    TSpareVector<char16_t, TWindowBuffer>::Give(std::move(Buffer));
    TSpareVector<char, TByteBuffer>::Give(std::move(Bytes));
}

void TTextWindow::Open(const QString& fileName)
{
    File.emplace(fileName);
}

void TTextWindow::Open(TCorpusFileReader file)
{
    File.emplace(std::move(file));
}

void TTextWindow::OpenWindow(IProgressIndicator* progress, TEncodingChoice choice)
{
    AtEof = false;
    AtFileStart = true;
    Before = 0;
    Chars()[0] = 0;
    // UTF-16BE is read as the 8-bit text it stands for, one byte to one
    // character, so that the offsets of hits stay byte offsets.
    Encoding = File->TextEncoding(choice);
    if (Encoding == TTextEncoding::Utf16Be)
        Encoding = TTextEncoding::Cp1252;
    const qint64 start = Encoding == TTextEncoding::Cp1252 ? 0 : File->TextStart();
    FileOffset = start - 1 - (IsUnicode() ? 2 : 0);
    File->Seek(start);
    if (IsUtf8()) {
        // Three bytes at most to a window index, and a read's worth not yet decoded.
        Raw.resize(3 * std::size_t(Context + Size) + Size + 8);
        RawDecoded = RawEnd = 0;
        RawAtFileEnd = false;
        Map.Clear();
        PendingLow = 0;
        LastInvalid = INT_MIN / 2;
    }
    FillWindow(1);
    if (progress) {
        progress->SetRange(0, File->Size());
        progress->SetPosition(0);
    }
}

void TTextWindow::ShiftWindow()
{
    static_assert(Context <= Half, "the context comes from the half that moves out");
    if (IsUtf8())
        ShiftUtf8();
    char16_t* chars = Chars();
    std::copy(chars + Half + 1 - Context, chars + Size + 1, chars + 1 - Context);
    Before = Context;
    AtFileStart = false;
    if (!IsUtf8())
        FileOffset += IsUnicode() ? 2 * Half : Half;
    FillWindow(Half + 1);
}

// Drops the bytes before the new context and moves the offsets on.
void TTextWindow::ShiftUtf8()
{
    const int first = Half + 1 - Context; // the new context's first index, before the shift
    const auto cut = static_cast<std::size_t>(ByteOffsetOf(first) - ByteOffsetOf(1 - Before));
    std::memmove(Raw.data(), Raw.data() + cut, static_cast<std::size_t>(RawEnd) - cut);
    RawDecoded -= static_cast<int>(cut);
    RawEnd -= static_cast<int>(cut);
    FileOffset += Half + Map.AheadAt(first);
    Map.Shift(Half, 1 - Context);
    LastInvalid -= Half;
}

std::int64_t TTextWindow::ByteOffsetOf(int i) const
{
    if (IsUnicode())
        return FileOffset + 2 * std::int64_t(i) + 1;
    return FileOffset + i + (IsUtf8() ? Map.AheadAt(i) : 0);
}

TWindowText TTextWindow::Text() const
{
    TWindowText text{Chars(), WindowLength, AtFileStart, Before, AtEof};
    // The engine of regular expressions takes the bytes as they are where they
    // are valid UTF-8 and hold whole characters.
    const bool whole =
        PendingLow == 0 && !(Before > 0 && QChar::isLowSurrogate(Chars()[1 - Before]));
    if (IsUtf8() && LastInvalid < 1 - Before && whole) {
        text.Utf8 = reinterpret_cast<const char*>(Raw.data());
        text.Utf8Size = RawDecoded;
        text.Utf8Map = &Map;
    }
    return text;
}

void TTextWindow::FillWindow(int from)
{
    const qint64 wanted = Size + 1 - from;
    char16_t* into = Chars() + from;
    if (IsUtf8()) {
        FillUtf8(from);
    } else if (IsUnicode()) {
        const qint64 got = File->Read(reinterpret_cast<char*>(into), 2 * wanted);
        if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
            for (qint64 i = 0; i < got / 2; ++i)
                into[i] = static_cast<char16_t>((into[i] >> 8) | (into[i] << 8));
        }
        WindowLength = from + static_cast<int>(got / 2) - 1;
        AtEof = got < 2 * wanted;
    } else {
        const qint64 got = File->Read(Bytes.data(), wanted);
        ConvertCp1252(reinterpret_cast<const unsigned char*>(Bytes.data()), into, got);
        WindowLength = from + static_cast<int>(got) - 1;
        AtEof = got < wanted;
    }
    Chars()[WindowLength + 1] = 0;
}

// Decodes from index from on until the window is full or the file ends,
// reading as the decoding needs.
void TTextWindow::FillUtf8(int from)
{
    int k = from;
    if (PendingLow != 0) {
        Chars()[k++] = PendingLow;
        PendingLow = 0;
    }
    for (;;) {
        k = DecodeRaw(k);
        if (k > Size || (RawAtFileEnd && RawDecoded == RawEnd))
            break;
        ReadUtf8(k);
    }
    WindowLength = std::min(k - 1, int(Size));
    AtEof = RawAtFileEnd && RawDecoded == RawEnd && PendingLow == 0;
}

// Reads at least as many bytes as window indexes are left from k, and enough
// to complete a sequence that the last read cut short.
void TTextWindow::ReadUtf8(int k)
{
    const qint64 wanted = std::max(Size + 1 - k, 4);
    const qint64 got = File->Read(reinterpret_cast<char*>(Raw.data() + RawEnd), wanted);
    RawEnd += static_cast<int>(got);
    RawAtFileEnd = got < wanted;
}

// Decodes the bytes read into window indexes from k on and returns the index
// after the last one filled; stops at a sequence that needs bytes not yet read.
int TTextWindow::DecodeRaw(int k)
{
    char16_t* chars = Chars();
    const unsigned char* raw = Raw.data();
    int i = RawDecoded;
    int ahead = Map.LastAhead();
    while (k <= Size && i < RawEnd) {
        const int run = static_cast<int>(
            AsciiLength(raw + i, static_cast<std::size_t>(std::min(RawEnd - i, Size + 1 - k))));
        std::copy(raw + i, raw + i + run, chars + k);
        i += run;
        k += run;
        if (k > Size || i == RawEnd)
            break;
        const int length = Utf8SequenceAt(raw + i, static_cast<std::size_t>(RawEnd - i));
        if (length < 0 && !RawAtFileEnd)
            break;
        if (length <= 0) {
            ConvertCp1252(raw + i, chars + k, 1);
            LastInvalid = k++;
            ++i;
            continue;
        }
        const char32_t c = Utf8CodePoint(raw + i, length);
        i += length;
        if (c < 0x10000) {
            chars[k++] = static_cast<char16_t>(c);
            ahead += length - 1;
            Map.Break(k, ahead);
            continue;
        }
        // The second half shares the offset of the first.
        chars[k] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        const auto low = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        if (k == Size)
            PendingLow = low;
        else
            chars[k + 1] = low;
        Map.Break(k + 1, ahead - 1);
        ahead += 2;
        Map.Break(k + 2, ahead);
        k += 2;
    }
    RawDecoded = i;
    return k;
}
