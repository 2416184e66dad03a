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
#include <QStringView>

class QIODevice;

class TXmlInput {
public:
    // source names the input in error messages. The device must be open and
    // positioned at its start.
    TXmlInput(QIODevice& device, const QString& source);

    // Throws TFileError when the device cannot be read.
    bool AtEnd() { return Cur == End && !Refill(); }
    // REQUIRES for these: !AtEnd().
    char16_t Peek() const { return *Cur; }
    char16_t Next() { return *Cur++; }
    // The characters decoded but not yet taken, at least one, for the reader to
    // scan a run of them at once.
    QStringView Pending() const { return QStringView(Cur, End); }
    // REQUIRES: count <= Pending().size().
    void Skip(qsizetype count) { Cur += count; }

private:
    bool Refill();

    QIODevice& Device;
    QString Source;
    QStringDecoder Decoder;
    QByteArray Bytes;
    QString Chars; // the decoded characters; its size is only the room for them
    const char16_t* Cur = nullptr;
    const char16_t* End = nullptr;
};
