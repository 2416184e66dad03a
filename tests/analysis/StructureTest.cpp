// Header and body, sections, paragraphs and sentences as the analysis
// recognises them, seen through the totals and positions of the hits.
#include "AnalysisFixture.h"
#include "TextWindow.h"

using namespace Qt::StringLiterals;

namespace {

struct TCount {
    QByteArray Text;
    int Expected;
};

} // namespace

TEST_F(AnalysisTest, AutomaticSentencesAndTheirVetoes)
{
    const TCount cases[] = {
        {"Dr. Smith came.", 2},
        {"See Fig. 3 now.", 1},
        {" USA. Next one.", 1},    // three characters, one without case
        {"USA. Next one.", 2},     // a full stop at index 4 or less is no abbreviation
        {"See etc. Next one.", 2}, // all lower case
        {"He said \"Stop.\" Then he left.", 1},
        {"What?! Yes... no.", 3}, // a run of delimiters ends one sentence
        {"It costs 5 p. more.", 2},
        {"", 0},
        {"  ", 0},
    };
    for (const TCount& c : cases) {
        Analyze(u"zzz"_s, c.Text);
        EXPECT_EQ(Sentences().TotalSentences, c.Expected) << c.Text.toStdString();
    }

    Settings.tsSentencesIncQuotes = false;
    Analyze(u"zzz"_s, QByteArray("He said \"Stop.\" Then he left."));
    EXPECT_EQ(Sentences().TotalSentences, 2);

    Settings.tsSentencesCapital = true;
    const TCount capital[] = {
        {"It costs 5 p. more.", 1},
        {"It ends. Then more.", 2},
        {"It ends.\nthen more.", 2}, // a line break passes
        {"It ends. 5 more.", 2},
    };
    for (const TCount& c : capital) {
        Analyze(u"zzz"_s, c.Text);
        EXPECT_EQ(Sentences().TotalSentences, c.Expected) << c.Text.toStdString();
    }
}

TEST_F(AnalysisTest, ExceptionsKeepTheirDelimiters)
{
    for (const QString& exception : {u"e.g."_s, u"E.G."_s}) {
        Settings.tsSentencesExceptions = {u"i.e."_s, exception};
        Analyze(u"zzz"_s, QByteArray("Use tools, e.g. hammers."));
        EXPECT_EQ(Sentences().TotalSentences, 1) << exception.toStdString();
    }
    Settings.tsSentencesExceptions.clear();
    Analyze(u"zzz"_s, QByteArray("Use tools, e.g. hammers."));
    EXPECT_GT(Sentences().TotalSentences, 1);
}

TEST_F(AnalysisTest, DelimiterAfterTheWordBelongsToTheNextSentence)
{
    Analyze(u"yes"_s, QByteArray("Really? Yes."));
    EXPECT_EQ(Sentences().TotalSentences, 2);
    ASSERT_EQ(Hits().size(), 1u);
    EXPECT_EQ(Hits()[0].WordsFromBeginning, 2); // "?" is the first word
    EXPECT_EQ(Hits()[0].WordsFromEnd, 1);
}

TEST_F(AnalysisTest, SentenceMarkersEndTheSentenceBeforeThem)
{
    Settings.tsSentencesType = 0;
    Settings.tsSentencesStart = u"<s>"_s;
    Analyze(u"b"_s, QByteArray("x <S>a b <s>c"));
    EXPECT_EQ(Sentences().TotalSentences, 3);
    EXPECT_EQ(Sentences().TotalWords, 4);
    ASSERT_EQ(Hits(TDistribution::Paragraph).size(), 1u);
    EXPECT_EQ(Hits(TDistribution::Paragraph)[0].SentecesFromBeginning, 2);
    Settings.tsSentencesStart.clear();
    Analyze(u"b"_s, QByteArray("x. a b"));
    EXPECT_EQ(Sentences().TotalSentences, 1);
}

TEST_F(AnalysisTest, ParagraphKindsConsumeTheirSeparators)
{
    const struct {
        int Type;
        QByteArray Text;
        int Paragraphs;
        int Line; // of the hit on "the"
    } cases[] = {
        {3, "a\n  the end", 2, 1},   // the consumed line feed is no line
        {3, "a\r\n  the end", 2, 2}, // the carriage return before it is
        {3, "a\n the", 1, 2},        // one space is no indentation
        {2, "a\r\n\r\nthe", 2, 1},   {2, "a\n\nthe", 2, 2},
        {2, "a\r\rthe", 2, 2},       {2, "a\n\nb\r\n\r\n", 2, 0}, // too near the window's end
        {1, "a\n\nthe\n", 2, 3},                                  // the last line feed ends nothing
        {0, "<p>a<P> the", 2, 1},
    };
    for (const auto& c : cases) {
        Settings.tsParagraphsType = c.Type;
        Settings.tsParagraphsStart = u"<p>"_s;
        Analyze(u"the"_s, c.Text);
        EXPECT_EQ(Sentences().TotalParagraphs, c.Paragraphs) << c.Text.toStdString();
        if (c.Line > 0) {
            ASSERT_EQ(Hits().size(), 1u) << c.Text.toStdString();
            EXPECT_EQ(Hits()[0].LineNo, c.Line) << c.Text.toStdString();
        }
    }
}

