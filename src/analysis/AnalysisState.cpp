#include "AnalysisState.h"

#include "Error.h"
#include "MessageSink.h"
#include "ProgressIndicator.h"
#include "TAppSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int PrescanLength = 4096;

TCharClasses MakeClasses(const TAppSettings& settings, const TDelimiters& delimiters,
                         const TStructureMarkers& markers)
{
    TCharClasses classes(settings, delimiters);
    markers.MarkStarts(classes);
    return classes;
}

} // namespace

TAnalysisState::TAnalysisState(const QString& fileName, const TSearchContext& search,
                               const TDistributionBins& bins, IProgressIndicator* progressBar)
    : FileName(fileName)
    , Search(search)
    , ProgressBar(progressBar)
    , Settings(search.Settings)
    , Delimiters(Settings)
    , Markers(Settings)
    , Classes(MakeClasses(Settings, Delimiters, Markers))
    , CountWords(Settings.soWords)
    , SkipTags(Settings.soSkipTags)
    , TagStart(Settings.TagStart)
    , TagStop(Settings.TagStop)
    , PosTagStop(Settings.psTagStop)
    , Matcher(search.Pattern, Settings, Delimiters, Classes)
    , Cancel([this] {
        if (ProgressBar)
            ProgressBar->ProcessEvents();
        return Search.SearchCancelled.load(std::memory_order_relaxed);
    })
    , Units(Settings, bins)
{
    Matcher.SetCancelCheck(&Cancel);
    if (const TCompiledRegex* sections = search.Pattern.SectionExpression())
        SectionExpression = std::make_unique<TRegexSearch>(*sections);
    if (Markers.SectionPattern) {
        SectionMatcher.emplace(*Markers.SectionPattern, false);
        SectionMatcher->SetCancelCheck(&Cancel);
    }
    for (const QString& start : Settings.psTagsStart) {
        if (!start.isEmpty())
            PosTagStarts.emplace_back(start);
    }
}

std::int64_t TAnalysisState::Run()
{
    Window.Open(FileName);
    if (Prepare()) {
        Units.FileTexts = HasBodyStart ? 0 : 1;
        MainLoop();
        Units.FinishCounts();
    }
    Units.PlaceRemaining(Ok);
    if (Window.FileChanged())
        Search.Messages.ShowWarning(TFileError::ChangedWhileRead(FileName));
    return Units.FileMatches;
}

// Reads the first window and finds the header and body. Returns whether the
// file is to be scanned: a pattern with errors scans nothing (the search
// reports them once, before any file).
bool TAnalysisState::Prepare()
{
    Ok = Search.Pattern.Errors().isEmpty();
    Window.OpenWindow(ProgressBar, Search.Encoding);
    Text = Window.Text();
    PrescanHeaderAndBody();
    Units.FileSections = Settings.tsSectionsType == 0 ? 0 : 1;
    PrepareExpressions();
    return Ok;
}

// Finds the first matches of the section and pattern expressions in the
// window. An expression whose search fails in this file (for instance by
// backtracking without end) is reported once and finds nothing more here.
void TAnalysisState::PrepareExpressions()
{
    const auto prepare = [this](TRegexSearch* expression, const QString& use) {
        if (!expression || !Ok)
            return;
        const QString prefix = u"Error in regular expression (%1). Error: "_s.arg(use);
        expression->OnFailure = [this, prefix](const QString& message) {
            Search.Messages.ShowError(prefix + message);
        };
        expression->SetWindow(Text);
    };
    prepare(SectionExpression.get(), u"sections"_s);
    prepare(Matcher.Regex(), u"pattern"_s);
}

// Header and body tags count only in the first 4096 characters.
void TAnalysisState::PrescanHeaderAndBody()
{
    const int end = std::min(Text.Length, PrescanLength);
    for (int k = 1; k <= end && !Search.SearchCancelled.load(std::memory_order_relaxed); ++k) {
        HasBodyStart |= Markers.BodyStart.At(Text, k);
        HasHeaderStart |= Markers.HeaderStart.At(Text, k);
        HasHeaderStop |= Markers.HeaderStop.At(Text, k);
    }
    InBody = !HasBodyStart && !HasHeaderStart && !HasHeaderStop;
}

