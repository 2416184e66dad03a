// The results window in a test main window: what a search opens, what the
// chart, the table and the statistics lines show, with and without the
// expected distribution, fitting into the client area, and the concordance
// windows that bars and rows open.
#include "ResultsFixture.h"

#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLayout>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QList<TChildWindow*> ChildrenOfKind(const TTestMainWindow& main, TChildWindow::TKind kind)
{
    QList<TChildWindow*> children = main.Children();
    children.removeIf([kind](const TChildWindow* child) { return child->Kind() != kind; });
    return children;
}

QStringList ConcordanceCaptions(const TTestMainWindow& main)
{
    QStringList captions;
    for (const TChildWindow* window : ChildrenOfKind(main, TChildWindow::TKind::Concordance))
        captions.append(window->WindowListCaption());
    return captions;
}

QStringList TableColumn(const TfrmResults& window, int column)
{
    QStringList texts;
    for (int row = 0; row < window.ListView()->topLevelItemCount(); ++row)
        texts.append(window.ListView()->topLevelItem(row)->text(column));
    return texts;
}

QBarSet* Bars(const TfrmResults& window)
{
    return static_cast<QBarSeries*>(window.Chart()->chart()->series().first())->barSets().first();
}

QList<int> BarValues(const TfrmResults& window)
{
    QList<int> values;
    for (int i = 0; i < Bars(window)->count(); ++i)
        values.append(static_cast<int>(Bars(window)->at(i)));
    return values;
}

QBarCategoryAxis* BottomAxis(const TfrmResults& window)
{
    return qobject_cast<QBarCategoryAxis*>(window.Chart()->chart()->axes(Qt::Horizontal).first());
}

QValueAxis* FrequencyAxis(const TfrmResults& window)
{
    return qobject_cast<QValueAxis*>(window.Chart()->chart()->axes(Qt::Vertical).first());
}

// The labels under the bars as the user reads them.
QStringList BarLabels(const TfrmResults& window)
{
    QStringList labels = BottomAxis(window)->categories();
    for (QString& label : labels)
        label.remove(QChar(0x200B)).replace(u"<br>"_s, u" "_s);
    return labels;
}

// The part of the chart's scene that the view shows.
QRectF ViewedArea(const TfrmResults& window)
{
    const QChartView* view = window.Chart();
    return view->mapToScene(view->viewport()->rect()).boundingRect();
}

// The bins' captions as the chart draws them under the bars, whole, with the
// box each takes in the scene; a cut caption is not among them.
QList<std::pair<QString, QRectF>> DrawnCaptions(const TfrmResults& window)
{
    const QStringList captions = TableColumn(window, 0);
    QList<std::pair<QString, QRectF>> drawn;
    for (const QGraphicsItem* item : window.Chart()->scene()->items()) {
        const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
        if (!text || !text->isVisible())
            continue;
        QString plain = text->toPlainText();
        plain.replace(QChar::LineSeparator, u' ').replace(u'\n', u' ');
        if (captions.contains(plain))
            drawn.append({plain, text->sceneBoundingRect()});
    }
    return drawn;
}

bool NoMatchesShown(const TfrmResults& window)
{
    for (const QGraphicsItem* item : window.Chart()->scene()->items()) {
        const auto* text = dynamic_cast<const QGraphicsSimpleTextItem*>(item);
        if (text && text->isVisible() && text->text() == u"No matches"_s)
            return ViewedArea(window).contains(text->sceneBoundingRect());
    }
    return false;
}

// The middle of bar index, in the coordinates of the chart's viewport.
QPoint BarMiddle(const TfrmResults& window, int index)
{
    QChart* chart = window.Chart()->chart();
    const QPointF value(index, Bars(window)->at(index) / 2);
    const QPointF inChart = chart->mapToPosition(value, chart->series().first());
    return window.Chart()->mapFromScene(chart->mapToScene(inChart));
}

QPoint RowMiddle(const TfrmResults& window, int row)
{
    QTreeWidget* table = window.ListView();
    return table->visualItemRect(table->topLevelItem(row)).center();
}

