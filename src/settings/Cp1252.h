// The 8-bit text of corpus files, exception lists and exports: Windows-1252, one byte
// to one character, so that byte offsets in a file are character offsets too.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Converts count bytes into count UTF-16 code units.
void ConvertCp1252(const unsigned char* bytes, char16_t* into, qint64 count);

QString Cp1252ToString(const QByteArray& bytes);

// The bytes of text in Windows-1252; nothing when a character of text has no
// byte there. The five bytes the code page leaves undefined come back from the
// characters that Cp1252ToString gives them.
std::optional<QByteArray> StringToCp1252(QStringView text);

// The bytes of a text file the program writes for people and other programs:
// each line followed by CR LF, in Windows-1252 when every character has a byte
// there, and otherwise in UTF-8 behind its byte-order mark, so that no
// character is lost.
QByteArray TextFileBytes(const QStringList& lines);