// A hit moves Pos on by its length, so the count of consumed characters may
// pass a multiple of 1000 without meeting it: passing one reports.
void TAnalysisState::ReportProgress()
{
    const std::int64_t before = Progress;
    Progress += Pos - LastPos;
    if (Progress / 1000 != before / 1000) {
        ProgressBar->SetPosition(Progress);
        ProgressBar->ProcessEvents();
    }
}

void TAnalysisState::ShiftWindow()
{
    Window.ShiftWindow();
    Text = Window.Text();
    for (TRegexSearch* expression : {SectionExpression.get(), Matcher.Regex()}) {
        if (expression)
            expression->ShiftWindow(Text, Pos, TTextWindow::Half);
    }
    Matcher.ForgetText();
    if (SectionMatcher)
        SectionMatcher->ForgetText();
    Pos -= TTextWindow::Half;
}

// The common case: no line break, no tag, only words to count.
inline void TAnalysisState::ScanCharacter(int k)
{
    const char16_t c = Text[k];
    const std::uint8_t flags = Classes[c];
    if ((flags & TCharClasses::ScanSpecial) || InSkipTag) {
        ScanSpecialCharacter(k);
        return;
    }
    ScannedInSkipTag = false;
    ScanWordCharacter(c, flags);
}

inline void TAnalysisState::ScanWordCharacter(char16_t c, std::uint8_t flags)
{
    // Markup passed over does not join or split words: the character before
    // is the last one handled here.
    const bool delimiter = flags & TCharClasses::Delimiter;
    if (!delimiter) {
        if (!CountWords || HandledDelimiter)
            Units.FlushWord();
        Units.AppendToWord(c);
    }
    HandledDelimiter = delimiter;
}

void TAnalysisState::ScanSpecialCharacter(int k)
{
    const char16_t c = Text[k];
    if (SkipTags && TagStart.StartsAt(Text, k))
        InSkipTag = true;
    ScannedInSkipTag = SkipTags && InSkipTag;
    if (!ScannedInSkipTag)
        ScanWordCharacter(c, Classes[c]);
    if (SkipTags && InSkipTag && TagStop.EndsAt(Text, k))
        InSkipTag = false;
    if (c == u'\r' || (c == u'\n' && Text[k - 1] != u'\r'))
        ++LineNo;
}

// The work at one body position: the word scanner and the matcher, outside
// part-of-speech tags; the scanner also goes over the characters of a hit.
inline void TAnalysisState::ScanBody()
{
    if (StructureMayBeginAtPos())
        RecogniseStructure();
    const bool posTagStart =
        (Classes[Text[Pos]] & TCharClasses::PosTagStart) &&
        std::any_of(PosTagStarts.begin(), PosTagStarts.end(),
                    [this](const TMarker& start) { return start.At(Text, Pos); });
    StartPos = Pos;
    if (!InPosTag) {
        ScanCharacter(Pos);
        SearchStep();
        for (int k = StartPos + 1; k <= Pos; ++k)
            ScanCharacter(k);
    }
    // The first character of a part-of-speech tag is scanned like any other;
    // the rest of the tag, up to and including its stop text, is not.
    if (posTagStart && Pos == StartPos)
        InPosTag = true;
    if (InPosTag && PosTagStop.StartsAt(Text, Pos))
        InPosTag = false;
    if (InSkipTag && SkipTags && TagStop.EndsAt(Text, Pos))
        InSkipTag = false;
}

inline void TAnalysisState::SearchStep()
{
    THit hit;
    if (!Matcher.SearchStep(Text, Pos, hit))
        return;
    RegisterHit(hit.BeginIndex, hit.EndIndex);
    Pos = hit.NewPos;
}

// The passes of the main loop over a run of plain positions, where nothing
// happens but word and content counting: no marker or tag can begin there, no
// hit, no line break, no window shift and no progress report. Leaves Pos at
// the first position that needs a full pass.
// Scans the plain positions from p to at most end and returns the first
// position that is not plain. mayMatch tells, from the classes of the
// character at a position and of the one before it, whether the matcher might
// find a hit there.
template <typename MayMatch>
[[gnu::always_inline]] inline int TAnalysisState::ScanPlainPositions(int p, int end,
                                                                     MayMatch mayMatch)
{
    // The file's first character follows a delimiter.
    std::uint8_t before =
        p == 1 && Text.AtFileStart ? std::uint8_t(TCharClasses::Delimiter) : Classes[Text[p - 1]];
    for (; p <= end; ++p) {
        const char16_t c = Text[p];
        const std::uint8_t flags = Classes[c];
        if ((flags & PlainBreakFlags) || mayMatch(flags, before))
            break;
        ScanWordCharacter(c, flags);
        if (c != u' ')
            Units.CountContent();
        before = flags;
    }
    return p;
}

