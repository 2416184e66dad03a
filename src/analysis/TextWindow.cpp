#include "TextWindow.h"

#include "Cp1252.h"
#include "ProgressIndicator.h"

#include <QSysInfo>

#include <algorithm>
#include <utility>

TTextWindow::TTextWindow()
    : Buffer(Context + Size + 2, 0)
    , Bytes(Size)
{}

void TTextWindow::Open(const QString& fileName)
{
    File.emplace(fileName);
}

void TTextWindow::Open(TCorpusFileReader file)
{
    File.emplace(std::move(file));
}

void TTextWindow::OpenWindow(IProgressIndicator* progress)
{
    FileOffset = -1;
    AtEof = false;
    AtFileStart = true;
    Before = 0;
    Chars()[0] = 0;
    // The other marks are 8-bit text to the analysis, one byte to one
    // character, so that the offsets of hits stay byte offsets.
    Unicode = File->Encoding() == TTextEncoding::Utf16Le;
    File->Seek(Unicode ? 2 : 0);
    FillWindow(1);
    if (progress) {
        progress->SetRange(0, File->Size());
        progress->SetPosition(0);
    }
}

void TTextWindow::ShiftWindow()
{
    static_assert(Context <= Half, "the context comes from the half that moves out");
    char16_t* chars = Chars();
    std::copy(chars + Half + 1 - Context, chars + Size + 1, chars + 1 - Context);
    Before = Context;
    AtFileStart = false;
    FileOffset += Unicode ? 2 * Half : Half;
    FillWindow(Half + 1);
}

void TTextWindow::FillWindow(int from)
{
    const qint64 wanted = Size + 1 - from;
    char16_t* into = Chars() + from;
    if (Unicode) {
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
