#include "AnalyzeFile.h"

#include "AnalysisState.h"

std::int64_t AnalyzeFile(const QString& FileName, const TSearchContext& Search,
                         const TDistributionBins& Bins, IProgressIndicator* ProgressBar)
{
    TAnalysisState state(FileName, Search, Bins, ProgressBar);
    return state.Run();
}
