// tamborix-cli: one search over files from the command line, run by the same
// search runner as the application's search command, with the results as
// text or JSON.

#include "CancelOnSignal.h"
#include "CliOptions.h"
#include "Error.h"
#include "MessageSink.h"
#include "Report.h"
#include "ReportOutput.h"
#include "SearchRunner.h"
#include "SettingsFile.h"
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

// Messages of the analysis: printed as they come, and kept for the JSON form.
class TCliMessages : public IMessageSink {
public:
    explicit TCliMessages(bool print)
        : Print(print)
    {}
    void ShowWarning(const QString& text) override { Show(text); }
    void ShowError(const QString& text) override { Show(text); }

    QStringList Shown;

private:
    void Show(const QString& text)
    {
        Shown.append(text);
        if (Print)
            PrintError(text);
    }

    bool Print;
};

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

// Runs the search and writes its report. Returns the exit status: 0 when the
// search showed no message, 1 when it showed any, 128 + the signal's number
// when a signal cancelled it (and then nothing is written). Throws TFileError
// when a corpus file cannot be read or the report cannot be written.
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
    const TSearchResult result = RunCancellable(runner, request, signal);
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
    const TSearchResults report{options.Pattern, messages.Shown, completed ? &result.Bins : nullptr,
                                options.Baseline};
    TReportOutput out(stdout);
    if (options.Json)
        WriteJsonReport(report, out);
    else if (completed)
        out += PlainReport(report);
    out.Finish();
    return messages.Shown.isEmpty() ? 0 : 1;
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
