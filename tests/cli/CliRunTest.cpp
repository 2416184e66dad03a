// tamborix-cli run as a user runs it, on the small fixture in tests/data/cli.
#include "../TestSupport.h"
#include "SettingsFile.h"
#include "TAppSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct TCliResult {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

void StartCli(QProcess& process, const QStringList& arguments)
{
    process.setWorkingDirectory(QString::fromUtf8(TAMBORIX_TEST_DATA "/cli"));
    process.start(QString::fromUtf8(TAMBORIX_CLI), arguments);
}

TCliResult Finished(QProcess& process)
{
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TCliResult RunCli(const QStringList& arguments,
                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    StartCli(process, arguments);
    return Finished(process);
}

std::vector<int> Integers(const QJsonArray& array)
{
    std::vector<int> integers;
    for (const QJsonValue& value : array)
        integers.push_back(value.toInt(-1));
    return integers;
}

QByteArray Expected(const QString& name)
{
    return FileBytes(QString::fromUtf8(TAMBORIX_TEST_DATA "/cli/") + name);
}

} // namespace

TEST(CliRun, PlainReportListsEachDistribution)
{
    const TCliResult result =
        RunCli({u"--syntax"_s, u"word"_s, u"--pattern"_s, u"cat"_s, u"Small.txt"_s});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Out, Expected(u"cat.expected.txt"_s));
    EXPECT_TRUE(result.Err.isEmpty());
}

TEST(CliRun, JsonReportHoldsEveryMatch)
{
    const TCliResult result =
        RunCli({u"--syntax"_s, u"word"_s, u"--dist"_s, u"paragraph,sentence"_s, u"--json"_s,
                u"--pattern"_s, u"cat"_s, u"Small.txt"_s});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Out, Expected(u"cat.expected.json"_s));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.Out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(document.object()[u"distributions"_s].toArray().size(), 2);
}

