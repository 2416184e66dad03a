#include "Units.h"

#include "TAppSettings.h"

#include <algorithm>

namespace {

void TrimTo(TMatchList& list, size_t count)
{
    while (list.size() > count)
        list.pop_back();
}

} // namespace

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
    , Baseline(bins.Baselines, settings.ExclParaLessThan)
{}

void TUnits::RegisterHit(const TMatch& hit, int openWords)
{
    ++FileMatches;
    const auto add = [&](TDistribution distribution, std::int64_t words, std::int64_t sentence) {
        TMatchList* pending = PendingOf(distribution);
        if (!pending)
            return;
        TMatch& match = pending->push_back(hit);
        match.WordsFromBeginning = words + openWords;
        match.SentecesFromBeginning = sentence;
    };
    add(TDistribution::Sentence, SentWords, 0);
    add(TDistribution::Paragraph, ParaWords, ParaSentNo);
    add(TDistribution::Section, SectWords, SectSentNo);
    add(TDistribution::Text, TextWords, TextSentNo);
}

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
    if (tooShort)
        DropSentenceHits();
    if (Bins.Sent)
        PlacePendingHits(SentPending, *Bins.Sent, TDistribution::Sentence);
    SentWords = 0;
    SentStart = Content;
    Baseline.BeginSentence();
    ParaPendingAtSentence = ParaPending.size();
    SectPendingAtSentence = SectPending.size();
    TextPendingAtSentence = TextPending.size();
}

void TUnits::EndParagraph()
{
    if (!ParaHasContent())
        return;
    FlushWord();
    ++FileParagraphs;
    // The sentences closed so far; an open last sentence is not counted here.
    if (ExclParaLessThan > 0 && ParaSentNo - 1 < ExclParaLessThan)
        DropParagraphHits();
    if (Bins.Para)
        PlacePendingHits(ParaPending, *Bins.Para, TDistribution::Paragraph);
    EndSentence();
    ParaStart = Content;
    ParaSentNo = 1;
    ParaWords = 0;
    SectPendingAtParagraph = SectPending.size();
    TextPendingAtParagraph = TextPending.size();
    Baseline.BeginParagraph();
}

void TUnits::EndSection()
{
    if (!SectHasContent())
        return;
    FlushWord();
    ++FileSections;
    if (Bins.Sect)
        PlacePendingHits(SectPending, *Bins.Sect, TDistribution::Section);
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
    if (Bins.Text)
        PlacePendingHits(TextPending, *Bins.Text, TDistribution::Text);
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
        PlacePendingHits(*PendingOf(distribution), *bins, distribution);
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

void TUnits::CompletePositions(TMatch& match, TDistribution distribution) const
{
    // The open sentence is its unit's last when it has content.
    const auto sentences = [&](std::int64_t sentNo) {
        return SentHasContent() ? sentNo : sentNo - 1;
    };
    switch (distribution) {
    case TDistribution::Sentence:
        match.WordsFromEnd = SentWords - match.WordsFromBeginning + 1;
        match.Percent = PercentOf(match.WordsFromBeginning, SentWords);
        return;
    case TDistribution::Paragraph:
        match.SentecesFromEnd = sentences(ParaSentNo) - match.SentecesFromBeginning + 1;
        match.Percent = PercentOf(match.WordsFromBeginning, ParaWords);
        return;
    case TDistribution::Section:
        match.SentecesFromEnd = sentences(SectSentNo) - match.SentecesFromBeginning + 1;
        match.Percent = PercentOf(match.WordsFromBeginning, SectWords);
        return;
    case TDistribution::Text:
        match.SentecesFromEnd = sentences(TextSentNo) - match.SentecesFromBeginning + 1;
        match.Percent = PercentOf(match.WordsFromBeginning, TextWords);
        return;
    }
}

// Each match leaves the list as it is placed, so a long list never exists
// twice over.
void TUnits::PlacePendingHits(TMatchList& List, TBinSet& BinSet, TDistribution distribution)
{
    if (Baseline.Counting())
        Baseline.Place(distribution, OpenUnits());
    const bool useSentences = distribution != TDistribution::Sentence;
    while (!List.empty()) {
        CompletePositions(List.front(), distribution);
        BinSet.PlaceMatchIntoCorespodingBin(List.front(), useSentences, ForwardBinsPreferred);
        List.pop_front();
    }
    switch (distribution) {
    case TDistribution::Sentence:
        break;
    case TDistribution::Paragraph:
        ParaPendingAtSentence = 0;
        break;
    case TDistribution::Section:
        SectPendingAtSentence = SectPendingAtParagraph = 0;
        break;
    case TDistribution::Text:
        TextPendingAtSentence = TextPendingAtParagraph = 0;
        break;
    }
}

void TUnits::DropSentenceHits()
{
    SentPending.clear();
    TrimTo(ParaPending, ParaPendingAtSentence);
    TrimTo(SectPending, SectPendingAtSentence);
    TrimTo(TextPending, TextPendingAtSentence);
}

void TUnits::DropParagraphHits()
{
    if (Baseline.Counting())
        Baseline.DropParagraph(OpenUnits());
    SentPending.clear();
    ParaPending.clear();
    TrimTo(SectPending, SectPendingAtParagraph);
    TrimTo(TextPending, TextPendingAtParagraph);
    // The counts saved at the open sentence's start must still describe the
    // lists, or a too-short sentence after this paragraph would keep its hits.
    ParaPendingAtSentence = 0;
    SectPendingAtSentence = std::min(SectPendingAtSentence, SectPending.size());
    TextPendingAtSentence = std::min(TextPendingAtSentence, TextPending.size());
}

TMatchList* TUnits::PendingOf(TDistribution distribution)
{
    if (!Bins.Of(distribution))
        return nullptr;
    switch (distribution) {
    case TDistribution::Sentence:
        return &SentPending;
    case TDistribution::Paragraph:
        return &ParaPending;
    case TDistribution::Section:
        return &SectPending;
    case TDistribution::Text:
        return &TextPending;
    }
    return nullptr;
}

TOpenUnits TUnits::OpenUnits() const
{
    return {SentWords,
            {SentWords, ParaWords, SectWords, TextWords},
            {0, ParaSentNo, SectSentNo, TextSentNo},
            SentHasContent()};
}
