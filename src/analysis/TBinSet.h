// One distribution: an ordered list of bins and the totals counted over the
// corpus. The search prepares the bins from the settings; the analysis places
// hits into them and adds each file's totals.
#pragma once

#include "TBin.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TXmlNode;

class TBinSet {
public:
    std::vector<TBin> FBins;
    std::int64_t TotalWords = 0;
    std::int64_t TotalSentences = 0;
    std::int64_t TotalParagraphs = 0;
    std::int64_t TotalSections = 0;
    std::int64_t TotalFiles = 0; // kept and stored, never counted
    std::int64_t TotalMatches = 0;
    std::int64_t TotalTexts = 0;
    // The baseline, one count per bin: every word (every character when
    // characters are counted) of the analysed text placed as a hit of just
    // that word would be. Empty when it was not counted. It belongs to the
    // results, not to the bin-set XML form.
    std::vector<std::int64_t> Baseline;

    // The same bins with the same matches, the same totals and baseline.
    bool operator==(const TBinSet&) const = default;

    // Frees the bins and their matches, and the baseline that belongs to
    // them; the totals stay.
    void Clear()
    {
        FBins.clear();
        Baseline.clear();
    }

    // Replaces the bins by Number percentage bins of equal width; the last bin
    // takes the remainder. Throws TError when Number is outside 1 to
    // MaxPercentBins.
    void PreparePercentageBins(int Number);
    // Replaces the bins by those of a list of positions such as
    // "1 2 Other 1# #". Throws TConversionError for a token that is neither
    // "Other", nor a 32-bit integer, nor one followed by "#".
    void PrepareBinsFromString(const QString& Positions);

    int Count() const { return static_cast<int>(FBins.size()); }
    TBin& GetBin(int index) { return FBins[static_cast<size_t>(index)]; }
    const TBin& GetBin(int index) const { return FBins[static_cast<size_t>(index)]; }

    // Puts a copy of Match into at most one bin. UseSentences: positions are
    // sentence numbers (paragraph, section and text distributions) rather than
    // word positions. ForwardPreferred: a position that fits bins of both kinds
    // goes to a from-beginning bin rather than a from-end bin.
    void PlaceMatchIntoCorespodingBin(const TMatch& Match, bool UseSentences,
                                      bool ForwardPreferred);
    // Places the match of the hit at index hit of table with these positions
    // as PlaceMatchIntoCorespodingBin places a match.
    void PlaceHit(const std::shared_ptr<THitTable>& table, size_t hit, const TPositions& positions,
                  bool UseSentences, bool ForwardPreferred)
    {
        const int index = BinIndexFor(
            positions.Percent,
            UseSentences ? positions.SentecesFromBeginning : positions.WordsFromBeginning,
            UseSentences ? positions.SentecesFromEnd : positions.WordsFromEnd, ForwardPreferred);
        if (index >= 0)
            GetBin(index).Matches.AddHit(table, hit, positions);
    }
    // The index of the bin that takes a hit with these positions (the
    // position counted from the beginning and from the end are those that the
    // distribution compares: words or sentences), or -1 when none does.
    int BinIndexFor(std::int64_t Percent, std::int64_t FromBeginning, std::int64_t FromEnd,
                    bool ForwardPreferred) const;

    // Makes BinSet a deep copy: its bins are replaced and all seven totals
    // and the baseline copied.
    void CopyTo(TBinSet& BinSet) const;

    // Adds the results of other, a bin set with the same bins: its matches at
    // the end of the matching bins, its totals and its baseline. A match's
    // file index i becomes fileNames[i]. Throws TError when the bins differ
    // or an index lies outside fileNames; other is left empty.
    void Append(TBinSet&& other, std::span<const int> fileNames);
    // The same, with the hits of transfer.From already carried over
    // (TMatchList::Append). REQUIRES: SameBins(other).
    void Append(TBinSet&& other, std::span<const int> fileNames, const THitTransfer& transfer);
    // Whether other has the same bins (types and values) and a baseline that
    // can be added to this one's.
    bool SameBins(const TBinSet& other) const;
    bool HasMatches() const;

    // The bin set as the content of node: one child "Bin" per bin and the
    // totals as attributes. Reading appends a bin for every child, whatever
    // its name, so it is meant for a new bin set. It takes two steps, so that
    // a whole workspace can be checked before the file-name cache changes:
    // FromXml keeps each match's saved file index, an index in the file list
    // saved with it, and throws TError for a value that does not convert or
    // an index outside the savedFileCount entries of that list;
    // MapSavedFileNames then turns the saved indexes into indexes of the same
    // names in FileNameCache.
    void ToXml(TXmlNode& node) const;
    void FromXml(const TXmlNode& node, int savedFileCount);
    void MapSavedFileNames(const QStringList& savedNames);
};
