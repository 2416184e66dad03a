#include "DistributionText.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TBinSet WithCounts(std::initializer_list<int> counts)
{
    TBinSet set;
    for (int count : counts) {
        TBin& bin = set.FBins.emplace_back();
        for (int i = 0; i < count; ++i)
            bin.AddMatch(TMatch());
    }
    return set;
}

} // namespace

TEST(DistributionText, StatisticsOfTheBinFrequencies)
{
    const struct {
        std::initializer_list<int> Counts;
        QString Line;
    } cases[] = {
        {{7}, u"Mean: 7 Median: 7"_s},        {{1, 2, 3, 4}, u"Mean: 2.5 Median: 2.5"_s},
        {{2, 1}, u"Mean: 1.5 Median: 1.5"_s}, {{1, 1, 2}, u"Mean: 1.33333333333333333 Median: 1"_s},
        {{9, 1, 5}, u"Mean: 5 Median: 5"_s},  {{10, 0, 5}, u"Mean: 5 Median: 5"_s},
        {{0, 0}, u"Mean: 0 Median: 0"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatisticsLine(WithCounts(c.Counts), u'.'), c.Line);
    EXPECT_EQ(StatisticsLine(WithCounts({1, 2}), u','), u"Mean: 1,5 Median: 1,5"_s);
    EXPECT_FALSE(MeanOf(TBinSet()).has_value());
    EXPECT_EQ(CalcMedian(TBinSet()), 0);
}

TEST(DistributionText, GeneralNumberFormat)
{
    const std::pair<long double, QString> cases[] = {
        {0, u"0"_s},
        {123456789, u"123456789"_s},
        {0.25L, u"0.25"_s},
        {0.00001L, u"0.00001"_s},
        {0.000015L, u"0.000015"_s},
        {0.0000015L, u"1.5E-006"_s},
        {1e-7L, u"1E-007"_s},
        {2.0L / 3, u"0.666666666666666667"_s},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatStatistic(value, u'.'), text);
}

TEST(DistributionText, TitlesCaptionsAndTotals)
{
    EXPECT_EQ(DistributionTitle(u"the"_s, TDistribution::Sentence),
              u"\"the\" distribution in sentences"_s);
    EXPECT_EQ(DistributionTitle(u" a\"b"_s, TDistribution::Text),
              u"\" a\"b\" distribution in texts"_s);

    TBinSet set;
    set.TotalMatches = 3;
    set.TotalWords = 40;
    set.TotalSentences = 5;
    set.TotalParagraphs = 2;
    set.TotalSections = 1;
    set.TotalTexts = 1;
    EXPECT_EQ(TotalsLine1(set), u"Total Corpus/Results.: Matches: 3; Words: 40;"_s);
    EXPECT_EQ(TotalsLine2(set), u"Sentences: 5; Paragraphs: 2; Sections: 1; Texts: 1"_s);
}
