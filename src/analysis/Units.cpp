#include "Units.h"

#include "TAppSettings.h"

#include <algorithm>

int PercentOf(std::int64_t w, std::int64_t n)
{
    if (n < 2)
        return 0;
    const std::int64_t numerator = (w - 1) * 100;
    const std::int64_t denominator = n - 1;
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) { // round the quotient towards minus infinity
        --quotient;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

TUnits::TUnits(const TAppSettings& settings, const TDistributionBins& bins)
    : ExclSentLessThan(settings.ExclSentLessThan)
    , ExclParaLessThan(settings.ExclParaLessThan)
    , ForwardBinsPreferred(settings.soForwardBinsPreffered)
    , Bins(bins)
    , Hits(bins.Hits ? bins.Hits : std::make_shared<THitTable>())
    , KeepsHits(bins.Sent || bins.Para || bins.Sect || bins.Text)
    , HitsPlaced(Hits->size())
    , Baseline(bins.Baselines, settings.ExclParaLessThan)
{}

void TUnits::EndSentence()
{
    if (!SentHasContent())
        return;
    FlushWord();
    const bool tooShort = ExclSentLessThan > 0 && SentWords < ExclSentLessThan;
    if (Baseline.Counting())
        Baseline.CloseSentence(OpenUnits(), tooShort);
    ++ParaSentNo;
    ++SectSentNo;
    ++TextSentNo;
    ++FileSentences;
    ++SentenceNo;
    if (tooShort)
        DropHitsFrom(From[size_t(TDistribution::Sentence)]);
    CloseUnit(TDistribution::Sentence);
    SentWords = 0;
    SentStart = Content;
    Baseline.BeginSentence();
}

void TUnits::EndParagraph()
{
    if (!ParaHasContent())
        return;
    FlushWord();
    ++FileParagraphs;
    // The sentences closed so far; an open last sentence is not counted here.
    if (ExclParaLessThan > 0 && ParaSentNo - 1 < ExclParaLessThan) {
        if (Baseline.Counting())
            Baseline.DropParagraph(OpenUnits());
        DropHitsFrom(From[size_t(TDistribution::Paragraph)]);
    }
    CloseUnit(TDistribution::Paragraph);
    EndSentence();
    ParaStart = Content;
    ParaSentNo = 1;
    ParaWords = 0;
    Baseline.BeginParagraph();
}

void TUnits::EndSection()
{
    if (!SectHasContent())
        return;
    FlushWord();
    ++FileSections;
    CloseUnit(TDistribution::Section);
    EndParagraph();
    SectSentNo = 1;
    SectWords = 0;
    SectStart = Content;
}

void TUnits::EndText()
{
    FlushWord();
    ++FileTexts;
    EndSection();
    CloseUnit(TDistribution::Text);
    TextSentNo = 1;
    TextWords = 0;
}

void TUnits::FinishCounts()
{
    FlushWord();
    if (!SentHasContent())
        --FileSentences;
    if (!ParaHasContent())
        --FileParagraphs;
}

void TUnits::PlaceRemaining(bool addTotals)
{
    for (TDistribution distribution : AllDistributions) {
        TBinSet* bins = Bins.Of(distribution);
        if (!bins)
            continue;
        PlacePendingHits(*bins, distribution);
        if (addTotals)
            AddTotals(*bins);
    }
    Baseline.Flush();
}

void TUnits::AddTotals(TBinSet& BinSet) const
{
    BinSet.TotalWords += FileWords;
    BinSet.TotalSentences += FileSentences;
    BinSet.TotalParagraphs += FileParagraphs;
    BinSet.TotalSections += FileSections;
    BinSet.TotalMatches += FileMatches;
    BinSet.TotalTexts += FileTexts;
}

void TUnits::CloseUnit(TDistribution distribution)
{
    if (TBinSet* bins = Bins.Of(distribution))
        PlacePendingHits(*bins, distribution);
    else
        From[static_cast<size_t>(distribution)] = PendingEnd();
}

TUnits::TExtent TUnits::ExtentOf(TDistribution distribution) const
{
    // The open sentence is its unit's last when it has content.
    const auto extent = [&](std::int64_t words, std::int64_t sentNo) {
        return TExtent{FileWords - words, words, SentenceNo - sentNo,
                       SentHasContent() ? sentNo : sentNo - 1};
    };
    switch (distribution) {
    case TDistribution::Sentence:
        return extent(SentWords, 1);
    case TDistribution::Paragraph:
        return extent(ParaWords, ParaSentNo);
    case TDistribution::Section:
        return extent(SectWords, SectSentNo);
    case TDistribution::Text:
        break;
    }
    return extent(TextWords, TextSentNo);
}

// The sentence distribution counts words from the end, the others sentences.
TPositions TUnits::PositionsOf(const TPendingHit& hit, const TExtent& extent, bool sentence)
{
    TPositions positions;
    positions.WordsFromBeginning = hit.Word - extent.FirstWord;
    positions.Percent =
        static_cast<std::int16_t>(PercentOf(positions.WordsFromBeginning, extent.Words));
    if (sentence) {
        positions.WordsFromEnd = extent.Words - positions.WordsFromBeginning + 1;
    } else {
        positions.SentecesFromBeginning = hit.Sentence - extent.FirstSentence;
        positions.SentecesFromEnd = extent.Sentences - positions.SentecesFromBeginning + 1;
    }
    return positions;
}

// The unit's hits are placed in order. Those that no other present bin set
// still waits for leave the list as they are placed, so that a long list
// never exists twice over.
void TUnits::PlacePendingHits(TBinSet& BinSet, TDistribution distribution)
{
    if (Baseline.Counting())
        Baseline.Place(distribution, OpenUnits());
    const bool sentence = distribution == TDistribution::Sentence;
    const TExtent extent = ExtentOf(distribution);
    std::int64_t kept = PendingEnd();
    for (TDistribution other : AllDistributions) {
        if (other != distribution && Bins.Of(other))
            kept = std::min(kept, From[static_cast<size_t>(other)]);
    }
    std::int64_t& from = From[static_cast<size_t>(distribution)];
    const std::int64_t end = PendingEnd();
    for (std::int64_t k = from; k < end; ++k) {
        const TPendingHit& hit = Pending[static_cast<size_t>(k - PendingBase)];
        BinSet.PlaceHit(Hits, hit.Hit, PositionsOf(hit, extent, sentence), !sentence,
                        ForwardBinsPreferred);
        HitsPlaced = std::max(HitsPlaced, hit.Hit + 1);
        if (k == PendingBase && k < kept) {
            Pending.pop_front();
            ++PendingBase;
        }
    }
    from = end;
}

// Dropped hits are always the newest: their records are the last of the
// table too, and are freed with them unless a bin set has taken one.
void TUnits::DropHitsFrom(std::int64_t first)
{
    first = std::max(first, PendingBase);
    if (first < PendingEnd()) {
        const size_t firstHit = Pending[static_cast<size_t>(first - PendingBase)].Hit;
        if (firstHit >= HitsPlaced)
            Hits->TruncateTo(firstHit);
        Pending.truncate(static_cast<size_t>(first - PendingBase));
    }
    for (std::int64_t& from : From)
        from = std::min(from, first);
}

TOpenUnits TUnits::OpenUnits() const
{
    return {SentWords,
            {SentWords, ParaWords, SectWords, TextWords},
            {0, ParaSentNo, SectSentNo, TextSentNo},
            SentHasContent()};
}
