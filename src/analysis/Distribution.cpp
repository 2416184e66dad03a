#include "Distribution.h"

#include "Error.h"
#include "TAppSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

TBinSet* TDistributionBins::Of(TDistribution distribution) const
{
    switch (distribution) {
    case TDistribution::Sentence:
        return Sent;
    case TDistribution::Paragraph:
        return Para;
    case TDistribution::Section:
        return Sect;
    case TDistribution::Text:
        return Text;
    }
    return nullptr;
}

TSearchBins::TSearchBins(const TAppSettings& settings, const std::array<bool, 4>& requested)
    : Hits(std::make_shared<THitTable>())
{
    struct TBinSettings {
        int Type;
        int PercentBins;
        const QString& Positions;
    };
    const std::array<TBinSettings, 4> binSettings = {{
        {settings.SentType, settings.SentPercentBins, settings.SentPositions},
        {settings.ParaType, settings.ParaPercentBins, settings.ParaPositions},
        {settings.SectType, settings.SectPercentBins, settings.SectPositions},
        {settings.TextType, settings.TextPercentBins, settings.TextPositions},
    }};
    for (size_t i = 0; i < Sets.size(); ++i) {
        if (!requested[i])
            continue;
        Sets[i] = std::make_unique<TBinSet>();
        if (binSettings[i].Type == 1)
            Sets[i]->PreparePercentageBins(binSettings[i].PercentBins);
        else
            Sets[i]->PrepareBinsFromString(binSettings[i].Positions);
    }
}

void TSearchBins::CountBaselines(bool forwardPreferred)
{
    for (TDistribution distribution : AllDistributions) {
        const auto i = static_cast<size_t>(distribution);
        if (Sets[i])
            Counters[i] = std::make_unique<TBaselineCounter>(
                *Sets[i], distribution != TDistribution::Sentence, forwardPreferred);
    }
}

TDistributionBins TSearchBins::Bins() const
{
    return {Sets[0].get(),
            Sets[1].get(),
            Sets[2].get(),
            Sets[3].get(),
            {Counters[0].get(), Counters[1].get(), Counters[2].get(), Counters[3].get()},
            Hits};
}

TSearchBins TSearchBins::Blank() const
{
    TSearchBins blank;
    blank.Hits = std::make_shared<THitTable>();
    for (size_t i = 0; i < Sets.size(); ++i) {
        if (!Sets[i])
            continue;
        blank.Sets[i] = std::make_unique<TBinSet>();
        for (const TBin& bin : Sets[i]->FBins) {
            TBin& copy = blank.Sets[i]->FBins.emplace_back();
            copy.BinType = bin.BinType;
            copy.ValFrom = bin.ValFrom;
            copy.ValTo = bin.ValTo;
        }
    }
    return blank;
}

bool TSearchBins::HasMatches() const
{
    return std::any_of(Sets.begin(), Sets.end(),
                       [](const auto& set) { return set && set->HasMatches(); });
}

// The hits of other go over once for all four bin sets: while this search has
// no match, its bin sets take other's table itself, else a copy is added to
// theirs.
void TSearchBins::Append(TSearchBins&& other, std::span<const int> fileNames)
{
    for (size_t i = 0; i < Sets.size(); ++i) {
        if (!Sets[i] != !other.Sets[i])
            throw TError(u"The results to be merged have other distributions."_s);
        if (Sets[i] && !Sets[i]->SameBins(*other.Sets[i]))
            throw TError(u"The results to be merged have other bins."_s);
    }
    THitTransfer transfer;
    if (other.Hits) {
        transfer.From = other.Hits.get();
        if (!HasMatches()) {
            transfer.Unlisted = other.Hits->MapFiles(fileNames);
            Hits = other.Hits;
        } else {
            if (!Hits)
                Hits = std::make_shared<THitTable>();
            transfer.Offset = Hits->size();
            transfer.Unlisted = Hits->AppendMapped(*other.Hits, fileNames);
        }
        transfer.To = Hits;
    }
    for (size_t i = 0; i < Sets.size(); ++i) {
        if (Sets[i])
            Sets[i]->Append(std::move(*other.Sets[i]), fileNames, transfer);
    }
}
