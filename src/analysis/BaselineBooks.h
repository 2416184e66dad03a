// The baseline's side of the books of the open units: the words of each open
// unit that wait to be placed as its hits wait, dropped where its hits are
// dropped and placed where its hits are placed. The words of the open
// sentence are not written down word by word: a unit holds them as the
// stretch of the open sentence from where its list still takes them, and
// takes them over as a run when the sentence closes.
#pragma once

#include "BaselineCounter.h"
#include "Distribution.h"

#include <array>
#include <cstdint>
#include <vector>

// The counts of the open units at one moment, indexed by TDistribution.
struct TOpenUnits {
    std::int64_t SentWords = 0;
    std::array<std::int64_t, 4> Words{};  // of the open sentence, paragraph, section, text
    std::array<std::int64_t, 4> SentNo{}; // the open sentence's number in each; 0 for itself
    bool SentHasContent = false;
};

class TBaselineBooks {
public:
    explicit TBaselineBooks(const std::array<TBaselineCounter*, 4>& counters, int exclParaLessThan);

    bool Counting() const { return Any; }

    // The open sentence closes with the counts it has; unless dropped, its
    // words join the waiting words of its paragraph, section and text. The
    // sentence distribution still holds them until Place or BeginSentence.
    void CloseSentence(const TOpenUnits& units, bool dropped);
    void BeginSentence();
    // A paragraph too short to count: its words leave the paragraph's list
    // and those of its section and text.
    void DropParagraph(const TOpenUnits& units);
    // Places the waiting words of one distribution's open unit.
    void Place(TDistribution distribution, const TOpenUnits& units);
    // A new paragraph begins: what a drop of it would go back to.
    void BeginParagraph();
    // The end of the file.
    void Flush();

private:
    struct TRun {
        std::int64_t Sentence;
        std::int64_t First;
        std::int64_t Last;
    };
    // The closed sentences' waiting words of one open unit.
    struct TRuns {
        std::vector<TRun> Runs;
        std::int64_t Held = 0;    // words in Runs and settled
        std::int64_t Settled = 0; // words already placed for good
        void Add(const TRun& run, TBaselineCounter& counter, std::int64_t lag);
        void TrimTo(std::int64_t held);
        void Clear();
    };
    static size_t Index(TDistribution distribution) { return static_cast<size_t>(distribution); }

    std::array<TBaselineCounter*, 4> Counters;
    bool Any = false;
    // How many of the newest sentences of a unit stay written down: enough
    // for the from-end bins and for a paragraph that may still be dropped.
    std::int64_t SettleLag = 1;
    // Per list: the first word of the open sentence that it still holds.
    std::array<std::int64_t, 4> OpenFrom{1, 1, 1, 1};
    std::array<TRuns, 4> Waiting; // none for the sentence distribution
    std::int64_t SectAtParagraph = 0, TextAtParagraph = 0;
};
