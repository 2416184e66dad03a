#include "AnalyzeFile.h"

#include "AnalysisState.h"
#include "FileNames.h"

void AnalyzeFile(const QString& FileName, const QString& Pattern, int Syntax, TBinSet* SentBins,
                 TBinSet* ParaBins, TBinSet* SectBins, TBinSet* TextBins,
                 IProgressIndicator* ProgressBar, const TAppSettings& Settings,
                 IMessageSink& Messages)
{
    SearchCancelled = false;
    TAnalysisState state(FileName, Pattern, Syntax, {SentBins, ParaBins, SectBins, TextBins},
                         ProgressBar, Settings, Messages);
    state.Run();
}
