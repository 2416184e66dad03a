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

bool SameMatches(const TBinSet& a, const TBinSet& b)
{
    if (a.Count() != b.Count() || a.TotalMatches != b.TotalMatches)
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TBin& x = a.GetBin(i);
        const TBin& y = b.GetBin(i);
        if (x.Count() != y.Count())
            return false;
        for (int k = 0; k < x.Count(); ++k) {
            const TMatch& m = x.GetMatch(k);
            const TMatch& n = y.GetMatch(k);
            if (m.BeginOffest != n.BeginOffest || m.WordsFromBeginning != n.WordsFromBeginning ||
                m.SentecesFromEnd != n.SentecesFromEnd || m.Percent != n.Percent ||
                m.FileNameIndex != n.FileNameIndex || m.LineNo != n.LineNo)
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: workspace_bench CORPUS_FILE WORKSPACE_FILE\n");
        return 2;
    }
    const QString corpus = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    TAppSettings settings;
    settings.SetDefaults();
    TPrintedMessages messages;
    TSearchRunner runner(settings, messages);
    QElapsedTimer timer;
    try {
        double start = StartPhase(timer);
        const TSearchResult search =
            runner.Run({u"the"_s, ssWordPhrase, {true, true, true, true}, {corpus}});
        if (search.Outcome != TSearchResult::TOutcome::Completed)
            return 1;
        const double searchSeconds = timer.nsecsElapsed() / 1e9;
        std::int64_t matches = 0;
        for (const TDistribution kind : AllDistributions) {
            for (const TBin& bin : search.Bins.Of(kind)->FBins)
                matches += bin.Count();
        }
        std::printf("workspace of a search for \"the\" in %s: %lld stored matches\n", argv[1],
                    static_cast<long long>(matches));
        Report("search", searchSeconds, searchSeconds, start);

        start = StartPhase(timer);
        SaveWorkspace(path, settings, FileNameCache().Names(),
                      [&](TXmlNode& forms) {
                          for (const TDistribution kind : AllDistributions)
                              WriteResultsForm(*forms.AddElement(u"ResultsForm"_s), {}, u"title"_s,
                                               u"axis"_s, *search.Bins.Of(kind));
                      },
                      {corpus});
        Report("save", timer.nsecsElapsed() / 1e9, searchSeconds, start);
        std::printf("  file   %7.2f GB\n", QFileInfo(path).size() / 1e9);

        start = StartPhase(timer);
        TWorkspace workspace = ReadWorkspace(path);
        for (TWorkspaceForm& form : workspace.Forms)
            std::get<TResultsFormState>(form).BinSet.MapSavedFileNames(workspace.FileNames);
        Report("open", timer.nsecsElapsed() / 1e9, searchSeconds, start);
        QFile::remove(path);

        for (size_t i = 0; i < AllDistributions.size(); ++i) {
            if (!SameMatches(std::get<TResultsFormState>(workspace.Forms[i]).BinSet,
                             *search.Bins.Of(AllDistributions[i]))) {
                std::fprintf(stderr, "the opened workspace differs from the search\n");
                return 1;
            }
        }
    } catch (const TError& error) {
        QFile::remove(path);
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
