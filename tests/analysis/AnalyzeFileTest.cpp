// Whole analyses of small files written for each case.
#include "AnalysisFixture.h"
#include "Error.h"
#include "FileNames.h"
#include "ProgressIndicator.h"
#include "TAppSettings.h"
#include "TextWindow.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A progress indicator whose round of events presses Cancel at a given call.
class TCancellingProgress : public IProgressIndicator {
public:
    explicit TCancellingProgress(TSearchRunner& runner)
        : Runner(runner)
    {}
    void SetRange(qint64, qint64) override {}
    void SetPosition(qint64 position) override { Positions.push_back(position); }
    void ProcessEvents() override
    {
        if (++Calls != CancelAt)
            return;
        Runner.Cancel();
        PositionsAtCancel = Positions;
    }
    TSearchRunner& Runner;
    int CancelAt = 0;
    int Calls = 0;
    std::vector<qint64> Positions;
    std::vector<qint64> PositionsAtCancel;
};

// A progress indicator whose first round of events runs an action.
class TActingProgress : public IProgressIndicator {
public:
    explicit TActingProgress(std::function<void()> action)
        : Action(std::move(action))
    {}
    void SetRange(qint64, qint64) override {}
    void SetPosition(qint64) override {}
    void ProcessEvents() override
    {
        if (Action)
            std::exchange(Action, nullptr)();
    }
    std::function<void()> Action;
};

} // namespace

TEST_F(AnalysisTest, EmptyFileCountsOneTextAndOneSection)
{
    Analyze(u"the"_s, QByteArray());
    EXPECT_EQ(Sentences().TotalWords, 0);
    EXPECT_EQ(Sentences().TotalSentences, 0);
    EXPECT_EQ(Sentences().TotalParagraphs, 0);
    EXPECT_EQ(Sentences().TotalSections, 1);
    EXPECT_EQ(Sentences().TotalTexts, 1);
    EXPECT_EQ(Sentences().TotalFiles, 0);

    Settings.tsSectionsType = 0;
    Analyze(u"the"_s, QByteArray("\xFF\xFE", 2));
    EXPECT_EQ(Sentences().TotalSections, 0);
}

TEST_F(AnalysisTest, WordsAreRunsOfNonDelimitersOutsideTags)
{
    const struct {
        QByteArray Content;
        int Words;
    } cases[] = {
        {"end.\r\nNext", 2},
        {"end\r\nNext", 2}, // line breaks and tabs always separate words
        {"end.\r\n  Next", 2},
        {"\tThe\tend", 2},
        {"a<b>c", 1},
        {"one, two;three", 3},
        {"<w AT>The <w NN>jury said", 3}, // markup joins no words
        {"x\x97y", 2}, // the em dash (0x97 in Windows-1252) added to the delimiters
        {"  \r\n ", 0},
    };
    Settings.WrdDelims += u"\u2014"_s;
    for (const auto& c : cases) {
        Analyze(u"zzz"_s, c.Content);
        EXPECT_EQ(Sentences().TotalWords, c.Words) << c.Content.toStdString();
    }
    Settings.soSkipTags = false;
    Analyze(u"zzz"_s, QByteArray("a<b>c"));
    EXPECT_EQ(Sentences().TotalWords, 1);
    Settings.soWords = false; // count characters
    Analyze(u"zzz"_s, QByteArray("ab c"));
    EXPECT_EQ(Sentences().TotalWords, 3);
}

// The matcher finds words where the word count counts them: after a tab, and
// across a line break.
TEST_F(AnalysisTest, LineBreaksAndTabsSeparateWordsForTheMatcher)
{
    const struct {
        QString Pattern;
        QByteArray Text;
        int Word; // of the hit in its sentence
    } cases[] = {
        {u"the"_s, "\tThe end", 1},
        {u"the end"_s, "to the\r\nend", 2},
        {u"the @ of"_s, "It is the national pastime.\r\n  Of course.", 3},
    };
    for (const auto& c : cases) {
        Analyze(c.Pattern, c.Text);
        ASSERT_EQ(Sentences().TotalMatches, 1) << c.Text.toStdString();
        EXPECT_EQ(Hits(TDistribution::Text).at(0).WordsFromBeginning, c.Word);
    }
}

