// Lines of text on printed pages: within fixed margins, at a fixed number of
// lines per inch, neither wrapped nor cut at the right margin.
#pragma once

#include <QStringList>

class QFont;
class QPrinter;

// Prints Lines on printer in aFont, one text line per printed line, from the
// top of each page within the margins (in inches) at LinesPerInch lines per
// inch, and returns the number of pages; no lines print one empty page.
// Throws TError when the margins leave no room for a line on the page, before
// anything is printed, and when the printer fails; a job that was begun is
// ended all the same. REQUIRES: LinesPerInch > 0.
int PrintString(QPrinter& printer, const QStringList& Lines, double LeftMargin, double RightMargin,
                double TopMargin, double BottomMargin, int LinesPerInch, const QFont& aFont);
