// Files of sentence exceptions: plain text, one entry per line, each line
// (the last one too) ended by CR LF.
#pragma once

#include <QString>
#include <QStringList>

// The entries of the file at path. A byte-order mark selects UTF-8, UTF-16LE
// or UTF-16BE; without one the bytes are Windows-1252. Lines end at CR LF, at a
// lone CR and at a lone LF; a break at the very end makes no empty last entry,
// empty lines before it are entries. Throws TFileError, also for anything but
// a regular file and for a file above 1 MiB.
QStringList ReadExceptionList(const QString& path);

// Writes entries to path in Windows-1252 without a mark when every character
// fits it, otherwise in UTF-8 with its mark. An existing file is replaced only
// once the new one is complete. Throws TFileError.
void WriteExceptionList(const QString& path, const QStringList& entries);
