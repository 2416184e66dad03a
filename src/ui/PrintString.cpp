#include "PrintString.h"

#include "Error.h"
#include "Printing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPrinter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Halves go to the even neighbour (the default rounding mode), so that a
// margin of 0.75 inch at 150 dpi is 112 pixels, not 113.
int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// The area that lines are printed in, in the coordinates of the printable
// area; right and bottom lie just outside it.
struct TPrintArea {
    int Left, Top, Right, Bottom;
};

// The margins are kept off the physical page's edges, and the area stays
// within the printable part of the page, whose corner lies offX, offY from
// the physical page's corner.
TPrintArea PrintArea(QPrinter& printer, double left, double right, double top, double bottom)
{
    const int dpiX = printer.logicalDpiX();
    const int dpiY = printer.logicalDpiY();
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    const int offX = page.left() - paper.left();
    const int offY = page.top() - paper.top();
    return {std::max(RoundHalfEven(dpiX * left), offX) - offX,
            std::max(RoundHalfEven(dpiY * top), offY) - offY,
            std::min(paper.width() - RoundHalfEven(dpiX * right), page.width() + offX) - offX,
            std::min(paper.height() - RoundHalfEven(dpiY * bottom), page.height() + offY) - offY};
}

} // namespace

int PrintString(QPrinter& printer, const QStringList& Lines, double LeftMargin, double RightMargin,
                double TopMargin, double BottomMargin, int LinesPerInch, const QFont& aFont)
{
    const TPrintArea area = PrintArea(printer, LeftMargin, RightMargin, TopMargin, BottomMargin);
    const QFontMetrics metrics(aFont, &printer);
    const int textHeight = metrics.size(0, u"Дy"_s).height();
    const int lastTop = area.Bottom - textHeight; // of a line on the page
    // Without room for one line a page would take none, and new pages would
    // follow without end.
    if (area.Left >= area.Right || area.Top > lastTop)
        throw TError(u"PrintString: the supplied margins are too large, thereis no area to "
                     "print left on the page."_s);
    const int pitch = RoundHalfEven(static_cast<double>(printer.logicalDpiY()) / LinesPerInch);

    TPrintJob job(printer);
    QPainter& canvas = job.Canvas();
    canvas.setFont(aFont);
    int pages = 1;
    int y = area.Top;
    for (const QString& line : Lines) {
        if (y > lastTop) {
            job.NewPage();
            ++pages;
            y = area.Top;
        }
        canvas.drawText(area.Left, y + metrics.ascent(), line);
        y += pitch;
    }
    return pages;
}
