// The books of sentences, paragraphs, sections and texts, fed as the word
// scanner and the structure recognisers feed them.
#include "Units.h"

#include "../TestSupport.h"
#include "DistributionText.h"
#include "TAppSettings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class UnitsTest : public ::testing::Test {
protected:
    UnitsTest() { Settings.SetDefaults(); }

    // Words separated by spaces; "[w]" is a hit on the word w. "." ends a
    // sentence, "|" a paragraph, "S" a section, "T" starts a new text. The
    // file ends after the script.
    void Run(const QString& script, int fileTexts = 1)
    {
        Bins = TSearchBins(Settings, {true, true, true, true});
        Bins.CountBaselines(Settings.soForwardBinsPreffered);
        TUnits units(Settings, Bins.Bins());
        units.FileTexts = fileTexts;
        for (const QString& token : script.split(u' ', Qt::SkipEmptyParts)) {
            if (token == u".")
                units.EndSentence();
            else if (token == u"|")
                units.EndParagraph();
            else if (token == u"S")
                units.EndSection();
            else if (token == u"T")
                units.EndText();
            else
                Word(units, token);
        }
        units.FinishCounts();
        units.PlaceRemaining(true);
    }

    // "bin caption: from beginning/from end/percent" of every placed match.
    QStringList Placed(TDistribution distribution) const
    {
        const TBinSet& set = *Bins.Of(distribution);
        const bool sentences = distribution != TDistribution::Sentence;
        QStringList placed;
        for (int b = 0; b < set.Count(); ++b) {
            for (const TMatch& m : set.GetBin(b).Matches)
                placed.append(u"%1:%2/%3/%4"_s.arg(b)
                                  .arg(m.FromBeginning(sentences))
                                  .arg(m.FromEnd(sentences))
                                  .arg(m.Percent));
        }
        return placed;
    }

    const TBinSet& Set(TDistribution distribution) const { return *Bins.Of(distribution); }

    TAppSettings Settings;
    TSearchBins Bins;

private:
    static void Word(TUnits& units, QString word)
    {
        const bool hit = word.startsWith(u'[');
        word.remove(u'[').remove(u']');
        units.FlushWord();
        for (qsizetype i = 0; i < word.size(); ++i) {
            units.AppendToWord(word[i].unicode());
            if (hit && i == 0)
                units.RegisterHit(TMatch(), 1);
            units.CountContent();
        }
    }
};

} // namespace

TEST_F(UnitsTest, TwoSentencesOfOneParagraph)
{
    Run(u"The [cat] sat . A [cat] ran ."_s);
    // Bin 1 of three percentage bins is 34% - 66%.
    EXPECT_EQ(Placed(TDistribution::Sentence), (QStringList{u"1:2/2/50"_s, u"1:2/2/50"_s}));
    EXPECT_EQ(Placed(TDistribution::Paragraph), (QStringList{u"0:1/2/20"_s, u"2:2/1/80"_s}));
    const TBinSet& text = Set(TDistribution::Text);
    EXPECT_EQ(text.TotalWords, 6);
    EXPECT_EQ(text.TotalSentences, 2);
    EXPECT_EQ(text.TotalParagraphs, 1);
    EXPECT_EQ(text.TotalMatches, 2);
}

TEST_F(UnitsTest, AFileWithoutDelimiterIsOneSentence)
{
    Run(u"[cat]"_s);
    EXPECT_EQ(Placed(TDistribution::Sentence), QStringList{u"0:1/1/0"_s});
    EXPECT_EQ(Placed(TDistribution::Paragraph), QStringList{u"0:1/1/0"_s});
    const TBinSet& set = Set(TDistribution::Sentence);
    EXPECT_EQ(set.TotalWords, 1);
    EXPECT_EQ(set.TotalSentences, 1);
    EXPECT_EQ(set.TotalParagraphs, 1);
}

TEST_F(UnitsTest, LastWordOfASentence)
{
    Run(u"a b [cat] ."_s);
    EXPECT_EQ(Placed(TDistribution::Sentence), QStringList{u"2:3/1/100"_s});
}

TEST_F(UnitsTest, ShortSentencesLoseTheirHitsButStillCount)
{
    Settings.ExclSentLessThan = 3;
    Run(u"[Cat] . The [cat] sat ."_s);
    EXPECT_EQ(Placed(TDistribution::Sentence), QStringList{u"1:2/2/50"_s});
    EXPECT_EQ(Placed(TDistribution::Paragraph), QStringList{u"2:2/1/67"_s});
    EXPECT_EQ(Set(TDistribution::Sentence).TotalSentences, 2);
    EXPECT_EQ(Set(TDistribution::Sentence).TotalMatches, 2);
}