// A file without a byte-order mark is read as --encoding says, or by its
// bytes; a mark outweighs the option. Read as Windows-1252, the UTF-8 "é"
// is "Ã©" and the word is another; a stray byte in a file read as UTF-8 is
// its Windows-1252 character.
TEST(CliRun, EncodingOptionDecidesHowFilesWithoutAMarkAreRead)
{
    TTestFiles files;
    const QByteArray words = "caf\xC3\xA9 na\xC3\xAFve.\n";
    const QString utf8 = files.Write(u"utf8.txt"_s, words);
    const QString marked = files.Write(u"marked.txt"_s, "\xEF\xBB\xBF" + words);
    const QString cp1252 = files.Write(u"cp1252.txt"_s, "caf\xE9 na\xEFve.\n");
    const struct {
        QString File;
        QString Encoding;
        int Hits;
        bool Utf8;
    } cases[] = {
        {utf8, u"auto"_s, 1, true},    {utf8, u"utf8"_s, 1, true},
        {utf8, u"cp1252"_s, 0, false}, {marked, u"cp1252"_s, 1, true},
        {cp1252, u"auto"_s, 1, false}, {cp1252, u"utf8"_s, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((QFileInfo(c.File).fileName() + u' ' + c.Encoding).toStdString());
        const TCliResult result =
            RunCli({u"--syntax"_s, u"word"_s, u"--dist"_s, u"text"_s, u"--json"_s, u"--encoding"_s,
                    c.Encoding, u"--pattern"_s, u"caf\u00E9"_s, c.File});
        EXPECT_EQ(result.ExitCode, 0) << result.Err.toStdString();
        const QJsonObject text =
            QJsonDocument::fromJson(result.Out).object()[u"distributions"_s][0].toObject();
        EXPECT_EQ(text[u"totals"_s][u"TotalWords"_s].toInt(), 2);
        QJsonArray matches;
        for (const QJsonValue& bin : text[u"bins"_s].toArray()) {
            for (const QJsonValue& match : bin[u"matches"_s].toArray())
                matches.append(match);
        }
        ASSERT_EQ(matches.size(), c.Hits);
        if (c.Hits > 0) {
            EXPECT_EQ(matches[0][u"Utf8"_s].toBool(), c.Utf8);
        }
    }
}

// With the default settings (three percentage bins) every word of this
// corpus, placed as a hit of itself, gives the baseline. Sentences of 4, 7
// and 2 words put their words at 0 33 67 100, 0 17 33 50 67 83 100 and 0 100
// percent: 6, 1 and 6 words in the bins. The paragraphs (the indented line
// begins the second) hold 11 and 2 words, at 0 10 ... 100 and 0 100: 5, 3, 5.
// Section and text hold all 13, at 0 8 17 25 33 42 50 58 67 75 83 92 100:
// 5, 3, 5 as well. "cat" is word 2 and word 10 of the text.
TEST(CliRun, BaselineSetsTheHitsAgainstWhereAllWordsFall)
{
    TTestFiles files;
    const QString corpus =
        files.Write(u"tiny.txt"_s, "The cat sat down. A dog ran and the cat hid.\n  Cats nap.\n");
    const QStringList search = {u"--baseline"_s, u"--syntax"_s, u"word"_s,
                                u"--pattern"_s,  u"cat"_s,      corpus};
    const TCliResult json = RunCli(QStringList{u"--json"_s} + search);
    EXPECT_EQ(json.ExitCode, 0) << json.Err.toStdString();
    const QJsonArray distributions =
        QJsonDocument::fromJson(json.Out).object()[u"distributions"_s].toArray();
    ASSERT_EQ(distributions.size(), 4);
    const std::vector<int> counts[] = {{6, 1, 6}, {5, 3, 5}, {5, 3, 5}, {5, 3, 5}};
    for (qsizetype d = 0; d < 4; ++d) {
        const QJsonObject distribution = distributions[d].toObject();
        SCOPED_TRACE(distribution[u"kind"_s].toString().toStdString());
        const QJsonObject baseline = distribution[u"baseline"_s].toObject();
        const std::vector<int>& expectedCounts = counts[static_cast<size_t>(d)];
        ASSERT_EQ(Integers(baseline[u"counts"_s].toArray()), expectedCounts);
        EXPECT_EQ(baseline[u"df"_s].toInt(), 2);
        EXPECT_EQ(baseline[u"low_expected"_s].toInt(), 3);
        const QJsonArray bins = distribution[u"bins"_s].toArray();
        ASSERT_EQ(bins.size(), 3);
        for (qsizetype b = 0; b < 3; ++b) {
            // The two hits spread over the bins as the 13 words are.
            EXPECT_DOUBLE_EQ(bins[b][u"expected"_s].toDouble(),
                             2.0 * expectedCounts[static_cast<size_t>(b)] / 13);
            EXPECT_TRUE(bins[b][u"residual"_s].isDouble());
        }
    }

    const TCliResult plain = RunCli(search);
    EXPECT_EQ(plain.ExitCode, 0);
    // The sentence's middle bin: no hit, 2 * 1/13 = 0.15 expected,
    // -0.15 / sqrt(0.15) = -0.39.
    EXPECT_TRUE(plain.Out.contains("Position\tFrequency\tExpected\tResidual\n"
                                   "0% - 33%\t1\t0.92\t0.08\n"
                                   "34% - 66%\t0\t0.15\t-0.39\n"))
        << plain.Out.toStdString();
}

// A pattern that cannot be used is reported once, whatever the number of
// files, and nothing is searched.
TEST(CliRun, PatternErrorsAreReportedOnceAndEndTheSearch)
{
    const TCliResult json = RunCli({u"--syntax"_s, u"word"_s, u"--json"_s, u"--pattern"_s, u" , "_s,
                                    u"Small.txt"_s, u"Small.txt"_s});
    EXPECT_EQ(json.ExitCode, 1);
    EXPECT_EQ(json.Out, "{\"errors\":[\"Error in search pattern.\"],\"distributions\":[]}\n");

    const TCliResult plain = RunCli(
        {u"--syntax"_s, u"regex"_s, u"--pattern"_s, u"(a"_s, u"Small.txt"_s, u"Small.txt"_s});
    EXPECT_EQ(plain.ExitCode, 1);
    EXPECT_TRUE(plain.Out.isEmpty());
    EXPECT_EQ(plain.Err, "tamborix-cli: Error in regular expression (pattern). Error: "
                         "TPerlRegEx.Compile() - Error in regex at offset 2: missing closing "
                         "parenthesis\n");
}

TEST(CliRun, UnreadableFileAndBadUsageExitWithTwo)
{
    const TCliResult missing = RunCli({u"--pattern"_s, u"the"_s, u"Small.txt"_s, u"none.txt"_s});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_TRUE(missing.Out.isEmpty());
    EXPECT_TRUE(missing.Err.contains("none.txt")) << missing.Err.toStdString();
    EXPECT_EQ(missing.Err.count('\n'), 1);

    const TCliResult usage = RunCli({u"--pattern"_s, u"the"_s});
    EXPECT_EQ(usage.ExitCode, 2);
    EXPECT_TRUE(usage.Err.startsWith("tamborix-cli: no files to search\nusage:"));
}

TEST(CliRun, SettingsFileDecidesWhatTheOptionsLeaveOpen)
{
    TTestFiles files;
    TAppSettings settings;
    settings.SetDefaults();
    settings.swSyntax = ssWordPhrase;
    settings.srPara = settings.srSect = settings.srText = false;
    settings.SentType = 2;
    settings.SentPositions = u"1 2 Other"_s;
    const QString path = files.Path(u"settings.xml"_s);
    SaveSettings(settings, path);

    const TCliResult result =
        RunCli({u"--settings"_s, path, u"--json"_s, u"--pattern"_s, u"cat"_s, u"Small.txt"_s});
    EXPECT_EQ(result.ExitCode, 0) << result.Err.toStdString();
    const QJsonArray distributions =
        QJsonDocument::fromJson(result.Out).object()[u"distributions"_s].toArray();
    ASSERT_EQ(distributions.size(), 1);
    const QJsonArray bins = distributions[0].toObject()[u"bins"_s].toArray();
    ASSERT_EQ(bins.size(), 3);
    EXPECT_EQ(bins[1].toObject()[u"count"_s].toInt(), 2); // "cat" is word 2 of both sentences
}

TEST(CliRun, SavesTheSettingsAsReadAndLeavesTheUsersOwnAlone)
{
    TTestFiles files;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, files.Path(u"home"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, files.Path(u"home/.config"_s));
    const QString saved = files.Path(u"saved.xml"_s);
    const TCliResult result = RunCli({u"--save-settings"_s, saved, u"--syntax"_s, u"regex"_s,
                                      u"--pattern"_s, u"cat"_s, u"Small.txt"_s},
                                     environment);
    EXPECT_EQ(result.ExitCode, 0);
    TAppSettings defaults;
    defaults.SetDefaults();
    const QString expected = files.Path(u"expected.xml"_s);
    SaveSettings(defaults, expected);
    QFile a(saved), b(expected);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll()); // the options changed nothing in them
    EXPECT_FALSE(QFile::exists(files.Path(u"home/.config/Tamborix"_s)));

    const TCliResult missing = RunCli(
        {u"--settings"_s, files.Path(u"none.xml"_s), u"--pattern"_s, u"x"_s, u"Small.txt"_s});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_TRUE(missing.Err.contains("none.xml"));
}

