// The reports of hits set against a baseline, on bin sets made by hand: the
// plain table with its tests, the JSON keys with numbers that read back
// exactly, and the reports without a baseline left as they were.
#include "Report.h"

#include "../TestSupport.h"
#include "ExpectedDistribution.h"
#include "JsonNumber.h"
#include "TAppSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// A sentence distribution of percentage bins holding observed hits each,
// with baseline (none when empty).
TSearchBins BinsOf(const std::vector<int>& observed, const std::vector<std::int64_t>& baseline)
{
    TAppSettings settings;
    settings.SetDefaults();
    settings.SentPercentBins = static_cast<int>(observed.size());
    TSearchBins bins(settings, {true, false, false, false});
    TBinSet& set = *bins.Of(TDistribution::Sentence);
    TMatch match;
    match.FileNameIndex = -1;
    for (size_t i = 0; i < observed.size(); ++i) {
        for (int hit = 0; hit < observed[i]; ++hit)
            set.FBins[i].AddMatch(match);
    }
    set.TotalMatches = set.TotalWords = 9;
    set.Baseline = baseline;
    return bins;
}

QByteArray Json(const TSearchResults& results)
{
    char* data = nullptr;
    size_t size = 0;
    std::FILE* file = open_memstream(&data, &size);
    {
        TReportOutput out(file);
        WriteJsonReport(results, out);
        out.Finish();
    }
    const QByteArray bytes(data, static_cast<qsizetype>(size));
    std::fclose(file);
    std::free(data);
    return bytes;
}

const QByteArray PlainHead = "\"x\" distribution in sentences\n";
const QByteArray PlainTotals = "Total Corpus/Results.: Matches: 9; Words: 9;\n"
                               "Sentences: 0; Paragraphs: 0; Sections: 0; Texts: 0\n";

} // namespace

