// tamborix-cli: one search over files from the command line, run by the same
// search runner as the application's search command, with the results as
// text or JSON.

#include "CancelOnSignal.h"
#include "CliOptions.h"
#include "Error.h"
#include "FileNames.h"
#include "MergeShards.h"
#include "MessageSink.h"
#include "Report.h"
#include "ReportOutput.h"
#include "SearchRunner.h"
#include "SettingsFile.h"
#include "ShardFile.h"
#include "TAppSettings.h"
#include "TerminalProgress.h"
#include "Version.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <memory>
#include <new>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int ExitUsage = 2;

void PrintError(const QString& text)
{
    std::fprintf(stderr, "tamborix-cli: %s\n", text.toLocal8Bit().constData());
}

// A failure with a file, named in front unless the message names it.
void PrintFileError(const QString& file, const QString& message)
{
    PrintError(message.contains(file) ? message : file + u": "_s + message);
}

// Messages of the analysis: printed as they come, and kept for the JSON form
// and the shard file.
class TCliMessages : public IMessageSink {
public:
    explicit TCliMessages(bool print)
        : Print(print)
    {}
    void ShowWarning(const QString& text) override { Show(TShardMessage::TKind::Warning, text); }
    void ShowError(const QString& text) override { Show(TShardMessage::TKind::Error, text); }

    std::vector<TShardMessage> Shown;

private:
    void Show(TShardMessage::TKind kind, const QString& text)
    {
        Shown.push_back({kind, text});
        if (Print)
            PrintError(text);
    }

    bool Print;
};

QStringList TextsOf(const std::vector<TShardMessage>& messages)
{
    QStringList texts;
    for (const TShardMessage& message : messages)
        texts.append(message.Text);
    return texts;
}

// The JSON form always; the plain form only of a search that completed.
// Throws TFileError when a write fails.
void WriteReport(const TSearchResults& report, bool json)
{
    TReportOutput out(stdout);
    if (json)
        WriteJsonReport(report, out);
    else if (report.Bins)
        out += PlainReport(report);
    out.Finish();
}

// The settings of the run: the defaults, then the settings file the options
// name. Returns false after printing why they cannot be had.
bool PrepareSettings(const TCliOptions& options, TAppSettings& settings)
{
    settings.SetDefaults();
    try {
        if (!options.SettingsFile.isEmpty()) {
            if (!QFileInfo::exists(options.SettingsFile))
                throw TFileError(u"no such file"_s);
            LoadSettings(settings, options.SettingsFile);
        }
    } catch (const TError& e) {
        PrintFileError(options.SettingsFile, e.Message());
        return false;
    }
    try {
        if (!options.SaveSettingsFile.isEmpty())
            SaveSettings(settings, options.SaveSettingsFile);
    } catch (const TError& e) {
        PrintFileError(options.SaveSettingsFile, e.Message());
        return false;
    }
    return true;
}

// Runs the search, which a signal may cancel; signal is then set to it.
TSearchResult RunCancellable(TSearchRunner& runner, const TSearchRequest& request, int& signal)
{
    const TCancelOnSignal cancel(runner);
    TSearchResult result = runner.Run(request);
    signal = cancel.Caught();
    return result;
}

// Runs the search, keeps it in the shard file when asked and it completed,
// and writes its report. Returns the exit status: 0 when the search showed no
// message, 1 when it showed any, 128 + the signal's number when a signal
// cancelled it (and then nothing is written). Throws TFileError when a corpus
// file cannot be read or the shard file or the report cannot be written.
int Search(const TCliOptions& options, const TAppSettings& settings)
{
    TCliMessages messages(!options.Json);
    TSearchRunner runner(settings, messages);
    std::unique_ptr<TTerminalProgress> bar;
    std::unique_ptr<TTerminalCorpusProgress> files;
    if (isatty(fileno(stderr))) {
        bar = std::make_unique<TTerminalProgress>(stderr);
        files = std::make_unique<TTerminalCorpusProgress>(*bar, options.Files);
    }
    runner.SetProgress(bar.get(), files.get());
    TSearchRequest request;
    request.Pattern = options.Pattern;
    request.Syntax = options.Syntax.value_or(static_cast<TSearchSyntax>(settings.swSyntax));
    request.Distributions = options.Distributions.value_or(
        std::array<bool, 4>{settings.srSent, settings.srPara, settings.srSect, settings.srText});
    request.Files = options.Files;
    request.Encoding = options.Encoding;
    request.Baseline = options.Baseline;
    request.Jobs = options.Jobs;
    int signal = 0;
    TSearchResult result = RunCancellable(runner, request, signal);
    files.reset();
    bar.reset();
    // Only a signal cancels the search here. One that came before the runner
    // cleared its flag, or after its last look at it, was lost to the search
    // but not to the user who sent it.
    if (signal != 0) {
        PrintError(u"Search cancelled."_s);
        return 128 + signal;
    }
    const bool completed = result.Outcome == TSearchResult::TOutcome::Completed;
    const TShard shard{settings,
                       {request.Pattern, request.Syntax, request.Distributions, request.Encoding,
                        request.Baseline},
                       messages.Shown,
                       FileNameCache().Names(),
                       std::move(result.Bins)};
    if (completed && !options.SaveBinsFile.isEmpty())
        SaveShard(options.SaveBinsFile, shard);
    WriteReport({options.Pattern, TextsOf(shard.Messages), completed ? &shard.Bins : nullptr,
                 options.Baseline},
                options.Json);
    return shard.Messages.empty() ? 0 : 1;
}

// Reports the merged shards as their one search would have: the messages,
// printed unless the report is JSON, and the report. Returns the exit status
// of that search. Throws TError for a shard that does not merge, TFileError
// when the report cannot be written.
int Merge(const TCliOptions& options)
{
    const TMergedSearch merged = MergeShards(options.Files);
    const QStringList messages = TextsOf(merged.Messages);
    if (!options.Json) {
        for (const QString& message : messages)
            PrintError(message);
    }
    WriteReport({merged.Search.Pattern, messages, &merged.Bins, merged.Search.Baseline},
                options.Json);
    return messages.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // A reader that goes away early (a closed pipe) must not end the run
    // unseen in the middle of the report: ignored, the signal turns into a
    // failed write, which is reported and ends the run with status 2.
    std::signal(SIGPIPE, SIG_IGN);

    QString error;
    const std::optional<TCliOptions> options = ParseCliOptions(app.arguments().mid(1), error);
    if (!options) {
        PrintError(error);
        std::fprintf(stderr, "%s\n", CliUsage().toLocal8Bit().constData());
        return ExitUsage;
    }
    if (options->Help) {
        std::printf("%s\n", CliUsage().toLocal8Bit().constData());
        return 0;
    }
    if (options->Version) {
        std::printf("tamborix-cli %s\n", TamborixVersion);
        return 0;
    }
    if (options->Merge) {
        try {
            return Merge(*options);
        } catch (const TError& e) { // a shard or the report
            PrintError(e.Message());
        } catch (const std::bad_alloc&) {
            PrintError(u"Not enough memory for the merge."_s);
        }
        return ExitUsage;
    }
    TAppSettings settings;
    if (!PrepareSettings(*options, settings))
        return ExitUsage;
    try {
        return Search(*options, settings);
    } catch (const TFileError& e) { // a corpus file or the report
        PrintError(e.Message());
        return ExitUsage;
    } catch (const TError& e) {
        PrintError(e.Message());
    } catch (const std::bad_alloc&) {
        PrintError(u"Not enough memory for the search."_s);
    }
    return 1;
}
