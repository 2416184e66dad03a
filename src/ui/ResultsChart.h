// The histogram of a results window: one bar per bin with its hit count above
// it and its caption under it, laid out so that the captions stay readable
// however many bins there are, and on request a line of the counts that each
// bin would hold if the hits fell as words in general do.
#pragma once

#include <QChartView>
#include <QStringList>

#include <functional>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QPainter;
class QValueAxis;

// What a histogram shows: a bar per value with its caption under it, the
// title of the axis that the captions stand on, and the expected counts, one
// per bar, or none when the line is not shown.
struct TChartContent {
    QList<qreal> Values;
    QStringList Captions;
    QString XAxisTitle;
    QList<qreal> Expected;
};

// The histogram: one bar per bin with its hit count above it and its caption
// under it, or "No matches" when no bin holds a hit. The chart's own bar
// clicks come only from the left button, so the view finds the bar under the
// mouse itself: pressing and releasing any button on the same bar reports the
// bar's index.
class TResultsChart : public QChartView {
public:
    explicit TResultsChart(QWidget* parent);

    void SetBars(const QList<qreal>& values, const QStringList& captions);
    void SetXAxisTitle(const QString& title);
    // The line of expected counts over the bars, a point at each bar's middle;
    // an empty list takes it away. The frequency axis reaches its highest point.
    void SetExpected(const QList<qreal>& expected);
    TChartContent Content() const;

    // Draws a histogram of content into target of the painter's device, as
    // vectors: a chart of its own is laid out at the size that target has on a
    // screen of 96 dots per inch and scaled into it, so that its texts keep
    // their size on paper of any resolution.
    static void Draw(const TChartContent& content, QPainter& painter, const QRect& target);

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
    // Highest, the axis and the captions after a change of bars or line.
    void Rescale();
    // The index of the bar under pos (view coordinates), or -1.
    int BarAt(QPointF pos) const;

    QBarSeries* Series1;
    QBarSet* Bars;
    QLineSeries* ExpectedLine;
    QBarCategoryAxis* axisBottom;
    QValueAxis* axisLeft;
    QGraphicsSimpleTextItem* NoMatches;
    QStringList Captions;
    int CaptionsHeight = 0; // as the captions are laid out
    int PressedBar = -1;
    qreal Highest = 0; // of the bars and the line
};
