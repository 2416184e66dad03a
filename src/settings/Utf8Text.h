// UTF-8 corpus text. A byte that begins no valid sequence stands for its
// Windows-1252 character, one character to the byte, so that a file that is
// UTF-8 but for a few stray bytes loses nothing, and every character still
// begins at a byte of its own: the first byte of a character is its offset.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstddef>

// The length of the valid sequence that begins at p, of which available bytes
// are at hand: 1 to 4; 0 when the bytes begin no valid sequence (an overlong
// form, a surrogate, a code point beyond U+10FFFF, a stray continuation byte);
// -1 when they begin one that needs more bytes than are at hand.
// REQUIRES: available > 0.
int Utf8SequenceAt(const unsigned char* p, std::size_t available);

// The number of ASCII bytes at the start of the count bytes at bytes.
std::size_t AsciiLength(const unsigned char* bytes, std::size_t count);

// The code point of the valid sequence of length bytes at p.
char32_t Utf8CodePoint(const unsigned char* p, int length);

// Whether bytes are valid UTF-8; a sequence that their end cuts short counts
// as valid when cutAllowed, as it does for a part of a longer text.
bool IsValidUtf8(QByteArrayView bytes, bool cutAllowed);

// The text of bytes by the rule above; bytes begin at the start of a character,
// and a sequence that their end cuts short is read byte by byte.
QString DecodeUtf8(QByteArrayView bytes);
