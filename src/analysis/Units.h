// The books of the four nested units that a hit is measured in during the
// analysis of one file: the open sentence, paragraph, section and text. Counts
// words and sentences, keeps each unit's hits waiting until the unit closes,
// drops the hits of units that are too short, completes the hits' positions
// from the end and their percentages, and places them into the bin sets.
// A hit waits once for all four units: as they are nested, the hits of each
// are the newest of one list, from the unit's first on.
#pragma once

#include "BaselineBooks.h"
#include "Distribution.h"
#include "TBinSet.h"

#include <array>
#include <cstdint>
#include <memory>

class TAppSettings;

// (w - 1) / (n - 1) * 100 rounded to the nearest integer, an exact half to the
// even neighbour; 0 when n < 2. Computed exactly in integers: w - 1 below n
// words of a unit is far from the limit of 64 bits even when multiplied by 100.
int PercentOf(std::int64_t w, std::int64_t n);

class TUnits {
public:
    TUnits(const TAppSettings& settings, const TDistributionBins& bins);

    // The word being read. Only whether it is empty and whether it holds a
    // character above U+0020 matters, so no characters are kept.
    void AppendToWord(char16_t c)
    {
        WordBufNotEmpty = true;
        WordBufHasText |= c > 0x20;
    }
    bool WordBufEmpty() const { return !WordBufNotEmpty; }

    // Counts the word being read in the file and every open unit, unless it
    // holds only characters up to U+0020; then empties it.
    void FlushWord()
    {
        if (WordBufHasText) {
            ++FileWords;
            ++SentWords;
            ++ParaWords;
            ++SectWords;
            ++TextWords;
        }
        WordBufNotEmpty = WordBufHasText = false;
    }

    // A non-blank body character of the open sentence, paragraph and section.
    void CountContent() { ++Content; }

    // Records a hit whose common fields (offsets, file, encoding, line) are in
    // hit, in the word that is openWords words after the last counted one.
    void RegisterHit(const TMatch& hit, int openWords)
    {
        ++FileMatches;
        if (KeepsHits)
            Pending.push_back({Hits->Add(THitRecord::Of(hit)), FileWords + openWords, SentenceNo});
    }

    void EndSentence();
    void EndParagraph();
    void EndSection();
    void EndText();

    // The end of the file: counts the word being read and uncounts the open
    // sentence and paragraph when they have no content.
    void FinishCounts();
    // Places the hits still waiting in every present bin set and, when
    // addTotals, adds the file's totals to it.
    void PlaceRemaining(bool addTotals);

    // Adds the file's totals to BinSet (TotalFiles stays as it is).
    void AddTotals(TBinSet& BinSet) const;

    std::int64_t FileWords = 0;
    std::int64_t FileSentences = 1;
    std::int64_t FileParagraphs = 1;
    std::int64_t FileSections = 1;
    std::int64_t FileTexts = 1;
    std::int64_t FileMatches = 0;

private:
    // A hit waiting for its units to close: its index in Hits, and the word
    // and sentence of the file it lies in, from which its positions in each
    // unit follow.
    struct TPendingHit {
        size_t Hit;
        std::int64_t Word;
        std::int64_t Sentence;
    };
    // What the positions of a unit's hits are counted from.
    struct TExtent {
        std::int64_t FirstWord;     // the file's word count when the unit began
        std::int64_t Words;         // the unit's words
        std::int64_t FirstSentence; // SentenceNo when the unit began, less 1
        std::int64_t Sentences;     // the unit's sentences
    };

    void CloseUnit(TDistribution distribution);
    void PlacePendingHits(TBinSet& BinSet, TDistribution distribution);
    TExtent ExtentOf(TDistribution distribution) const;
    static TPositions PositionsOf(const TPendingHit& hit, const TExtent& extent, bool sentence);
    // Forgets the hits from the one registered as number first of the file
    // on.
    void DropHitsFrom(std::int64_t first);
    std::int64_t PendingEnd() const
    {
        return PendingBase + static_cast<std::int64_t>(Pending.size());
    }
    TOpenUnits OpenUnits() const;

    const int ExclSentLessThan;
    const int ExclParaLessThan;
    const bool ForwardBinsPreferred;
    const TDistributionBins Bins;

    bool WordBufNotEmpty = false;
    bool WordBufHasText = false;

    std::int64_t SentWords = 0, ParaWords = 0, SectWords = 0, TextWords = 0;
    std::int64_t ParaSentNo = 1, SectSentNo = 1, TextSentNo = 1;
    // Non-blank body characters counted so far, and the count when the open
    // sentence, paragraph and section began: a unit has content when the count
    // has grown since.
    std::int64_t Content = 0;
    std::int64_t SentStart = 0, ParaStart = 0, SectStart = 0;
    bool SentHasContent() const { return Content != SentStart; }
    bool ParaHasContent() const { return Content != ParaStart; }
    bool SectHasContent() const { return Content != SectStart; }

    // The number of the open sentence in the file, counted as the sentence
    // numbers of the open units are.
    std::int64_t SentenceNo = 1;

    // Where the hits are kept once for all bin sets.
    const std::shared_ptr<THitTable> Hits;
    // Without a bin set no hit is kept: it could never be placed.
    const bool KeepsHits;
    // The hits waiting for a unit to close, oldest first. Hits are numbered
    // in the order they were registered, dropped ones not counted; Pending
    // begins with number PendingBase, and the open unit of each distribution
    // holds the hits from number From[distribution] on. The hits before the
    // oldest open unit of a present bin set are gone.
    TBlockList<TPendingHit> Pending;
    std::int64_t PendingBase = 0;
    std::array<std::int64_t, 4> From{};
    // One more than the highest index in Hits of a placed hit: the records
    // from there on belong to hits still waiting.
    size_t HitsPlaced;

    // The words of the open units, kept for the baselines as the hits are.
    TBaselineBooks Baseline;
};
