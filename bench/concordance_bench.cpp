// Times what a concordance window does without its widgets: loading the lines
// of a bin (the hits' texts read back from the corpus file, with their sort
// keys) and sorting them. The bin holds the first 100 000 hits of the largest
// sentence bin of a word/phrase search for "the" in the corpus file given as
// the argument; the goal is under a second for each.
#include "BenchSupport.h"
#include "ConcordanceLines.h"
#include "Error.h"
#include "SearchRunner.h"
#include "TAppSettings.h"
#include "TDelimiters.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxMatches = 100000;
constexpr int Rounds = 5;

// The first MaxMatches matches of the bin that holds the most.
TBin LargestBin(const TBinSet& binSet)
{
    const auto largest =
        std::max_element(binSet.FBins.begin(), binSet.FBins.end(),
                         [](const TBin& a, const TBin& b) { return a.Count() < b.Count(); });
    TBin bin;
    if (largest == binSet.FBins.end())
        return bin;
    for (int i = 0; i < std::min<std::int64_t>(largest->Count(), MaxMatches); ++i)
        bin.AddMatch(largest->GetMatch(i));
    return bin;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: concordance_bench CORPUS_FILE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    TAppSettings settings;
    settings.SetDefaults();
    TPrintedMessages messages;
    TSearchRunner runner(settings, messages);
    QElapsedTimer timer;
    try {
        timer.start();
        const TSearchResult search =
            runner.Run({u"the"_s, ssWordPhrase, {true, false, false, false}, {path}});
        const double searchSeconds = timer.nsecsElapsed() / 1e9;
        const TBin bin = LargestBin(*search.Bins.Of(TDistribution::Sentence));
        std::printf("concordance of %s: search \"the\" %.2f s, %lld hits of the largest bin\n",
                    argv[1], searchSeconds, static_cast<long long>(bin.Count()));

        const TDelimiters delimiters(settings);
        TConcordanceLines lines;
        std::vector<double> loads, sorts;
        for (int round = 0; round < Rounds; ++round) {
            timer.restart();
            lines.Load(bin, delimiters);
            loads.push_back(timer.nsecsElapsed() / 1e9);
            timer.restart();
            lines.Sort(sk1stLeft, sk1stRight);
            sorts.push_back(timer.nsecsElapsed() / 1e9);
        }
        std::printf("  load (texts and sort keys)  %6.3f s  (median of %d, goal < 1 s)\n",
                    Median(loads), Rounds);
        std::printf("  sort 1st Left, 1st Right    %6.3f s  (median of %d, goal < 1 s)\n",
                    Median(sorts), Rounds);
    } catch (const TError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
