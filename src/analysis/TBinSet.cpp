#include "TBinSet.h"

#include "Error.h"
#include "SettingsLimits.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

void TBinSet::PreparePercentageBins(int Number)
{
    // Fewer than one bin would divide by zero, and more than 100 would be
    // bins no percentage falls into.
    if (!PercentBinsRange.Holds(Number))
        throw TError(u"The number of percentage bins must be from 1 to %1."_s.arg(MaxPercentBins));
    Clear();
    const int width = 100 / Number;
    for (int i = 0; i + 1 < Number; ++i) {
        TBin& bin = FBins.emplace_back();
        bin.ValFrom = i == 0 ? 0 : width * i + 1;
        bin.ValTo = width * (i + 1);
    }
    const std::int64_t from = FBins.empty() ? 0 : FBins.back().ValTo + 1;
    TBin& last = FBins.emplace_back();
    last.ValFrom = from;
    last.ValTo = 100;
}

namespace {

// A 32-bit number, so that the one that a from-end bin adds fits the 64 bits
// of a bin's position.
std::int64_t ToInteger(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw TConversionError(u"'%1' is not a valid integer value"_s.arg(text));
    return value;
}

} // namespace

void TBinSet::PrepareBinsFromString(const QString& Positions)
{
    Clear();
    for (const QString& token : Positions.split(u' ', Qt::SkipEmptyParts)) {
        TBin& bin = FBins.emplace_back();
        if (token.compare(u"OTHER"_s, Qt::CaseInsensitive) == 0) {
            bin.BinType = btOther;
        } else if (token.endsWith(u'#')) {
            bin.BinType = btPosFromEnd;
            bin.ValFrom = token.size() == 1 ? 1 : ToInteger(token.chopped(1)) + 1;
        } else {
            bin.BinType = btPosFromBegin;
            bin.ValFrom = ToInteger(token);
        }
    }
}

// The first pass looks at percentage bins, Other bins and position bins of the
// preferred kind; the second, only when nothing took the match, at position
// bins of the other kind; the last Other bin takes what is left.
int TBinSet::BinIndexFor(std::int64_t Percent, std::int64_t FromBeginning, std::int64_t FromEnd,
                         bool ForwardPreferred) const
{
    const TBinType second = ForwardPreferred ? btPosFromEnd : btPosFromBegin;
    const auto takes = [&](const TBin& bin) {
        switch (bin.BinType) {
        case btPrecentage:
            return bin.ValFrom <= Percent && Percent <= bin.ValTo;
        case btPosFromBegin:
            return FromBeginning == bin.ValFrom;
        case btPosFromEnd:
            return FromEnd == bin.ValFrom;
        case btOther:
            break;
        }
        return false;
    };
    int other = -1;
    for (int i = 0; i < Count(); ++i) {
        const TBin& bin = FBins[static_cast<size_t>(i)];
        if (bin.BinType == btOther)
            other = i;
        else if (bin.BinType != second && takes(bin))
            return i;
    }
    for (int i = 0; i < Count(); ++i) {
        if (FBins[static_cast<size_t>(i)].BinType == second && takes(FBins[static_cast<size_t>(i)]))
            return i;
    }
    return other;
}

void TBinSet::PlaceMatchIntoCorespodingBin(const TMatch& Match, bool UseSentences,
                                           bool ForwardPreferred)
{
    const int index = BinIndexFor(Match.Percent, Match.FromBeginning(UseSentences),
                                  Match.FromEnd(UseSentences), ForwardPreferred);
    if (index >= 0)
        GetBin(index).AddMatch(Match);
}

void TBinSet::CopyTo(TBinSet& BinSet) const
{
    BinSet.Clear();
    for (const TBin& bin : FBins)
        bin.CopyTo(BinSet.FBins.emplace_back());
    BinSet.TotalWords = TotalWords;
    BinSet.TotalSentences = TotalSentences;
    BinSet.TotalParagraphs = TotalParagraphs;
    BinSet.TotalSections = TotalSections;
    BinSet.TotalFiles = TotalFiles;
    BinSet.TotalMatches = TotalMatches;
    BinSet.TotalTexts = TotalTexts;
    BinSet.Baseline = Baseline;
}

bool TBinSet::SameBins(const TBinSet& other) const
{
    const auto same = [](const TBin& a, const TBin& b) {
        return a.BinType == b.BinType && a.ValFrom == b.ValFrom && a.ValTo == b.ValTo;
    };
    return std::equal(FBins.begin(), FBins.end(), other.FBins.begin(), other.FBins.end(), same) &&
           (other.Baseline.empty() || Baseline.empty() || Baseline.size() == other.Baseline.size());
}

bool TBinSet::HasMatches() const
{
    return std::any_of(FBins.begin(), FBins.end(),
                       [](const TBin& bin) { return !bin.Matches.empty(); });
}

// The hits of other go over once, into the table where this bin set keeps
// those of its first matches, however many bins refer to them.
void TBinSet::Append(TBinSet&& other, std::span<const int> fileNames)
{
    if (!SameBins(other))
        throw TError(u"The results to be merged have other bins."_s);
    THitTransfer transfer;
    for (const TBin& bin : other.FBins) {
        if (!bin.Matches.empty()) {
            transfer.From = bin.Matches.Hits().get();
            break;
        }
    }
    if (transfer.From) {
        for (const TBin& bin : FBins) {
            if (!bin.Matches.empty()) {
                transfer.To = bin.Matches.Hits();
                break;
            }
        }
        if (!transfer.To || transfer.To.get() == transfer.From)
            transfer.To = std::make_shared<THitTable>();
        transfer.Offset = transfer.To->size();
        transfer.Unlisted = transfer.To->AppendMapped(*transfer.From, fileNames);
    }
    Append(std::move(other), fileNames, transfer);
}

void TBinSet::Append(TBinSet&& other, std::span<const int> fileNames, const THitTransfer& transfer)
{
    for (size_t i = 0; i < FBins.size(); ++i)
        FBins[i].Matches.Append(std::move(other.FBins[i].Matches), transfer, fileNames);
    if (Baseline.empty())
        Baseline = std::move(other.Baseline);
    else
        for (size_t i = 0; i < other.Baseline.size(); ++i)
            Baseline[i] += other.Baseline[i];
    other.Baseline.clear();
    TotalWords += other.TotalWords;
    TotalSentences += other.TotalSentences;
    TotalParagraphs += other.TotalParagraphs;
    TotalSections += other.TotalSections;
    TotalFiles += other.TotalFiles;
    TotalMatches += other.TotalMatches;
    TotalTexts += other.TotalTexts;
}