TEST_F(AnalysisTest, IndentedParagraphStartDoesNotCountAsContent)
{
    // The paragraph break ends at its first character, which is scanned but
    // is no content: a paragraph of one word character has none.
    Analyze(u"zzz"_s, QByteArray("a\n  b"));
    EXPECT_EQ(Sentences().TotalParagraphs, 1);
    EXPECT_EQ(Sentences().TotalWords, 2);
}

TEST_F(AnalysisTest, SectionsByPatternMarkersAndExpression)
{
    // The last character of "<Sec>" is scanned: with a space after it, ">"
    // is a word of the new section.
    Analyze(u"more"_s, QByteArray("<Sec> Intro text. <Sec> More text."));
    EXPECT_EQ(Sentences().TotalSections, 2);
    EXPECT_EQ(Sentences().TotalWords, 6);
    ASSERT_EQ(Hits(TDistribution::Section).size(), 1u);
    EXPECT_EQ(Hits(TDistribution::Section)[0].WordsFromBeginning, 2);

    Settings.tsSectionsType = 0;
    Settings.tsSectionsStart = u"<div>"_s;
    Settings.tsSectionsStop = u"</div>"_s;
    // Counted from 0; the open last section is not closed. The markers' last
    // characters join the words: ">one>", "two", ">three>".
    Analyze(u"zzz"_s, QByteArray("<div>one</div> two <div>three</div>"));
    EXPECT_EQ(Sentences().TotalSections, 1);
    EXPECT_EQ(Sentences().TotalWords, 3);

    Settings.tsSectionsType = 2;
    Settings.tsSectionsStart = u"(?m)^Chapter \\d+"_s;
    Analyze(u"zzz"_s, QByteArray("Chapter 1\nab. Chapter 2 ab.\nChapter 3\nab.\n"));
    EXPECT_EQ(Sentences().TotalSections, 2); // one boundary with content before it
    EXPECT_EQ(Sentences().TotalWords, 7);    // "1", "ab", "Chapter", "2", "ab", "3", "ab"
}

TEST_F(AnalysisTest, SectionPatternThatCoversNothingIsNoBoundary)
{
    Settings.tsSectionsStart = u"*"_s;
    Analyze(u"b"_s, QByteArray("a b c"));
    EXPECT_EQ(Sentences().TotalSections, 1);
    EXPECT_EQ(Hits().size(), 1u);
}

TEST_F(AnalysisTest, HeaderAndBody)
{
    // The last character of a consumed tag is scanned: ">" joins "Some", and
    // after "text." it is a word of its own.
    const struct {
        QByteArray Text;
        int Texts, Sections, Words, Sentences;
    } cases[] = {
        {"<Header>A title.</Header><Body>Some text.</Body>", 1, 1, 3, 1},
        {"<header>A title.</header>Some text. More.", 1, 1, 3, 2},
        {"<Header>A title. Nothing ends it.", 1, 1, 0, 0},
        {"<Body>One text.<Body>Another text.", 2, 2, 4, 2},
    };
    for (const auto& c : cases) {
        Analyze(u"zzz"_s, c.Text);
        EXPECT_EQ(Sentences().TotalTexts, c.Texts) << c.Text.toStdString();
        EXPECT_EQ(Sentences().TotalSections, c.Sections) << c.Text.toStdString();
        EXPECT_EQ(Sentences().TotalWords, c.Words) << c.Text.toStdString();
        EXPECT_EQ(Sentences().TotalSentences, c.Sentences) << c.Text.toStdString();
    }
}

TEST_F(AnalysisTest, BodyStartAfterThePrescanBeginsASecondText)
{
    const QString text = LongText(5000, {{1, u"First text."_s}, {4500, u"<Body>Second."_s}});
    Analyze(u"second"_s, text.toLatin1());
    EXPECT_EQ(Sentences().TotalTexts, 2);
    ASSERT_EQ(Hits(TDistribution::Text).size(), 1u);
    EXPECT_EQ(Hits(TDistribution::Text)[0].WordsFromBeginning, 1);
}
