// The baseline: every word of the text placed as a hit of just that word would
// be. A pattern that matches every word makes exactly such hits, so its bins
// must equal the baseline under any settings; small cases are worked by hand.
#include "AnalysisFixture.h"
#include "BaselineCounter.h"
#include "Units.h"

#include <QRandomGenerator>

#include <numeric>

using namespace Qt::StringLiterals;

TEST(LastWordOfPercent, EndsTheRunOfWordsWithTheSamePercentage)
{
    for (std::int64_t n = 1; n <= 450; ++n) {
        for (std::int64_t w = 1; w <= n; ++w) {
            std::int64_t last = w;
            while (last < n && PercentOf(last + 1, n) == PercentOf(w, n))
                ++last;
            ASSERT_EQ(LastWordOfPercent(w, n), last) << "word " << w << " of " << n;
        }
    }
}

namespace {

std::vector<std::int64_t> Counts(const TBinSet& set)
{
    std::vector<std::int64_t> counts;
    for (const TBin& bin : set.FBins)
        counts.push_back(bin.Count());
    return counts;
}

// Words, sentences, indented paragraphs and sections (after a blank line) of
// random lengths. No markers: a marker counts as a word that no pattern
// matches. An indented paragraph never holds a single word: the scan starts
// such a paragraph at its first letter, so a hit on its only word would leave
// it without content.
QByteArray RandomCorpus(QRandomGenerator& random)
{
    static const char* const words[] = {"cat", "dog", "a", "the", "bird", "Sun"};
    QByteArray text;
    const int units = random.bounded(1, 1500);
    for (int i = 0; i < units; ++i) {
        text += words[random.bounded(6)];
        switch (random.bounded(24)) {
        case 0:
            text += ".\n  the ";
            break;
        case 1:
        case 2:
            text += ".\n\n";
            break;
        case 3:
        case 4:
        case 5:
            text += ". ";
            break;
        case 6:
            text += "\n  a ";
            break;
        default:
            text += ' ';
        }
    }
    return text;
}

struct TBinsCase {
    int Type; // 1 percentage bins, else positions
    int PercentBins;
    const char* Positions;
    bool Forward;
    int ExclSent;
    int ExclPara;
    bool Words;
};

} // namespace

class BaselineTest : public AnalysisTest {
protected:
    void SearchCounting(const QString& pattern, const QList<QByteArray>& contents,
                        TSearchSyntax syntax = ssWordPhrase)
    {
        QStringList paths;
        for (qsizetype i = 0; i < contents.size(); ++i)
            paths.append(Files.Write(u"file%1.txt"_s.arg(i), contents[i]));
        TSearchRequest request{pattern, syntax, {true, true, true, true}, paths};
        request.Baseline = true;
        Result = Runner.Run(request);
    }
    void Use(const TBinsCase& c)
    {
        Settings.tsSectionsType = 2;
        Settings.tsSectionsStart = u"\\n\\n"_s;
        Settings.SentType = Settings.ParaType = Settings.SectType = Settings.TextType = c.Type;
        Settings.SentPercentBins = Settings.ParaPercentBins = Settings.SectPercentBins =
            Settings.TextPercentBins = c.PercentBins;
        Settings.SentPositions = Settings.ParaPositions = Settings.SectPositions =
            Settings.TextPositions = QString::fromLatin1(c.Positions);
        Settings.soForwardBinsPreffered = c.Forward;
        Settings.ExclSentLessThan = c.ExclSent;
        Settings.ExclParaLessThan = c.ExclPara;
        Settings.soWords = c.Words;
    }
};

TEST_F(BaselineTest, APatternOfEveryWordFallsExactlyAsTheBaseline)
{
    const TBinsCase cases[] = {
        {1, 3, "", true, 0, 0, true},
        {1, 7, "", false, 3, 0, true},
        {1, 100, "", true, 2, 2, true},
        {2, 3, "1 2 Other 1# #", true, 0, 0, true},
        {2, 3, "1 2 Other 1# #", false, 3, 2, true},
        {2, 3, "# 1 3#", true, 4, 0, true},
        {2, 3, "2 other", false, 0, 3, true},
        {1, 4, "", true, 0, 0, false},
        {2, 3, "1 2 Other 2# #", true, 0, 0, false},
    };
    QRandomGenerator random(15);
    for (const TBinsCase& c : cases) {
        Use(c);
        for (int round = 0; round < 12; ++round) {
            // Counting characters, each letter is a unit of its own.
            SearchCounting(c.Words ? u"*"_s : u"[a-zA-Z]"_s,
                           {RandomCorpus(random), RandomCorpus(random)},
                           c.Words ? ssWordPhrase : ssRegularExpression);
            for (TDistribution kind : AllDistributions) {
                const TBinSet& set = Set(kind);
                ASSERT_EQ(set.Baseline, Counts(set))
                    << "positions '" << c.Positions << "' bins " << c.PercentBins
                    << " distribution " << int(kind) << " round " << round;
            }
        }
    }
}

// Without exclusions every counted word lands in a bin: in percentage bins,
// which span 0 to 100, and in positions with an Other bin.
TEST_F(BaselineTest, EveryWordOfTheBrownCorpusIsInTheBaseline)
{
    const QStringList files = BrownCorpusFiles();
    if (files.size() != 500)
        GTEST_SKIP() << "the Brown corpus is not in ../shared/corpora/brown";
    for (const int type : {1, 2}) {
        Use({type, 5, "1 2 Other 2# 1# #", true, 0, 0, true});
        TSearchRequest request{u"however"_s, ssWordPhrase, {true, true, true, true}, files};
        request.Baseline = true;
        Result = Runner.Run(request);
        for (TDistribution kind : AllDistributions) {
            const TBinSet& set = Set(kind);
            EXPECT_EQ(std::accumulate(set.Baseline.begin(), set.Baseline.end(), std::int64_t(0)),
                      set.TotalWords)
                << "bins of type " << type << ", distribution " << int(kind);
        }
    }
}
