// Regular-expression searches and sections over whole files.
#include "AnalysisFixture.h"
#include "TextWindow.h"

#include <algorithm>

using namespace Qt::StringLiterals;

TEST_F(AnalysisTest, ExpressionErrorsAreReportedOnceBeforeAnyFile)
{
    Analyze(u"(a"_s, QList<QByteArray>{"a b", "c"}, nullptr, ssRegularExpression);
    const QString error = u"Error in regular expression (pattern). Error: TPerlRegEx.Compile() - "
                          "Error in regex at offset 2: missing closing parenthesis"_s;
    EXPECT_EQ(Messages.Errors, QStringList{error});
    EXPECT_EQ(Result.Outcome, TSearchResult::TOutcome::Refused);
    EXPECT_EQ(Sentences().TotalTexts, 0);

    // An invalid section expression stops the search, after a pattern error too.
    Messages.Errors.clear();
    Settings.tsSectionsType = 2;
    Settings.tsSectionsStart.clear();
    Analyze(u","_s, QList<QByteArray>{"a b"});
    EXPECT_EQ(Messages.Errors,
              (QStringList{u"Error in search pattern."_s,
                           u"Error in regular expression (sections). Error: TPerlRegEx.Compile() "
                           "- Please specify a regular expression in RegEx first"_s}));
    Messages.Errors.clear();
    Analyze(u"a"_s, QByteArray("a b"));
    EXPECT_EQ(Messages.Errors.size(), 1);
    EXPECT_EQ(Sentences().TotalWords, 0);
}

// Matches pending when the window moves are taken at their new positions.
TEST_F(AnalysisTest, ExpressionMatchesAcrossWindowShifts)
{
    const int half = TTextWindow::Half;
    const QList<int> places = {10, half - 1, half + 5, 2 * half - 2, 2 * half + 3, 3 * half - 1};
    QList<std::pair<int, QString>> pieces;
    for (int place : places)
        pieces.append({place, u"x1"_s});
    const QString text = LongText(200000, pieces);
    for (const bool unicode : {false, true}) {
        Analyze(u"x\\d"_s, {unicode ? Utf16Le(text) : text.toLatin1()}, nullptr,
                ssRegularExpression);
        const std::vector<TMatch> hits = Hits(TDistribution::Text);
        ASSERT_EQ(hits.size(), size_t(places.size()));
        for (qsizetype i = 0; i < places.size(); ++i) {
            const qint64 offset = unicode ? 2 * qint64(places[i]) : places[i] - 1;
            EXPECT_EQ(hits[size_t(i)].BeginOffest, offset) << places[i];
            EXPECT_EQ(hits[size_t(i)].EndOffset, offset + (unicode ? 2 : 1)) << places[i];
        }
    }
}

TEST_F(AnalysisTest, BacktrackingExpressionIsReportedOnceAndTheFileGoesOn)
{
    const QByteArray text = QByteArray(60, 'a') + "b and more words.";
    Analyze(u"(a+)+$"_s, {text, text}, nullptr, ssRegularExpression);
    const QString error = u"Error in regular expression (pattern). Error: match limit exceeded"_s;
    EXPECT_EQ(Messages.Errors, (QStringList{error, error}));
    EXPECT_EQ(Sentences().TotalWords, 2 * 4);
    EXPECT_EQ(Sentences().TotalMatches, 0);
}

TEST_F(AnalysisTest, ExpressionHitSpansStructure)
{
    // Structure is looked for only where a pass begins: the sentence end
    // inside the hit is not recognised.
    Analyze(u"cat\\. A"_s, QByteArray("The cat. A dog."), ssRegularExpression);
    EXPECT_EQ(Sentences().TotalSentences, 1);
    ASSERT_EQ(Hits().size(), 1u);
    EXPECT_EQ(Hits()[0].WordsFromBeginning, 2);
    EXPECT_EQ(Hits()[0].WordsFromEnd, 3);
}

// The window moves on twice in 51200 characters: an expression sees the text
// before it and does not take its end for the end of the file. A run that
// reaches a window's end is cut there.
TEST_F(AnalysisTest, ExpressionsSeeTheFileAcrossWindows)
{
    const int length = 300000;
    const QString text = QString(length, u'x') + u'\n';
    const int last = length - 1;
    const int half = TTextWindow::Half;
    const struct {
        QString Expression;
        QList<int> Begins; // of the hits, as 0-based character indexes
    } cases[] = {
        {u"^x"_s, {0}},
        {u"\\Ax"_s, {0}},
        {u"\\bx"_s, {0}},
        {u"(?!\\B)x"_s, {0}},
        {u"(?<!x)x"_s, {0}},
        {u"x$"_s, {last}},
        {u"x\\Z"_s, {last}},
        {u"x\\z"_s, {}},
        {u"x(?!.)"_s, {last}},
        {u"x\\b"_s, {last}},
        {u"x+"_s, {0, 2 * half, 3 * half, 4 * half, 5 * half}},
    };
    for (const bool unicode : {false, true}) {
        const QString path = Files.Write(u"xs.txt"_s, unicode ? Utf16Le(text) : text.toLatin1());
        for (const auto& c : cases) {
            Search(c.Expression, {path}, nullptr, ssRegularExpression);
            QList<qint64> begins;
            for (const TMatch& hit : Hits(TDistribution::Text))
                begins.append(hit.BeginOffest);
            std::sort(begins.begin(), begins.end());
            QList<qint64> expected;
            for (const int index : c.Begins)
                expected.append(unicode ? 2 * qint64(index) + 2 : index);
            EXPECT_EQ(begins, expected) << c.Expression.toStdString() << " unicode " << unicode;
        }
    }
}

// Section expressions are searched the same way: a window's start begins no
// section.
TEST_F(AnalysisTest, SectionExpressionsSeeTheFileAcrossWindows)
{
    Settings.tsSectionsType = 2;
    Settings.tsSectionsStart = u"(?<!x)x|x\\z"_s;
    Analyze(u"y"_s, QByteArray("x\n"));
    const int sections = Sentences().TotalSections;
    Analyze(u"y"_s, QString(300000, u'x').toLatin1() + '\n');
    EXPECT_EQ(Sentences().TotalSections, sections);
}
