#include "AnalyzeFile.h"

#include "AnalysisState.h"

void AnalyzeFile(const QString& FileName, const TSearchContext& Search,
                 const TDistributionBins& Bins, IProgressIndicator* ProgressBar)
{
    TAnalysisState state(FileName, Search, Bins, ProgressBar);
    state.Run();
}
