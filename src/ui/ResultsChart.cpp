#include "ResultsChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The share of its category that a bar covers.
const qreal BarWidth = 0.7;
// The expected counts stand apart from the theme's blue bars; a value mark
// that the line crosses still shows through it.
const QColor ExpectedColor(0xD0, 0x3A, 0x1E, 0xA0);
const qreal ExpectedMarkerSize = 7;
// The chart's space on either side of a caption under a bar, the margin of the
// caption's text within its box, and what this window keeps between two
// upright captions.
const int CaptionPadding = 6;
const int CaptionMargin = 2;
const int CaptionGap = 2;
// The chart's spacing around the frequency axis's title, labels and ticks.
const int FrequencyAxisSpacing = 24;
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

TResultsChart::TResultsChart(QWidget* parent)
    : QChartView(new QChart(), parent)
    , Series1(new QBarSeries())
    , Bars(new QBarSet(QString()))
    , ExpectedLine(new QLineSeries())
    , axisBottom(new QBarCategoryAxis())
    , axisLeft(new QValueAxis())
    , NoMatches(new QGraphicsSimpleTextItem(u"No matches"_s, chart()))
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
    // Added after the bars, so that the chart draws it over them.
    ExpectedLine->setName(u"Expected"_s);
    ExpectedLine->setPen(QPen(ExpectedColor, 2));
    ExpectedLine->setColor(ExpectedColor);
    ExpectedLine->setPointsVisible(true);
    ExpectedLine->setMarkerSize(ExpectedMarkerSize);
    chart()->addSeries(ExpectedLine);
    ExpectedLine->attachAxis(axisBottom);
    ExpectedLine->attachAxis(axisLeft);
    // The chart's theme would draw the value marks in white, as if inside the bars.
    Bars->setLabelColor(axisLeft->labelsColor());
    QFont noMatchesFont = font();
    noMatchesFont.setPointSizeF(noMatchesFont.pointSizeF() * 1.2);
    NoMatches->setFont(noMatchesFont);
    NoMatches->setBrush(axisLeft->labelsColor());
}

void TResultsChart::SetXAxisTitle(const QString& title)
{
    axisBottom->setTitleText(title);
}

TChartContent TResultsChart::Content() const
{
    QList<qreal> values;
    for (int i = 0; i < Bars->count(); ++i)
        values.append(Bars->at(i));
    QList<qreal> expected;
    for (const QPointF& point : ExpectedLine->points())
        expected.append(point.y());
    return {values, Captions, axisBottom->titleText(), expected};
}

void TResultsChart::Draw(const TChartContent& content, QPainter& painter, const QRect& target)
{
    const qreal scale = painter.device()->logicalDpiX() / 96.0;
    TResultsChart twin(nullptr);
    twin.SetBars(content.Values, content.Captions);
    twin.SetXAxisTitle(content.XAxisTitle);
    twin.SetExpected(content.Expected);
    twin.resize((QSizeF(target.size()) / scale).toSize().expandedTo({1, 1}));
    // Shown, though never on a screen, so that its own resizing lays it out.
    twin.setAttribute(Qt::WA_DontShowOnScreen);
    twin.show();
    twin.render(&painter, target, twin.viewport()->rect(), Qt::IgnoreAspectRatio);
}

void TResultsChart::SetBars(const QList<qreal>& values, const QStringList& captions)
{
    Bars->remove(0, Bars->count());
    Bars->append(values);
    Captions = captions;
    Rescale();
}

void TResultsChart::SetExpected(const QList<qreal>& expected)
{
    QList<QPointF> points;
    for (qsizetype i = 0; i < expected.size(); ++i)
        points.append({qreal(i), expected[i]});
    ExpectedLine->replace(points);
    Rescale();
}

void TResultsChart::Rescale()
{
    Highest = 0;
    for (int i = 0; i < Bars->count(); ++i)
        Highest = std::max(Highest, Bars->at(i));
    for (const QPointF& point : ExpectedLine->points())
        Highest = std::max(Highest, point.y());
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
    ExpectedLine->setVisible(!none && ExpectedLine->count() > 0);
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
