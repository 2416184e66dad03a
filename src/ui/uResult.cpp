// The results window: a title strip with the statistics lines, the histogram
// of the bins' hit counts on the left and the table of bins on the right.
// The histogram is a chart view of its own, so that it can also be drawn into
// a picture or onto a page.
#include "uResult.h"

#include "DistributionText.h"
#include "MainWindowServices.h"
#include "MessageSink.h"
#include "uConcordance.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QSize ClientSize(463, 338);
const QSize ConcordanceClientSize(614, 322);
const int TableWidth = 167;
// The share of its category that a bar covers.
const qreal BarWidth = 0.7;
// The chart's space on either side of a caption under a bar, the margin of the
// caption's text within its box, and what this window keeps between two
// upright captions.
const int CaptionPadding = 6;
const int CaptionMargin = 2;
const int CaptionGap = 2;
// The chart's spacing around the frequency axis's title, labels and ticks.
const int FrequencyAxisSpacing = 24;
// How far a window keeps from the right and bottom edges of the client area.
const int EdgeGap = 30;

QString AxisTitle(TDistribution kind, TBinType firstBinType)
{
    const bool percentage = firstBinType == btPrecentage;
    switch (kind) {
    case TDistribution::Sentence:
        return percentage ? u"% of sentence"_s : u"position of word in sentence"_s;
    case TDistribution::Paragraph:
        return percentage ? u"% of paragraph"_s : u"position of sentence in paragraph"_s;
    case TDistribution::Section:
        return percentage ? u"% of section"_s : u"position of sentence in section"_s;
    case TDistribution::Text:
        break;
    }
    return percentage ? u"% of text"_s : u"position of sentence in text"_s;
}

// A one-line text box that looks like a label but lets the user select and
// copy its text.
QLineEdit* CreateStatisticsLine(QWidget* parent)
{
    auto* line = new QLineEdit(parent);
    line->setReadOnly(true);
    line->setFrame(false);
    line->setAlignment(Qt::AlignCenter);
    // As compact as a label: the strip keeps most of a small window for the chart.
    line->setTextMargins(0, 0, 0, 0);
    line->setFixedHeight(line->fontMetrics().height() + 2);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    line->setPalette(palette);
    return line;
}

QLabel* CreateHint(const QString& text, QWidget* parent)
{
    auto* hint = new QLabel(text, parent);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignCenter);
    return hint;
}

void AddDisabledAction(QMenu* menu, const QString& caption, bool visible = true)
{
    QAction* action = menu->addAction(caption);
    action->setEnabled(false);
    action->setVisible(visible);
}

// The category axis drops repeated categories, but a list of bin positions
// may repeat one, and two Other bins are both "P". A zero-width space per
// earlier occurrence keeps each caption distinct without changing its look.
QStringList DistinctCategories(const QStringList& captions)
{
    QStringList categories;
    for (const QString& caption : captions) {
        QString category = caption;
        while (categories.contains(category))
            category += QChar(0x200B);
        categories.append(category);
    }
    return categories;
}

struct TFrequencyScale {
    qreal Top;
    qreal Step;
};

// Whole-number ticks of 1, 2 or 5 times a power of ten, no more than
// maxTicks of them, and room above the highest bar for its value label.
TFrequencyScale FrequencyScale(qreal highest, int maxTicks)
{
    const qreal wanted = std::max<qreal>(1, highest * 1.15);
    for (qreal magnitude = 1;; magnitude *= 10) {
        for (const int factor : {1, 2, 5}) {
            const qreal step = factor * magnitude;
            if (wanted / step <= maxTicks)
                return {std::ceil(wanted / step) * step, step};
        }
    }
}

} // namespace

// The histogram: one bar per bin with its hit count above it and its caption
// under it, or "No matches" when no bin holds a hit. The chart's own bar
// clicks come only from the left button, so the view finds the bar under the
// mouse itself: pressing and releasing any button on the same bar reports the
// bar's index.
class TResultsChart : public QChartView {
public:
    explicit TResultsChart(QWidget* parent);