// With the default settings every hit has a word in every unit, so it falls
// into a percentage bin of every distribution, with line feeds or with
// carriage returns and line feeds, also where markup starts a paragraph.
TEST_F(AnalysisTest, EveryHitInTheSampleCorpusIsPlacedInEveryDistribution)
{
    const QDir samples(QString::fromUtf8(TAMBORIX_SAMPLES_DIR));
    QList<QByteArray> lineFeeds;
    QList<QByteArray> crLf;
    for (const QString& name : samples.entryList({u"*.txt"_s}, QDir::Files)) {
        lineFeeds.append(FileBytes(samples.filePath(name)));
        crLf.append(QByteArray(lineFeeds.last()).replace("\n", "\r\n"));
    }
    ASSERT_FALSE(lineFeeds.isEmpty());
    for (const auto& corpus : {lineFeeds, crLf}) {
        for (const TSearchSyntax syntax : {ssWordPhrase, ssWordTag}) {
            Analyze(u"the"_s, corpus, nullptr, syntax);
            ASSERT_GT(Sentences().TotalMatches, 0);
            for (TDistribution distribution : AllDistributions)
                EXPECT_EQ(int(Hits(distribution).size()), Sentences().TotalMatches)
                    << int(distribution) << " " << syntax;
        }
    }
}

TEST_F(AnalysisTest, HitAtMarkupBelongsToTheWordAfterIt)
{
    Analyze(u"jury"_s, QByteArray("<w AT>The <w NN>jury said."));
    ASSERT_EQ(Hits().size(), 1u);
    EXPECT_EQ(Hits()[0].WordsFromBeginning, 2);
    EXPECT_EQ(Hits()[0].WordsFromEnd, 2);
    EXPECT_EQ(Hits()[0].BeginOffest, 10);

    Analyze(u"the"_s, QByteArray("<w AT>The <w NN>jury said."));
    ASSERT_EQ(Hits().size(), 1u);
    EXPECT_EQ(Hits()[0].WordsFromBeginning, 1);
    EXPECT_EQ(Hits()[0].Percent, 0);

    Analyze(u"&NN"_s, QByteArray("<w AT>The <w NN>jury said."), ssWordTag);
    ASSERT_EQ(Hits().size(), 1u);
    EXPECT_EQ(Hits()[0].WordsFromBeginning, 2);
}

TEST_F(AnalysisTest, HitsRecordByteOffsetsLinesAndFile)
{
    const QString text = u"ab\r\ncd the \n\nx th\u00E9"_s;
    Analyze(u"th%"_s, text.toLatin1());
    const std::vector<TMatch> eight = Hits();
    Analyze(u"th%"_s, Utf16Le(text));
    const std::vector<TMatch> sixteen = Hits();
    ASSERT_EQ(eight.size(), 2u);
    ASSERT_EQ(sixteen.size(), 2u);
    const struct {
        int Begin, End, Line;
    } expected[] = {{7, 9, 2}, {15, 17, 4}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(eight[i].BeginOffest, expected[i].Begin);
        EXPECT_EQ(eight[i].EndOffset, expected[i].End);
        EXPECT_FALSE(eight[i].isUnicode);
        EXPECT_EQ(sixteen[i].BeginOffest, 2 + 2 * expected[i].Begin);
        EXPECT_EQ(sixteen[i].EndOffset, 2 + 2 * expected[i].End);
        EXPECT_TRUE(sixteen[i].isUnicode);
        EXPECT_EQ(eight[i].LineNo, expected[i].Line);
        EXPECT_EQ(sixteen[i].LineNo, expected[i].Line);
    }
    EXPECT_EQ(FileNameCache().Names().at(eight[0].FileNameIndex),
              LowerAsciiLetters(Files.Path(u"file0.txt"_s)));
}

TEST_F(AnalysisTest, LineBreaksAreCountedOnce)
{
    const std::pair<QByteArray, int> cases[] = {
        {"a.\r\nthe", 2}, {"a.\n\nthe", 3}, {"a.\r\rthe", 3}, {"a.\n\r\nthe", 3}, {"the", 1},
    };
    for (const auto& [content, line] : cases) {
        Analyze(u"the"_s, content);
        ASSERT_EQ(Hits().size(), 1u);
        EXPECT_EQ(Hits()[0].LineNo, line) << content.toStdString();
    }
}

