// The analysis takes runs of positions where only words can be counted in a
// shortcut. Whatever the text, the pattern and the settings, the shortcut must
// give exactly the bin sets that a full pass at every position gives: random
// texts with markup, line breaks, tabs and window shifts are searched both
// ways in every search language.
#include "../CollectedMessages.h"
#include "../QuietProgress.h"
#include "../TestSupport.h"
#include "SearchRunner.h"
#include "TAppSettings.h"
#include "TextWindow.h"

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

template <typename T>
const T& Pick(std::mt19937& random, const std::vector<T>& choices)
{
    return choices[random() % choices.size()];
}

QString RandomText(std::mt19937& random, int length)
{
    static const std::vector<QString> pieces = {
        u"the "_s,       u"The "_s,        u"cat "_s,   u"of "_s,     u"sat"_s,      u"national "_s,
        u"Fig. "_s,      u"e.g. "_s,       u". "_s,     u"? "_s,      u"!"_s,        u", "_s,
        u"\"Stop.\" "_s, u"\r\n"_s,        u"\n"_s,     u"\n  "_s,    u"\r\n\r\n"_s, u"\t"_s,
        u"  "_s,         u"<w AT>"_s,      u"<w NN>"_s, u"<b>"_s,     u"</b>"_s,     u"<Sec>"_s,
        u"<s>"_s,        u"<p>"_s,         u"<"_s,      u">"_s,       u"word_NN "_s, u"x"_s,
        u"1985 "_s,      u"\u00C4rger "_s, u"\u2014"_s, u"Chapter "_s};
    QString text;
    while (text.size() < length)
        text += Pick(random, pieces);
    return text;
}

void RandomSettings(std::mt19937& random, TAppSettings& settings)
{
    settings.SetDefaults();
    settings.soWords = random() % 4 != 0;
    settings.soSkipTags = random() % 2 == 0;
    settings.psEmbeddedInWord = random() % 3 == 0;
    settings.psOutsideOfWord = !settings.psEmbeddedInWord;
    settings.psDelimeter = u"_"_s;
    settings.tsParagraphsType = static_cast<int>(random() % 4);
    settings.tsParagraphsStart = u"<p>"_s;
    settings.tsSentencesType = static_cast<int>(random() % 2);
    settings.tsSentencesStart = u"<s>"_s;
    settings.tsSentencesCapital = random() % 2 == 0;
    settings.tsSectionsType = static_cast<int>(random() % 3);
    settings.tsSectionsStart = settings.tsSectionsType == 2 ? u"(?m)^Chapter|<Sec>"_s : u"<Sec>"_s;
    settings.ExclSentLessThan = static_cast<int>(random() % 3);
    settings.ExclParaLessThan = static_cast<int>(random() % 3);
    if (random() % 2 == 0) {
        settings.sdAtMinWords = 0;
        settings.sdAtMaxWords = 3;
    }
}

QString RandomPattern(std::mt19937& random, TSearchSyntax syntax)
{
    switch (syntax) {
    case ssWordPhrase:
        return Pick(random, std::vector<QString>{u"the"_s, u"the cat"_s, u"the @ of"_s, u"c?t"_s,
                                                 u"*at"_s, u"The"_s, u"t%e"_s, u"<w"_s, u"x"_s});
    case ssWordTag:
        return Pick(random, std::vector<QString>{u"&NN"_s, u"the&AT"_s, u"cat&N*"_s, u"&"_s,
                                                 u"the @ &NN"_s, u"word&NN"_s});
    case ssRegularExpression:
        break;
    }
    return Pick(random, std::vector<QString>{u"the"_s, u"\\bthe\\b"_s, u"c.t"_s,
                                             u"(?i)the\\s+cat"_s, u"\\w+"_s, u"\\s"_s});
}

// Everything a search placed, as text, so that a difference shows where it is.
QString Describe(const TSearchResult& result)
{
    QString text;
    for (TDistribution distribution : AllDistributions) {
        const TBinSet& set = *result.Bins.Of(distribution);
        text += u"totals %1 %2 %3 %4 %5 %6\n"_s.arg(set.TotalWords)
                    .arg(set.TotalSentences)
                    .arg(set.TotalParagraphs)
                    .arg(set.TotalSections)
                    .arg(set.TotalMatches)
                    .arg(set.TotalTexts);
        for (const TBin& bin : set.FBins) {
            text += u"bin %1 %2 %3\n"_s.arg(bin.BinType).arg(bin.ValFrom).arg(bin.ValTo);
            for (const TMatch& m : bin.Matches)
                text += u"  %1 %2 %3 %4 %5 %6-%7 line %8\n"_s.arg(m.WordsFromBeginning)
                            .arg(m.SentecesFromBeginning)
                            .arg(m.WordsFromEnd)
                            .arg(m.SentecesFromEnd)
                            .arg(m.Percent)
                            .arg(m.BeginOffest)
                            .arg(m.EndOffset)
                            .arg(m.LineNo);
        }
    }
    return text;
}

} // namespace

TEST(PlainRuns, GiveTheBinSetsOfAFullPassAtEveryPosition)
{
    TTestFiles files;
    TAppSettings settings;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        RandomSettings(random, settings);
        const auto syntax = static_cast<TSearchSyntax>(1 + random() % 3);
        const QString pattern = RandomPattern(random, syntax);
        // Every tenth text is long enough for two shifts of the window. The
        // character form tries a match at every position and some of its
        // patterns look far ahead, so it is kept to the short texts.
        const bool longText = seed % 10 == 0;
        if (longText)
            settings.soWords = true;
        const int length = longText ? 2 * TTextWindow::Size + 1000 : 1 + random() % 3000;
        const QString text = RandomText(random, length);
        const bool unicode = random() % 2 == 0;
        const QString path = files.Write(u"text.txt"_s, unicode ? Utf16Le(text) : text.toLatin1());
        TQuietProgress progress;
        QString described[2];
        QStringList messages[2];
        for (const bool plainRuns : {true, false}) {
            TCollectedMessages collected;
            TSearchRunner runner(settings, collected);
            runner.SetPlainRuns(plainRuns);
            runner.SetProgress(seed % 3 == 0 ? &progress : nullptr, nullptr);
            described[plainRuns] =
                Describe(runner.Run({pattern, syntax, {true, true, true, true}, {path}}));
            messages[plainRuns] = collected.Errors;
        }
        ASSERT_EQ(described[true], described[false])
            << "seed " << seed << ", pattern " << pattern.toStdString() << ", syntax " << syntax;
        ASSERT_EQ(messages[true], messages[false]) << "seed " << seed;
    }
}