// 0: the search showed no message; 1: it showed one, and the report is still
// written where there is one; 2: the run cannot start or read its files.
TEST(CliRun, ExitStatusTellsWhetherTheSearchShowedAMessage)
{
    TTestFiles files;
    // The expression backtracks without end in this file: the search reports
    // it and goes on.
    const QString backtracking = files.Write(u"aaa.txt"_s, QByteArray(40, 'a') + "b aaa.\n");
    const QStringList failing = {u"--syntax"_s, u"regex"_s, u"--pattern"_s, u"(a+)+$"_s,
                                 backtracking};
    const struct {
        QStringList Arguments;
        int Status;
        bool Report;
    } cases[] = {
        {{u"--syntax"_s, u"word"_s, u"--pattern"_s, u"cat"_s, u"Small.txt"_s}, 0, true},
        {failing, 1, true},
        {QStringList{u"--json"_s} + failing, 1, true},
        {{u"--syntax"_s, u"regex"_s, u"--pattern"_s, u"(a"_s, u"Small.txt"_s}, 1, false},
        {{u"--pattern"_s, u"cat"_s}, 2, false},
        {{u"--pattern"_s, u"cat"_s, u"none.txt"_s}, 2, false},
        {{u"--settings"_s, u"none.xml"_s, u"--pattern"_s, u"cat"_s, u"Small.txt"_s}, 2, false},
    };
    for (const auto& [arguments, status, report] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const TCliResult result = RunCli(arguments);
        EXPECT_EQ(result.ExitCode, status);
        EXPECT_EQ(!result.Out.isEmpty(), report);
    }
}