    void SetBars(const QList<qreal>& values, const QStringList& captions);
    void SetXAxisTitle(const QString& title) { axisBottom->setTitleText(title); }

    std::function<void(int index)> OnBarClick;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The captions as whole as the room under each bar allows: on one line,
    // else on two, else upright, and when even upright ones would touch,
    // only every so many. The value marks show where they fit above the bars.
    void LayOutCaptions();
    // As many ticks on the frequency axis as leave room between their labels,
    // so that a small window (say, one of four tiled) keeps its labels whole.
    void ScaleFrequencyAxis();
    // The width and the height of the plot area that a view of the given
    // size leaves.
    int PlotWidth(int viewWidth) const;
    int PlotHeight(int viewHeight) const;
    void ShowNoMatches();
    // The index of the bar under pos (view coordinates), or -1.
    int BarAt(QPointF pos) const;

    QBarSeries* Series1 = new QBarSeries();
    QBarSet* Bars = new QBarSet(QString());
    QBarCategoryAxis* axisBottom = new QBarCategoryAxis();
    QValueAxis* axisLeft = new QValueAxis();
    QGraphicsSimpleTextItem* NoMatches = new QGraphicsSimpleTextItem(u"No matches"_s, chart());
    QStringList Captions;
    int CaptionsHeight = 0; // as the captions are laid out
    int PressedBar = -1;
    qreal Highest = 0;
};

TResultsChart::TResultsChart(QWidget* parent)
    : QChartView(new QChart(), parent)
{
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->hide();
    chart()->setAnimationOptions(QChart::NoAnimation);
    chart()->setBackgroundRoundness(0);
    // A new window is small; the plot gets all the room there is.
    chart()->setMargins(QMargins(4, 4, 4, 4));
    chart()->layout()->setContentsMargins(0, 0, 0, 0);
    setFrameShape(QFrame::NoFrame);

    Series1->append(Bars);
    Series1->setBarWidth(BarWidth);
    Series1->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    Series1->setLabelsFormat(u"@value"_s);
    // Enough digits that any hit count shows whole, never in exponent form.
    Series1->setLabelsPrecision(12);
    chart()->addSeries(Series1);

    // Smaller axis labels leave the bin captions whole in a new window.
    QFont labelsFont = font();
    labelsFont.setPointSizeF(labelsFont.pointSizeF() * 0.85);
    axisBottom->setLabelsFont(labelsFont);
    axisLeft->setLabelsFont(labelsFont);
    chart()->addAxis(axisBottom, Qt::AlignBottom);
    Series1->attachAxis(axisBottom);
    axisLeft->setTitleText(u"Frequency"_s);
    axisLeft->setLabelFormat(u"%d"_s);
    axisLeft->setTickType(QValueAxis::TicksDynamic);
    axisLeft->setTickAnchor(0);
    axisLeft->setMinorTickCount(0);
    chart()->addAxis(axisLeft, Qt::AlignLeft);
    Series1->attachAxis(axisLeft);
    // The chart's theme would draw the value marks in white, as if inside the bars.
    Bars->setLabelColor(axisLeft->labelsColor());
    QFont noMatchesFont = font();
    noMatchesFont.setPointSizeF(noMatchesFont.pointSizeF() * 1.2);
    NoMatches->setFont(noMatchesFont);
    NoMatches->setBrush(axisLeft->labelsColor());
}

void TResultsChart::SetBars(const QList<qreal>& values, const QStringList& captions)
{
    Bars->remove(0, Bars->count());
    Bars->append(values);
    Captions = captions;
    Highest = values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
    LayOutCaptions();
    ScaleFrequencyAxis();
    ShowNoMatches();
}

// An empty axis from 0 to 1 would look as if the chart had failed.
void TResultsChart::ShowNoMatches()
{
    const bool none = Highest <= 0;
    NoMatches->setVisible(none);
    Series1->setVisible(!none);
    axisBottom->setVisible(!none);
    axisLeft->setVisible(!none);
    NoMatches->setPos(chart()->rect().center() - NoMatches->boundingRect().center());
}

