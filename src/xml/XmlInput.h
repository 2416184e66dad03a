// The characters of a file or a byte array as the reader sees them: UTF-16LE
// code units read through a 65536-byte buffer, a last odd byte ignored, and no
// byte-order mark recognised (U+FEFF is an ordinary character).
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <vector>

class QIODevice;

class TXmlInput {
public:
    // source names the input in error messages. The device must be open.
    TXmlInput(QIODevice& device, const QString& source);

    // Throws TFileError when the device cannot be read.
    bool AtEnd() { return Pos == Chars.size() && !Refill(); }
    // REQUIRES: !AtEnd().
    char16_t Peek() const { return Chars[Pos]; }
    char16_t Next() { return Chars[Pos++]; }

private:
    bool Refill();

    QIODevice& Device;
    QString Source;
    QByteArray Bytes; // an odd byte left over from the last read, then the next read
    qsizetype Pending = 0;
    std::vector<char16_t> Chars;
    size_t Pos = 0;
};
