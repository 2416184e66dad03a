// tamborix-cli: one search over files from the command line, run exactly as the
// application's search command runs it, with the results as text or JSON.

#include "AnalyzeFile.h"
#include "CliOptions.h"
#include "Distribution.h"
#include "Error.h"
#include "MessageSink.h"
#include "Report.h"
#include "SettingsFile.h"
#include "TAppSettings.h"
#include "TerminalProgress.h"
#include "Version.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int ExitUsage = 2;

void PrintError(const QString& text)
{
    std::fprintf(stderr, "tamborix-cli: %s\n", text.toLocal8Bit().constData());
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
        PrintError(options.SettingsFile + u": "_s + e.Message());
        return false;
    }
    try {
        if (!options.SaveSettingsFile.isEmpty())
            SaveSettings(settings, options.SaveSettingsFile);
    } catch (const TError& e) {
        PrintError(options.SaveSettingsFile + u": "_s + e.Message());
        return false;
    }
    return true;
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
    const int syntax = options->Syntax.value_or(settings.swSyntax);
    const std::array<bool, 4> distributions = options->Distributions.value_or(
        std::array<bool, 4>{settings.srSent, settings.srPara, settings.srSect, settings.srText});

    TCliMessages messages(!options->Json);
    try {
        const TSearchBins bins(settings, distributions);
        std::unique_ptr<TTerminalProgress> progress;
        if (isatty(fileno(stderr)))
            progress = std::make_unique<TTerminalProgress>(stderr);
        const TDistributionBins sets = bins.Bins();
        for (qsizetype i = 0; i < options->Files.size(); ++i) {
            if (progress)
                progress->StartFile(static_cast<int>(i + 1),
                                    static_cast<int>(options->Files.size()), options->Files[i]);
            AnalyzeFile(options->Files[i], options->Pattern, syntax, sets.Sent, sets.Para,
                        sets.Sect, sets.Text, progress.get(), settings, messages);
        }
        progress.reset();
        const TSearchResults results{options->Pattern, messages.Shown, &bins};
        WriteOut(options->Json ? JsonReport(results) : PlainReport(results));
    } catch (const TFileError& e) {
        PrintError(e.Message());
        return ExitUsage;
    } catch (const TError& e) {
        PrintError(e.Message());
        return 1;
    }
    return 0;
}
