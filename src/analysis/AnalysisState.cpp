#include "AnalysisState.h"

#include "FileNames.h"
#include "MessageSink.h"
#include "ProgressIndicator.h"
#include "TAppSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int PrescanLength = 4096;

} // namespace

TAnalysisState::TAnalysisState(const QString& fileName, const QString& pattern, int syntax,
                               const TDistributionBins& bins, IProgressIndicator* progressBar,
                               const TAppSettings& settings, IMessageSink& messages)
    : FileName(fileName)
    , Pattern(pattern)
    , Syntax(syntax)
    , ProgressBar(progressBar)
    , Settings(settings)
    , Messages(messages)
    , Delimiters(settings)
    , Classes(settings, Delimiters)
    , CountWords(settings.soWords)
    , SkipTags(settings.soSkipTags)
    , TagStart(settings.TagStart)
    , TagStop(settings.TagStop)
    , PosTagStop(settings.psTagStop)
    , Matcher(pattern, syntax, settings, Delimiters, Classes)
    , Units(settings, bins)
{
    for (const QString& start : settings.psTagsStart) {
        if (!start.isEmpty())
            PosTagStarts.emplace_back(start);
    }
}

void TAnalysisState::Run()
{
    Window.Open(FileName);
    if (Prepare()) {
        Units.FileTexts = HasBodyStart ? 0 : 1;
        MainLoop();
        Units.FinishCounts();
    }
    Units.PlaceRemaining(Ok);
}

// Checks the pattern, reads the first window and finds the header and body.
// Returns whether the file is to be scanned.
bool TAnalysisState::Prepare()
{
    if (CountWords && Syntax == ssWordPhrase && Matcher.PatternWordCount() == 0) {
        Messages.ShowError(u"Error in search pattern."_s);
        Ok = false;
    }
    Window.OpenWindow(ProgressBar);
    Text = Window.Text();
    PrescanHeaderAndBody();
    Units.FileSections = Settings.tsSectionsType == 0 ? 0 : 1;
    return Ok;
}

// Header and body tags count only in the first 4096 characters.
void TAnalysisState::PrescanHeaderAndBody()
{
    const int end = std::min(Text.Length, PrescanLength);
    for (int k = 1; k <= end && !SearchCancelled.load(std::memory_order_relaxed); ++k) {
        HasBodyStart |= TagAt(Text, Settings.tsBodyStartTag, k);
        HasHeaderStart |= TagAt(Text, Settings.tsHeaderStartTag, k);
        HasHeaderStop |= TagAt(Text, Settings.tsHeaderStopTag, k);
    }
    InBody = !HasBodyStart && !HasHeaderStart && !HasHeaderStop;
}

void TAnalysisState::ReportProgress()
{
    Progress += Pos - LastPos;
    if (Progress % 1000 == 0) {
        ProgressBar->SetPosition(Progress);
        ProgressBar->ProcessEvents();
    }
}

void TAnalysisState::ShiftWindow()
{
    Window.ShiftWindow();
    Text = Window.Text();
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
inline void TAnalysisState::ScanPlainRun()
{
    if (!InBody || InPosTag || InSkipTag)
        return;
    int end = Window.Eof() ? Text.Length : std::min(Text.Length, int(TTextWindow::Half));
    if (ProgressBar) {
        // The pass at p brings Progress to Progress + p - LastPos; the one that
        // reaches the next multiple of 1000 reports it.
        const std::int64_t next = (Progress / 1000 + 1) * 1000;
        end = static_cast<int>(std::min<std::int64_t>(end, LastPos + next - Progress - 1));
    }
    const int first = Pos;
    int p = first;
    for (; p <= end; ++p) {
        const char16_t c = Text[p];
        const std::uint8_t flags = Classes[c];
        if ((flags & PlainBreakFlags) || Matcher.MayMatchAt(Text, p))
            break;
        ScanWordCharacter(c, flags);
        if (c != u' ')
            Units.CountContent();
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
        if (SearchCancelled.load(std::memory_order_relaxed))
            break;
        LastPos = Pos;
        TagSkipped = false;
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
    if (FileNameIndex < 0)
        FileNameIndex = FileNameCacheIndex(FileName);
    TMatch hit;
    hit.BeginOffest = ByteOffset(BeginIndex);
    hit.EndOffset = ByteOffset(EndIndex);
    hit.FileNameIndex = FileNameIndex;
    hit.isUnicode = Window.IsUnicode();
    hit.LineNo = LineNo;
    // A hit that begins at markup belongs to the word after the markup.
    const int markupWord = ScannedInSkipTag && HandledDelimiter ? 1 : 0;
    Units.RegisterHit(hit, (Units.WordBufEmpty() ? 0 : 1) + markupWord);
}

std::int64_t TAnalysisState::ByteOffset(int index) const
{
    return Window.WindowFileOffset() + (Window.IsUnicode() ? 2 * std::int64_t(index) + 1 : index);
}
