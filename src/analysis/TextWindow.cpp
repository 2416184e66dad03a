#include "TextWindow.h"

#include "Error.h"
#include "ProgressIndicator.h"

#include <QSysInfo>

#include <algorithm>
#include <array>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Windows-1252 to UTF-16. The five bytes that the code page leaves undefined
// keep their own value, as the system's conversion does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> MakeCp1252Table()
{
    std::array<char16_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b)
        table[b] = b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : static_cast<char16_t>(b);
    return table;
}

constexpr std::array<char16_t, 256> Cp1252 = MakeCp1252Table();

// Windows-1252 differs from Latin-1 only in the bytes 0x80 to 0x9F: without
// them a plain widening does, which the compiler turns into vector code.
void ConvertCp1252(const unsigned char* __restrict bytes, char16_t* __restrict into, qint64 count)
{
    unsigned char special = 0;
    for (qint64 i = 0; i < count; ++i)
        special |= static_cast<unsigned char>(bytes[i] - 0x80) < 0x20;
    if (special) {
        for (qint64 i = 0; i < count; ++i)
            into[i] = Cp1252[bytes[i]];
    } else {
        for (qint64 i = 0; i < count; ++i)
            into[i] = bytes[i];
    }
}

} // namespace

TTextWindow::TTextWindow()
    : Buffer(Size + 2, 0)
    , Bytes(Size)
{}

void TTextWindow::Open(const QString& fileName)
{
    File.setFileName(fileName);
    if (!File.open(QIODevice::ReadOnly))
        throw TFileError(u"Cannot open file \"%1\". %2"_s.arg(fileName, File.errorString()));
}

void TTextWindow::OpenWindow(IProgressIndicator* progress)
{
    FileOffset = -1;
    AtEof = false;
    AtFileStart = true;
    std::array<char, 2> mark{};
    const qint64 n = ReadFully(mark.data(), 2);
    Unicode = n == 2 && static_cast<unsigned char>(mark[0]) == 0xFF &&
              static_cast<unsigned char>(mark[1]) == 0xFE;
    if (!Unicode)
        File.seek(0);
    FillWindow(1);
    if (progress) {
        progress->SetRange(0, File.size());
        progress->SetPosition(0);
    }
}

void TTextWindow::ShiftWindow()
{
    const char16_t before = Buffer[Half];
    std::copy(Buffer.begin() + Half + 1, Buffer.begin() + Size + 1, Buffer.begin() + 1);
    Buffer[0] = before;
    AtFileStart = false;
    FileOffset += Unicode ? 2 * Half : Half;
    FillWindow(Half + 1);
}

void TTextWindow::FillWindow(int from)
{
    const qint64 wanted = Size + 1 - from;
    char16_t* into = Buffer.data() + from;
    if (Unicode) {
        const qint64 got = ReadFully(reinterpret_cast<char*>(into), 2 * wanted);
        if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
            for (qint64 i = 0; i < got / 2; ++i)
                into[i] = static_cast<char16_t>((into[i] >> 8) | (into[i] << 8));
        }
        WindowLength = from + static_cast<int>(got / 2) - 1;
        AtEof = got < 2 * wanted;
    } else {
        const qint64 got = ReadFully(Bytes.data(), wanted);
        ConvertCp1252(reinterpret_cast<const unsigned char*>(Bytes.data()), into, got);
        WindowLength = from + static_cast<int>(got) - 1;
        AtEof = got < wanted;
    }
    Buffer[static_cast<size_t>(WindowLength) + 1] = 0;
}

// Reads until count bytes came or the file ended; returns the bytes read.
qint64 TTextWindow::ReadFully(char* into, qint64 count)
{
    qint64 total = 0;
    while (total < count) {
        const qint64 got = File.read(into + total, count - total);
        if (got < 0)
            throw TFileError(
                u"Cannot read file \"%1\". %2"_s.arg(File.fileName(), File.errorString()));
        if (got == 0)
            break;
        total += got;
    }
    return total;
}
