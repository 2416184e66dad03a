// The state of one AnalyzeFile call and the order of its work: preparation,
// the scan of the file one position at a time, and the placement of its hits.
// Nothing of it outlives the call but what it placed into the bin sets.
#pragma once

#include "AnalyzeFile.h"
#include "CharClasses.h"
#include "Markup.h"
#include "PatternMatcher.h"
#include "RegexSearch.h"
#include "StructureMarkers.h"
#include "TDelimiters.h"
#include "TextWindow.h"
#include "Units.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class IProgressIndicator;
class TAppSettings;

class TAnalysisState {
public:
    TAnalysisState(const QString& fileName, const TSearchContext& search,
                   const TDistributionBins& bins, IProgressIndicator* progressBar);

    // Runs the whole analysis of the file. Returns the number of hits
    // registered, those later dropped included.
    std::int64_t Run();

private:
    bool Prepare();
    void PrescanHeaderAndBody();
    void PrepareExpressions();
    void MainLoop();
    void ReportProgress();
    void ShiftWindow();
    // The per-character work is kept in one piece of code, so that its state
    // can live in registers; only the rare paths are calls.
    [[gnu::always_inline]] void ScanBody();
    [[gnu::always_inline]] void ScanPlainRun();
    template <typename MayMatch>
    int ScanPlainPositions(int p, int end, MayMatch mayMatch);
    [[gnu::always_inline]] void ScanCharacter(int k);
    [[gnu::always_inline]] void ScanWordCharacter(char16_t c, std::uint8_t flags);
    [[gnu::always_inline]] void SearchStep();
    void ScanSpecialCharacter(int k);

    // The structure recognisers. Each looks at the Pos that the previous one
    // left; a marker or separator that they consume moves Pos to its last
    // character and sets TagSkipped.
    bool StructureMayBeginAtPos() const;
    void RecogniseHeaderAndBody();
    void RecogniseStructure();
    void RecogniseSection();
    void RecogniseParagraph();
    void RecogniseSentence();
    bool SentenceEndVetoed() const;
    int NextNonSpace() const;
    void Consume(const TMarker& marker);
    void RegisterHit(int BeginIndex, int EndIndex);

    // Inputs.
    const QString FileName;
    const TSearchContext& Search;
    IProgressIndicator* const ProgressBar;
    const TAppSettings& Settings;

    // Settings prepared for the per-character work.
    const TDelimiters Delimiters;
    const TStructureMarkers Markers;
    TCharClasses Classes; // completed by the matcher
    const bool CountWords;
    const bool SkipTags;
    const TMarker TagStart;
    const TMarker TagStop;
    std::vector<TMarker> PosTagStarts; // the non-empty psTagsStart entries
    const TMarker PosTagStop;
    // The classes of characters at which a run of plain positions ends.
    const std::uint8_t PlainBreakFlags = TCharClasses::ScanSpecial | TCharClasses::PosTagStart |
                                         TCharClasses::HeaderBody | TCharClasses::Structure;

    TPatternMatcher Matcher;
    // Asked by long match attempts; it lets the user interface handle its
    // events, through which Cancel arrives.
    TCancelCheck Cancel;
    std::unique_ptr<TRegexSearch> SectionExpression; // sections by regular expression
    std::optional<TWildcardMatcher> SectionMatcher;  // sections by pattern
    TTextWindow Window;
    TWindowText Text; // the current window, refreshed after each shift
    TUnits Units;

    bool Ok = true;
    int Pos = 1;
    int StartPos = 0;
    std::int64_t LineNo = 1;
    bool InBody = true;
    bool HasHeaderStart = false;
    bool HasHeaderStop = false;
    bool HasBodyStart = false;
    bool TagSkipped = false;
    bool InSkipTag = false;
    bool InPosTag = false;
    // Whether the last character that the word scanner handled outside markup
    // was a delimiter; true before the first one. A word starts after it.
    bool HandledDelimiter = true;
    // The character last given to the scanner lay inside a skipped tag.
    bool ScannedInSkipTag = false;
    std::int64_t Progress = 0;
    int LastPos = 0;
};