void TResultsChart::LayOutCaptions()
{
    const QFontMetrics metrics(axisBottom->labelsFont());
    const auto widest = [&](const QStringList& lines) {
        int width = 0;
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        return width;
    };
    // Percentage captions break after their dash.
    QStringList firstLines, secondLines;
    for (const QString& caption : Captions) {
        const qsizetype dash = caption.indexOf(u" - "_s);
        firstLines.append(dash < 0 ? caption : caption.left(dash + 2));
        secondLines.append(dash < 0 ? QString() : caption.mid(dash + 3));
    }
    // The chart gives a caption the plot's width shared among one more than
    // the bars, less its padding on both sides.
    const int count = static_cast<int>(Captions.size());
    const int plotWidth = PlotWidth(width());
    const int room = plotWidth / (count + 1) - 2 * CaptionPadding;
    QStringList shown;
    if (widest(Captions) <= room) {
        shown = Captions;
        axisBottom->setLabelsAngle(0);
        CaptionsHeight = metrics.height();
    } else if (std::max(widest(firstLines), widest(secondLines)) <= room) {
        for (qsizetype i = 0; i < Captions.size(); ++i)
            shown.append(secondLines[i].isEmpty() ? firstLines[i]
                                                  : firstLines[i] + u"<br>"_s + secondLines[i]);
        axisBottom->setLabelsAngle(0);
        CaptionsHeight = 2 * metrics.height();
    } else {
        // The chart drops a caption that reaches beyond the ends of the axis.
        const qreal barSpace = qreal(plotWidth) / std::max(count, 1);
        const int upright = metrics.height() + 2 * CaptionMargin;
        const qreal half = upright / 2.0;
        const int every = static_cast<int>(std::ceil((upright + CaptionGap) / barSpace));
        const int first = static_cast<int>(std::ceil(half / barSpace - 0.5));
        for (int i = 0; i < count; ++i) {
            const bool fits = i >= first && (count - i - 0.5) * barSpace >= half;
            shown.append(fits && (i - first) % every == 0 ? Captions[i] : QString());
        }
        axisBottom->setLabelsAngle(-90);
        CaptionsHeight = widest(Captions);
    }
    // Value marks wider than their bars would run into each other.
    const QFontMetrics valueMetrics(Bars->labelFont());
    Series1->setLabelsVisible(valueMetrics.horizontalAdvance(QString::number(Highest, 'f', 0)) +
                                  CaptionGap <=
                              plotWidth / std::max(count, 1));
    // Upright captions are narrower than the room the chart reckons with.
    axisBottom->setTruncateLabels(axisBottom->labelsAngle() == 0);
    axisBottom->setCategories(DistinctCategories(shown));
}

// The scale follows the view's height, which nothing in the chart can change.
// Following the plot area instead fed back on itself: new tick labels change
// the room the axes take, which moves the plot area, which rescales the axis,
// from inside the chart's own layout and without end.
void TResultsChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    LayOutCaptions();
    ScaleFrequencyAxis();
    ShowNoMatches();
}

// Left of the plot lie the frequency axis's title, its labels (at most the
// digits of the coarsest scale's top) and the spacing around them and the
// tick marks.
int TResultsChart::PlotWidth(int viewWidth) const
{
    const QString widestLabel = QString::number(FrequencyScale(Highest, 1).Top, 'f', 0);
    const int labelWidth = QFontMetrics(axisLeft->labelsFont()).horizontalAdvance(widestLabel);
    const int titleHeight = QFontMetrics(axisLeft->titleFont()).height();
    const QMargins margins = chart()->margins();
    return viewWidth - margins.left() - margins.right() - labelWidth - titleHeight -
           FrequencyAxisSpacing;
}

