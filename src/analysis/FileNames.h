// The process-wide lists of file names that matches refer to.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// File paths with the letters A to Z lowered, only ever appended to. A match
// names its file by its index here.
class TFileNameCache {
public:
    // The index of name (A to Z lowered), appended when absent.
    int IndexOf(const QString& name);
    const QStringList& Names() const { return List; }

private:
    QStringList List;
    QHash<QString, int> Index;
};

TFileNameCache& FileNameCache();

// FileNameCache().IndexOf(name).
int FileNameCacheIndex(const QString& name);

// name with the letters A to Z (only those) lowered.
QString LowerAsciiLetters(const QString& name);

// The file-name list of the workspace being loaded; its saved indexes stand
// for these entries.
QStringList& LoadedFileNames();
