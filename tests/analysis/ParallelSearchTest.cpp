// Files analysed side by side on worker threads must give what one file after
// the other gives: the same bins, matches, totals and baseline, the same
// messages at the same point of the search, and FileNameCache in corpus order.
#include "AnalysisFixture.h"
#include "FileNames.h"
#include "ProgressIndicator.h"

#include <random>

using namespace Qt::StringLiterals;

namespace {

// Messages, each with the number of files the search had finished when it
// came: a file's messages must come after those of the files before it.
class TOrderedMessages : public IMessageSink, public IProgressIndicator {
public:
    void ShowWarning(const QString& text) override
    {
        Seen.append(u"%1 W %2"_s.arg(Done).arg(text));
    }
    void ShowError(const QString& text) override { Seen.append(u"%1 E %2"_s.arg(Done).arg(text)); }
    void SetRange(qint64, qint64) override {}
    void SetPosition(qint64 position) override { Done = position; }
    void ProcessEvents() override {}

    QStringList Seen;
    qint64 Done = 0;
};

// A text of sentences, paragraphs, tags and runs that make a regular
// expression backtrack without end, drawn from a seeded generator.
QByteArray RandomText(std::mt19937& random)
{
    static const char* const pieces[] = {"the ",
                                         "The ",
                                         "cat ",
                                         "sat/vbd ",
                                         "the/at ",
                                         "dog ",
                                         "a ",
                                         "thee ",
                                         ". ",
                                         "? ",
                                         "\n",
                                         "\n\n",
                                         "\t",
                                         "<p> ",
                                         "Mr. ",
                                         "x",
                                         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab"};
    std::uniform_int_distribution<int> length(0, 400);
    std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1);
    QByteArray text;
    for (int n = length(random); n > 0; --n)
        text += pieces[piece(random)];
    return text;
}

struct TRun {
    TSearchResult Result;
    QStringList Messages;
};

class ParallelSearchTest : public AnalysisTest {
protected:
    TRun Run(const QString& pattern, TSearchSyntax syntax, const QStringList& paths, int jobs)
    {
        TOrderedMessages messages;
        TSearchRunner runner(Settings, messages);
        runner.SetProgress(nullptr, &messages);
        TSearchRequest request{pattern, syntax, {true, true, true, true}, paths};
        request.Baseline = true;
        request.Jobs = jobs;
        return {runner.Run(request), messages.Seen};
    }

    void ExpectSameRuns(const QString& pattern, TSearchSyntax syntax, const QStringList& paths)
    {
        const TRun parallel = Run(pattern, syntax, paths, 3);
        const TRun sequential = Run(pattern, syntax, paths, 1);
        ASSERT_EQ(parallel.Result.Outcome, TSearchResult::TOutcome::Completed);
        ASSERT_EQ(sequential.Result.Outcome, TSearchResult::TOutcome::Completed);
        EXPECT_EQ(parallel.Messages, sequential.Messages) << pattern.toStdString();
        for (TDistribution distribution : AllDistributions)
            EXPECT_TRUE(*parallel.Result.Bins.Of(distribution) ==
                        *sequential.Result.Bins.Of(distribution))
                << pattern.toStdString() << " " << int(distribution);
    }
};

struct TSearchCase {
    QString Pattern;
    TSearchSyntax Syntax;
};

} // namespace

TEST_F(ParallelSearchTest, RandomCorporaGiveTheSameResultsAsOneFileAfterTheOther)
{
    const TSearchCase searches[] = {
        {u"the"_s, ssWordPhrase},           {u"th* ? cat"_s, ssWordPhrase},
        {u"(a+)+$"_s, ssRegularExpression}, {u"\\bthe\\b"_s, ssRegularExpression},
        {u"the/at"_s, ssWordTag},
    };
    Settings.ExclSentLessThan = 2;
    Settings.ParaType = 0;
    Settings.ParaPositions = u"1 2 Other 1# #"_s;
    Settings.psEmbeddedInWord = true;
    Settings.psDelimeter = u"/"_s;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        QStringList paths;
        for (int i = 0; i < 9; ++i)
            paths.append(Files.Write(u"s%1-%2.txt"_s.arg(seed).arg(i), RandomText(random)));
        paths.append(paths.front()); // a file named twice is searched twice
        const qsizetype cached = FileNameCache().Names().size();
        for (const TSearchCase& search : searches)
            ExpectSameRuns(search.Pattern, search.Syntax, paths);
        // Files enter the cache as their results are taken, in corpus order.
        const QStringList added = FileNameCache().Names().mid(cached);
        QStringList ordered = added;
        std::sort(ordered.begin(), ordered.end(), [&](const QString& a, const QString& b) {
            return paths.indexOf(a) < paths.indexOf(b);
        });
        EXPECT_EQ(added, ordered) << seed;
    }
}

TEST_F(ParallelSearchTest, TheBrownCorpusGivesTheSameResultsOnEveryCore)
{
    const QStringList brown = BrownCorpusFiles();
    if (brown.size() != 500)
        GTEST_SKIP() << "the Brown corpus is not in ../shared/corpora/brown";
    Settings.psEmbeddedInWord = true;
    Settings.psDelimeter = u"/"_s;
    Settings.WrdDelims = u" "_s;
    Settings.tsParagraphsType = 2;
    ExpectSameRuns(u"the"_s, ssWordTag, brown);
}

namespace {

// Presses Cancel the first time the search lets events be handled.
class TCancelAtOnce : public IProgressIndicator {
public:
    explicit TCancelAtOnce(TSearchRunner& runner)
        : Runner(runner)
    {}
    void SetRange(qint64, qint64) override {}
    void SetPosition(qint64) override {}
    void ProcessEvents() override { Runner.Cancel(); }

private:
    TSearchRunner& Runner;
};

} // namespace

TEST_F(AnalysisTest, CancelStopsEveryWorker)
{
    const QByteArray text = QByteArray("the cat sat. ").repeated(200000);
    QStringList paths;
    for (int i = 0; i < 6; ++i)
        paths.append(Files.Write(u"big%1.txt"_s.arg(i), text));
    TCancelAtOnce cancel(Runner);
    Runner.SetProgress(nullptr, &cancel);
    TSearchRequest request{u"the"_s, ssWordPhrase, {true, true, true, true}, paths};
    request.Jobs = 3;
    EXPECT_EQ(Runner.Run(request).Outcome, TSearchResult::TOutcome::Cancelled);

    Runner.SetProgress(nullptr, nullptr);
    request.Files = {paths.front()};
    EXPECT_EQ(Runner.Run(request).Outcome, TSearchResult::TOutcome::Completed);
}
