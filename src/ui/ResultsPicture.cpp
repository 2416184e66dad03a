// Coordinates are device pixels of the canvas; texts are placed by the top
// left corner of their line, and "Hg height" is the height of a line in the
// canvas's current font, measured again wherever it is used.
#include "ResultsPicture.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);

struct TFrame {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

void SetFontSize(QPainter& canvas, int points)
{
    QFont font = canvas.font();
    font.setPointSize(points);
    canvas.setFont(font);
}

int HgHeight(const QPainter& canvas)
{
    return canvas.fontMetrics().height();
}

void TextOut(QPainter& canvas, int x, int y, const QString& text)
{
    canvas.drawText(x, y + canvas.fontMetrics().ascent(), text);
}

void DrawCentred(QPainter& canvas, const TFrame& frame, int y, const QString& text)
{
    const int width = canvas.fontMetrics().horizontalAdvance(text);
    TextOut(canvas, frame.Left + (frame.Right - frame.Left - width) / 2, y, text);
}

// Moves the frame's top below the header.
void DrawHeader(QPainter& canvas, TFrame& frame, const TResultsPicture& picture)
{
    SetFontSize(canvas, 14);
    const int hg = HgHeight(canvas);
    DrawCentred(canvas, frame, frame.Top, picture.Title);
    DrawCentred(canvas, frame, frame.Top + hg + 5, picture.MeanMedian);
    DrawCentred(canvas, frame, frame.Top + 2 * hg + 5,
                u"Total matches found: %1. Total words: %2. Total sentences: %3."_s
                    .arg(picture.TotalMatches)
                    .arg(picture.TotalWords)
                    .arg(picture.TotalSentences));
    DrawCentred(canvas, frame, frame.Top + 3 * hg + 5,
                u"Total paragraphs: %1. Total sections: %2"_s.arg(picture.TotalParagraphs)
                    .arg(picture.TotalSections));
    int lines = 4;
    for (const QString& text : {picture.Test, picture.TestNote}) {
        if (text.isEmpty())
            continue;
        DrawCentred(canvas, frame, frame.Top + lines * hg + 5, text);
        ++lines;
    }
    frame.Top += lines * hg + 20;
}

// The ruled rows of the table between left and right, each RowHeight high,
// in 12 points, its columns of equal width; the header row on silver.
class TTableDrawer {
public:
    TTableDrawer(QPainter& canvas, int left, int right, qsizetype columns)
        : Canvas(canvas)
    {
        const auto count = static_cast<int>(std::max<qsizetype>(columns, 1));
        for (int i = 0; i <= count; ++i)
            Edges.append(left + (right - left) * i / count);
        SetFontSize(Canvas, 12);
        // As wide on paper as a pixel on a screen, so that the rules show in print.
        const int penWidth = std::max(1, qRound(Canvas.device()->logicalDpiX() / 96.0));
        Canvas.setPen(QPen(Qt::black, penWidth, Qt::SolidLine));
        RowHeight = HgHeight(Canvas) + 10;
    }

    int RowHeight;

    void DrawHeaderRow(int top, const QStringList& columns)
    {
        Canvas.setBrush(Silver);
        Canvas.drawRect(Edges.first(), top, Edges.last() - Edges.first(), RowHeight);
        for (qsizetype i = 1; i + 1 < Edges.size(); ++i)
            Canvas.drawLine(Edges[i], top, Edges[i], top + RowHeight);
        DrawTexts(top, columns);
        Canvas.setBrush(Qt::NoBrush);
    }

    void DrawRow(int top, const QStringList& row)
    {
        const int bottom = top + RowHeight;
        for (const int x : Edges)
            Canvas.drawLine(x, top, x, bottom);
        DrawTexts(top, row);
        Canvas.drawLine(Edges.first(), bottom, Edges.last(), bottom);
    }

private:
    void DrawTexts(int top, const QStringList& texts)
    {
        for (qsizetype i = 0; i < texts.size() && i + 1 < Edges.size(); ++i)
            TextOut(Canvas, Edges[i] + 10, top + 5, texts[i]);
    }

    QPainter& Canvas;
    QList<int> Edges; // of the columns, from the left
};

// A page never ends with the header row alone, and a new page takes at least
// one row whatever its size, so that the table always comes to an end.
void DrawTable(QPainter& canvas, const TFrame& frame, int left, int top, int pageTop,
               int pageHeight, const TResultsPicture& picture, const TNewPage& newPage)
{
    const QList<QStringList>& rows = picture.Rows;
    TTableDrawer table(canvas, left, frame.Right, picture.Columns.size());
    const int height = table.RowHeight;
    int y = top;
    if (newPage && !rows.isEmpty() && y + 2 * height > frame.Bottom) {
        newPage();
        y = pageTop;
    }
    table.DrawHeaderRow(y, picture.Columns);
    y += height;
    bool pageHasRows = false;
    for (const QStringList& row : rows) {
        if (!newPage && y >= pageHeight)
            return; // past the canvas
        if (newPage && pageHasRows && y + height > frame.Bottom) {
            newPage();
            y = pageTop;
            table.DrawHeaderRow(y, picture.Columns);
            y += height;
        }
        table.DrawRow(y, row);
        y += height;
        pageHasRows = true;
    }
}

} // namespace

void DrawImage(QPainter& canvas, int pageWidth, int pageHeight, bool hystogram, bool table,
               bool fields, const TResultsPicture& picture, const TNewPage& newPage)
{
    const int margin = fields ? 100 : 10;
    TFrame frame{margin, fields ? 200 : 10, pageWidth - margin, pageHeight - margin};
    const int pageTop = frame.Top;
    DrawHeader(canvas, frame, picture);

    int tableLeft = frame.Left;
    int tableTop = frame.Top;
    if (hystogram) {
        QRect chart(frame.Left, frame.Top, frame.Right - frame.Left, frame.Bottom - frame.Top);
        if (table && pageHeight > pageWidth) {
            chart.setHeight((frame.Bottom - frame.Top) / 2);
            tableTop = frame.Top + (frame.Bottom - frame.Top) / 2 + 100;
        } else if (table) {
            chart.setWidth((frame.Right - frame.Left) / 2);
            tableLeft = frame.Left + (frame.Right - frame.Left) / 2 + 100;
        }
        if (!chart.isEmpty())
            TResultsChart::Draw(picture.Chart, canvas, chart);
    }
    if (table)
        DrawTable(canvas, frame, tableLeft, tableTop, pageTop, pageHeight, picture, newPage);
}
