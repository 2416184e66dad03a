#include "BaselineBooks.h"

#include <algorithm>

TBaselineBooks::TBaselineBooks(const std::array<TBaselineCounter*, 4>& counters,
                               int exclParaLessThan)
    : Counters(counters)
{
    for (const TBaselineCounter* counter : Counters) {
        if (!counter)
            continue;
        Any = true;
        SettleLag = std::max({SettleLag, counter->MaxFromEnd(), std::int64_t(exclParaLessThan)});
    }
}

// A run of words in sentence order joins the one before it when nothing but
// their numbers in the unit can tell them apart. Once the runs are many, the
// oldest are placed for good where their sentence is far enough from any end.
void TBaselineBooks::TRuns::Add(const TRun& run, TBaselineCounter& counter, std::int64_t lag)
{
    Held += run.Last - run.First + 1;
    if (!Runs.empty() && counter.SentenceBlind() && Runs.back().Last + 1 == run.First) {
        Runs.back().Last = run.Last;
        return;
    }
    Runs.push_back(run);
    if (!counter.SettlesEarly() || static_cast<std::int64_t>(Runs.size()) < 2 * lag + 64)
        return;
    const auto settled = Runs.end() - lag;
    for (auto old = Runs.begin(); old != settled; ++old) {
        counter.PlaceSettled(old->Last - old->First + 1, old->Sentence);
        Settled += old->Last - old->First + 1;
    }
    Runs.erase(Runs.begin(), settled);
}

void TBaselineBooks::TRuns::TrimTo(std::int64_t held)
{
    while (Held > held && !Runs.empty()) {
        TRun& last = Runs.back();
        const std::int64_t cut = std::min(Held - held, last.Last - last.First + 1);
        last.Last -= cut;
        Held -= cut;
        if (last.Last < last.First)
            Runs.pop_back();
    }
}

void TBaselineBooks::TRuns::Clear()
{
    Runs.clear();
    Held = Settled = 0;
}

void TBaselineBooks::CloseSentence(const TOpenUnits& units, bool dropped)
{
    if (dropped)
        OpenFrom.fill(units.SentWords + 1);
    for (TDistribution distribution :
         {TDistribution::Paragraph, TDistribution::Section, TDistribution::Text}) {
        const size_t d = Index(distribution);
        const std::int64_t first = units.Words[d] - units.SentWords + OpenFrom[d];
        if (Counters[d] && first <= units.Words[d])
            Waiting[d].Add({units.SentNo[d], first, units.Words[d]}, *Counters[d], SettleLag);
        OpenFrom[d] = units.SentWords + 1;
    }
}

void TBaselineBooks::BeginSentence()
{
    OpenFrom.fill(1);
}

void TBaselineBooks::DropParagraph(const TOpenUnits& units)
{
    OpenFrom.fill(units.SentWords + 1);
    Waiting[Index(TDistribution::Paragraph)].Clear();
    Waiting[Index(TDistribution::Section)].TrimTo(SectAtParagraph);
    Waiting[Index(TDistribution::Text)].TrimTo(TextAtParagraph);
}

// The open sentence is the unit's last when it has content, as for hits.
void TBaselineBooks::Place(TDistribution distribution, const TOpenUnits& units)
{
    const size_t d = Index(distribution);
    TBaselineCounter* counter = Counters[d];
    if (!counter)
        return;
    const std::int64_t words = units.Words[d];
    const std::int64_t sentences = units.SentHasContent ? units.SentNo[d] : units.SentNo[d] - 1;
    for (const TRun& run : Waiting[d].Runs)
        counter->Place(run.First, run.Last, run.Sentence, words, sentences);
    Waiting[d].Clear();
    counter->Place(words - units.SentWords + OpenFrom[d], words, units.SentNo[d], words, sentences);
    OpenFrom[d] = units.SentWords + 1;
    if (distribution == TDistribution::Section)
        SectAtParagraph = 0;
    if (distribution == TDistribution::Text)
        TextAtParagraph = 0;
}

void TBaselineBooks::BeginParagraph()
{
    SectAtParagraph = Waiting[Index(TDistribution::Section)].Held;
    TextAtParagraph = Waiting[Index(TDistribution::Text)].Held;
}

void TBaselineBooks::Flush()
{
    for (TBaselineCounter* counter : Counters) {
        if (counter)
            counter->Flush();
    }
}