// Under the plot lie the captions, the axis title, and the spacing around them
// and the tick marks, about one more line of captions.
int TResultsChart::PlotHeight(int viewHeight) const
{
    const int labelHeight = QFontMetrics(axisBottom->labelsFont()).height();
    const int titleHeight = QFontMetrics(axisBottom->titleFont()).height();
    const QMargins margins = chart()->margins();
    return viewHeight - margins.top() - margins.bottom() - CaptionsHeight - labelHeight -
           titleHeight;
}

void TResultsChart::ScaleFrequencyAxis()
{
    const int labelHeight = QFontMetrics(axisLeft->labelsFont()).height();
    const int maxTicks = std::clamp(PlotHeight(height()) / (2 * labelHeight), 1, 6);
    const TFrequencyScale scale = FrequencyScale(Highest, maxTicks);
    // The axis makes its ticks at each change, so range and interval never
    // meet in a state of many ticks: a coarser interval comes first, a finer
    // one after the smaller range.
    if (scale.Step > axisLeft->tickInterval()) {
        axisLeft->setTickInterval(scale.Step);
        axisLeft->setRange(0, scale.Top);
    } else {
        axisLeft->setRange(0, scale.Top);
        axisLeft->setTickInterval(scale.Step);
    }
}

int TResultsChart::BarAt(QPointF pos) const
{
    const QPointF inChart = chart()->mapFromScene(mapToScene(pos.toPoint()));
    const QPointF value = chart()->mapToValue(inChart, Series1);
    const int index = qRound(value.x());
    if (index < 0 || index >= Bars->count() || std::abs(value.x() - index) > BarWidth / 2)
        return -1;
    return value.y() >= 0 && value.y() <= Bars->at(index) ? index : -1;
}

void TResultsChart::mousePressEvent(QMouseEvent* event)
{
    QChartView::mousePressEvent(event);
    PressedBar = BarAt(event->position());
    if (PressedBar >= 0)
        event->accept();
}

void TResultsChart::mouseReleaseEvent(QMouseEvent* event)
{
    QChartView::mouseReleaseEvent(event);
    const int bar = std::exchange(PressedBar, -1);
    if (bar >= 0 && BarAt(event->position()) == bar && OnBarClick)
        OnBarClick(bar);
}

TfrmResults::TfrmResults(IMainWindow& main, QWidget* parent)
    : TChildWindow(parent)
    , Main(main)
{
    setWindowTitle(u"Word Distribution"_s);

    auto* splMain = new QSplitter(Qt::Horizontal, this);
    splMain->setHandleWidth(4);
    splMain->setOpaqueResize(true);
    splMain->addWidget(CreateHistogram());
    splMain->addWidget(CreateTable());
    splMain->setStretchFactor(0, 1);
    splMain->setStretchFactor(1, 0);
    splMain->setSizes({ClientSize.width() - TableWidth - splMain->handleWidth(), TableWidth});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateTitleStrip());
    layout->addWidget(splMain, 1);

    CreateMenu();
}

TfrmResults::~TfrmResults() = default;

QWidget* TfrmResults::CreateTitleStrip()
{
    auto* pnlTitle = new QWidget(this);
    lblTitle = new QLabel(u"Word distribution"_s, pnlTitle);
    lblTitle->setAlignment(Qt::AlignCenter);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblMM = CreateStatisticsLine(pnlTitle);
    lblTotal1 = CreateStatisticsLine(pnlTitle);
    lblTotal2 = CreateStatisticsLine(pnlTitle);

    auto* layout = new QVBoxLayout(pnlTitle);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    for (QWidget* line : {static_cast<QWidget*>(lblTitle), static_cast<QWidget*>(lblMM),
                          static_cast<QWidget*>(lblTotal1), static_cast<QWidget*>(lblTotal2)})
        layout->addWidget(line);
    return pnlTitle;
}

