// The picture of a distribution that the results window saves and prints: a
// header with the title, the mean and median line, the totals and the tests
// of the expected distribution when shown, then the histogram, the ruled
// table of the bins, or both, laid out on a bitmap or on pages of paper.
#pragma once

#include "ResultsChart.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class QPainter;

// What the picture shows, as the results window holds it.
struct TResultsPicture {
    QString Title;
    QString MeanMedian;
    std::int64_t TotalMatches = 0;
    std::int64_t TotalWords = 0;
    std::int64_t TotalSentences = 0;
    std::int64_t TotalParagraphs = 0;
    std::int64_t TotalSections = 0;
    // The test line and its note; empty when not shown.
    QString Test;
    QString TestNote;
    // The table's header and its rows, a text per column.
    QStringList Columns;
    QList<QStringList> Rows;
    TChartContent Chart;
};

// Starts the next page of a print job; throws TError when it cannot.
using TNewPage = std::function<void()>;

// Draws the pieces chosen onto canvas, whose drawable area is pageWidth by
// pageHeight device pixels. fields chooses the wide margins of paper over the
// narrow ones of a bitmap. With newPage, a table row that would pass the
// frame's bottom goes onto a new page, under the table's header row again;
// without it, the rows run on past the bottom as far as the canvas reaches.
void DrawImage(QPainter& canvas, int pageWidth, int pageHeight, bool hystogram, bool table,
               bool fields, const TResultsPicture& picture, const TNewPage& newPage = {});
