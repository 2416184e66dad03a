// Lines on printed pages, printed into PDF files at 600 dpi and read back:
// where the lines begin, how many go on a page, and margins that leave no room.
#include "PrintString.h"

#include "../TestSupport.h"
#include "Error.h"
#include "PdfTools.h"

#include <QFile>
#include <QFont>
#include <QPageSize>
#include <QPrinter>

#include <gtest/gtest.h>

namespace {

constexpr int Dpi = 600;
constexpr double PointsPerPixel = 72.0 / Dpi;

class PrintStringTest : public ::testing::Test {
protected:
    PrintStringTest() { Printer.setOutputFileName(Pdf); }

    // A page of width by height inches, portrait, with unprintable margins of
    // the PDF printer's default (10 points) unless given.
    void SetPage(double width, double height, double unprintableInches = 10.0 / 72)
    {
        Printer.setResolution(Dpi);
        Printer.setPageSize(QPageSize(QSizeF(width, height), QPageSize::Inch));
        Printer.setPageOrientation(QPageLayout::Portrait);
        const double m = unprintableInches;
        Printer.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Inch);
    }

    int Print(const QStringList& lines)
    {
        QFont font(u"Tahoma"_s);
        font.setPointSize(8);
        return PrintString(Printer, lines, 0.75, 0.5, 0.75, 1.0, 6, font);
    }

    static QStringList Numbered(int count)
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines.append(u"line%1"_s.arg(i));
        return lines;
    }

    TTestFiles Files;
    const QString Pdf = Files.Path(u"print.pdf"_s);
    QPrinter Printer{QPrinter::HighResolution};
};

} // namespace

// A page 3 inches high leaves 1800 - 450 - 600 pixels between the margins: at
// 100 pixels a line, with room for the last line's height, 7 lines a page.
TEST_F(PrintStringTest, PagesForTheNumberOfLines)
{
    const struct {
        int Lines, Pages;
    } cases[] = {{0, 1}, {1, 1}, {7, 1}, {8, 2}, {15, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Lines);
        SetPage(11, 3);
        EXPECT_EQ(Print(Numbered(c.Lines)), c.Pages);
        EXPECT_EQ(PdfPageCount(Pdf), c.Pages);
    }
    const QStringList pages = PdfPageTexts(Pdf);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[1].simplified(), Numbered(14).mid(7).join(u' '));
    EXPECT_EQ(pages[2].simplified(), u"line15"_s);
}

// At 600 dpi the first line begins 450 pixels (54 points) from the page's left
// and top edges, unless the printer cannot print that near the edge.
TEST_F(PrintStringTest, TheAreaBeginsAtTheMarginsOrThePrintableArea)
{
    const struct {
        double Unprintable, ExpectedPoints;
    } cases[] = {{10.0 / 72, 450 * PointsPerPixel}, {1.0, 72}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Unprintable);
        SetPage(11, 8.5, c.Unprintable);
        Print({u"First"_s});
        const std::optional<QPointF> place = PdfWordPlace(Pdf, u"First"_s);
        ASSERT_TRUE(place);
        EXPECT_NEAR(place->x(), c.ExpectedPoints, 1.5);
        // The word's box begins a little below the top of the line's height.
        EXPECT_NEAR(place->y(), c.ExpectedPoints, 3);
    }
}

// Margins that leave no room for one line print nothing at all; with room
// between the margins but less than a line's height, pages would follow
// without end.
TEST_F(PrintStringTest, MarginsThatLeaveNoRoomForALinePrintNothing)
{
    const struct {
        const char* Name;
        double Width, Height;
    } cases[] = {
        {"bottom margin above the top one", 11, 1.5},
        {"right margin left of the left one", 1.2, 8},
        {"room for less than a line", 11, 1.8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SetPage(c.Width, c.Height);
        try {
            Print(Numbered(3));
            ADD_FAILURE() << "printed";
        } catch (const TError& error) {
            EXPECT_EQ(error.Message(), u"PrintString: the supplied margins are too large, thereis "
                                       "no area to print left on the page."_s);
        }
        EXPECT_FALSE(QFile::exists(Pdf));
    }
}

// At 75 dpi the line pitch of 6 lines an inch is 12.5 pixels, which rounds to
// the even 12: seven lines span 72 pixels, 69.12 points.
TEST_F(PrintStringTest, HalvesRoundToEven)
{
    SetPage(11, 8.5);
    Printer.setResolution(75);
    Print(Numbered(7));
    const std::optional<QPointF> first = PdfWordPlace(Pdf, u"line1"_s);
    const std::optional<QPointF> seventh = PdfWordPlace(Pdf, u"line7"_s);
    ASSERT_TRUE(first && seventh);
    EXPECT_NEAR(seventh->y() - first->y(), 6 * 12 * 72.0 / 75, 0.5);
}