// The paragraph places its hits before it closes its open last sentence.
TEST_F(UnitsTest, ShortLastSentenceOfAParagraphKeepsItsParagraphHit)
{
    Settings.ExclSentLessThan = 2;
    Run(u"a b c . [cat] |"_s);
    EXPECT_EQ(Placed(TDistribution::Paragraph), QStringList{u"2:2/1/100"_s});
    EXPECT_TRUE(Placed(TDistribution::Sentence).isEmpty());
    EXPECT_TRUE(Placed(TDistribution::Section).isEmpty());
    EXPECT_TRUE(Placed(TDistribution::Text).isEmpty());
}

TEST_F(UnitsTest, ShortParagraphsLoseTheirHitsExceptThoseAlreadyPlaced)
{
    Settings.ExclParaLessThan = 2;
    Run(u"x [cat] . | y [cat] . z . |"_s);
    EXPECT_EQ(Placed(TDistribution::Sentence).size(), 2);
    EXPECT_EQ(Placed(TDistribution::Paragraph), QStringList{u"1:1/2/50"_s});
    EXPECT_EQ(Placed(TDistribution::Text), QStringList{u"2:2/2/75"_s});
    EXPECT_EQ(Set(TDistribution::Text).TotalParagraphs, 2);
}

// Dropping the paragraph emptied the text's list below the count saved when
// the next sentence began; that sentence, too short, kept its hit.
TEST_F(UnitsTest, ATooShortSentenceAfterADroppedParagraphLosesItsHits)
{
    Settings.ExclSentLessThan = 2;
    Settings.ExclParaLessThan = 2;
    Run(u"[a] [b] . S [cat] ."_s);
    EXPECT_TRUE(Placed(TDistribution::Text).isEmpty());
    EXPECT_EQ(Set(TDistribution::Text).Baseline, (std::vector<std::int64_t>{0, 0, 0}));
}

// Every distribution refers to the one record of a hit. A dropped hit's
// record goes with it, unless a bin already took the hit.
TEST_F(UnitsTest, HitsAreKeptOnceAndDroppedOnesFreed)
{
    Settings.ExclSentLessThan = 3;
    Run(u"[Cat] . The [cat] sat . [a] ."_s);
    const TDistributionBins bins = Bins.Bins();
    EXPECT_EQ(bins.Hits->size(), 1u);
    for (TDistribution distribution : AllDistributions)
        for (const TBin& bin : Set(distribution).FBins)
            EXPECT_TRUE(bin.Matches.empty() || bin.Matches.Hits() == bins.Hits);

    Settings.ExclSentLessThan = 0;
    Settings.ExclParaLessThan = 2;
    // The first paragraph's hit stays in its sentence; the last paragraph's
    // goes before its sentence is placed.
    Run(u"x [cat] . | y [cat] . z . | [a] |"_s);
    EXPECT_EQ(Bins.Bins().Hits->size(), 2u);
    EXPECT_EQ(Placed(TDistribution::Sentence).size(), 2);
    EXPECT_EQ(Placed(TDistribution::Paragraph), QStringList{u"1:1/2/50"_s});
}

TEST_F(UnitsTest, OneSentenceParagraphIsFirstAndLast)
{
    Settings.ParaType = 2;
    for (const bool forward : {true, false}) {
        Settings.ParaPositions = u"1 #"_s;
        Settings.soForwardBinsPreffered = forward;
        Run(u"[cat] sat ."_s);
        EXPECT_EQ(Placed(TDistribution::Paragraph),
                  QStringList{forward ? u"0:1/1/0"_s : u"1:1/1/0"_s});
    }
}

TEST_F(UnitsTest, EachTextIsMeasuredOnItsOwn)
{
    Run(u"T a [cat] . T b c [cat] d ."_s, 0);
    EXPECT_EQ(Placed(TDistribution::Text), (QStringList{u"2:1/1/100"_s, u"2:1/1/67"_s}));
    EXPECT_EQ(Set(TDistribution::Text).TotalTexts, 2);
}

TEST_F(UnitsTest, ASectionBoundaryClosesTheInterruptedSentence)
{
    Run(u"a b . c [cat] S d [cat] ."_s);
    EXPECT_EQ(Placed(TDistribution::Section), (QStringList{u"2:2/1/100"_s, u"2:1/1/100"_s}));
    EXPECT_EQ(Set(TDistribution::Section).TotalSentences, 3);
    EXPECT_EQ(Set(TDistribution::Section).TotalSections, 2);
}