QLineSeries* ExpectedLine(const TfrmResults& window)
{
    for (QAbstractSeries* series : window.Chart()->chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(series))
            return line;
    return nullptr;
}

// The points of the expected line as the user sees them: none while hidden.
QList<QPointF> ExpectedPoints(const TfrmResults& window)
{
    const QLineSeries* line = ExpectedLine(window);
    return line && line->isVisible() ? line->points() : QList<QPointF>();
}

QLineEdit* StatisticsLine(const TfrmResults& window, const QString& name)
{
    return window.findChild<QLineEdit*>(name);
}

QWidget* TitleStrip(const TfrmResults& window)
{
    return window.findChild<QWidget*>(u"pnlTitle"_s);
}

QStringList HeaderCaptions(const TfrmResults& window)
{
    QStringList captions;
    const QTreeWidgetItem* header = window.ListView()->headerItem();
    for (int column = 0; column < header->columnCount(); ++column)
        captions.append(header->text(column));
    return captions;
}

TEST(ResultsWindow, OpensNothingWithoutBins)
{
    TTestMainWindow main;
    const TBinSet noBins;
    TfrmResults::OpenResultsWindow(main, nullptr, TDistribution::Sentence, u"the"_s);
    TfrmResults::OpenResultsWindow(main, &noBins, TDistribution::Text, u"the"_s);
    EXPECT_TRUE(main.Children().isEmpty());
}

TEST(ResultsWindow, TitleAndAxisTitleFollowKindAndFirstBin)
{
    const struct {
        TDistribution Kind;
        TBinSet Bins;
        QString Title;
        QString AxisTitle;
    } cases[] = {
        {TDistribution::Sentence, PercentageBins({1, 0}), u"\"the\" distribution in sentences"_s,
         u"% of sentence"_s},
        {TDistribution::Sentence, PositionBins(u"1 #"_s, {1, 0}),
         u"\"the\" distribution in sentences"_s, u"position of word in sentence"_s},
        {TDistribution::Paragraph, PositionBins(u"Other 1"_s, {0, 1}),
         u"\"the\" distribution in paragraphs"_s, u"position of sentence in paragraph"_s},
        {TDistribution::Section, PercentageBins({1}), u"\"the\" distribution in sections"_s,
         u"% of section"_s},
        {TDistribution::Text, PositionBins(u"1#"_s, {1}), u"\"the\" distribution in texts"_s,
         u"position of sentence in text"_s},
    };
    TTestMainWindow main;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Title.toStdString() + " / " + c.AxisTitle.toStdString());
        const qsizetype before = main.Children().size();
        const TfrmResults* window = Open(main, c.Bins, c.Kind);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(main.Children().size(), before + 1);
        EXPECT_EQ(window->Title(), c.Title);
        EXPECT_EQ(window->windowTitle(), c.Title);
        EXPECT_EQ(window->WindowListCaption(), c.Title);
        EXPECT_EQ(main.StatusText, c.Title);
        EXPECT_EQ(window->XAxisTitle(), c.AxisTitle);
        EXPECT_EQ(BottomAxis(*window)->titleText(), c.AxisTitle);
    }
}

TEST(ResultsWindow, TableRowsAndBarsFollowTheBins)
{
    const struct {
        TBinSet Bins;
        QStringList Captions;
        QList<int> Counts;
    } cases[] = {
        {PositionBins(u"1 2 Other 1# #"_s, {3, 0, 5, 1, 2}),
         {u"1"_s, u"2"_s, u"P"_s, u"1#"_s, u"#"_s},
         {3, 0, 5, 1, 2}},
        {PercentageBins({4, 1, 0}), {u"0% - 33%"_s, u"34% - 66%"_s, u"67% - 100%"_s}, {4, 1, 0}},
        // Repeated captions each keep their own bar.
        {PositionBins(u"Other 1 Other 1"_s, {1, 2, 3, 4}),
         {u"P"_s, u"1"_s, u"P"_s, u"1"_s},
         {1, 2, 3, 4}},
    };
    TTestMainWindow main;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Captions.join(u' ').toStdString());
        const TfrmResults* window = Open(main, c.Bins);
        QStringList counts;
        for (int count : c.Counts)
            counts.append(QString::number(count));
        EXPECT_EQ(TableColumn(*window, 0), c.Captions);
        EXPECT_EQ(TableColumn(*window, 1), counts);
        EXPECT_EQ(BarLabels(*window), c.Captions);
        EXPECT_EQ(BarValues(*window), c.Counts);
    }
}