// Nothing about a word or a line may depend on where the window was cut.
TEST_F(AnalysisTest, TheWindowShiftIsInvisible)
{
    const int half = TTextWindow::Half;
    const QString text = LongText(120000, {
                                              {half - 2, u"spa"_s}, // a word over the cut
                                              {half + 1, u"n"_s},
                                              {half + 100, u"x"_s}, // ends at the cut...
                                              {half * 2, u"a"_s},   // ...of the second shift
                                              {half * 2 + 1, u"the"_s},
                                              {half * 2 + 10, u"\r"_s},
                                              {half * 2 + 11, u"\n the"_s},
                                          });
    for (const bool unicode : {false, true}) {
        Analyze(u"the"_s, unicode ? Utf16Le(text) : text.toLatin1());
        EXPECT_EQ(Sentences().TotalWords, 4); // "span", "x", "athe", "the"
        ASSERT_EQ(Hits().size(), 1u);         // not the "the" of "athe"
        const int index = half * 2 + 13;
        EXPECT_EQ(Hits()[0].BeginOffest, unicode ? 2 * index : index - 1);
        EXPECT_EQ(Hits()[0].LineNo, 2);
        EXPECT_EQ(Hits()[0].WordsFromBeginning, 4);
    }
}

// The words the gap search walked in one window are no guide to the next:
// here the walk from the last start before the shift passed the very
// position where the first start after it lies.
TEST_F(AnalysisTest, GapSearchesForgetTheWindowWhenItMoves)
{
    const int half = TTextWindow::Half;
    QString text = u"q "_s.repeated(half + half / 2);
    text.replace(half - 100, 1, u"a"_s);
    const QString after = u"a "_s + u"bbb "_s.repeated(100) + u"b"_s;
    text.replace(2 * half - 50, after.size(), after);
    Settings.sdAtMinWords = 100;
    Settings.sdAtMaxWords = 100;
    Analyze(u"a @ b"_s, text.toLatin1());
    ASSERT_EQ(Hits().size(), 1u);
    EXPECT_EQ(Hits()[0].BeginOffest, 2 * half - 50);
}

// One message for the whole search, before any file is read: a pattern
// without words stops it.
TEST_F(AnalysisTest, PatternWithoutWordsIsReportedOnceAndRefusesTheSearch)
{
    Analyze(u" ,, "_s, QList<QByteArray>{"a b", "c", "d"});
    EXPECT_EQ(Messages.Errors, QStringList{u"Error in search pattern."_s});
    EXPECT_EQ(Result.Outcome, TSearchResult::TOutcome::Refused);
    EXPECT_EQ(Sentences().TotalTexts, 0);

    Settings.soWords = false; // the character form has no such error
    Analyze(u""_s, QByteArray("a b"));
    EXPECT_EQ(Messages.Errors.size(), 1);
    EXPECT_EQ(Result.Outcome, TSearchResult::TOutcome::Completed);
    EXPECT_EQ(Sentences().TotalWords, 2);
}

// Each zero-or-more wildcard takes the character-form matcher one call
// deeper, and wildcards in a row cost it their square at every position:
// patterns beyond the limits are refused before the search, and patterns at
// the limits still run.
TEST_F(AnalysisTest, CharacterPatternsTheMatcherCannotTakeAreRefused)
{
    Settings.soWords = false;
    const QByteArray text(20000, 'a');
    Analyze(u"*a"_s.repeated(50000), text);
    EXPECT_EQ(Messages.Errors,
              QStringList{u"Error in search pattern: more than 1000 zero-or-more wildcards."_s});
    EXPECT_EQ(Result.Outcome, TSearchResult::TOutcome::Refused);

    Messages.Errors.clear();
    Analyze(u"*a"_s.repeated(1000), text);
    EXPECT_TRUE(Messages.Errors.isEmpty());
    EXPECT_EQ(Hits().size(), 20u); // a thousand characters each

    Messages.Errors.clear();
    Analyze(u"%"_s.repeated(33) + u"a"_s, text);
    EXPECT_EQ(Messages.Errors,
              QStringList{u"Error in search pattern: more than 32 wildcards in a row."_s});
    Messages.Errors.clear();
    Analyze(u"a"_s + u"%"_s.repeated(32) + u"a"_s, text);
    EXPECT_TRUE(Messages.Errors.isEmpty());
    EXPECT_EQ(Hits().size(), 10000u); // "aa" each: the wildcards take nothing first

    Messages.Errors.clear();
    Settings.soWords = true;
    Settings.tsSectionsType = 1;
    Settings.tsSectionsStart = u"*"_s.repeated(1001);
    Analyze(u"a"_s, text);
    EXPECT_EQ(Messages.Errors,
              QStringList{u"Error in section pattern: more than 1000 zero-or-more wildcards."_s});
}

