// The fuzzers' view of their input: a few leading bytes that choose options,
// then texts. Every read succeeds, past the end too, so that any input is a
// valid case and a mutation of one byte changes one choice.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

class TFuzzInput {
public:
    TFuzzInput(const std::uint8_t* data, std::size_t size)
        : Data(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
    {}

    // The next byte; 0 past the end.
    std::uint8_t Byte() { return Next < Data.size() ? std::uint8_t(Data[Next++]) : 0; }
    bool Flag() { return Byte() & 1; }
    // One of choices, chosen by the next byte.
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& choices)
    {
        return choices[Byte() % N];
    }

    // The bytes from here to the next NUL (or the end), which is skipped.
    QByteArray Field()
    {
        const qsizetype end = Data.indexOf('\0', Next);
        const qsizetype stop = end < 0 ? Data.size() : end;
        const QByteArray field = Data.sliced(Next, stop - Next);
        Next = end < 0 ? stop : stop + 1;
        return field;
    }
    // All bytes from here on.
    QByteArray Rest()
    {
        const QByteArray rest = Data.sliced(Next);
        Next = Data.size();
        return rest;
    }

    // bytes as text: Latin-1, or raw UTF-16LE code units (lone surrogates
    // included, an odd last byte dropped) to reach characters beyond U+00FF.
    static QString Text(const QByteArray& bytes, bool utf16)
    {
        if (!utf16)
            return QString::fromLatin1(bytes);
        QString text;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            text.append(QChar(char16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8)));
        return text;
    }

private:
    QByteArray Data;
    qsizetype Next = 0;
};
