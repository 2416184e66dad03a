// libFuzzer target for the analysis of one file: the search options, the
// structure of the texts, the bins of all four distributions, the syntax and
// the pattern are chosen by the input, and the rest of it is the file. Some
// inputs are repeated into a file that makes the window shift, and some are
// read as UTF-8 whatever their bytes. Each file is analysed twice, with and
// without the shortcut over plain runs of positions, and both must place the
// same hits and count the same totals.
#include "../CollectedMessages.h"
#include "../QuietProgress.h"
#include "AnalyzeFile.h"
#include "Error.h"
#include "FuzzInput.h"
#include "FuzzSettings.h"
#include "SearchPattern.h"
#include "SettingsLimits.h"
#include "TextWindow.h"

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// What the search-language options leave to the rest of the settings.
void FuzzTextOptions(TAppSettings& settings, TFuzzInput& input)
{
    // Only what a settings file or the options dialog can hold: the search
    // relies on the ranges that both check.
    static const std::array<int, 6> leastWords{0, 1, 2, 20, 1000, INT_MAX};
    static const std::array<int, 4> mostWords{0, 1, 2, MaxInterveningWords};
    static const std::array<QString, 8> markers{u"<Sec>"_s, QString(), u"<"_s,  u"^\\s*Chapter"_s,
                                                u"("_s,     u"\r\n"_s, u"<w"_s, u">"_s};
    static const std::array<QString, 5> delimiters{u".?!"_s, QString(), u"."_s, u"a"_s, u"\n"_s};
    static const std::array<QString, 5> positions{u"1 2 Other 1# #"_s, QString(), u"Other"_s,
                                                  u"1 1# 3 5#"_s, u"x"_s};
    static const std::array<std::pair<QString, QString>, 4> parts{{{u"<Header>"_s, u"</Header>"_s},
                                                                   {QString(), QString()},
                                                                   {u"<"_s, u">"_s},
                                                                   {u"<<"_s, u"<<"_s}}};

    settings.sdAtMinWords = input.Pick(leastWords);
    settings.sdAtMaxWords = input.Pick(mostWords);
    std::tie(settings.tsHeaderStartTag, settings.tsHeaderStopTag) = input.Pick(parts);
    std::tie(settings.tsBodyStartTag, settings.tsBodyStopTag) = input.Pick(parts);
    settings.tsSectionsType = input.Byte() % 3;
    settings.tsSectionsStart = input.Pick(markers);
    settings.tsSectionsStop = input.Pick(markers);
    settings.tsParagraphsType = input.Byte() % 4;
    settings.tsParagraphsStart = input.Pick(markers);
    settings.tsParagraphsStop = input.Pick(markers);
    settings.tsSentencesType = input.Byte() % 2;
    settings.tsSentencesStart = input.Pick(markers);
    settings.tsSentencesStop = input.Pick(markers);
    settings.tsSentencesDelimiters = input.Pick(delimiters);
    settings.tsSentencesAbbrevDetect = input.Flag();
    settings.tsSentencesIncQuotes = input.Flag();
    settings.tsSentencesCapital = input.Flag();
    settings.psTagsStart[0] = input.Pick(markers);
    settings.psTagStop = input.Pick(markers);
    settings.soForwardBinsPreffered = input.Flag();
    settings.ExclSentLessThan = input.Byte() % 4;
    settings.ExclParaLessThan = input.Byte() % 4;
    for (auto [type, bins, list] :
         {std::tie(settings.SentType, settings.SentPercentBins, settings.SentPositions),
          std::tie(settings.ParaType, settings.ParaPercentBins, settings.ParaPositions),
          std::tie(settings.SectType, settings.SectPercentBins, settings.SectPositions),
          std::tie(settings.TextType, settings.TextPercentBins, settings.TextPositions)}) {
        type = input.Flag() ? 1 : 0;
        bins = input.Byte() % 12;
        list = input.Pick(positions);
    }
}

bool Same(const TMatch& a, const TMatch& b)
{
    return a.WordsFromBeginning == b.WordsFromBeginning &&
           a.SentecesFromBeginning == b.SentecesFromBeginning && a.WordsFromEnd == b.WordsFromEnd &&
           a.SentecesFromEnd == b.SentecesFromEnd && a.Percent == b.Percent &&
           a.FileNameIndex == b.FileNameIndex && a.LineNo == b.LineNo &&
           a.isUnicode == b.isUnicode && a.isUtf8 == b.isUtf8 && a.BeginOffest == b.BeginOffest &&
           a.EndOffset == b.EndOffset;
}

bool Same(const TBinSet& a, const TBinSet& b)
{
    if (a.TotalWords != b.TotalWords || a.TotalSentences != b.TotalSentences ||
        a.TotalParagraphs != b.TotalParagraphs || a.TotalSections != b.TotalSections ||
        a.TotalMatches != b.TotalMatches || a.TotalTexts != b.TotalTexts ||
        a.Count() != b.Count() || a.Baseline != b.Baseline)
        return false;
    // No word is placed twice.
    if (std::accumulate(a.Baseline.begin(), a.Baseline.end(), std::int64_t(0)) > a.TotalWords)
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TMatchList& first = a.GetBin(i).Matches;
        const TMatchList& second = b.GetBin(i).Matches;
        if (!std::equal(first.begin(), first.end(), second.begin(), second.end(),
                        [](const TMatch& x, const TMatch& y) { return Same(x, y); }))
            return false;
    }
    return true;
}

// The bin sets of an analysis of path, taken with or without the shortcut.
TSearchBins Analyze(const QString& path, const TSearchPattern& pattern,
                    const TAppSettings& settings, TEncodingChoice encoding, bool plainRuns,
                    bool progress)
{
    TCollectedMessages messages;
    const std::atomic<bool> cancelled{false};
    TQuietProgress bar;
    TSearchBins bins(settings, {true, true, true, true});
    bins.CountBaselines(settings.soForwardBinsPreffered);
    const TSearchContext context{pattern, settings, messages, cancelled, plainRuns, encoding};
    AnalyzeFile(path, context, bins.Bins(), progress ? &bar : nullptr);
    return bins;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QTemporaryDir dir;
    TFuzzInput input(data, size);
    TAppSettings settings;
    settings.SetDefaults();
    FuzzSearchOptions(settings, input);
    FuzzTextOptions(settings, input);
    const auto syntax = static_cast<TSearchSyntax>(ssWordPhrase + input.Byte() % 3);
    const bool progress = input.Flag();
    const bool shifts = input.Byte() % 8 == 0;
    const bool utf16 = input.Flag();
    // A file without a mark read as UTF-8 is mostly stray bytes when forced.
    const auto encoding = static_cast<TEncodingChoice>(input.Byte() % 3);
    const QString patternText = TFuzzInput::Text(input.Field(), utf16);
    QByteArray content = input.Rest();
    if (shifts && !content.isEmpty())
        content = content.repeated(2 * TTextWindow::Size / content.size() + 1);

    const QString path = dir.filePath(u"file.txt"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        std::abort();
    file.close();
    const TSearchPattern pattern(patternText, syntax, settings);
    if (!pattern.Errors().isEmpty())
        return 0;
    try {
        const TSearchBins shortcut = Analyze(path, pattern, settings, encoding, true, progress);
        const TSearchBins full = Analyze(path, pattern, settings, encoding, false, progress);
        for (const TDistribution distribution : AllDistributions) {
            if (!Same(*shortcut.Of(distribution), *full.Of(distribution)))
                std::abort();
        }
    } catch (const TError&) {
    }
    return 0;
}