// A report that cannot be written is a failure, not a success.
TEST(CliRun, ReportThatCannotBeWrittenExitsWithTwo)
{
    for (const QStringList& format : {QStringList(), QStringList{u"--json"_s}}) {
        SCOPED_TRACE(format.join(u' ').toStdString());
        QProcess process;
        process.setStandardOutputFile(u"/dev/full"_s);
        StartCli(process, format + QStringList{u"--pattern"_s, u"cat"_s, u"Small.txt"_s});
        const TCliResult result = Finished(process);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_TRUE(result.Err.startsWith("tamborix-cli: Cannot write the report."))
            << result.Err.toStdString();
    }
}

// Ctrl-C and SIGTERM delivered to the program while it searches: it stops
// at once, writes no report nor shard file and tells the shell which signal
// stopped it.
TEST(CliRun, SignalCancelsTheSearchAtOnce)
{
    TTestFiles files;
    // At each word the expression looks 20 000 characters ahead for a digit
    // that is not there: a search of many seconds.
    const QString corpus =
        files.Write(u"slow.txt"_s, QByteArray("lorem ipsum dolor sit amet. ").repeated(80000));
    const struct {
        int Signal;
        int Status;
    } cases[] = {{SIGINT, 130}, {SIGTERM, 143}};
    for (const auto& [signal, status] : cases) {
        SCOPED_TRACE(signal);
        QProcess process;
        // A test started in the background by a shell inherits SIGINT ignored,
        // and the program leaves an ignored signal ignored.
        process.setChildProcessModifier([] { std::signal(SIGINT, SIG_DFL); });
        const QString shard = files.Path(u"shard.xml"_s);
        StartCli(process, {u"--syntax"_s, u"regex"_s, u"--dist"_s, u"sentence"_s, u"--save-bins"_s,
                           shard, u"--pattern"_s, u"\\w+(?![\\s\\S]{0,20000}\\d)"_s, corpus});
        ASSERT_FALSE(process.waitForFinished(1000)) << "the search ended before the signal";
        QElapsedTimer sinceSignal;
        sinceSignal.start();
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_LT(sinceSignal.elapsed(), 3000);
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), status);
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
        EXPECT_EQ(process.readAllStandardError(), "tamborix-cli: Search cancelled.\n");
        EXPECT_FALSE(QFile::exists(shard));
    }
}

// A number out of range in a settings file is refused before the search
// begins, by the message that names its element.
TEST(CliRun, SettingsFileWithANumberOutOfRangeIsRefused)
{
    TTestFiles files;
    const QString path = files.Write(
        u"settings.xml"_s,
        Utf16Le(u"<Settings><SentPercentBins Value=\"2000000000\"/></Settings>"_s, false));
    const TCliResult result =
        RunCli({u"--settings"_s, path, u"--pattern"_s, u"cat"_s, u"Small.txt"_s});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_TRUE(result.Out.isEmpty());
    EXPECT_TRUE(
        result.Err.contains("The value 2000000000 of SentPercentBins is out of range (0 to 100)."))
        << result.Err.toStdString();
}

// Searched in shards and merged, a corpus reports what one search over all
// the shards' files reports, byte for byte and with the same exit status:
// the message of the file that the expression fails in comes in its shard's
// place, and a file named in two shards keeps the place in the file-name
// table that it took first.
TEST(CliRun, MergedShardsReportAsOneSearchOverTheirFiles)
{
    TTestFiles files;
    const QString one =
        files.Write(u"One.txt"_s, "The cat sat down. A dog ran and the cat hid.\n  Cats nap.\n");
    const QString two = files.Write(u"two.txt"_s, "A cat and a bat. Cats sat.\n");
    const QString failing = files.Write(u"aaa.txt"_s, QByteArray(40, 'a') + "b aaa.\n");
    const QString three = files.Write(u"three.txt"_s, "No hit here.\n");
    const QStringList search = {u"--syntax"_s, u"regex"_s, u"--pattern"_s, u"(a+)+$|c?at"_s};
    const std::vector<QStringList> splits[] = {
        {{one, two}, {failing, two}, {three, one}},
        {{three, failing, one}},
    };
    const QStringList formats[] = {
        {u"--json"_s, u"--baseline"_s}, {u"--baseline"_s}, {u"--json"_s}, {}};
    for (const QStringList& format : formats) {
        for (const std::vector<QStringList>& split : splits) {
            SCOPED_TRACE(
                (format.join(u' ') + u" in "_s + QString::number(split.size())).toStdString());
            QStringList corpus;
            QStringList shards;
            for (const QStringList& shardFiles : split) {
                shards.append(files.Path(u"shard%1.xml"_s.arg(shards.size())));
                RunCli(format + search + QStringList{u"--save-bins"_s, shards.last()} + shardFiles);
                corpus += shardFiles;
            }
            const TCliResult single = RunCli(format + search + corpus);
            const QStringList json = format.filter(u"--json"_s);
            const TCliResult merged = RunCli(QStringList{u"merge"_s} + json + shards);
            EXPECT_EQ(single.ExitCode, 1);
            EXPECT_EQ(merged.ExitCode, single.ExitCode);
            EXPECT_EQ(merged.Out, single.Out);
            EXPECT_EQ(merged.Err, single.Err);
        }
    }
}