TEST(ResultsWindow, StatisticsAndTotalsLines)
{
    const struct {
        QList<int> Counts;
        QLocale::Language Language;
        QString MeanAndMedian;
    } cases[] = {
        {{1, 1, 2}, QLocale::English, u"Mean: 1.33333333333333333 Median: 1"_s},
        {{1, 1, 2}, QLocale::German, u"Mean: 1,33333333333333333 Median: 1"_s},
        {{2, 1}, QLocale::German, u"Mean: 1,5 Median: 1,5"_s},
        {{0, 0, 0}, QLocale::English, u"Mean: 0 Median: 0"_s},
    };
    TTestMainWindow main;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.MeanAndMedian.toStdString());
        const TDefaultLocale locale{QLocale(c.Language)};
        const TfrmResults* window = Open(main, PercentageBins(c.Counts));
        EXPECT_EQ(window->MeanMedianText(), c.MeanAndMedian);
        EXPECT_EQ(window->Total1Text(), u"Total Corpus/Results.: Matches: 21; Words: 340;"_s);
        EXPECT_EQ(window->Total2Text(), u"Sentences: 30; Paragraphs: 7; Sections: 2; Texts: 1"_s);
    }
}

TEST(ResultsWindow, RefillWithoutBinsEmptiesTheTableAndKeepsTheLines)
{
    TTestMainWindow main;
    TfrmResults* window = Open(main, PositionBins(u"1 2"_s, {2, 1}));
    TBinSet noBins;
    noBins.TotalWords = 99;
    window->GetInfoFromBinSet(noBins);
    EXPECT_EQ(window->ListView()->topLevelItemCount(), 0);
    EXPECT_TRUE(BarValues(*window).isEmpty());
    EXPECT_EQ(window->SavedBinSet().Count(), 0);
    EXPECT_EQ(window->SavedBinSet().TotalWords, 99);
    EXPECT_EQ(window->MeanMedianText(), u"Mean: 1.5 Median: 1.5"_s);
    EXPECT_EQ(window->Total1Text(), u"Total Corpus/Results.: Matches: 21; Words: 340;"_s);
}

// At the designed size the captions show whole, on one or two lines or
// upright, and with many bins every so many of them, never on top of each
// other; a larger window shows them all on one line.
TEST(ResultsWindow, BarCaptionsShowWholeAndApart)
{
    TTestMainWindow main;
    main.resize(1100, 900);
    for (const int bins : {3, 10, 20, 100}) {
        SCOPED_TRACE(bins);
        QList<int> counts;
        for (int i = 0; i < bins; ++i)
            counts.append(i % 4 + 1);
        TfrmResults* window = Open(main, PercentageBins(counts));
        ASSERT_EQ(window->size(), QSize(463, 338));
        for (const QSize size : {QSize(463, 338), QSize(1000, 700)}) {
            window->parentWidget()->resize(window->parentWidget()->size() + size - window->size());
            QApplication::processEvents();
            const auto drawn = DrawnCaptions(*window);
            EXPECT_GE(drawn.size(), std::min(bins, size.width() > 463 ? 20 : 8));
            EXPECT_FALSE(BottomAxis(*window)->labelsTruncated());
            for (qsizetype i = 0; i < drawn.size(); ++i) {
                const QRectF box = drawn[i].second;
                EXPECT_TRUE(ViewedArea(*window).contains(box)) << drawn[i].first.toStdString();
                for (qsizetype j = 0; j < i; ++j)
                    EXPECT_FALSE(box.adjusted(1, 1, -1, -1).intersects(drawn[j].second))
                        << drawn[i].first.toStdString() << " on " << drawn[j].first.toStdString();
            }
            if (bins == 3 && size.width() > 463) {
                for (const auto& [caption, box] : drawn)
                    EXPECT_LT(box.height(), 2 * box.width())
                        << "not on one line: " << caption.toStdString();
            }
        }
    }
}

