// A fixture for whole analyses of small files written for each case.
#pragma once

#include "../TestSupport.h"
#include "../CollectedMessages.h"
#include "AnalyzeFile.h"
#include "Distribution.h"
#include "TAppSettings.h"

#include <gtest/gtest.h>

#include <vector>

class AnalysisTest : public ::testing::Test {
protected:
    AnalysisTest() { Settings.SetDefaults(); }

    // Analyses files (each its content) with pattern into fresh bin sets.
    void Analyze(const QString& pattern, const QList<QByteArray>& contents,
                 IProgressIndicator* progress = nullptr, int syntax = ssWordPhrase)
    {
        Bins = TSearchBins(Settings, {true, true, true, true});
        const TDistributionBins bins = Bins.Bins();
        for (qsizetype i = 0; i < contents.size(); ++i) {
            const QString path = Files.Write(QStringLiteral("file%1.txt").arg(i), contents[i]);
            AnalyzeFile(path, pattern, syntax, bins.Sent, bins.Para, bins.Sect, bins.Text, progress,
                        Settings, Messages);
        }
    }
    void Analyze(const QString& pattern, const QByteArray& content, int syntax = ssWordPhrase)
    {
        Analyze(pattern, QList<QByteArray>{content}, nullptr, syntax);
    }

    const TBinSet& Set(TDistribution distribution) const { return *Bins.Of(distribution); }
    const TBinSet& Sentences() const { return Set(TDistribution::Sentence); }

    // The matches of a distribution, in bin order.
    std::vector<TMatch> Hits(TDistribution distribution = TDistribution::Sentence) const
    {
        std::vector<TMatch> hits;
        for (const TBin& bin : Set(distribution).FBins)
            hits.insert(hits.end(), bin.Matches.begin(), bin.Matches.end());
        return hits;
    }

    TAppSettings Settings;
    TSearchBins Bins;
    TCollectedMessages Messages;
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