TEST_F(AnalysisTest, CancelStopsTheFileAndPlacesWhatWasFound)
{
    Jobs = 1;
    const QString text = LongText(5000, {{10, u"the"_s}, {4000, u"the"_s}});
    TCancellingProgress progress(Runner);
    progress.CancelAt = 2; // at the second thousand characters
    Analyze(u"the"_s, {text.toLatin1(), text.toLatin1()}, &progress);
    EXPECT_EQ(Result.Outcome, TSearchResult::TOutcome::Cancelled);
    EXPECT_EQ(Hits().size(), 1u);
    EXPECT_EQ(Sentences().TotalMatches, 1);
    EXPECT_EQ(Sentences().TotalWords, 1);
    EXPECT_EQ(Sentences().TotalTexts, 1); // the second file is not read
    EXPECT_EQ(progress.Positions, (std::vector<qint64>{0, 1000, 2000}));

    Analyze(u"the"_s, {text.toLatin1()}, nullptr);
    EXPECT_EQ(Result.Outcome, TSearchResult::TOutcome::Completed); // a new search starts afresh
    EXPECT_EQ(Hits().size(), 2u);
}

// One attempt at the first word would take seconds: a long word against a
// pattern word with thousands of wildcards. Cancel reaches it all the same.
TEST_F(AnalysisTest, CancelStopsALongMatchAttempt)
{
    Jobs = 1;
    TCancellingProgress progress(Runner);
    progress.CancelAt = 1;
    Analyze(u"*a"_s.repeated(20000) + u"b"_s, {QByteArray(100000, 'a')}, &progress);
    EXPECT_EQ(Result.Outcome, TSearchResult::TOutcome::Cancelled);
    EXPECT_EQ(progress.PositionsAtCancel, std::vector<qint64>{0}); // in the first attempt
    EXPECT_TRUE(Hits().empty());
}

// The flag is the search's, not the file's: a Cancel that arrives between two
// files is not lost when the next file starts.
TEST_F(AnalysisTest, CancelBetweenFilesStopsTheSearch)
{
    TCancellingProgress files(Runner);
    files.CancelAt = 1; // in the round of events after the first file
    Runner.SetProgress(nullptr, &files);
    Result = Runner.Run({u"cat"_s,
                         ssWordPhrase,
                         {true, true, true, true},
                         {Files.Write(u"a.txt"_s, "a cat"), Files.Write(u"b.txt"_s, "b cat")}});
    EXPECT_EQ(Result.Outcome, TSearchResult::TOutcome::Cancelled);
    EXPECT_EQ(Sentences().TotalTexts, 1);
    EXPECT_EQ(files.Positions, (std::vector<qint64>{0, 1}));
}

// Hits move the position on by more than one character, so the count of
// characters read jumps over multiples of 1000; the bar and the round of
// events must come all the same.
TEST_F(AnalysisTest, ProgressGoesOnWhileHitsAreTaken)
{
    Jobs = 1;
    const QByteArray text = QByteArray("words ").repeated(834); // 5004 characters
    for (const TSearchSyntax syntax : {ssRegularExpression, ssWordPhrase}) {
        TCancellingProgress progress(Runner);
        Analyze(syntax == ssRegularExpression ? u"\\w+"_s : u"words"_s, {text}, &progress, syntax);
        EXPECT_EQ(Sentences().TotalMatches, 834);
        EXPECT_EQ(progress.Calls, 5) << syntax; // past 1000, 2000, 3000, 4000 and 5000
    }
}