TEST(ResultsWindow, NoMatchesInsteadOfAnEmptyChart)
{
    TTestMainWindow main;
    TfrmResults* window = Open(main, PercentageBins({0, 0, 0}));
    EXPECT_TRUE(NoMatchesShown(*window));
    EXPECT_FALSE(FrequencyAxis(*window)->isVisible());
    EXPECT_TRUE(DrawnCaptions(*window).isEmpty());

    window->GetInfoFromBinSet(PercentageBins({0, 2, 0}));
    QApplication::processEvents();
    EXPECT_FALSE(NoMatchesShown(*window));
    EXPECT_TRUE(FrequencyAxis(*window)->isVisible());
    EXPECT_EQ(DrawnCaptions(*window).size(), 3);
}

// The axis creates an item per tick: a large count after a small one must not
// pass through a state with a tick for every unit.
TEST(ResultsWindow, FrequencyAxisKeepsAFewTicks)
{
    TTestMainWindow main;
    TfrmResults* window = Open(main, PositionBins(u"1 2"_s, {1, 2}));
    for (const int highest : {200000, 3, 70000}) {
        window->GetInfoFromBinSet(PositionBins(u"1"_s, {highest}));
        QApplication::processEvents();
        const QValueAxis* axis = FrequencyAxis(*window);
        ASSERT_TRUE(axis);
        EXPECT_GE(axis->max(), highest);
        EXPECT_LE(axis->max() / axis->tickInterval(), 6) << highest;
    }
}

// Rescaling the frequency axis changes its labels, and with them the plot
// area; a rescale on every change of the plot area never settled at some
// sizes, and the program died. The windows go through what a user did: four
// tiled, one maximised, all cascaded, then one dragged from tiny to large and
// back. A hang fails by the test's time limit. At every size the labels of the
// frequency axis keep a label's height apart, unless there are only two.
TEST(ResultsWindow, ResizingFromTinyToLargeSettlesWithWholeLabels)
{
    TTestMainWindow main;
    QList<QMdiSubWindow*> frames;
    for (int i = 0; i < 4; ++i) {
        Open(main, PercentageBins({22, 14, 16}));
        frames.append(main.Area->activeSubWindow());
    }
    const QSize client = main.ClientAreaSize();
    for (int i = 0; i < 4; ++i)
        frames[i]->setGeometry(0, i * client.height() / 4, client.width(), client.height() / 4);
    QApplication::processEvents();
    frames[0]->showMaximized();
    QApplication::processEvents();
    main.Area->cascadeSubWindows();
    QApplication::processEvents();

    main.resize(1280, 960);
    const auto* window = qobject_cast<TfrmResults*>(frames[1]->widget());
    const QValueAxis* axis = FrequencyAxis(*window);
    const int labelHeight = QFontMetrics(axis->labelsFont()).height();
    QStringList crowded;
    const auto resize = [&](QSize size) {
        frames[1]->resize(size);
        QApplication::processEvents();
        const qreal intervals = axis->max() / axis->tickInterval();
        if (intervals > 1 &&
            window->Chart()->chart()->plotArea().height() / intervals < labelHeight)
            crowded.append(u"%1x%2"_s.arg(size.width()).arg(size.height()));
    };
    for (int round = 0; round < 3; ++round) {
        for (int height = 60; height <= 700; height += 7)
            resize({height * 6 / 5 + 60, height});
        for (int height = 700; height >= 60; height -= 11)
            resize({height * 4 / 3, height});
    }
    EXPECT_EQ(crowded, QStringList());
    resize({900, 700});
    EXPECT_GE(axis->max(), 22);
    EXPECT_GE(axis->max() / axis->tickInterval(), 3);
}

