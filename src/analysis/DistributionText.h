// The texts that present a distribution: its title, the captions of its bins,
// the mean and median of the bin frequencies and the totals lines. The results
// window and the command-line runner show the same texts.
#pragma once

#include "Distribution.h"
#include "ExpectedDistribution.h"
#include "TBinSet.h"

#include <QString>

#include <optional>

// '"' + pattern + '" distribution in sentences' (paragraphs, sections, texts).
QString DistributionTitle(const QString& pattern, TDistribution distribution);

// "0% - 33%", "2", "#", "1#" or "P".
QString BinCaption(const TBin& bin);

// The mean hit count of the bins, in extended precision; none without bins.
std::optional<long double> MeanOf(const TBinSet& binSet);
// The median hit count of the bins; 0 without bins.
double CalcMedian(const TBinSet& binSet);

// value in general format with at most 18 significant digits: no trailing
// zeros, fixed notation except for values below 0.00001 other than 0, which
// take scientific notation with at least three exponent digits.
QString FormatStatistic(long double value, QChar decimalPoint);

// "Mean: " mean " Median: " median; empty without bins.
QString StatisticsLine(const TBinSet& binSet, QChar decimalPoint);
// "Total Corpus/Results.: Matches: n; Words: n;"
QString TotalsLine1(const TBinSet& binSet);
// "Sentences: n; Paragraphs: n; Sections: n; Texts: n"
QString TotalsLine2(const TBinSet& binSet);

// An expected count with two decimals: "12.50".
QString ExpectedText(double expected, QChar decimalPoint);
// A residual with two decimals and its sign, "-1.25"; empty for none.
QString ResidualText(std::optional<double> residual, QChar decimalPoint);
// "χ² = 12.34, G² = 13.10, df = 2, p = 0.00213 (χ²), 0.00143 (G²)"; the
// p-values read "n/a" without degrees of freedom, and "< 1e-300" for a
// probability too small for a double.
QString TestLine(const TExpectedDistribution& expected, QChar decimalPoint);
// "Expected count below 5 in 2 of 6 bins: the tests may be unreliable."; empty
// when no bin's expected count is that low.
QString LowExpectedLine(const TExpectedDistribution& expected);
