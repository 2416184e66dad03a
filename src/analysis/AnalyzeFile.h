// The analysis of one corpus file for one search.
#pragma once

#include <QString>

class IMessageSink;
class IProgressIndicator;
class TAppSettings;
class TBinSet;

// Analyses FileName for Pattern in the search language Syntax (1 word/phrase,
// 2 regular expression, 3 word/tag) and places the hits into the bin sets that
// are present (an absent one is a distribution not requested); each of them
// also receives the file's totals. Pattern errors go to Messages, once per
// call, and the file then adds nothing. ProgressBar, when present, follows the
// reading and lets the user interface handle pending events, so that Cancel
// can set SearchCancelled, which stops the analysis; the hits found so far are
// placed. Throws TFileError when the file cannot be opened or read; what was
// placed before stays in the bin sets.
void AnalyzeFile(const QString& FileName, const QString& Pattern, int Syntax, TBinSet* SentBins,
                 TBinSet* ParaBins, TBinSet* SectBins, TBinSet* TextBins,
                 IProgressIndicator* ProgressBar, const TAppSettings& Settings,
                 IMessageSink& Messages);
