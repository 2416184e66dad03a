#include "Report.h"

#include "DistributionText.h"
#include "ExpectedDistribution.h"
#include "FileNames.h"
#include "JsonNumber.h"

using namespace Qt::StringLiterals;

namespace {

const char* KindName(TDistribution distribution)
{
    switch (distribution) {
    case TDistribution::Sentence:
        return "sentence";
    case TDistribution::Paragraph:
        return "paragraph";
    case TDistribution::Section:
        return "section";
    case TDistribution::Text:
        return "text";
    }
    return "";
}

void AppendLine(QByteArray& out, const QString& line)
{
    out += line.toUtf8();
    out += '\n';
}

void AppendJsonString(TReportOutput& out, const QString& text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += "0123456789abcdef"[byte >> 4];
            out += "0123456789abcdef"[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendJsonNumber(TReportOutput& out, std::optional<long double> value)
{
    out += value ? FormatStatistic(*value, u'.').toLatin1() : QByteArray("null");
}

QByteArray JsonNumberOrNull(std::optional<double> value)
{
    return value ? JsonNumber(*value) : QByteArrayLiteral("null");
}

// The expected distribution that the report shows: none unless the baseline
// was asked for and counted.
std::optional<TExpectedDistribution> ReportedExpectation(const TSearchResults& results,
                                                         const TBinSet& set)
{
    return results.Baseline ? ExpectedDistributionOf(set) : std::nullopt;
}

void AppendMatch(TReportOutput& out, const TMatch& m)
{
    const QStringList& names = FileNameCache().Names();
    const QString name =
        m.FileNameIndex >= 0 && m.FileNameIndex < names.size() ? names[m.FileNameIndex] : QString();
    out += "{\"WordsFromBeginning\":" + QByteArray::number(m.WordsFromBeginning) +
           ",\"SentecesFromBeginning\":" + QByteArray::number(m.SentecesFromBeginning) +
           ",\"WordsFromEnd\":" + QByteArray::number(m.WordsFromEnd) +
           ",\"SentecesFromEnd\":" + QByteArray::number(m.SentecesFromEnd) +
           ",\"Percent\":" + QByteArray::number(m.Percent) +
           ",\"BeginOffest\":" + QByteArray::number(m.BeginOffest) +
           ",\"EndOffset\":" + QByteArray::number(m.EndOffset) + ",\"FileName\":";
    AppendJsonString(out, name);
    out += ",\"LineNo\":" + QByteArray::number(m.LineNo) +
           ",\"Uni\":" + (m.isUnicode ? "true" : "false") +
           ",\"Utf8\":" + (m.isUtf8 ? "true" : "false") + "}";
}

// expected: the distribution's expectation, and index the bin's place in it;
// none without a baseline.
void AppendBin(TReportOutput& out, const TBin& bin, const TExpectedDistribution* expected,
               size_t index)
{
    out += "{\"caption\":";
    AppendJsonString(out, BinCaption(bin));
    out += ",\"BinType\":" + QByteArray::number(bin.BinType) +
           ",\"ValFrom\":" + QByteArray::number(bin.ValFrom) +
           ",\"ValTo\":" + QByteArray::number(bin.ValTo) +
           ",\"count\":" + QByteArray::number(bin.Count()) + ",\"matches\":[";
    for (int i = 0; i < bin.Count(); ++i) {
        if (i > 0)
            out += ',';
        AppendMatch(out, bin.GetMatch(i));
    }
    out += ']';
    if (expected) {
        out += ",\"expected\":" + JsonNumber(expected->Expected[index]) +
               ",\"residual\":" + JsonNumberOrNull(expected->Residual[index]);
    }
    out += '}';
}

void AppendBaseline(TReportOutput& out, const TBinSet& set, const TExpectedDistribution* expected)
{
    out += ",\"baseline\":";
    if (!expected) {
        out += "null";
        return;
    }
    out += "{\"counts\":[";
    for (size_t i = 0; i < set.Baseline.size(); ++i) {
        if (i > 0)
            out += ',';
        out += QByteArray::number(set.Baseline[i]);
    }
    out += "],\"chi2\":" + JsonNumber(expected->Chi2) + ",\"g2\":" + JsonNumber(expected->G2) +
           ",\"df\":" + QByteArray::number(expected->Df) +
           ",\"p_chi2\":" + JsonNumberOrNull(expected->PChi2) +
           ",\"p_g2\":" + JsonNumberOrNull(expected->PG2) +
           ",\"low_expected\":" + QByteArray::number(expected->LowExpected) + '}';
}

void AppendDistribution(TReportOutput& out, TDistribution kind, const TBinSet& set,
                        const TSearchResults& results)
{
    out += "{\"kind\":\"";
    out += KindName(kind);
    out += "\",\"title\":";
    AppendJsonString(out, DistributionTitle(results.Pattern, kind));
    out += ",\"mean\":";
    const std::optional<long double> mean = MeanOf(set);
    AppendJsonNumber(out, mean);
    out += ",\"median\":";
    AppendJsonNumber(out, mean ? std::optional<long double>(CalcMedian(set)) : std::nullopt);
    out += ",\"totals\":{\"TotalWords\":" + QByteArray::number(set.TotalWords) +
           ",\"TotalSentences\":" + QByteArray::number(set.TotalSentences) +
           ",\"TotalParagraphs\":" + QByteArray::number(set.TotalParagraphs) +
           ",\"TotalSections\":" + QByteArray::number(set.TotalSections) +
           ",\"TotalFiles\":" + QByteArray::number(set.TotalFiles) +
           ",\"TotalMatches\":" + QByteArray::number(set.TotalMatches) +
           ",\"TotalTexts\":" + QByteArray::number(set.TotalTexts) + "},\"bins\":[";
    const std::optional<TExpectedDistribution> expected = ReportedExpectation(results, set);
    const TExpectedDistribution* shown = expected ? &*expected : nullptr;
    for (size_t i = 0; i < set.FBins.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendBin(out, set.FBins[i], shown, i);
    }
    out += ']';
    if (results.Baseline)
        AppendBaseline(out, set, shown);
    out += '}';
}

void AppendPlainTable(QByteArray& out, const TBinSet& set, const TExpectedDistribution* expected)
{
    AppendLine(out,
               expected ? u"Position\tFrequency\tExpected\tResidual"_s : u"Position\tFrequency"_s);
    for (size_t i = 0; i < set.FBins.size(); ++i) {
        const TBin& bin = set.FBins[i];
        QString row = BinCaption(bin) + u'\t' + QString::number(bin.Count());
        if (expected) {
            row += u'\t' + ExpectedText(expected->Expected[i], u'.') + u'\t' +
                   ResidualText(expected->Residual[i], u'.');
        }
        AppendLine(out, row);
    }
}

} // namespace

QByteArray PlainReport(const TSearchResults& results)
{
    QByteArray out;
    for (TDistribution kind : AllDistributions) {
        const TBinSet* set = results.Bins ? results.Bins->Of(kind) : nullptr;
        if (!set)
            continue;
        AppendLine(out, DistributionTitle(results.Pattern, kind));
        if (set->Count() > 0)
            AppendLine(out, StatisticsLine(*set, u'.'));
        AppendLine(out, TotalsLine1(*set));
        AppendLine(out, TotalsLine2(*set));
        const std::optional<TExpectedDistribution> expected = ReportedExpectation(results, *set);
        if (expected) {
            AppendLine(out, TestLine(*expected, u'.'));
            const QString low = LowExpectedLine(*expected);
            if (!low.isEmpty())
                AppendLine(out, low);
        }
        AppendPlainTable(out, *set, expected ? &*expected : nullptr);
        out += '\n';
    }
    return out;
}

void WriteJsonReport(const TSearchResults& results, TReportOutput& out)
{
    out += "{\"errors\":[";
    for (qsizetype i = 0; i < results.Errors.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, results.Errors[i]);
    }
    out += "],\"distributions\":[";
    bool first = true;
    for (TDistribution kind : AllDistributions) {
        const TBinSet* set = results.Bins ? results.Bins->Of(kind) : nullptr;
        if (!set)
            continue;
        if (!first)
            out += ',';
        first = false;
        AppendDistribution(out, kind, *set, results);
    }
    out += "]}\n";
}