TEST_F(AnalysisTest, UnreadableFileRaisesAFileError)
{
    EXPECT_THROW(Search(u"the"_s, {Files.Path(u"missing.txt"_s)}), TFileError);
}

// Nothing is read when one file of the corpus is not a regular file: a pipe
// would give a wrong text or make the search wait for ever (this one is held
// open for writing, so that letting it through fails the test, not hangs it).
TEST_F(AnalysisTest, AFileThatIsNoRegularFileRefusesTheSearchBeforeAnyIsRead)
{
    const QString fifo = Files.Fifo(u"fifo"_s);
    ASSERT_FALSE(fifo.isEmpty());
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_TRUE(QDir().mkpath(Files.Path(u"folder"_s)));
    const std::pair<QString, QString> cases[] = {
        {fifo, u"It is not a regular file"_s},
        {u"/dev/zero"_s, u"It is not a regular file"_s},
        {Files.Path(u"folder"_s), u"It is a folder, not a file"_s},
    };
    const QString text = Files.Write(u"a.txt"_s, "a cat");
    for (const auto& [path, reason] : cases) {
        TCancellingProgress progress(Runner);
        try {
            Search(u"cat"_s, {text, path}, &progress);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const TFileError& error) {
            EXPECT_EQ(error.Message(), u"Cannot open file \"%1\". %2"_s.arg(path, reason));
        }
        EXPECT_TRUE(progress.Positions.empty()) << "a file was read before " << path.toStdString();
    }
    ::close(writer);
}

// The change comes while the first window is scanned. A file cut short
// counts what the windows took before the cut; a file that grows counts what
// it held when the search opened it.
TEST_F(AnalysisTest, AFileThatChangesWhileReadIsReportedOnceAndCountedAsRead)
{
    const QByteArray text =
        LongText(250000, {{10, u"the"_s}, {110000, u"the"_s}, {150000, u"the"_s}}).toLatin1();
    const struct {
        const char* Change;
        std::function<void(const QString&)> Make;
        size_t Hits;
        bool Reported;
    } cases[] = {
        {"none", [](const QString&) {}, 3, false},
        {"shrinks", [](const QString& path) { QFile::resize(path, 120000); }, 2, true},
        {"grows",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::Append));
             file.write(" the the");
         },
         3, true},
    };
    for (const auto& c : cases) {
        const QString path = Files.Write(u"changing.txt"_s, text);
        TActingProgress progress([&] { c.Make(path); });
        Messages.Warnings.clear();
        Search(u"the"_s, {path}, &progress);
        EXPECT_EQ(Hits().size(), c.Hits) << c.Change;
        EXPECT_EQ(Messages.Warnings,
                  c.Reported ? QStringList{TFileError::ChangedWhileRead(path)} : QStringList())
            << c.Change;
    }
}

TEST_F(AnalysisTest, CharacterFormHitsInsideWords)
{
    Settings.soWords = false;
    Analyze(u"table"_s, QByteArray("vegetables table"));
    EXPECT_EQ(Hits().size(), 2u);
    Analyze(u"*"_s, QByteArray("no hit covers nothing"));
    EXPECT_TRUE(Hits().empty());
}

// What the character-form matchers learned about one window is not taken for
// the next: after the shift the second "q" has no "z" after it, but the first
// one's "z" stands where the second one's would.
TEST_F(AnalysisTest, CharacterFormForgetsTheWindowAtAShift)
{
    const int half = TTextWindow::Half;
    const QByteArray text = LongText(3 * half + 6000, {{10, u"one"_s},
                                                       {half - 200, u"q"_s},
                                                       {half + 8000, u"z two"_s},
                                                       {2 * half - 100, u"q three"_s}})
                                .toLatin1();
    Settings.soWords = false;
    Analyze(u"q*z"_s, text);
    EXPECT_EQ(Hits().size(), 1u);
    Settings.tsSectionsType = 1;
    Settings.tsSectionsStart = u"q*z"_s;
    Analyze(u"one"_s, text);
    EXPECT_EQ(Sentences().TotalSections, 2);
}
