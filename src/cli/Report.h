// The results of one search as tamborix-cli writes them: plain text for
// people, or JSON for comparison by machine.
#pragma once

#include "Distribution.h"
#include "ReportOutput.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct TSearchResults {
    QString Pattern;
    QStringList Errors;                // each message the analysis showed, in order
    const TSearchBins* Bins = nullptr; // none when the search did not complete
    // The hits are set against the baseline that the search counted.
    bool Baseline = false;
};

// For each requested distribution: title, mean and median, totals and the
// table of bin captions and counts. With Baseline, a distribution whose
// baseline was counted adds the line of the tests (and the warning of low
// expected counts) and each bin's expected count and residual.
QByteArray PlainReport(const TSearchResults& results);

// The whole result with every match, as one JSON document, written to out as
// it is produced; out is not finished. With Baseline, each distribution ends
// with "baseline" (null when it was not counted) and each of its bins with
// "expected" and "residual". Throws TFileError when a write fails.
void WriteJsonReport(const TSearchResults& results, TReportOutput& out);
