// tamborix-cli: one search over files from the command line, run by the same
// search runner as the application's search command, with the results as
// text or JSON.

#include "CliOptions.h"
#include "Error.h"
#include "MessageSink.h"
#include "Report.h"
#include "SearchRunner.h"
#include "SettingsFile.h"
#include "TAppSettings.h"
#include "TerminalProgress.h"
#include "Version.h"

#include <QCoreApplication>
#include <QFileInfo>

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

void WriteOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
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

// Runs the search and writes its report. Returns the exit status: 0 for a
// completed search, 1 when the pattern was refused.
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
    const TSearchResult result = runner.Run(request);
    files.reset();
    bar.reset();
    const bool completed = result.Outcome == TSearchResult::TOutcome::Completed;
    const TSearchResults report{options.Pattern, messages.Shown,
                                completed ? &result.Bins : nullptr};
    if (completed || options.Json)
        WriteOut(options.Json ? JsonReport(report) : PlainReport(report));
    return completed ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);

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
    } catch (const TFileError& e) {
        PrintError(e.Message());
        return ExitUsage;
    } catch (const TError& e) {
        PrintError(e.Message());
    } catch (const std::bad_alloc&) {
        PrintError(u"Not enough memory for the search."_s);
    }
    return 1;
}