inline void TAnalysisState::ScanPlainRun()
{
    if (!Search.PlainRuns || !InBody || InPosTag || InSkipTag)
        return;
    int end = Window.Eof() ? Text.Length : std::min(Text.Length, int(TTextWindow::Half));
    if (ProgressBar) {
        // The pass at p brings Progress to Progress + p - LastPos; the one that
        // reaches the next multiple of 1000 reports it.
        const std::int64_t next = (Progress / 1000 + 1) * 1000;
        end = static_cast<int>(std::min<std::int64_t>(end, LastPos + next - Progress - 1));
    }
    const auto before = [](const TRegexSearch* expression, int limit) {
        return expression && expression->PendingStart() != 0
                   ? std::min(limit, expression->PendingStart() - 1)
                   : limit;
    };
    end = before(SectionExpression.get(), end);
    const auto never = [](std::uint8_t, std::uint8_t) { return false; };
    const int first = Pos;
    int p = first;
    switch (Matcher.Mode()) {
    case TPatternMatcher::TMode::Words: {
        p = ScanPlainPositions(p, end, [](std::uint8_t flags, std::uint8_t previous) {
            return (flags & TCharClasses::MatchStart) &&
                   TWordMatcher::IsWordStart(flags, previous, false);
        });
        break;
    }
    case TPatternMatcher::TMode::Expression:
        p = ScanPlainPositions(p, before(Matcher.Regex(), end), never);
        break;
    case TPatternMatcher::TMode::None:
        p = ScanPlainPositions(p, end, never);
        break;
    case TPatternMatcher::TMode::Characters:
        break; // a hit may begin anywhere
    }
    if (p == first)
        return;
    if (ProgressBar)
        Progress += p - 1 - LastPos;
    ScannedInSkipTag = false;
    StartPos = LastPos = p - 1;
    Pos = p;
}

void TAnalysisState::MainLoop()
{
    Pos = 1;
    while (Pos <= Text.Length || !Window.Eof()) {
        if (ProgressBar)
            ReportProgress();
        if (Pos > TTextWindow::Half && !Window.Eof()) {
            ShiftWindow();
            // A hit that ended at the window's last character leaves Pos past
            // a window that the file's end made shorter: nothing is left to scan.
            if (Pos > Text.Length)
                break;
        }
        if (Search.SearchCancelled.load(std::memory_order_relaxed))
            break;
        LastPos = Pos;
        TagSkipped = false;
        if (Classes[Text[Pos]] & TCharClasses::HeaderBody)
            RecogniseHeaderAndBody();
        if (InBody)
            ScanBody();
        const char16_t c = Text[Pos];
        if (InBody && !TagSkipped && c != u'\r' && c != u'\n' && c != u' ')
            Units.CountContent();
        ++Pos;
        ScanPlainRun();
    }
}

void TAnalysisState::RegisterHit(int BeginIndex, int EndIndex)
{
    TMatch hit;
    hit.BeginOffest = Window.ByteOffsetOf(BeginIndex);
    hit.EndOffset = Window.ByteOffsetOf(EndIndex);
    // The file's own index stays 0 here: the search names the file in
    // FileNameCache when it takes the file's results in corpus order.
    hit.isUnicode = Window.IsUnicode();
    hit.isUtf8 = Window.IsUtf8();
    hit.LineNo = LineNo;
    // A hit that begins at markup belongs to the word after the markup, which
    // is a new word unless the markup continues a word being read: after a
    // delimiter, and after a structure boundary that counted the last word.
    const bool wordOpen = !Units.WordBufEmpty();
    const bool newWordAfterMarkup = ScannedInSkipTag && (HandledDelimiter || !wordOpen);
    Units.RegisterHit(hit, (wordOpen ? 1 : 0) + (newWordAfterMarkup ? 1 : 0));
}
