// The 8-bit text of corpus files: Windows-1252, one byte to one character, so
// that byte offsets in a file are character offsets too.
#pragma once

#include <QString>

// Converts count bytes into count UTF-16 code units.
void ConvertCp1252(const unsigned char* bytes, char16_t* into, qint64 count);

QString Cp1252ToString(const QByteArray& bytes);