QWidget* TfrmResults::CreateTable()
{
    auto* pnlTable = new QWidget(this);
    lvMain = new QTreeWidget(pnlTable);
    lvMain->setRootIsDecorated(false);
    lvMain->setUniformRowHeights(true);
    lvMain->setAllColumnsShowFocus(true);
    lvMain->setSelectionMode(QAbstractItemView::SingleSelection);
    lvMain->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvMain->setHeaderLabels({u"Position"_s, u"Frequency"_s});
    lvMain->header()->resizeSection(0, 80);
    lvMain->header()->resizeSection(1, 70);
    connect(lvMain, &QTreeWidget::itemDoubleClicked, this, &TfrmResults::lvMainDblClick);

    auto* miViewconcordances = new QAction(u"View concordances"_s, lvMain);
    QFont bold = miViewconcordances->font();
    bold.setBold(true);
    miViewconcordances->setFont(bold);
    connect(miViewconcordances, &QAction::triggered, this, &TfrmResults::lvMainDblClick);
    auto* miCopy = new QAction(u"Copy list to clipboard"_s, lvMain);
    miCopy->setEnabled(false);
    lvMain->addActions({miViewconcordances, miCopy});
    lvMain->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* btnCopy = new QPushButton(u"Copy"_s, pnlTable);
    btnCopy->setEnabled(false);

    auto* layout = new QVBoxLayout(pnlTable);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(lvMain, 1);
    layout->addWidget(btnCopy);
    layout->addWidget(
        CreateHint(u"Double click item in the list to open concordance window"_s, pnlTable));
    return pnlTable;
}

QWidget* TfrmResults::CreateHistogram()
{
    auto* pnlHystogram = new QWidget(this);
    crtMain = new TResultsChart(pnlHystogram);
    crtMain->OnBarClick = [this](int index) { crtMainClickSeries(index); };

    auto* layout = new QVBoxLayout(pnlHystogram);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(crtMain, 1);
    layout->addWidget(
        CreateHint(u"Click histogram's bar to open concordance window"_s, pnlHystogram));
    return pnlHystogram;
}

// The save and print commands come with the export of results; until then
// they are shown disabled.
void TfrmResults::CreateMenu()
{
    miResults = new QMenu(u"&Results"_s, this);
    QMenu* miSave = miResults->addMenu(u"&Save"_s);
    AddDisabledAction(miSave, u"&Histogram..."_s);
    AddDisabledAction(miSave, u"&Table..."_s, false);
    AddDisabledAction(miSave, u"Histogram &and Table..."_s, false);
    miSave->addSeparator()->setVisible(false);
    AddDisabledAction(miSave, u"&Data to File (.csv)"_s);
    QMenu* miPrint = miResults->addMenu(u"&Print"_s);
    AddDisabledAction(miPrint, u"&Histogram..."_s);
    AddDisabledAction(miPrint, u"&Table..."_s);
    AddDisabledAction(miPrint, u"Histogram &and Table..."_s);
}

void TfrmResults::OpenResultsWindow(IMainWindow& main, const TBinSet* binSet, TDistribution kind,
                                    const QString& pattern)
{
    if (!binSet || binSet->Count() == 0)
        return;
    auto copy = std::make_unique<TBinSet>();
    binSet->CopyTo(*copy);
    OpenResultsWindow(main, std::move(copy), kind, pattern);
}

void TfrmResults::OpenResultsWindow(IMainWindow& main, std::unique_ptr<TBinSet> binSet,
                                    TDistribution kind, const QString& pattern)
{
    if (!binSet || binSet->Count() == 0)
        return;
    const QString xAxisTitle = AxisTitle(kind, binSet->GetBin(0).BinType);
    const QString title = DistributionTitle(pattern, kind);

    auto* window = new TfrmResults(main);
    main.AddChildWindow(window, ClientSize);
    window->GetInfoFromBinSet(std::move(*binSet));
    window->SetTitles(title, xAxisTitle);
    if (main.ActiveChildWindow() == window)
        main.SetActiveWindowText(title);
    window->CheckPosition();
}

