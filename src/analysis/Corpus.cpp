#include "Corpus.h"

#include <QFileInfo>

#include <algorithm>

void TCorpus::AddFile(const QString& path)
{
    Entries.push_back(std::make_unique<TCorpusFile>(TCorpusFile{path}));
}

QStringList TCorpus::AddExistingFiles(const QStringList& paths)
{
    QStringList refused;
    for (const QString& path : paths) {
        if (const QFileInfo file(path); file.isFile())
            AddFile(file.absoluteFilePath());
        else
            refused.append(path);
    }
    return refused;
}

void TCorpus::Remove(const TCorpusFile* file)
{
    std::erase_if(Entries, [file](const auto& entry) { return entry.get() == file; });
}

QStringList TCorpus::FileNames() const
{
    QStringList names;
    names.reserve(Count());
    for (const auto& entry : Entries)
        names.append(entry->FileName);
    return names;
}
