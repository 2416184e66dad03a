#include "DistributionText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

QString DistributionTitle(const QString& pattern, TDistribution distribution)
{
    QString units;
    switch (distribution) {
    case TDistribution::Sentence:
        units = u"sentences"_s;
        break;
    case TDistribution::Paragraph:
        units = u"paragraphs"_s;
        break;
    case TDistribution::Section:
        units = u"sections"_s;
        break;
    case TDistribution::Text:
        units = u"texts"_s;
        break;
    }
    return u'"' + pattern + u"\" distribution in "_s + units;
}

QString BinCaption(const TBin& bin)
{
    switch (bin.BinType) {
    case btPrecentage:
        return u"%1% - %2%"_s.arg(bin.ValFrom).arg(bin.ValTo);
    case btPosFromBegin:
        return QString::number(bin.ValFrom);
    case btPosFromEnd:
        return bin.ValFrom <= 1 ? u"#"_s : QString::number(bin.ValFrom - 1) + u'#';
    case btOther:
        break;
    }
    return u"P"_s;
}

std::optional<long double> MeanOf(const TBinSet& binSet)
{
    if (binSet.Count() == 0)
        return std::nullopt;
    double sum = 0;
    for (const TBin& bin : binSet.FBins)
        sum += bin.Count();
    return static_cast<long double>(sum) / binSet.Count();
}

double CalcMedian(const TBinSet& binSet)
{
    if (binSet.Count() == 0)
        return 0;
    std::vector<std::int64_t> counts;
    for (const TBin& bin : binSet.FBins)
        counts.push_back(bin.Count());
    std::sort(counts.begin(), counts.end());
    const size_t n = counts.size();
    if (n % 2 == 1)
        return counts[n / 2];
    return (double(counts[n / 2 - 1]) + counts[n / 2]) / 2;
}

QString FormatStatistic(long double value, QChar decimalPoint)
{
    if (value == 0)
        return u"0"_s;
    // 18 significant digits as d.ddddddddddddddddde[+-]x, then laid out anew.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", value);
    const QString text = QString::fromLatin1(buffer);
    const qsizetype e = text.indexOf(u'e');
    const int exponent = text.mid(e + 1).toInt();
    const bool negative = text.startsWith(u'-');
    QString digits = text.left(e).remove(u'-').remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    QString result = negative ? u"-"_s : QString();
    if (std::fabs(value) < 0.00001L) {
        result += digits.left(1);
        if (digits.size() > 1)
            result += decimalPoint + digits.mid(1);
        const QString power = QString::number(std::abs(exponent)).rightJustified(3, u'0');
        return result + (exponent < 0 ? u"E-"_s : u"E+"_s) + power;
    }
    if (exponent < 0)
        return result + u'0' + decimalPoint + QString(-exponent - 1, u'0') + digits;
    const qsizetype integerDigits = exponent + 1;
    if (digits.size() <= integerDigits)
        return result + digits + QString(integerDigits - digits.size(), u'0');
    return result + digits.left(integerDigits) + decimalPoint + digits.mid(integerDigits);
}

QString StatisticsLine(const TBinSet& binSet, QChar decimalPoint)
{
    const std::optional<long double> mean = MeanOf(binSet);
    if (!mean)
        return QString();
    return u"Mean: "_s + FormatStatistic(*mean, decimalPoint) + u" Median: "_s +
           FormatStatistic(CalcMedian(binSet), decimalPoint);
}

QString TotalsLine1(const TBinSet& binSet)
{
    return u"Total Corpus/Results.: Matches: %1; Words: %2;"_s.arg(binSet.TotalMatches)
        .arg(binSet.TotalWords);
}

QString TotalsLine2(const TBinSet& binSet)
{
    return u"Sentences: %1; Paragraphs: %2; Sections: %3; Texts: %4"_s.arg(binSet.TotalSentences)
        .arg(binSet.TotalParagraphs)
        .arg(binSet.TotalSections)
        .arg(binSet.TotalTexts);
}

namespace {

QString Fixed(double value, int decimals, QChar decimalPoint)
{
    // -0.00 would read as a sign without a difference.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    return QString::number(value, 'f', decimals).replace(u'.', decimalPoint);
}

QString ProbabilityText(std::optional<double> p, double statistic, QChar decimalPoint)
{
    if (!p)
        return u"n/a"_s;
    if (*p == 0 && statistic > 0)
        return u"< 1e-300"_s;
    return QString::number(*p, 'g', 3).replace(u'.', decimalPoint);
}

} // namespace

QString ExpectedText(double expected, QChar decimalPoint)
{
    return Fixed(expected, 2, decimalPoint);
}

QString ResidualText(std::optional<double> residual, QChar decimalPoint)
{
    return residual ? Fixed(*residual, 2, decimalPoint) : QString();
}

QString TestLine(const TExpectedDistribution& expected, QChar decimalPoint)
{
    return u"\u03c7\u00b2 = %1, G\u00b2 = %2, df = %3, p = %4 (\u03c7\u00b2), %5 (G\u00b2)"_s
        .arg(Fixed(expected.Chi2, 2, decimalPoint), Fixed(expected.G2, 2, decimalPoint))
        .arg(expected.Df)
        .arg(ProbabilityText(expected.PChi2, expected.Chi2, decimalPoint),
             ProbabilityText(expected.PG2, expected.G2, decimalPoint));
}

QString LowExpectedLine(const TExpectedDistribution& expected)
{
    if (expected.LowExpected == 0)
        return QString();
    const qsizetype bins = std::count_if(expected.Expected.begin(), expected.Expected.end(),
                                         [](double e) { return e > 0; });
    return u"Expected count below 5 in %1 of %2 bins: the tests may be unreliable."_s
        .arg(expected.LowExpected)
        .arg(bins);
}
