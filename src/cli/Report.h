// The results of one search as tamborix-cli writes them: plain text for
// people, or JSON for comparison by machine.
#pragma once

#include "Distribution.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct TSearchResults {
    QString Pattern;
    QStringList Errors;                // each message the analysis showed, in order
    const TSearchBins* Bins = nullptr; // none when the search did not complete
};

// For each requested distribution: title, mean and median, totals and the
// table of bin captions and counts.
QByteArray PlainReport(const TSearchResults& results);

// The whole result with every match, as one JSON document.
QByteArray JsonReport(const TSearchResults& results);
