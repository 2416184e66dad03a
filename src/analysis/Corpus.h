// The corpus: the ordered list of files that a search runs over. Files come in
// the order of their addition; the same path may occur more than once.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// One file of the corpus, as the file dialog, the command line or a workspace
// gave its path.
struct TCorpusFile {
    QString FileName;
};

class TCorpus {
public:
    using TEntries = std::vector<std::unique_ptr<TCorpusFile>>;

    // Appends path without looking at the file.
    void AddFile(const QString& path);
    // Appends the paths that name existing files (or links to them), in
    // order, made absolute so that they name the same files wherever the
    // program goes on to work; returns the others, which are not added.
    QStringList AddExistingFiles(const QStringList& paths);
    // Removes this entry (not another with the same path).
    void Remove(const TCorpusFile* file);
    void Clear() { Entries.clear(); }

    int Count() const { return static_cast<int>(Entries.size()); }
    bool IsEmpty() const { return Entries.empty(); }
    // The entry at index, counted from 0. Entries keep their addresses while
    // they are in the corpus.
    const TCorpusFile& operator[](int index) const { return *Entries[static_cast<size_t>(index)]; }
    TEntries::const_iterator begin() const { return Entries.begin(); }
    TEntries::const_iterator end() const { return Entries.end(); }

    // The paths in corpus order.
    QStringList FileNames() const;

private:
    TEntries Entries;
};
