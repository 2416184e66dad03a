// A fixture for whole searches of small files written for each case.
#pragma once

#include "../CollectedMessages.h"
#include "../TestSupport.h"
#include "SearchRunner.h"
#include "TAppSettings.h"

#include <QDir>

#include <gtest/gtest.h>

#include <vector>

class AnalysisTest : public ::testing::Test {
protected:
    AnalysisTest() { Settings.SetDefaults(); }

    // Searches files (each its content) for pattern in all four distributions.
    void Analyze(const QString& pattern, const QList<QByteArray>& contents,
                 IProgressIndicator* progress = nullptr, TSearchSyntax syntax = ssWordPhrase)
    {
        QStringList paths;
        for (qsizetype i = 0; i < contents.size(); ++i)
            paths.append(Files.Write(QStringLiteral("file%1.txt").arg(i), contents[i]));
        Search(pattern, paths, progress, syntax);
    }
    void Analyze(const QString& pattern, const QByteArray& content,
                 TSearchSyntax syntax = ssWordPhrase)
    {
        Analyze(pattern, QList<QByteArray>{content}, nullptr, syntax);
    }
    void Search(const QString& pattern, const QStringList& paths,
                IProgressIndicator* progress = nullptr, TSearchSyntax syntax = ssWordPhrase)
    {
        Runner.SetProgress(progress, nullptr);
        TSearchRequest request{pattern, syntax, {true, true, true, true}, paths};
        request.Jobs = Jobs;
        Result = Runner.Run(request);
    }

    const TBinSet& Set(TDistribution distribution) const { return *Result.Bins.Of(distribution); }
    const TBinSet& Sentences() const { return Set(TDistribution::Sentence); }

    // The matches of a distribution, in bin order.
    std::vector<TMatch> Hits(TDistribution distribution = TDistribution::Sentence) const
    {
        std::vector<TMatch> hits;
        for (const TBin& bin : Set(distribution).FBins)
            hits.insert(hits.end(), bin.Matches.begin(), bin.Matches.end());
        return hits;
    }

    // Files searched at once; one searches them in order on the test's thread,
    // so that the progress of a file is seen as the analysis reports it.
    int Jobs = 0;
    TAppSettings Settings;
    TCollectedMessages Messages;
    TSearchRunner Runner{Settings, Messages};
    TSearchResult Result;
    TTestFiles Files;
};

// A text of length characters: spaces, with pieces placed at given 1-based
// positions.
inline QString LongText(int length, const QList<std::pair<int, QString>>& pieces)
{
    QString text(length, u' ');
    for (const auto& [position, piece] : pieces)
        text.replace(position - 1, piece.size(), piece);
    return text;
}

// The 500 texts of the Brown corpus in ../shared, in name order; fewer when
// the shared corpora are absent, and the tests that read them then skip.
inline QStringList BrownCorpusFiles()
{
    const QDir folder(QString::fromUtf8(TAMBORIX_SHARED_DIR "/corpora/brown"));
    QStringList files;
    for (const QString& name :
         folder.entryList({QStringLiteral("c[a-r][0-9][0-9]")}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}
