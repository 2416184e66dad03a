#include "SearchRunner.h"

#include "AnalyzeFile.h"
#include "MessageSink.h"
#include "ProgressIndicator.h"
#include "SafeFile.h"
#include "SearchPattern.h"

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
    const TSearchContext context{pattern,         Settings,  Messages,
                                 SearchCancelled, PlainRuns, request.Encoding};
    const TDistributionBins bins = result.Bins.Bins();
    const qsizetype count = request.Files.size();
    if (CorpusProgress) {
        CorpusProgress->SetRange(0, count);
        CorpusProgress->SetPosition(0);
    }
    for (qsizetype i = 0; i < count && !SearchCancelled; ++i) {
        AnalyzeFile(request.Files[i], context, bins, FileProgress);
        if (CorpusProgress && !SearchCancelled) {
            CorpusProgress->SetPosition(i + 1);
            CorpusProgress->ProcessEvents();
        }
    }
    result.Outcome =
        SearchCancelled ? TSearchResult::TOutcome::Cancelled : TSearchResult::TOutcome::Completed;
    return result;
}
