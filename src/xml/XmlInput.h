// The characters of a file or a byte array as the reader sees them, decoded
// through a 65536-byte buffer. The first bytes tell the encoding, much as an
// XML processor tells it without a declaration: a byte-order mark of UTF-8,
// UTF-16LE or UTF-16BE, which is dropped; without a mark, UTF-16LE when the
// second byte is 0 (the form the writer produces, which begins with CR LF),
// UTF-16BE when the first byte is 0, and otherwise UTF-8. Bytes that are not
// valid in that encoding read as U+FFFD; an incomplete character at the end of
// the input, such as a last odd byte of UTF-16, is ignored.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

class QIODevice;

class TXmlInput {
public:
    // source names the input in error messages. The device must be open and
    // positioned at its start.
    TXmlInput(QIODevice& device, const QString& source);

    // Throws TFileError when the device cannot be read.
    bool AtEnd() { return Pos == Chars.size() && !Refill(); }
    // REQUIRES: !AtEnd().
    char16_t Peek() const { return Chars.at(Pos).unicode(); }
    char16_t Next() { return Chars.at(Pos++).unicode(); }

private:
    bool Refill();

    QIODevice& Device;
    QString Source;
    QStringDecoder Decoder;
    QByteArray Bytes;
    QString Chars;
    qsizetype Pos = 0;
};