TEST(ResultsWindow, KeepsItsOwnCopyOfTheBinSet)
{
    TTestMainWindow main;
    auto bins = std::make_unique<TBinSet>(PositionBins(u"1 2"_s, {1, 2}));
    TfrmResults::OpenResultsWindow(main, bins.get(), TDistribution::Sentence, u"the"_s);
    const auto* window = qobject_cast<TfrmResults*>(main.ActiveChildWindow());
    bins.reset();

    const TBinSet& saved = window->SavedBinSet();
    ASSERT_EQ(saved.Count(), 2);
    EXPECT_EQ(saved.GetBin(0).ValFrom, 1);
    ASSERT_EQ(saved.GetBin(1).Count(), 2);
    EXPECT_EQ(saved.GetBin(1).GetMatch(1).WordsFromBeginning, 2);
    EXPECT_EQ(saved.TotalWords, 340);
    EXPECT_EQ(saved.TotalTexts, 1);
}

TEST(ResultsWindow, CheckPositionFitsTheWindowIntoTheClientArea)
{
    TTestMainWindow main;
    main.resize(1100, 900);
    TfrmResults* window = Open(main, PositionBins(u"1"_s, {1}));
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    ASSERT_NE(frame, nullptr);
    const int w = main.ClientAreaSize().width();
    const int h = main.ClientAreaSize().height();

    const struct {
        QRect Before;
        QRect After;
    } cases[] = {
        {{10, 20, 500, 400}, {10, 20, 500, 400}},
        {{w - 530, h - 430, 500, 400}, {w - 530, h - 430, 500, 400}},
        {{100, 20, w + 50, 400}, {0, 20, w - 30, 400}},
        {{w - 300, 20, 500, 400}, {w - 530, 20, 500, 400}},
        {{10, 50, 500, h + 10}, {10, 0, 500, h - 30}},
        {{10, h - 200, 500, 400}, {10, h - 430, 500, 400}},
    };
    for (const auto& c : cases) {
        frame->setGeometry(c.Before);
        window->CheckPosition();
        EXPECT_EQ(frame->geometry(), c.After)
            << "from " << c.Before.x() << ',' << c.Before.y() << ' ' << c.Before.width() << 'x'
            << c.Before.height();
    }
}

TEST(ResultsWindow, BarClickWithAnyButtonOpensTheConcordanceOfItsBin)
{
    TTestMainWindow main;
    const TfrmResults* window = Open(main, PositionBins(u"1 2 Other 1# #"_s, {3, 1, 5, 2, 4}));
    QWidget* chart = window->Chart()->viewport();
    QTest::mouseClick(chart, Qt::LeftButton, {}, BarMiddle(*window, 2));
    QTest::mouseClick(chart, Qt::RightButton, {}, BarMiddle(*window, 3));
    QTest::mouseClick(chart, Qt::MiddleButton, {}, BarMiddle(*window, 0));
    // Above a bar, and a press on one bar released on another.
    QTest::mouseClick(chart, Qt::LeftButton, {}, BarMiddle(*window, 1) - QPoint(0, 40));
    QTest::mousePress(chart, Qt::LeftButton, {}, BarMiddle(*window, 2));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, BarMiddle(*window, 4));
    EXPECT_EQ(ConcordanceCaptions(main),
              (QStringList{u"\"the\" distribution in sentences, position: P"_s,
                           u"\"the\" distribution in sentences, position: 1#"_s,
                           u"\"the\" distribution in sentences, position: 1"_s}));
}

TEST(ResultsWindow, SelectedRowOpensTheConcordanceOfItsBin)
{
    TTestMainWindow main;
    const TfrmResults* window = Open(main, PercentageBins({3, 1, 5}), TDistribution::Paragraph);
    QWidget* table = window->ListView()->viewport();
    QTest::mouseClick(table, Qt::LeftButton, {}, RowMiddle(*window, 1));
    QTest::mouseDClick(table, Qt::LeftButton, {}, RowMiddle(*window, 1));
    window->ListView()->setCurrentItem(window->ListView()->topLevelItem(2));
    window->ListView()->actions().first()->trigger(); // "View concordances"
    EXPECT_EQ(ConcordanceCaptions(main),
              (QStringList{u"\"the\" distribution in paragraphs, position: 34% - 66%"_s,
                           u"\"the\" distribution in paragraphs, position: 67% - 100%"_s}));
}

