// The four distributions of a search and the bin sets that one search fills.
#pragma once

#include "BaselineCounter.h"
#include "TBinSet.h"

#include <QString>

#include <array>
#include <memory>
#include <span>
#include <utility>

class TAppSettings;

// In the order in which results are listed: sentence, paragraph, section, text.
enum class TDistribution { Sentence, Paragraph, Section, Text };

constexpr std::array<TDistribution, 4> AllDistributions = {
    TDistribution::Sentence, TDistribution::Paragraph, TDistribution::Section, TDistribution::Text};

// The bin sets of one search; an absent one stands for a distribution that was
// not requested.
struct TDistributionBins {
    TBinSet* Sent = nullptr;
    TBinSet* Para = nullptr;
    TBinSet* Sect = nullptr;
    TBinSet* Text = nullptr;
    // Where the words of the text are placed for each bin set's baseline;
    // absent where the baseline is not counted.
    std::array<TBaselineCounter*, 4> Baselines{};
    // Where the bin sets keep the hits that they share (TMatchList); an
    // analysis without it keeps them in a table of its own.
    std::shared_ptr<THitTable> Hits;

    TBinSet* Of(TDistribution distribution) const;
};

// Owns the bin sets of one search.
class TSearchBins {
public:
    TSearchBins() = default;
    // A bin set for each requested distribution, with the bins that the settings
    // describe: percentage bins when its type is 1, else a list of positions.
    // Throws TError or TConversionError for bin settings that make no bins.
    TSearchBins(const TAppSettings& settings, const std::array<bool, 4>& requested);

    // From now on every bin set also counts its baseline, from 0.
    void CountBaselines(bool forwardPreferred);

    TDistributionBins Bins() const;
    // The same distributions with the same bins, no matches, totals 0 and no
    // baseline.
    TSearchBins Blank() const;
    // Adds the results of other, made with the same bins, to each bin set
    // (TBinSet::Append). Throws TError when the distributions or bins differ.
    // While no bin set has a match, the bin sets take other's storage over.
    void Append(TSearchBins&& other, std::span<const int> fileNames);
    TBinSet* Of(TDistribution distribution) const
    {
        return Sets[static_cast<size_t>(distribution)].get();
    }
    // Hands the bin set of distribution over to the caller; absent afterwards.
    std::unique_ptr<TBinSet> Take(TDistribution distribution)
    {
        return std::move(Sets[static_cast<size_t>(distribution)]);
    }

private:
    bool HasMatches() const;

    std::array<std::unique_ptr<TBinSet>, 4> Sets;
    std::array<std::unique_ptr<TBaselineCounter>, 4> Counters;
    // Each hit once, for the matches of all four bin sets.
    std::shared_ptr<THitTable> Hits;
};