TEST(PercentOf, RoundsExactHalvesToEven)
{
    const struct {
        std::int64_t W, N;
        int Percent;
    } cases[] = {
        {1, 1, 0},
        {5, 1, 0},
        {1, 2, 0},
        {2, 2, 100},
        {2, 9, 12},
        {4, 9, 38},
        {24, 41, 58},
        {3, 5, 50},
        {2, 3, 50},
        {0, 5, -25},
        {0, 7, -17},
        {0, 3, -50},
        {7, 7, 100},
        // Units of more words than 32 bits count.
        {2147483649, 4294967297, 50},
        {4294967297, 4294967297, 100},
        {8589934592, 1LL << 40, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PercentOf(c.W, c.N), c.Percent) << c.W << " of " << c.N;
}

// The counts of files of several gigabytes go beyond 32 bits; they add up
// and show as they are.
TEST_F(UnitsTest, CountsBeyond32BitsAreCarriedAndShown)
{
    Bins = TSearchBins(Settings, {true, false, false, true});
    TUnits units(Settings, Bins.Bins());
    units.FileWords = 3'000'000'000;
    units.FileSentences = 2'500'000'000;
    units.FileParagraphs = 2'200'000'000;
    units.FileSections = 2'147'483'648;
    units.FileTexts = 1;
    units.FileMatches = 4'294'967'296;
    units.PlaceRemaining(true);
    units.AddTotals(*Bins.Of(TDistribution::Text));
    const TBinSet& text = Set(TDistribution::Text);
    EXPECT_EQ(text.TotalWords, 6'000'000'000);
    EXPECT_EQ(TotalsLine1(text),
              u"Total Corpus/Results.: Matches: 8589934592; Words: 6000000000;"_s);
    EXPECT_EQ(TotalsLine2(text),
              u"Sentences: 5000000000; Paragraphs: 4400000000; Sections: 4294967296; Texts: 2"_s);
    EXPECT_EQ(TotalsLine1(Set(TDistribution::Sentence)),
              u"Total Corpus/Results.: Matches: 4294967296; Words: 3000000000;"_s);
}

// Sentences of 1, 2 and 4 words in one paragraph, three percentage bins
// (0-33, 34-66, 67-100). In the sentences the words lie at 0; 0 and 100; 0,
// 33, 67 and 100 percent: 4, 0 and 3 words. In the paragraph's 7 words they
// lie at 0, 17, 33, 50, 67, 83 and 100: 3, 1 and 3. Leaving out sentences
// below 2 words takes the first word from both.
TEST_F(UnitsTest, TheBaselinePlacesEveryWordAsAHitOnItWouldBe)
{
    using TCounts = std::vector<std::int64_t>;
    const QString script = u"a . b c . d e f g ."_s;
    Run(script);
    EXPECT_EQ(Set(TDistribution::Sentence).Baseline, (TCounts{4, 0, 3}));
    for (TDistribution distribution :
         {TDistribution::Paragraph, TDistribution::Section, TDistribution::Text})
        EXPECT_EQ(Set(distribution).Baseline, (TCounts{3, 1, 3}));

    Settings.ExclSentLessThan = 2;
    Run(script);
    EXPECT_EQ(Set(TDistribution::Sentence).Baseline, (TCounts{3, 0, 3}));
    EXPECT_EQ(Set(TDistribution::Paragraph).Baseline, (TCounts{2, 1, 3}));
}

// Words 1 to 4 of "d e f g" lie at 1/4, 2/3, 3/2 and 4/1 from the beginning
// and the end; the third goes to "1#" in either direction, as it fits no
// from-beginning bin. Sentences 1 to 3 of the paragraph: 1, Other (2 is no
// bin), and # (the last).
TEST_F(UnitsTest, TheBaselineFollowsPositionsOtherAndTheForwardPreference)
{
    using TCounts = std::vector<std::int64_t>;
    Settings.SentType = Settings.ParaType = 2;
    Settings.SentPositions = u"1 2 Other 1# #"_s;
    Settings.ParaPositions = u"1 Other #"_s;
    const struct {
        bool Forward;
        TCounts Sentence;
    } cases[] = {
        // a: 1; b c: 1, 2; d e f g: 1, 2, 1#, #.
        {true, {3, 2, 0, 1, 1}},
        // a: #; b c: 1#, #; d e f g: 1, 2, 1#, #.
        {false, {1, 1, 0, 2, 3}},
    };
    for (const auto& c : cases) {
        Settings.soForwardBinsPreffered = c.Forward;
        Run(u"a . b c . d e f g ."_s);
        EXPECT_EQ(Set(TDistribution::Sentence).Baseline, c.Sentence) << c.Forward;
        EXPECT_EQ(Set(TDistribution::Paragraph).Baseline, (TCounts{1, 2, 4})) << c.Forward;
    }
}

// Hits on every word fall exactly as the baseline: nothing to tell apart.
TEST_F(UnitsTest, HitsOnEveryWordMatchTheirExpectedDistribution)
{
    Settings.ExclSentLessThan = 2;
    Run(u"[a] . [b] [c] . [d] [e] [f] [g] . | [h] [i] ."_s);
    for (TDistribution distribution : AllDistributions) {
        const std::optional<TExpectedDistribution> expected =
            ExpectedDistributionOf(Set(distribution));
        ASSERT_TRUE(expected);
        for (const std::optional<double>& residual : expected->Residual)
            EXPECT_NEAR(residual.value_or(0), 0, 1e-12);
        EXPECT_NEAR(expected->Chi2, 0, 1e-12);
        EXPECT_NEAR(expected->G2, 0, 1e-12);
        EXPECT_NEAR(expected->PChi2.value(), 1, 1e-12);
    }
}
