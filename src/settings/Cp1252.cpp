#include "Cp1252.h"

#include <algorithm>
#include <array>

namespace {

// The five bytes that the code page leaves undefined keep their own value, as
// the system's conversion does.
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

} // namespace

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

QString Cp1252ToString(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    ConvertCp1252(reinterpret_cast<const unsigned char*>(bytes.constData()),
                  reinterpret_cast<char16_t*>(text.data()), bytes.size());
    return text;
}

std::optional<QByteArray> StringToCp1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            bytes[i] = static_cast<char>(c);
            continue;
        }
        const auto* high = std::find(Cp1252High.begin(), Cp1252High.end(), c);
        if (high == Cp1252High.end())
            return std::nullopt;
        bytes[i] = static_cast<char>(0x80 + (high - Cp1252High.begin()));
    }
    return bytes;
}

QByteArray TextFileBytes(const QStringList& lines)
{
    qsizetype length = 0;
    for (const QString& line : lines)
        length += line.size() + 2;
    QString text;
    text.reserve(length);
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    if (std::optional<QByteArray> bytes = StringToCp1252(text))
        return *std::move(bytes);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
