#include "SearchRunner.h"

#include "AnalyzeFile.h"
#include "FileNames.h"
#include "FilePool.h"
#include "MessageSink.h"
#include "ProgressIndicator.h"
#include "SafeFile.h"
#include "SearchPattern.h"

#include <algorithm>
#include <chrono>
#include <span>
#include <thread>
#include <vector>

TSearchRequest LastSearchRequest(const TAppSettings& settings)
{
    TSearchRequest request;
    request.Syntax = static_cast<TSearchSyntax>(settings.swSyntax);
    switch (request.Syntax) {
    case ssWordPhrase:
        request.Pattern = settings.stWordPhrase;
        break;
    case ssRegularExpression:
        request.Pattern = settings.stRegEx;
        break;
    case ssWordTag:
        request.Pattern = settings.stWordTag;
        break;
    }
    request.Distributions = {settings.srSent, settings.srPara, settings.srSect, settings.srText};
    return request;
}

TSearchRunner::TSearchRunner(const TAppSettings& settings, IMessageSink& messages)
    : Settings(settings)
    , Messages(messages)
{}

// What one search shares between its steps.
struct TSearchRunner::TRun {
    const TSearchRequest& Request;
    const TSearchPattern& Pattern;
    TSearchBins& Bins;
    // The bins without results, copied for every file.
    const TSearchBins Layout;
    // The baseline is a sum over all words, whatever their file: each worker
    // counts into bin sets of its own (whose counters keep what they learnt
    // from file to file), added to the search's at its end.
    std::vector<TSearchBins> Baselines;

    TDistributionBins FileBins(TSearchBins& file, int worker)
    {
        TDistributionBins bins = file.Bins();
        if (Request.Baseline)
            bins.Baselines = Baselines[static_cast<size_t>(worker)].Bins().Baselines;
        return bins;
    }
};

namespace {

int JobsFor(const TSearchRequest& request)
{
    const int cores = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    const qsizetype jobs = request.Jobs > 0 ? request.Jobs : cores;
    return static_cast<int>(
        std::clamp<qsizetype>(jobs, 1, std::max<qsizetype>(1, request.Files.size())));
}

} // namespace

// The flag is cleared once, when the search starts: a Cancel pressed between
// two files stops the search as one pressed inside a file does.
TSearchResult TSearchRunner::Run(const TSearchRequest& request)
{
    SearchCancelled = false;
    TSearchResult result;
    result.Bins = TSearchBins(Settings, request.Distributions);
    if (request.Baseline)
        result.Bins.CountBaselines(Settings.soForwardBinsPreffered);
    const TSearchPattern pattern(request.Pattern, request.Syntax, Settings);
    if (!pattern.Errors().isEmpty()) {
        for (const QString& error : pattern.Errors())
            Messages.ShowError(error);
        return result;
    }
    // Every file is looked at before the first is read, so that a search
    // that would stop at a pipe or a device does not start.
    for (const QString& file : request.Files)
        CheckRegularFile(file);
    const int jobs = JobsFor(request);
    TRun run{request, pattern, result.Bins, result.Bins.Blank(), {}};
    if (request.Baseline) {
        for (int worker = 0; worker < jobs; ++worker) {
            run.Baselines.push_back(run.Layout.Blank());
            run.Baselines.back().CountBaselines(Settings.soForwardBinsPreffered);
        }
    }
    if (CorpusProgress) {
        CorpusProgress->SetRange(0, request.Files.size());
        CorpusProgress->SetPosition(0);
    }
    if (jobs == 1)
        RunInOrder(run);
    else
        RunOnWorkers(run, jobs);
    if (SearchCancelled) {
        result.Outcome = TSearchResult::TOutcome::Cancelled;
        return result;
    }
    for (TSearchBins& baseline : run.Baselines)
        result.Bins.Append(std::move(baseline), {});
    result.Outcome = TSearchResult::TOutcome::Completed;
    return result;
}

void TSearchRunner::RunInOrder(TRun& run)
{
    const TSearchContext context{run.Pattern,     Settings,  Messages,
                                 SearchCancelled, PlainRuns, run.Request.Encoding};
    for (qsizetype i = 0; i < run.Request.Files.size() && !SearchCancelled; ++i) {
        TSearchBins file = run.Layout.Blank();
        const std::int64_t hits =
            AnalyzeFile(run.Request.Files[i], context, run.FileBins(file, 0), FileProgress);
        // A cancelled file is taken as far as it was read.
        Take(run, i, std::move(file), hits);
        ShowProgress(i + 1, nullptr);
    }
}

void TSearchRunner::RunOnWorkers(TRun& run, int jobs)
{
    const auto analyse = [&](int worker, qsizetype i, TFileResult& result) {
        try {
            result.Bins = run.Layout.Blank();
            const TSearchContext context{run.Pattern,     Settings,  result.Messages,
                                         SearchCancelled, PlainRuns, run.Request.Encoding};
            result.Hits = AnalyzeFile(run.Request.Files[i], context,
                                      run.FileBins(result.Bins, worker), &result.Progress);
        } catch (...) {
            result.Error = std::current_exception();
        }
    };
    TFilePool pool(run.Request.Files.size(), jobs, analyse);
    for (qsizetype i = 0; i < run.Request.Files.size(); ++i) {
        TFileResult* result = nullptr;
        while (!SearchCancelled && !(result = pool.WaitFor(i, std::chrono::milliseconds(50)))) {
            const TFileResult* running = pool.Running(i);
            ShowProgress(i, running ? &running->Progress : nullptr);
        }
        if (SearchCancelled)
            return;
        result->Messages.Replay(Messages);
        if (result->Error) {
            SearchCancelled = true; // stops the other workers at once
            std::rethrow_exception(result->Error);
        }
        Take(run, i, std::move(result->Bins), result->Hits);
        pool.Release(i);
        ShowProgress(i + 1, nullptr);
    }
}

// A file is named in FileNameCache when its results are taken, so that the
// cache lists the files with hits in corpus order.
void TSearchRunner::Take(TRun& run, qsizetype file, TSearchBins&& bins, std::int64_t hits)
{
    const int index = hits > 0 ? FileNameCacheIndex(run.Request.Files[file]) : 0;
    run.Bins.Append(std::move(bins), std::span(&index, 1));
}

// done files are complete; reading, when present, is the file being waited for.
void TSearchRunner::ShowProgress(qsizetype done, const TSharedProgress* reading)
{
    if (reading && FileProgress) {
        FileProgress->SetRange(0, reading->Maximum);
        FileProgress->SetPosition(reading->Position);
    }
    if (CorpusProgress)
        CorpusProgress->SetPosition(done);
    // A file read on this thread has let events be handled as it went.
    if (IProgressIndicator* events = CorpusProgress ? CorpusProgress
                                     : reading      ? FileProgress
                                                    : nullptr)
        events->ProcessEvents();
}
