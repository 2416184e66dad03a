#include "BaselineCounter.h"

#include "TBinSet.h"
#include "Units.h"

#include <algorithm>
#include <limits>

std::int64_t LastWordOfPercent(std::int64_t w, std::int64_t n)
{
    if (n < 2)
        return n;
    // Percentage p takes the words w whose 100 (w - 1) / (n - 1) lies below
    // p + 1/2, or on it when p is even: the half rounds to the even side.
    const std::int64_t p = PercentOf(w, n);
    const std::int64_t halfAbove = (2 * p + 1) * (n - 1);
    std::int64_t last = halfAbove / 200;
    if (halfAbove % 200 == 0 && p % 2 != 0)
        --last;
    return std::min(last + 1, n);
}

TBaselineCounter::TBaselineCounter(TBinSet& binSet, bool useSentences, bool forwardPreferred)
    : BinSet(binSet)
    , UseSentences(useSentences)
    , ForwardPreferred(forwardPreferred)
{
    BinSet.Baseline.assign(static_cast<size_t>(BinSet.Count()), 0);
    for (const TBin& bin : BinSet.FBins) {
        HasPercentBins |= bin.BinType == btPrecentage;
        HasPositionBins |= bin.BinType == btPosFromBegin || bin.BinType == btPosFromEnd;
        if (bin.BinType == btPosFromBegin)
            MaxBegin = std::max(MaxBegin, bin.ValFrom);
        if (bin.BinType == btPosFromEnd)
            MaxEnd = std::max(MaxEnd, bin.ValFrom);
    }
    MiddleBin = BinSet.BinIndexFor(0, MaxBegin + 1, MaxEnd + 1, ForwardPreferred);
}

void TBaselineCounter::Add(int bin, std::int64_t count)
{
    if (bin >= 0)
        BinSet.Baseline[static_cast<size_t>(bin)] += count;
}

// Beyond every position that a bin names, all sentences share one bin.
int TBaselineCounter::BinOfSentence(std::int64_t sentence, std::int64_t fromEnd) const
{
    if (sentence > MaxBegin && fromEnd > MaxEnd)
        return MiddleBin;
    return BinSet.BinIndexFor(0, sentence, fromEnd, ForwardPreferred);
}

void TBaselineCounter::Place(std::int64_t first, std::int64_t last, std::int64_t sentence,
                             std::int64_t words, std::int64_t sentences)
{
    if (first > last)
        return;
    if (SettlesEarly()) {
        Add(BinOfSentence(sentence, sentences - sentence + 1), last - first + 1);
        return;
    }
    if (first == 1 && last == words && words <= RowWords && SentenceBlind()) {
        UnitsOfLength.resize(std::max<size_t>(UnitsOfLength.size(), words + 1));
        ++UnitsOfLength[static_cast<size_t>(words)];
        return;
    }
    if (UseSentences && !HasPositionBins)
        PlaceByPercent(first, last, words);
    else
        PlaceStretches(first, last, sentence, words, sentences, BinSet.Baseline);
}

void TBaselineCounter::PlaceByPercent(std::int64_t first, std::int64_t last, std::int64_t words)
{
    for (std::int64_t word = first; word <= last;) {
        if (Group.Words != words || word < Group.First || word > Group.Last)
            Group = {words, word, LastWordOfPercent(word, words),
                     BinSet.BinIndexFor(PercentOf(word, words), 0, 0, ForwardPreferred)};
        const std::int64_t end = std::min(last, Group.Last);
        Add(Group.Bin, end - word + 1);
        word = end + 1;
    }
}

void TBaselineCounter::PlaceSettled(std::int64_t count, std::int64_t sentence)
{
    Add(BinOfSentence(sentence, MaxEnd + 1), count);
}

std::int64_t TBaselineCounter::LastOfSamePositions(std::int64_t word, std::int64_t words) const
{
    std::int64_t last = std::numeric_limits<std::int64_t>::max();
    const auto before = [&](std::int64_t named) {
        if (word < named)
            last = std::min(last, named - 1);
        else if (word == named)
            last = word;
    };
    for (const TBin& bin : BinSet.FBins) {
        if (bin.BinType == btPosFromBegin)
            before(bin.ValFrom);
        else if (bin.BinType == btPosFromEnd)
            before(words - bin.ValFrom + 1);
    }
    return last;
}

void TBaselineCounter::PlaceStretches(std::int64_t first, std::int64_t last, std::int64_t sentence,
                                      std::int64_t words, std::int64_t sentences,
                                      std::vector<std::int64_t>& counts) const
{
    for (std::int64_t word = first; word <= last;) {
        std::int64_t end = last;
        if (HasPercentBins)
            end = std::min(end, LastWordOfPercent(word, words));
        if (!UseSentences && HasPositionBins)
            end = std::min(end, LastOfSamePositions(word, words));
        const std::int64_t fromBeginning = UseSentences ? sentence : word;
        const std::int64_t fromEnd = UseSentences ? sentences - sentence + 1 : words - word + 1;
        const int bin =
            BinSet.BinIndexFor(PercentOf(word, words), fromBeginning, fromEnd, ForwardPreferred);
        if (bin >= 0)
            counts[static_cast<size_t>(bin)] += end - word + 1;
        word = end + 1;
    }
}

const std::vector<std::int64_t>& TBaselineCounter::UnitRow(std::int64_t words)
{
    Rows.resize(std::max<size_t>(Rows.size(), words + 1));
    std::vector<std::int64_t>& row = Rows[static_cast<size_t>(words)];
    if (row.empty()) {
        row.assign(BinSet.Baseline.size(), 0);
        PlaceStretches(1, words, 1, words, 1, row);
    }
    return row;
}

void TBaselineCounter::Flush()
{
    for (size_t words = 1; words < UnitsOfLength.size(); ++words) {
        const std::int64_t units = std::exchange(UnitsOfLength[words], 0);
        if (units == 0)
            continue;
        const std::vector<std::int64_t>& row = UnitRow(static_cast<std::int64_t>(words));
        for (size_t bin = 0; bin < row.size(); ++bin)
            BinSet.Baseline[bin] += units * row[bin];
    }
}