TEST(ResultsWindow, UnreadableCorpusFileIsReportedAndTheConcordanceStaysOpen)
{
    TTestFiles files;
    TBinSet bins = PositionBins(u"1"_s, {});
    bins.GetBin(0).AddMatch(
        TMatch{.FileNameIndex = FileNameCacheIndex(files.Path(u"missing.txt"_s))});
    TTestMainWindow main;
    const TfrmResults* window = Open(main, bins);
    QTest::mouseClick(window->Chart()->viewport(), Qt::LeftButton, {}, BarMiddle(*window, 0));
    EXPECT_EQ(main.Collected.Errors.size(), 1);
    EXPECT_EQ(ConcordanceCaptions(main),
              QStringList{u"\"the\" distribution in sentences, position: 1"_s});
}

TEST(ResultsWindow, NothingOpensWithoutASelectedRow)
{
    TTestMainWindow main;
    const TfrmResults* window = Open(main, PositionBins(u"1 2"_s, {3, 1}));
    QTreeWidget* table = window->ListView();
    const QPoint belowTheRows(20, table->viewport()->height() - 5);
    ASSERT_EQ(table->itemAt(belowTheRows), nullptr);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, belowTheRows);
    table->actions().first()->trigger();
    EXPECT_TRUE(ConcordanceCaptions(main).isEmpty());
}

// The item is there only for a bin set whose baseline gives expected counts;
// a window refilled without one puts the item off.
TEST(ResultsWindow, ShowExpectedIsOffAndOnlyUsableWithABaseline)
{
    const struct {
        const char* Name;
        std::vector<std::int64_t> Baseline;
        bool Enabled;
    } cases[] = {
        {"baseline", {1, 2, 3}, true},
        {"no baseline", {}, false},
        {"baseline of other bins", {1, 2}, false},
    };
    TTestMainWindow main;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TfrmResults* window = Open(main, WithBaseline(PercentageBins({1, 2, 3}), c.Baseline));
        QAction* item = ShowExpectedItem(*window);
        ASSERT_NE(item, nullptr);
        const QList<QAction*> items = window->MergedMenu()->actions();
        const qsizetype at = items.indexOf(item);
        ASSERT_GE(at, 2);
        EXPECT_TRUE(items[at - 1]->isSeparator());
        EXPECT_EQ(items[at - 2]->text(), u"&Print"_s);
        EXPECT_TRUE(item->isCheckable());
        EXPECT_FALSE(item->isChecked());
        EXPECT_EQ(item->isEnabled(), c.Enabled);
        EXPECT_EQ(HeaderCaptions(*window), (QStringList{u"Position"_s, u"Frequency"_s}));
        EXPECT_TRUE(ExpectedPoints(*window).isEmpty());
    }

    TfrmResults* window = Open(main, WithBaseline(PercentageBins({1, 2}), {5, 5}));
    ShowExpectedItem(*window)->trigger();
    window->GetInfoFromBinSet(PercentageBins({1, 2}));
    QApplication::processEvents();
    EXPECT_FALSE(ShowExpectedItem(*window)->isEnabled());
    EXPECT_FALSE(ShowExpectedItem(*window)->isChecked());
    EXPECT_EQ(window->ListView()->columnCount(), 2);
    EXPECT_TRUE(StatisticsLine(*window, u"lblTest"_s)->isHidden());
}

