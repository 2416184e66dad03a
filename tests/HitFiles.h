// Hits in small files written for a test: a file holding the text before a
// hit, the hit and the text after it, and the match that points at the hit.
#pragma once

#include "FileNames.h"
#include "TMatch.h"
#include "TestSupport.h"

// A match of hit in a file at path, which is written holding before, hit and
// after: 8-bit text, or UTF-16LE with its byte-order mark when unicode. The
// file is registered in FileNameCache.
inline TMatch WriteHitFile(TTestFiles& files, const QString& name, const QString& before,
                           const QString& hit, const QString& after, bool unicode = false)
{
    const QString text = before + hit + after;
    const QString path = files.Write(name, unicode ? Utf16Le(text) : text.toLatin1());
    const qint64 unit = unicode ? 2 : 1;
    TMatch match;
    match.isUnicode = unicode;
    match.BeginOffest = (unicode ? 2 : 0) + unit * before.size();
    match.EndOffset = match.BeginOffest + unit * (hit.size() - 1);
    match.FileNameIndex = FileNameCacheIndex(path);
    return match;
}
