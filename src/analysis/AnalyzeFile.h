// The analysis of one corpus file for one search: the step that the search
// runner takes for each file.
#pragma once

#include "CorpusFileReader.h"
#include "Distribution.h"

#include <QString>

#include <atomic>
#include <cstdint>

class IMessageSink;
class IProgressIndicator;
class TAppSettings;
class TSearchPattern;

// What the analyses of all files of one search share.
struct TSearchContext {
    const TSearchPattern& Pattern; // prepared without errors
    const TAppSettings& Settings;
    IMessageSink& Messages; // a regular expression that fails inside a file
    const std::atomic<bool>& SearchCancelled;
    // Runs of positions where only words can be counted are scanned by a
    // shortcut; turned off, every position takes the full pass (the results
    // are the same, which tests compare).
    bool PlainRuns = true;
    TEncodingChoice Encoding = TEncodingChoice::Auto; // for files without a byte-order mark
};

// Analyses FileName and places its hits into the bin sets that are present
// (an absent one is a distribution not requested); each of them also receives
// the file's totals. ProgressBar, when present, follows the reading and lets
// the user interface handle pending events, so that Cancel can set
// SearchCancelled, which stops the analysis; the hits found so far are placed.
// Every match of the file names it by index 0: the caller, which knows the
// file's place in FileNameCache, sets it. Returns the number of hits
// registered (also those that were dropped or fitted no bin). Throws
// TFileError when the file cannot be opened or read; what was placed before
// stays in the bin sets.
std::int64_t AnalyzeFile(const QString& FileName, const TSearchContext& Search,
                         const TDistributionBins& Bins, IProgressIndicator* ProgressBar);
