// Times saving and opening the workspace of a large search: a word/phrase
// search for "the" in all four distributions over the corpus file given as
// the first argument, its four bin sets kept as four results windows. Each
// phase is reported beside the search's own time, with the memory it took
// above what the process held when it began (the peak resident size, reset
// for each phase). The workspace is written to the second argument and removed
// afterwards.
#include "BenchSupport.h"
#include "Error.h"
#include "FileNames.h"
#include "SearchRunner.h"
#include "TAppSettings.h"
#include "Workspace.h"
#include "XmlNode.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <fstream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// A field of /proc/self/status in bytes, such as "VmRSS" or "VmHWM".
double StatusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ':', 0) == 0)
            return std::stod(line.substr(field.size() + 1)) * 1024;
    }
    return 0;
}

// Starts a phase: the peak resident size begins again at the current one.
double StartPhase(QElapsedTimer& timer)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    timer.restart();
    return StatusBytes("VmRSS");
}

void Report(const char* phase, double seconds, double searchSeconds, double startBytes)
{
    std::printf("  %-6s %7.2f s  (%5.1f x the search)  peak memory +%.2f GB over %.2f GB\n", phase,
                seconds, seconds / searchSeconds, (StatusBytes("VmHWM") - startBytes) / 1e9,
                startBytes / 1e9);
}

std::int64_t StoredMatches(const TSearchBins& bins)
{
    std::int64_t matches = 0;
    for (const TDistribution kind : AllDistributions) {
        for (const TBin& bin : bins.Of(kind)->FBins)
            matches += bin.Count();
    }
    return matches;
}

// The four bin sets as four results windows.
void Save(const QString& path, const TAppSettings& settings, const TSearchBins& bins,
          const QString& corpus)
{
    SaveWorkspace(path, settings, FileNameCache().Names(),
                  [&](TXmlNode& forms) {
                      for (const TDistribution kind : AllDistributions)
                          WriteResultsForm(*forms.AddElement(u"ResultsForm"_s), {}, u"title"_s,
                                           u"axis"_s, *bins.Of(kind), false);
                  },
                  {corpus});
}

// Opens the workspace as the application does and compares its bin sets with
// those saved.
bool OpenedAsSaved(const QString& path, const TSearchBins& bins)
{
    TWorkspace workspace = ReadWorkspace(path);
    for (TWorkspaceForm& form : workspace.Forms)
        std::get<TResultsFormState>(form).BinSet.MapSavedFileNames(workspace.FileNames);
    for (size_t i = 0; i < AllDistributions.size(); ++i) {
        if (std::get<TResultsFormState>(workspace.Forms[i]).BinSet != *bins.Of(AllDistributions[i]))
            return false;
    }
    return true;
}

int Run(const QString& corpus, const QString& path)
{
    TAppSettings settings;
    settings.SetDefaults();
    TPrintedMessages messages;
    TSearchRunner runner(settings, messages);
    QElapsedTimer timer;

    double start = StartPhase(timer);
    const TSearchResult search =
        runner.Run({u"the"_s, ssWordPhrase, {true, true, true, true}, {corpus}});
    if (search.Outcome != TSearchResult::TOutcome::Completed)
        return 1;
    const double searchSeconds = timer.nsecsElapsed() / 1e9;
    std::printf("workspace of a search for \"the\" in %s: %lld stored matches\n",
                corpus.toLocal8Bit().constData(),
                static_cast<long long>(StoredMatches(search.Bins)));
    Report("search", searchSeconds, searchSeconds, start);

    start = StartPhase(timer);
    Save(path, settings, search.Bins, corpus);
    Report("save", timer.nsecsElapsed() / 1e9, searchSeconds, start);
    std::printf("  file   %7.2f GB\n", QFileInfo(path).size() / 1e9);

    start = StartPhase(timer);
    const bool same = OpenedAsSaved(path, search.Bins);
    Report("open", timer.nsecsElapsed() / 1e9, searchSeconds, start);
    if (!same)
        std::fprintf(stderr, "the opened workspace differs from the search\n");
    return same ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: workspace_bench CORPUS_FILE WORKSPACE_FILE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[2]);
    int result = 1;
    try {
        result = Run(QString::fromLocal8Bit(argv[1]), path);
    } catch (const TError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    QFile::remove(path);
    return result;
}
