#include "TextWindow.h"

#include "Cp1252.h"
#include "Error.h"
#include "ProgressIndicator.h"

#include <QSysInfo>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

TTextWindow::TTextWindow()
    : Buffer(Size + 2, 0)
    , Bytes(Size)
{}

void TTextWindow::Open(const QString& fileName)
{
    File.setFileName(fileName);
    if (!File.open(QIODevice::ReadOnly))
        throw TFileError::CannotOpen(fileName, File.errorString());
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
            throw TFileError::CannotRead(File.fileName(), File.errorString());
        if (got == 0)
            break;
        total += got;
    }
    return total;
}