TEST(Report, PlainReportAddsTheTestsAndEachBinsExpectedCount)
{
    const struct {
        std::vector<int> Observed;
        std::vector<std::int64_t> Baseline;
        QByteArray Statistics; // the line of mean and median
        QByteArray Rest;       // from the line of the tests on
    } cases[] = {
        // 10 hits, baseline shares 1/4, 1/2, 1/4: expected 2.5, 5, 2.5.
        // Residuals 3.5/sqrt(2.5) = 2.21, -3/sqrt(5) = -1.34, -0.5/sqrt(2.5) = -0.32.
        // Chi2 = 4.9 + 1.8 + 0.1 = 6.8; G2 = 2 (6 ln 2.4 + 2 ln 0.4 + 2 ln 0.8) = 5.95;
        // df 2, so p = exp(-chi2 / 2): 0.0334 and 0.0511. Two bins expect fewer than 5.
        {{6, 2, 2},
         {10, 20, 10},
         "Mean: 3.33333333333333333 Median: 2\n",
         "\u03c7\u00b2 = 6.80, G\u00b2 = 5.95, df = 2, p = 0.0334 (\u03c7\u00b2), 0.0511 "
         "(G\u00b2)\n"
         "Expected count below 5 in 2 of 3 bins: the tests may be unreliable.\n"
         "Position\tFrequency\tExpected\tResidual\n"
         "0% - 33%\t6\t2.50\t2.21\n"
         "34% - 66%\t2\t5.00\t-1.34\n"
         "67% - 100%\t2\t2.50\t-0.32\n"},
        // A bin without baseline expects nothing and has no residual; one bin
        // left leaves no degrees of freedom.
        {{3, 0},
         {4, 0},
         "Mean: 1.5 Median: 1.5\n",
         "\u03c7\u00b2 = 0.00, G\u00b2 = 0.00, df = 0, p = n/a (\u03c7\u00b2), n/a (G\u00b2)\n"
         "Expected count below 5 in 1 of 1 bins: the tests may be unreliable.\n"
         "Position\tFrequency\tExpected\tResidual\n"
         "0% - 50%\t3\t3.00\t0.00\n"
         "51% - 100%\t0\t0.00\t\n"},
        // No expected count below 5: no warning.
        {{10, 10},
         {1, 1},
         "Mean: 10 Median: 10\n",
         "\u03c7\u00b2 = 0.00, G\u00b2 = 0.00, df = 1, p = 1 (\u03c7\u00b2), 1 (G\u00b2)\n"
         "Position\tFrequency\tExpected\tResidual\n"
         "0% - 50%\t10\t10.00\t0.00\n"
         "51% - 100%\t10\t10.00\t0.00\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Rest.toStdString());
        const TSearchBins bins = BinsOf(c.Observed, c.Baseline);
        EXPECT_EQ(PlainReport({u"x"_s, {}, &bins, true}),
                  PlainHead + c.Statistics + PlainTotals + c.Rest + '\n');
    }
}

// Without the option, or without a baseline that fits the bins, both forms
// are those of a search that never heard of a baseline; with the option the
// JSON form still says that none was counted.
TEST(Report, WithoutTheOptionOrABaselineTheReportsAreAsBefore)
{
    const TSearchBins without = BinsOf({6, 2, 2}, {});
    const TSearchResults before{u"x"_s, {u"warning"_s}, &without, false};
    const QByteArray plain = PlainReport(before);
    const QByteArray json = Json(before);
    ASSERT_TRUE(plain.contains("\nPosition\tFrequency\n0% - 33%\t6\n"));

    const struct {
        std::vector<std::int64_t> Baseline;
        bool Option;
    } cases[] = {{{10, 20, 10}, false}, {{}, true}, {{10, 20}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Baseline.size() * 2 + c.Option);
        const TSearchBins bins = BinsOf({6, 2, 2}, c.Baseline);
        const TSearchResults results{u"x"_s, {u"warning"_s}, &bins, c.Option};
        EXPECT_EQ(PlainReport(results), plain);
        QByteArray expected = json;
        if (c.Option)
            expected.replace("]}]}\n", "],\"baseline\":null}]}\n");
        EXPECT_EQ(Json(results), expected);
    }
}

TEST(Report, JsonReportCarriesTheBaselineAndItsTests)
{
    // As in the plain report: expected 2.5, 5, 2.5; chi2 6.8, G2 5.95, df 2.
    const TSearchBins bins = BinsOf({6, 2, 2}, {10, 20, 10});
    const QByteArray json = Json({u"x"_s, {}, &bins, true});
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.toStdString();
    const QJsonObject distribution = document[u"distributions"_s][0].toObject();
    const QJsonObject baseline = distribution[u"baseline"_s].toObject();
    // Every double reads back as the very double that was computed.
    const TExpectedDistribution expected =
        *ExpectedDistributionOf(*bins.Of(TDistribution::Sentence));
    EXPECT_EQ(baseline[u"counts"_s].toArray(), (QJsonArray{10, 20, 10}));
    EXPECT_EQ(baseline[u"chi2"_s].toDouble(), expected.Chi2);
    EXPECT_NEAR(expected.Chi2, 6.8, 1e-12);
    EXPECT_EQ(baseline[u"g2"_s].toDouble(), expected.G2);
    EXPECT_EQ(baseline[u"df"_s].toInt(), 2);
    EXPECT_EQ(baseline[u"p_chi2"_s].toDouble(), *expected.PChi2);
    EXPECT_EQ(baseline[u"p_g2"_s].toDouble(), *expected.PG2);
    EXPECT_EQ(baseline[u"low_expected"_s].toInt(), 2);
    const QJsonArray binArray = distribution[u"bins"_s].toArray();
    ASSERT_EQ(binArray.size(), 3);
    const double expectedCounts[] = {2.5, 5, 2.5};
    for (qsizetype i = 0; i < 3; ++i) {
        const auto index = static_cast<size_t>(i);
        EXPECT_EQ(binArray[i][u"expected"_s].toDouble(), expectedCounts[index]);
        EXPECT_EQ(binArray[i][u"residual"_s].toDouble(), *expected.Residual[index]);
    }

    // The keys follow those that were there before, in this order; a bin
    // that expects nothing has no residual, and no degrees of freedom no p.
    const TSearchBins empty = BinsOf({3, 0}, {4, 0});
    const QByteArray tail = Json({u"x"_s, {}, &empty, true});
    EXPECT_TRUE(
        tail.endsWith("\"count\":0,\"matches\":[],\"expected\":0,\"residual\":null}],"
                      "\"baseline\":{\"counts\":[4,0],\"chi2\":0,\"g2\":0,\"df\":0,\"p_chi2\":null,"
                      "\"p_g2\":null,\"low_expected\":1}}]}\n"))
        << tail.toStdString();
    EXPECT_TRUE(tail.contains("}],\"expected\":3,\"residual\":0}")) << tail.toStdString();
}

TEST(JsonNumber, ShortestTextThatReadsBackAndNullForWhatJsonCannotHold)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double Value;
        QByteArray Text;
    } cases[] = {
        {0, "0"},
        {2.5, "2.5"},
        {0.1, "0.1"},
        {-1.25, "-1.25"},
        {1.0 / 3, "0.3333333333333333"},
        {6.8, "6.8"},
        {0.1 + 0.2, "0.30000000000000004"},
        {1e21, "1e+21"},
        {1e-300, "1e-300"},
        {DBL_MAX, "1.7976931348623157e+308"},
        {DBL_TRUE_MIN, "5e-324"},
        {-2.2250738585072014e-308, "-2.2250738585072014e-308"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
        {infinity, "null"},
        {-infinity, "null"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        const QByteArray text = JsonNumber(c.Value);
        EXPECT_EQ(text, c.Text);
        const QJsonValue read = QJsonDocument::fromJson('[' + text + ']').array()[0];
        if (std::isfinite(c.Value))
            EXPECT_EQ(read.toDouble(), c.Value);
        else
            EXPECT_TRUE(read.isNull());
    }
}
