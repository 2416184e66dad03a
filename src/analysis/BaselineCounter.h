// Places words into the baseline of one distribution's bin set as hits of just
// those words would be placed: by the bin set's own placement, with each word's
// position in its unit and its percentage. Words arrive as runs of
// consecutive words of one sentence, so that a unit of a million words costs
// no more than one placement per percentage value or position bin it spans.
#pragma once

#include <cstdint>
#include <vector>

class TBinSet;

class TBaselineCounter {
public:
    // useSentences: positions are sentence numbers (paragraph, section and
    // text distributions). The bin set's baseline gets one count per bin.
    TBaselineCounter(TBinSet& binSet, bool useSentences, bool forwardPreferred);

    // Places the words first to last (counted from 1 in their unit) of
    // sentence `sentence` of a unit that has `words` words and `sentences`
    // sentences in the end.
    void Place(std::int64_t first, std::int64_t last, std::int64_t sentence, std::int64_t words,
               std::int64_t sentences);
    // Whether a word's bin depends on its sentence alone (positions of
    // sentences, no percentages), so that the words of a sentence far enough
    // from both ends of its unit can be placed before the unit ends.
    bool SettlesEarly() const { return UseSentences && !HasPercentBins; }
    // Places count words of sentence `sentence`, which lies more than
    // MaxFromEnd() sentences before the last of its unit.
    void PlaceSettled(std::int64_t count, std::int64_t sentence);
    // The sentences from a unit's end that its from-end bins can tell apart.
    std::int64_t MaxFromEnd() const { return MaxEnd; }
    // Whether a word's bin is the same whatever sentence of its unit it lies in.
    bool SentenceBlind() const { return !UseSentences || !HasPositionBins; }

    // Adds the units held back as counts of their lengths to the baseline.
    void Flush();

private:
    void Add(int bin, std::int64_t count);
    int BinOfSentence(std::int64_t sentence, std::int64_t fromEnd) const;
    // Places the run a stretch at a time, each stretch a run of words that
    // share one bin for certain.
    void PlaceStretches(std::int64_t first, std::int64_t last, std::int64_t sentence,
                        std::int64_t words, std::int64_t sentences,
                        std::vector<std::int64_t>& counts) const;
    // The last word after `word` whose position from the beginning and from
    // the end fit the same position bins as its own.
    std::int64_t LastOfSamePositions(std::int64_t word, std::int64_t words) const;
    const std::vector<std::int64_t>& UnitRow(std::int64_t words);
    // Words of a unit whose bins know percentages but no positions: the runs
    // of one unit arrive in order, so most of them lie in the percentage
    // group of the run before.
    void PlaceByPercent(std::int64_t first, std::int64_t last, std::int64_t words);

    TBinSet& BinSet;
    const bool UseSentences;
    const bool ForwardPreferred;
    bool HasPercentBins = false;
    bool HasPositionBins = false;
    std::int64_t MaxBegin = 0; // the highest position of a from-beginning bin
    std::int64_t MaxEnd = 0;   // of a from-end bin
    int MiddleBin = -1;        // the bin of a sentence beyond both
    // Whole units up to this many words depend on their length alone: they
    // are counted by length and placed once per length.
    static constexpr std::int64_t RowWords = 1024;
    std::vector<std::int64_t> UnitsOfLength;
    std::vector<std::vector<std::int64_t>> Rows; // per length, once placed
    struct {
        std::int64_t Words = -1;
        std::int64_t First = 0;
        std::int64_t Last = -1;
        int Bin = -1;
    } Group; // words First to Last of a unit of Words words share Bin
};

// (w - 1) / (n - 1) * 100 is the same percentage for words w to the result.
// REQUIRES: 1 <= w <= n.
std::int64_t LastWordOfPercent(std::int64_t w, std::int64_t n);