// Each shard is merged with one searched for "cat" in a.txt with the
// defaults; the refusal names the shard that does not fit.
TEST(CliRun, MergeRefusesShardsThatDoNotFit)
{
    TTestFiles files;
    const QString corpus = files.Write(u"a.txt"_s, "A cat. A cat and a dog.\n");
    const QStringList search = {u"--syntax"_s, u"word"_s, u"--pattern"_s, u"cat"_s, corpus};
    const auto shard = [&](const QString& name, const QStringList& options) {
        const QString path = files.Path(name);
        RunCli(search + options + QStringList{u"--save-bins"_s, path});
        return path;
    };
    const QString first = shard(u"first.xml"_s, {});
    TAppSettings settings;
    settings.SetDefaults();
    settings.SentPercentBins = 4;
    const QString settingsFile = files.Path(u"settings.xml"_s);
    SaveSettings(settings, settingsFile);
    const struct {
        QString Shard;
        QString Message;
    } cases[] = {
        {shard(u"pattern.xml"_s, {u"--pattern"_s, u"dog"_s}), u"the pattern differs"_s},
        {shard(u"syntax.xml"_s, {u"--syntax"_s, u"regex"_s}), u"the syntax differs"_s},
        {shard(u"dist.xml"_s, {u"--dist"_s, u"text"_s}), u"the distributions differ"_s},
        {shard(u"encoding.xml"_s, {u"--encoding"_s, u"utf8"_s}), u"the encoding differs"_s},
        {shard(u"baseline.xml"_s, {u"--baseline"_s}), u"the baseline was counted"_s},
        {shard(u"settings.xml"_s, {u"--settings"_s, settingsFile}), u"the settings differ"_s},
        {files.Write(u"cut.xml"_s, "<Shard Version=\"1\""), QString()},
        {files.Write(u"other.xml"_s, "<Settings/>"), u"Not a shard file."_s},
        {files.Path(u"none.xml"_s), u"Cannot open file"_s},
    };
    for (const auto& [other, message] : cases) {
        SCOPED_TRACE(other.toStdString());
        const TCliResult result = RunCli({u"merge"_s, u"--json"_s, first, other});
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_TRUE(result.Out.isEmpty());
        EXPECT_EQ(result.Err.count('\n'), 1);
        EXPECT_TRUE(result.Err.contains(other.toUtf8())) << result.Err.toStdString();
        EXPECT_TRUE(result.Err.contains(message.toUtf8())) << result.Err.toStdString();
    }
}

// A search that did not complete leaves no shard file; one that cannot be
// saved is a failure.
TEST(CliRun, SaveBinsKeepsOnlyASearchThatCompleted)
{
    TTestFiles files;
    const QString shard = files.Path(u"shard.xml"_s);
    const TCliResult refused = RunCli({u"--syntax"_s, u"regex"_s, u"--pattern"_s, u"(a"_s,
                                       u"--save-bins"_s, shard, u"Small.txt"_s});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_FALSE(QFile::exists(shard));

    const TCliResult unwritable = RunCli({u"--pattern"_s, u"cat"_s, u"--save-bins"_s,
                                          files.Path(u"none/shard.xml"_s), u"Small.txt"_s});
    EXPECT_EQ(unwritable.ExitCode, 2);
    EXPECT_TRUE(unwritable.Err.contains("none/shard.xml")) << unwritable.Err.toStdString();
}