// Expected counts are the hits times each bin's share of the baseline.
TEST(ResultsWindow, ShowExpectedAddsColumnsLineAndTests)
{
    const struct {
        const char* Name;
        TBinSet Bins;
        QStringList Expected;
        QStringList Residuals;
        QString Test;
        QString Note;
    } cases[] = {
        // 13 hits, baseline 10:20:0:70 of 100: 1.3, 2.6, 0 and 9.1 expected;
        // residuals (4 - 1.3) / sqrt(1.3) = 2.37, -2.6 / sqrt(2.6) = -1.61,
        // none and -0.1 / sqrt(9.1) = -0.03; chi-squared 8.21 on 2 degrees of
        // freedom, p = exp(-8.21 / 2). Two of the three bins expect fewer than 5.
        {"low expected counts",
         WithBaseline(PositionBins(u"1 2 3 Other"_s, {4, 0, 0, 9}), {10, 20, 0, 70}),
         {u"1.30"_s, u"2.60"_s, u"0.00"_s, u"9.10"_s},
         {u"2.37"_s, u"-1.61"_s, QString(), u"-0.03"_s},
         u"χ² = 8.21, G² = 8.79, df = 2, p = 0.0165 (χ²), 0.0123 (G²)"_s,
         u"Expected count below 5 in 2 of 3 bins: the tests may be unreliable."_s},
        // 60 hits over an even baseline: 20 each, residuals -10 / sqrt(20) and back.
        {"even baseline",
         WithBaseline(PercentageBins({10, 20, 30}), {100, 100, 100}),
         {u"20.00"_s, u"20.00"_s, u"20.00"_s},
         {u"-2.24"_s, u"0.00"_s, u"2.24"_s},
         u"χ² = 10.00, G² = 10.46, df = 2, p = 0.00674 (χ²), 0.00534 (G²)"_s,
         QString()},
    };
    TTestMainWindow main;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TfrmResults* window = Open(main, c.Bins);
        ShowExpectedItem(*window)->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(ShowExpectedItem(*window)->isChecked());
        EXPECT_EQ(HeaderCaptions(*window),
                  (QStringList{u"Position"_s, u"Frequency"_s, u"Expected"_s, u"Residual"_s}));
        EXPECT_EQ(TableColumn(*window, 2), c.Expected);
        EXPECT_EQ(TableColumn(*window, 3), c.Residuals);

        const QLineEdit* test = StatisticsLine(*window, u"lblTest"_s);
        const QLineEdit* note = StatisticsLine(*window, u"lblTestNote"_s);
        EXPECT_TRUE(test->isVisible());
        EXPECT_EQ(test->text(), c.Test);
        EXPECT_EQ(note->isVisible(), !c.Note.isEmpty());
        EXPECT_EQ(note->text(), c.Note);

        QList<QPointF> points;
        for (qsizetype i = 0; i < c.Expected.size(); ++i)
            points.append({qreal(i), c.Expected[i].toDouble()});
        const QList<QPointF> shown = ExpectedPoints(*window);
        ASSERT_EQ(shown.size(), points.size());
        for (qsizetype i = 0; i < points.size(); ++i) {
            EXPECT_EQ(shown[i].x(), points[i].x());
            EXPECT_NEAR(shown[i].y(), points[i].y(), 0.005);
        }
        EXPECT_TRUE(ExpectedLine(*window)->pointsVisible());
    }
}

// The residuals and the test line follow the locale, as the mean does.
TEST(ResultsWindow, ExpectedTextsTakeTheLocalesDecimalPoint)
{
    const TDefaultLocale locale{QLocale(QLocale::German)};
    TTestMainWindow main;
    TfrmResults* window = Open(main, WithBaseline(PercentageBins({10, 20, 30}), {1, 1, 1}));
    ShowExpectedItem(*window)->trigger();
    EXPECT_EQ(TableColumn(*window, 3), (QStringList{u"-2,24"_s, u"0,00"_s, u"2,24"_s}));
    EXPECT_TRUE(
        StatisticsLine(*window, u"lblTest"_s)->text().startsWith(u"χ² = 10,00, G² = 10,46"_s));
}

