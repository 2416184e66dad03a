// The search: one pattern over a list of corpus files, every hit placed into
// the bin sets of the requested distributions. The windowed application, the
// command-line runner, the benchmarks and the tests all search through it.
#pragma once

#include "CorpusFileReader.h"
#include "Distribution.h"
#include "TAppSettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <atomic>

class IMessageSink;
class IProgressIndicator;
class TSharedProgress;

struct TSearchRequest {
    QString Pattern; // as the user typed it
    TSearchSyntax Syntax = ssWordPhrase;
    // Sentence, paragraph, section, text: the bin sets to fill.
    std::array<bool, 4> Distributions{true, true, true, true};
    QStringList Files; // in corpus order; a path may repeat
    // How files without a byte-order mark are read.
    TEncodingChoice Encoding = TEncodingChoice::Auto;
    // Counts the baseline of every requested distribution along with its
    // hits (TBinSet::Baseline).
    bool Baseline = false;
    // Files analysed at once, each on a thread of its own; 0 for one per
    // processor core. The results are the same for any number.
    int Jobs = 0;
};

struct TSearchResult {
    enum class TOutcome {
        Completed, // every file was searched
        Cancelled, // the user stopped the search
        Refused,   // the pattern or the section expression cannot be used
    };
    TOutcome Outcome = TOutcome::Refused;
    // The hits and totals of the files searched, one bin set per requested
    // distribution; meant to be shown only when the search completed.
    TSearchBins Bins;
};

// The search that the search options dialog stored in the settings: the last
// pattern of the chosen syntax and the chosen distributions; no files yet.
TSearchRequest LastSearchRequest(const TAppSettings& settings);

class TSearchRunner {
public:
    // The settings must not change while a search runs.
    TSearchRunner(const TAppSettings& settings, IMessageSink& messages);

    // Where the search reports how far it has read the current file and how
    // many files it has done; each of them may be absent. Through them the
    // user interface handles pending events, which is how Cancel reaches a
    // running search.
    void SetProgress(IProgressIndicator* fileProgress, IProgressIndicator* corpusProgress)
    {
        FileProgress = fileProgress;
        CorpusProgress = corpusProgress;
    }
    // Off, the analysis takes every position in a full pass (for tests that
    // compare the two ways).
    void SetPlainRuns(bool on) { PlainRuns = on; }

    // Searches the files, and takes their results in corpus order: with
    // several jobs, files are analysed side by side on worker threads, but
    // the bin sets, FileNameCache and the messages, which are shown on the
    // thread that called Run, come out as from one file after the other. The
    // progress indicators are also driven from that thread only. A pattern or section expression
    // that cannot be used is reported once, before any file is read, and refuses the search. Throws
    // TFileError when a file is not a regular file (all are looked at before any is read) or cannot
    // be opened or read, and TError when the bin settings describe no bins. A file whose size
    // changes while it is read is reported as a warning and counted as far
    // as it was read.
    TSearchResult Run(const TSearchRequest& request);

    // Stops the running search at its next look at the flag; the search then
    // reports itself cancelled.
    void Cancel() { SearchCancelled = true; }

private:
    struct TRun;
    void RunInOrder(TRun& run);
    void RunOnWorkers(TRun& run, int jobs);
    void Take(TRun& run, qsizetype file, TSearchBins&& bins, std::int64_t hits);
    void ShowProgress(qsizetype done, const TSharedProgress* reading);

    const TAppSettings& Settings;
    IMessageSink& Messages;
    IProgressIndicator* FileProgress = nullptr;
    IProgressIndicator* CorpusProgress = nullptr;
    bool PlainRuns = true;
    std::atomic<bool> SearchCancelled{false};
};
