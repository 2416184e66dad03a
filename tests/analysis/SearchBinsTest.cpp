// The bin sets of a search: the hits that their distributions share, and
// the results of single files merged in corpus order.
#include "Distribution.h"
#include "Error.h"
#include "TAppSettings.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <span>

using namespace Qt::StringLiterals;

namespace {

class SearchBinsTest : public ::testing::Test {
protected:
    SearchBinsTest()
    {
        Settings.SetDefaults();
        Layout = TSearchBins(Settings, {true, true, true, true});
    }

    // A hit on line line, placed in every distribution as the analysis places
    // it (file index 0), at percent.
    static void AddHit(TSearchBins& bins, std::int64_t line, std::int16_t percent = 50)
    {
        const TDistributionBins sets = bins.Bins();
        const size_t hit = sets.Hits->Add({10 * line, 10 * line + 2, line, 0, false, true});
        for (TDistribution distribution : AllDistributions) {
            const bool sentence = distribution == TDistribution::Sentence;
            TPositions positions{.WordsFromBeginning = line, .Percent = percent};
            (sentence ? positions.WordsFromEnd : positions.SentecesFromEnd) = 1;
            positions.SentecesFromBeginning = sentence ? 0 : line;
            sets.Of(distribution)->PlaceHit(sets.Hits, hit, positions, !sentence, true);
        }
    }

    // "line@file" of every match of every bin of distribution, in order.
    static QStringList Matches(const TSearchBins& bins, TDistribution distribution)
    {
        QStringList matches;
        for (const TBin& bin : bins.Of(distribution)->FBins)
            for (const TMatch match : bin.Matches)
                matches.append(QStringLiteral("%1@%2").arg(match.LineNo).arg(match.FileNameIndex));
        return matches;
    }

    // The tables that the matches of all bin sets keep their hits in.
    static std::set<const THitTable*> Tables(const TSearchBins& bins)
    {
        std::set<const THitTable*> tables;
        for (TDistribution distribution : AllDistributions)
            for (const TBin& bin : bins.Of(distribution)->FBins)
                if (!bin.Matches.empty())
                    tables.insert(bin.Matches.Hits().get());
        return tables;
    }

    TAppSettings Settings;
    TSearchBins Layout;
};

} // namespace

// The first file's results are taken over, table and all; those of the next
// are added to the same table, which all four distributions go on sharing.
TEST_F(SearchBinsTest, MergedFilesKeepEachHitOnceForAllDistributions)
{
    TSearchBins search = Layout.Blank();
    TSearchBins first = Layout.Blank();
    AddHit(first, 1, 10);
    AddHit(first, 2, 90);
    const THitTable* firstTable = first.Bins().Hits.get();
    const int firstName = 5;
    search.Append(std::move(first), std::span(&firstName, 1));
    EXPECT_EQ(Tables(search), std::set<const THitTable*>{firstTable});

    TSearchBins empty = Layout.Blank();
    const int unused = 6;
    search.Append(std::move(empty), std::span(&unused, 1));
    TSearchBins second = Layout.Blank();
    AddHit(second, 3, 50);
    AddHit(second, 4, 10);
    const int secondName = 7;
    search.Append(std::move(second), std::span(&secondName, 1));

    EXPECT_EQ(Tables(search), std::set<const THitTable*>{firstTable});
    EXPECT_EQ(search.Bins().Hits->size(), 4u);
    for (TDistribution distribution : AllDistributions)
        EXPECT_EQ(Matches(search, distribution),
                  (QStringList{u"1@5"_s, u"4@7"_s, u"3@7"_s, u"2@5"_s}));

    // A bin set handed over stays whole when the others are gone.
    std::unique_ptr<TBinSet> text = search.Take(TDistribution::Text);
    search = TSearchBins();
    EXPECT_EQ(text->GetBin(2).GetMatch(0).LineNo, 2);
    EXPECT_EQ(text->GetBin(2).GetMatch(0).EndOffset, 22);
    EXPECT_TRUE(text->GetBin(2).GetMatch(0).isUtf8);
}

// A match that names a file the merge does not list is an error; a hit that
// no bin took does not name one.
TEST_F(SearchBinsTest, AMatchOfAnUnlistedFileIsAnError)
{
    for (const bool placed : {false, true}) {
        TSearchBins search = Layout.Blank();
        if (placed)
            AddHit(search, 1);
        TSearchBins file = Layout.Blank();
        AddHit(file, 2);
        file.Bins().Hits->Add({0, 0, 3, 4, false, false});
        const int name = 1;
        EXPECT_NO_THROW(search.Append(std::move(file), std::span(&name, 1))) << placed;

        TSearchBins bad = Layout.Blank();
        bad.Bins().Sent->GetBin(0).AddMatch({.FileNameIndex = 1});
        EXPECT_THROW(search.Append(std::move(bad), std::span(&name, 1)), TError) << placed;
        TSearchBins badHit = Layout.Blank();
        AddHit(badHit, 5);
        EXPECT_THROW(search.Append(std::move(badHit), {}), TError) << placed;
    }
}

TEST_F(SearchBinsTest, ResultsWithOtherBinsAreNotMerged)
{
    TSearchBins search = Layout.Blank();
    TSearchBins fewer(Settings, {true, true, true, false});
    EXPECT_THROW(search.Append(std::move(fewer), {}), TError);
    Settings.TextPercentBins = 4;
    TSearchBins other(Settings, {true, true, true, true});
    EXPECT_THROW(search.Append(std::move(other), {}), TError);
}
