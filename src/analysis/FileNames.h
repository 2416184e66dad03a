// The process-wide lists of file names that matches refer to, and the flag by
// which the user cancels a search.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>

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

// Set by the Cancel button of a search; cleared when the analysis of a file starts.
extern std::atomic<bool> SearchCancelled;