void TfrmResults::GetInfoFromBinSet(const TBinSet& binSet)
{
    binSet.CopyTo(FSavedBinSet);
    ShowSavedBinSet();
}

void TfrmResults::GetInfoFromBinSet(TBinSet&& binSet)
{
    FSavedBinSet = std::move(binSet);
    ShowSavedBinSet();
}

void TfrmResults::ShowSavedBinSet()
{
    QList<qreal> values;
    QStringList captions;
    lvMain->clear();
    for (const TBin& bin : FSavedBinSet.FBins) {
        const QString caption = BinCaption(bin);
        values.append(bin.Count());
        captions.append(caption);
        lvMain->addTopLevelItem(new QTreeWidgetItem({caption, QString::number(bin.Count())}));
    }
    crtMain->SetBars(values, captions);
    ShowStatistics();
}

// Without bins there is no mean; the lines then keep what they showed.
void TfrmResults::ShowStatistics()
{
    const QString meanAndMedian = StatisticsLine(FSavedBinSet, QLocale().decimalPoint().front());
    if (meanAndMedian.isEmpty())
        return;
    lblMM->setText(meanAndMedian);
    lblTotal1->setText(TotalsLine1(FSavedBinSet));
    lblTotal2->setText(TotalsLine2(FSavedBinSet));
}

void TfrmResults::SetTitles(const QString& title, const QString& xAxisTitle)
{
    FTitle = title;
    setWindowTitle(title);
    lblTitle->setText(title);
    FXAxisTitle = xAxisTitle;
    crtMain->SetXAxisTitle(xAxisTitle);
}

void TfrmResults::CheckPosition()
{
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame)
        return;
    const QSize client = Main.ClientAreaSize();
    const int right = client.width() - EdgeGap;
    const int bottom = client.height() - EdgeGap;
    QRect bounds = frame->geometry();
    if (bounds.width() > right)
        bounds.setWidth(right);
    if (bounds.height() > bottom)
        bounds.setHeight(bottom);
    if (bounds.left() + bounds.width() > right)
        bounds.moveLeft(right - bounds.width());
    if (bounds.top() + bounds.height() > bottom)
        bounds.moveTop(bottom - bounds.height());
    frame->setGeometry(bounds);
}

const QString& TfrmResults::Title() const
{
    return FTitle;
}

const QString& TfrmResults::XAxisTitle() const
{
    return FXAxisTitle;
}

const TBinSet& TfrmResults::SavedBinSet() const
{
    return FSavedBinSet;
}

QString TfrmResults::MeanMedianText() const
{
    return lblMM->text();
}

QString TfrmResults::Total1Text() const
{
    return lblTotal1->text();
}

QString TfrmResults::Total2Text() const
{
    return lblTotal2->text();
}

QChartView* TfrmResults::Chart() const
{
    return crtMain;
}

QMenu* TfrmResults::MergedMenu()
{
    return miResults;
}

void TfrmResults::FormActivate()
{
    Main.SetActiveWindowText(FTitle);
}

void TfrmResults::FormClose()
{
    Main.SetActiveWindowText(QString());
}

// Bars follow the order of the bins, so a bar's index is its bin's index.
void TfrmResults::crtMainClickSeries(int ValueIndex)
{
    OpenConcordance(ValueIndex);
}

void TfrmResults::lvMainDblClick()
{
    const QList<QTreeWidgetItem*> selected = lvMain->selectedItems();
    if (!selected.isEmpty())
        OpenConcordance(lvMain->indexOfTopLevelItem(selected.first()));
}

void TfrmResults::OpenConcordance(int binIndex)
{
    if (binIndex < 0 || binIndex >= FSavedBinSet.Count())
        return;
    auto* window = new TfrmConcordance(Main);
    window->SetCaption(FTitle + u", position: "_s + lvMain->topLevelItem(binIndex)->text(0));
    Main.AddChildWindow(window, ConcordanceClientSize);
    Main.RunCommand([&] { window->GetInfoFromBin(FSavedBinSet.GetBin(binIndex)); });
}
