// Results windows for tests: bin sets with given hit counts and fixed totals,
// opened in a test main window as a search opens them, and the menu item
// that shows their expected distribution.
#pragma once

#include "FileNames.h"
#include "TBinSet.h"
#include "TestMainWindow.h"
#include "uResult.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>

#include <cstdint>
#include <vector>

// The file that the hits lie in, for the concordance windows to read.
inline int CorpusFileIndex()
{
    using namespace Qt::StringLiterals;
    static TTestFiles files;
    static const int index =
        FileNameCacheIndex(files.Write(u"corpus.txt"_s, "the cat sat on the mat\r\n"));
    return index;
}

// counts[i] hits in bin i, all on the first word of the corpus file; the
// totals are fixed.
inline TBinSet WithHits(TBinSet bins, const QList<int>& counts)
{
    for (int i = 0; i < counts.size(); ++i)
        for (int hit = 0; hit < counts[i]; ++hit)
            bins.GetBin(i).AddMatch(TMatch{.WordsFromBeginning = hit + 1,
                                           .FileNameIndex = CorpusFileIndex(),
                                           .LineNo = 1,
                                           .EndOffset = 2});
    bins.TotalMatches = 21;
    bins.TotalWords = 340;
    bins.TotalSentences = 30;
    bins.TotalParagraphs = 7;
    bins.TotalSections = 2;
    bins.TotalTexts = 1;
    return bins;
}

inline TBinSet PositionBins(const QString& positions, const QList<int>& counts)
{
    TBinSet bins;
    bins.PrepareBinsFromString(positions);
    return WithHits(std::move(bins), counts);
}

inline TBinSet PercentageBins(const QList<int>& counts)
{
    TBinSet bins;
    bins.PreparePercentageBins(static_cast<int>(counts.size()));
    return WithHits(std::move(bins), counts);
}

inline TBinSet WithBaseline(TBinSet bins, std::vector<std::int64_t> baseline)
{
    bins.Baseline = std::move(baseline);
    return bins;
}

// Makes locale the default for as long as it lives.
class TDefaultLocale {
public:
    explicit TDefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~TDefaultLocale() { QLocale::setDefault(Saved); }

private:
    QLocale Saved;
};

// The Results menu's "Show Expected Distribution", or null.
inline QAction* ShowExpectedItem(TfrmResults& window)
{
    using namespace Qt::StringLiterals;
    for (QAction* action : window.MergedMenu()->actions())
        if (action->text().remove(u'&') == u"Show Expected Distribution"_s)
            return action;
    return nullptr;
}

// The expected line's colour, over white or over a bar.
inline bool IsRed(QRgb pixel)
{
    return qRed(pixel) > qGreen(pixel) + 30 && qRed(pixel) > qBlue(pixel) + 30;
}

// Opens a window as a search does and returns it laid out.
inline TfrmResults* Open(TTestMainWindow& main, const TBinSet& bins,
                         TDistribution kind = TDistribution::Sentence)
{
    using namespace Qt::StringLiterals;
    TfrmResults::OpenResultsWindow(main, &bins, kind, u"the"_s);
    QApplication::processEvents();
    return qobject_cast<TfrmResults*>(main.ActiveChildWindow());
}