// The strip grows by the test lines, which stack inside it over the chart;
// the window grows by the two columns. Off again, all is as it was.
TEST(ResultsWindow, ShowExpectedGrowsTheWindowAndOffRestoresIt)
{
    TTestMainWindow main;
    main.resize(1100, 900);
    TfrmResults* window =
        Open(main, WithBaseline(PositionBins(u"1 2 3 Other"_s, {4, 0, 0, 9}), {10, 20, 0, 70}));
    QWidget* strip = TitleStrip(*window);
    ASSERT_NE(strip, nullptr);
    const int stripHeight = strip->height();
    const QSize frame = window->parentWidget()->size();
    const QStringList counts = TableColumn(*window, 1);
    window->ListView()->setCurrentItem(window->ListView()->topLevelItem(2));

    ShowExpectedItem(*window)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window->parentWidget()->size(), frame + QSize(128, 0));
    // The four columns fit side by side.
    EXPECT_FALSE(window->ListView()->horizontalScrollBar()->isVisible());
    // The title, the three lines of before, the test line and its note.
    const QLayout* lines = strip->layout();
    ASSERT_EQ(lines->count(), 6);
    QRect above;
    for (int i = 0; i < lines->count(); ++i) {
        const QWidget* line = lines->itemAt(i)->widget();
        EXPECT_TRUE(line->isVisible()) << i;
        const QRect box = line->geometry();
        EXPECT_TRUE(strip->rect().contains(box)) << i;
        EXPECT_GT(box.top(), above.bottom()) << i;
        if (const auto* edit = qobject_cast<const QLineEdit*>(line)) {
            EXPECT_GT(box.width(), edit->fontMetrics().horizontalAdvance(edit->text())) << i;
        }
        above = box;
    }
    EXPECT_GT(strip->height(), stripHeight);
    EXPECT_LE(strip->geometry().bottom(), window->Chart()->mapTo(window, QPoint(0, 0)).y());

    ShowExpectedItem(*window)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(strip->height(), stripHeight);
    EXPECT_EQ(window->parentWidget()->size(), frame);
    EXPECT_EQ(HeaderCaptions(*window), (QStringList{u"Position"_s, u"Frequency"_s}));
    EXPECT_EQ(window->ListView()->topLevelItem(0)->columnCount(), 2);
    EXPECT_EQ(TableColumn(*window, 1), counts);
    EXPECT_EQ(window->ListView()->currentItem(), window->ListView()->topLevelItem(2));
    EXPECT_TRUE(ExpectedPoints(*window).isEmpty());
    EXPECT_TRUE(StatisticsLine(*window, u"lblTest"_s)->isHidden());
    EXPECT_TRUE(StatisticsLine(*window, u"lblTestNote"_s)->isHidden());
}

// 10 hits over a baseline of 9:1:0: 9 expected in the first bin, above the
// highest bar, 6. The axis reaches the line's top,
// the line lies over the bars, and a bar under the line still opens its
// concordance.
TEST(ResultsWindow, ExpectedLineLiesOverTheBarsWithinTheScale)
{
    TTestMainWindow main;
    main.resize(1100, 900);
    TfrmResults* window = Open(main, WithBaseline(PositionBins(u"1 2 3"_s, {1, 3, 6}), {9, 1, 0}));
    ShowExpectedItem(*window)->trigger();
    QApplication::processEvents();
    EXPECT_GE(FrequencyAxis(*window)->max(), 9);

    // Bar 2 holds 6 hits and expects none: its point lies on the bar's foot,
    // a marker over the bar's colour.
    QChart* chart = window->Chart()->chart();
    const QPointF point = chart->mapToPosition({2, 0}, ExpectedLine(*window));
    const QPoint inView = window->Chart()->mapFromScene(chart->mapToScene(point));
    const QImage image = window->Chart()->viewport()->grab().toImage();
    EXPECT_TRUE(IsRed(image.pixel(inView - QPoint(0, 2))));
    EXPECT_EQ(QColor(image.pixel(BarMiddle(*window, 2))), Bars(*window)->color());

    QTest::mouseClick(window->Chart()->viewport(), Qt::LeftButton, {}, inView - QPoint(0, 2));
    EXPECT_EQ(ConcordanceCaptions(main),
              QStringList{u"\"the\" distribution in sentences, position: 3"_s});
}

} // namespace
