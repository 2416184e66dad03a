// What a results window hands on: the table on the clipboard and in a CSV
// file, the picture as a bitmap, PNG or SVG file, and printouts (into PDF
// files, read back with the tools of poppler-utils), and the layout of the
// picture on bitmaps and pages; all of them with the expected distribution
// too when the window shows it.
#include "BmpFile.h"
#include "PdfTools.h"
#include "ResultsFixture.h"
#include "ResultsPicture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <QtEndian>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Silver = qRgb(0xC0, 0xC0, 0xC0);

// The window of three bins captioned 1, 2 and P with 4, 0 and 9 hits.
TBinSet ThreeBins()
{
    return PositionBins(u"1 2 Other"_s, {4, 0, 9});
}

// ThreeBins over a baseline of 1:1:2: of the 13 hits 3.25, 3.25 and 6.5
// expected; residuals 0.75 / sqrt(3.25) = 0.42, -3.25 / sqrt(3.25) = -1.80
// and 2.5 / sqrt(6.5) = 0.98. Two bins expect fewer than 5 hits.
TBinSet ThreeBinsWithBaseline()
{
    return WithBaseline(ThreeBins(), {1, 1, 2});
}

// The bins captioned 1 to count, with 1 to 4 hits in turn.
TBinSet ManyBins(int count)
{
    QStringList positions;
    QList<int> counts;
    for (int i = 1; i <= count; ++i) {
        positions.append(QString::number(i));
        counts.append((i - 1) % 4 + 1);
    }
    return PositionBins(positions.join(u' '), counts);
}

// The item of the Results menu, such as {"Print", "Table..."}.
QAction* Command(TfrmResults& window, const QString& submenu, const QString& item)
{
    const auto caption = [](const QAction* action) { return action->text().remove(u'&'); };
    for (QAction* sub : window.MergedMenu()->actions()) {
        if (!sub->menu() || caption(sub) != submenu)
            continue;
        for (QAction* action : sub->menu()->actions())
            if (caption(action) == item)
                return action;
    }
    ADD_FAILURE() << "no command " << submenu.toStdString() << " > " << item.toStdString();
    static QAction none;
    return &none;
}

// The height of a line of the canvas's default font at the given size on a
// bitmap, which the layout steps by.
int LineHeight(int points)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    QPainter canvas(&image);
    QFont font = canvas.font();
    font.setPointSize(points);
    canvas.setFont(font);
    return canvas.fontMetrics().height();
}

// The top left corner of the topmost silver area, the leftmost of its row; an
// area of 4 by 4 pixels, since the edges of smoothed letters may be silver
// too. nullopt when there is none.
std::optional<QPoint> FirstSilver(const QImage& image)
{
    const auto silverArea = [&](int x, int y) {
        for (int dy = 0; dy < 4; ++dy)
            for (int dx = 0; dx < 4; ++dx)
                if (image.pixel(x + dx, y + dy) != Silver)
                    return false;
        return true;
    };
    for (int y = 0; y + 4 <= image.height(); ++y)
        for (int x = 0; x + 4 <= image.width(); ++x)
            if (silverArea(x, y))
                return QPoint(x, y);
    return std::nullopt;
}

bool AllWhite(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != White)
                return false;
    return true;
}

TResultsPicture Picture(const TBinSet& bins)
{
    TTestMainWindow main;
    return Open(main, bins)->Picture();
}

QImage Drawn(QSize page, bool hystogram, bool table, bool fields, const TResultsPicture& picture,
             const TNewPage& newPage = {})
{
    QImage image(page, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter canvas(&image);
    DrawImage(canvas, page.width(), page.height(), hystogram, table, fields, picture, newPage);
    return image;
}

const auto Confirm = [](QDialog&) { return int(QDialog::Accepted); };

// The expected line is red, and nothing else in a picture is.
bool HasExpectedLine(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsRed(image.pixel(x, y)))
                return true;
    return false;
}

TEST(ResultsExport, CopyPutsTheTableOnTheClipboard)
{
    TTestMainWindow main;
    TfrmResults* window = Open(main, ThreeBins());
    const QString expected = u"Position\tFrequency\r\n1\t4\r\n2\t0\r\nP\t9"_s;

    auto* button = window->findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->text(), u"Copy"_s);
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);

    QGuiApplication::clipboard()->clear();
    window->ListView()->actions().at(1)->trigger(); // "Copy list to clipboard"
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
}

TEST(ResultsExport, CsvHoldsALinePerRowWithoutHeader)
{
    TTestFiles files;
    TTestMainWindow main;
    TfrmResults* window = Open(main, ThreeBins());
    const QString path = files.Path(u"bins.csv"_s);
    main.Person.FileNames = {path};
    Command(*window, u"Save"_s, u"Data to File (.csv)"_s)->trigger();
    EXPECT_EQ(FileBytes(path), QByteArray("1,4\r\n2,0\r\nP,9\r\n"));
    ASSERT_EQ(main.Person.FileDialogsShown.size(), 1);
    EXPECT_EQ(main.Person.FileDialogsShown[0].Filters,
              (QStringList{u"Comma-separated data files (.csv) (*.csv)"_s, u"All files (*)"_s}));
    EXPECT_EQ(main.Person.FileDialogsShown[0].DefaultSuffix, u"csv"_s);

    // Cancel
    QFile::remove(path);
    Command(*window, u"Save"_s, u"Data to File (.csv)"_s)->trigger();
    EXPECT_EQ(main.Person.FileDialogsShown.size(), 2);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(main.Collected.Errors.isEmpty());
}

TEST(ResultsExport, BmpFileHeaderAndRows)
{
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(1, 2, 3));    // top left
    image.setPixel(2, 1, qRgb(10, 20, 30)); // bottom right
    const QByteArray bytes = BmpFileBytes(image);
    ASSERT_EQ(bytes.size(), 54 + 3 * 2 * 4);
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(u32(2), 54u + 24u);
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(u32(22), 2u);
    EXPECT_EQ(u16(26), 1u);
    EXPECT_EQ(u16(28), 32u);
    EXPECT_EQ(u32(30), 0u);
    EXPECT_EQ(u32(34), 24u);
    // The bottom row comes first, each pixel as blue, green, red, alpha.
    EXPECT_EQ(bytes.mid(54 + 2 * 4, 4), QByteArray("\x1E\x14\x0A\xFF", 4));
    EXPECT_EQ(bytes.mid(54 + 3 * 4, 4), QByteArray("\x03\x02\x01\xFF", 4));
    EXPECT_EQ(QImage::fromData(bytes, "BMP").pixel(2, 1), qRgb(10, 20, 30));
}

TEST(ResultsExport, SavedBitmapIs1200By900WithHeaderAndTable)
{
    TTestFiles files;
    TTestMainWindow main;
    TfrmResults* window = Open(main, ThreeBins());
    window->parentWidget()->resize(300, 200);
    const QString histogram = files.Path(u"histogram.bmp"_s);
    const QString both = files.Path(u"both.bmp"_s);
    main.Person.FileNames = {histogram, both};
    Command(*window, u"Save"_s, u"Histogram..."_s)->trigger();
    Command(*window, u"Save"_s, u"Histogram and Table..."_s)->trigger();
    ASSERT_TRUE(main.Collected.Errors.isEmpty()) << main.Collected.Errors.join(u' ').toStdString();
    EXPECT_EQ(
        main.Person.FileDialogsShown[0].Filters,
        (QStringList{u"Bitmap files (*.bmp)"_s, u"PNG images (*.png)"_s, u"SVG images (*.svg)"_s}));
    EXPECT_EQ(main.Person.FileDialogsShown[0].DefaultSuffix, u"bmp"_s);

    const int header = 4 * LineHeight(14) + 20;
    for (const QString& path : {histogram, both}) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray bytes = FileBytes(path);
        ASSERT_EQ(bytes.size(), 54 + 1200 * 900 * 4);
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 32u);
        const QImage image = QImage::fromData(bytes, "BMP");
        ASSERT_EQ(image.size(), QSize(1200, 900));
        // The frame's right edge is the table's, at 1190.
        for (const QRect& margin : {QRect(0, 0, 1200, 10), QRect(0, 0, 10, 900),
                                    QRect(1191, 0, 9, 900), QRect(0, 890, 1200, 10)})
            EXPECT_TRUE(AllWhite(image, margin)) << margin.x() << ',' << margin.y();
        EXPECT_FALSE(AllWhite(image, QRect(10, 10, 1180, LineHeight(14))));
        EXPECT_FALSE(AllWhite(image, QRect(10, 10 + header, 1180, 880 - header)));
    }
    EXPECT_EQ(FirstSilver(QImage::fromData(FileBytes(histogram), "BMP")), std::nullopt);
    EXPECT_EQ(FirstSilver(QImage::fromData(FileBytes(both), "BMP")),
              QPoint(10 + 1180 / 2 + 100 + 1, 10 + header + 1));
}

TEST(ResultsExport, FilterChosenDecidesTheFormat)
{
    TTestFiles files;
    TTestMainWindow main;
    TfrmResults* window = Open(main, ThreeBins());
    const QString png = files.Path(u"picture.png"_s);
    const QString svg = files.Path(u"picture.svg"_s);
    main.Person.FileNames = {png, svg};
    main.Person.FilterChoices = {1, 2};
    Command(*window, u"Save"_s, u"Histogram..."_s)->trigger();
    Command(*window, u"Save"_s, u"Histogram..."_s)->trigger();
    ASSERT_TRUE(main.Collected.Errors.isEmpty()) << main.Collected.Errors.join(u' ').toStdString();

    QImage image;
    ASSERT_TRUE(image.loadFromData(FileBytes(png), "PNG"));
    EXPECT_EQ(image.size(), QSize(1200, 900));
    EXPECT_FALSE(AllWhite(image, QRect(10, 10, 1180, LineHeight(14))));

    // The chart and the texts stay vectors: no embedded bitmap.
    const QByteArray drawing = FileBytes(svg);
    QXmlStreamReader xml(drawing);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), u"svg"_s);
    EXPECT_EQ(xml.attributes().value(u"viewBox"_s), u"0 0 1200 900"_s);
    int elements = 1;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            ++elements;
            EXPECT_NE(xml.name(), u"image"_s);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(elements, 20);
    EXPECT_TRUE(drawing.contains("Total matches found: 21. Total words: 340."));
}

// The table's header row starts inside its black border, at the frame's
// left, beside the chart on a landscape page and under it on a portrait one;
// the chart fills its rectangle and keeps to it.
TEST(ResultsExport, DrawImagePlacesChartAndTable)
{
    const TResultsPicture picture = Picture(ThreeBins());
    const int header = 4 * LineHeight(14) + 20;
    const int paperTop = 200 + header;
    const struct {
        const char* Name;
        QSize Page;
        bool Hystogram;
        bool Fields;
        QPoint TableCorner;
        QRect Chart;
    } cases[] = {
        {"portrait page",
         {800, 1100},
         true,
         true,
         QPoint(100, paperTop + (1000 - paperTop) / 2 + 100),
         QRect(100, paperTop, 600, (1000 - paperTop) / 2)},
        {"landscape page",
         {1100, 800},
         true,
         true,
         QPoint(650, paperTop),
         QRect(100, paperTop, 450, 700 - paperTop)},
        {"table alone", {800, 1100}, false, true, QPoint(100, paperTop), QRect()},
        {"square bitmap",
         {900, 900},
         true,
         false,
         QPoint(550, 10 + header),
         QRect(10, 10 + header, 440, 890 - 10 - header)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QImage image = Drawn(c.Page, c.Hystogram, true, c.Fields, picture);
        EXPECT_EQ(FirstSilver(image), c.TableCorner + QPoint(1, 1));
        const int right = c.Page.width() - (c.Fields ? 100 : 10);
        EXPECT_EQ(image.pixel(right - 1, c.TableCorner.y() + 1), Silver);
        EXPECT_NE(image.pixel(right + 1, c.TableCorner.y() + 1), Silver);
        if (c.Chart.isNull())
            continue;
        const QRect gap = c.Page.height() > c.Page.width()
                              ? QRect(QPoint(c.Chart.left(), c.Chart.bottom() + 2),
                                      QPoint(c.Chart.right(), c.TableCorner.y() - 2))
                              : QRect(QPoint(c.Chart.right() + 2, c.Chart.top()),
                                      QPoint(c.TableCorner.x() - 2, c.Chart.bottom()));
        EXPECT_TRUE(AllWhite(image, gap));
        const int strip = 40;
        EXPECT_FALSE(AllWhite(image, c.Chart.adjusted(0, c.Chart.height() - strip, 0, 0)));
        EXPECT_FALSE(AllWhite(image, c.Chart.adjusted(0, 0, strip - c.Chart.width(), 0)));
        EXPECT_FALSE(AllWhite(image, c.Chart.adjusted(c.Chart.width() - strip, 0, 0, 0)));
    }
}

// A row that would pass the frame's bottom goes onto the next page under the
// header row again; a page never ends with the header row alone, and a page
// too small for any row still takes one, so that the table comes to an end.
TEST(ResultsExport, TableContinuesOnNewPages)
{
    const TResultsPicture picture = Picture(ManyBins(10));
    const int header = 4 * LineHeight(14) + 20;
    const int row = LineHeight(12) + 10;
    const int top = 200 + header;
    const struct {
        const char* Name;
        int PageHeight;
        int FirstPageRows;
    } cases[] = {
        {"all fit", top + 11 * row + 100, 10},
        {"one row too many", top + 10 * row + 100, 9},
        {"room for the header row alone", top + row + row / 2 + 100, 0},
        {"no room for any row", 300, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QList<QImage> pages;
        QImage image(800, c.PageHeight, QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter canvas(&image);
            DrawImage(canvas, 800, c.PageHeight, false, true, true, picture, [&] {
                pages.append(image.copy());
                image.fill(Qt::white);
            });
        }
        pages.append(image);
        // Further pages hold the header row and as many rows as fit, one at least.
        const int perPage = std::max(1, (c.PageHeight - 100 - 200 - row) / row);
        ASSERT_EQ(pages.size(), 1 + (10 - c.FirstPageRows + perPage - 1) / perPage);
        const std::optional<QPoint> first = FirstSilver(pages[0]);
        if (c.FirstPageRows == 0) {
            EXPECT_EQ(first, std::nullopt);
        } else {
            EXPECT_EQ(first, QPoint(101, top + 1));
            const int end = top + (c.FirstPageRows + 1) * row;
            EXPECT_NE(pages[0].pixel(300, end), White);
            EXPECT_TRUE(AllWhite(pages[0], QRect(100, end + 1, 601, c.PageHeight - end - 1)));
        }
        for (int page = 1; page < pages.size(); ++page)
            EXPECT_EQ(FirstSilver(pages[page]), QPoint(101, 201)) << "page " << page + 1;
    }
}

TEST(ResultsExport, PrintsInEitherOrientation)
{
    TTestFiles files;
    TTestMainWindow main;
    TfrmResults* window = Open(main, ThreeBins());
    main.PdfPrinter.setResolution(300);
    const struct {
        QPageLayout::Orientation Orientation;
        const char* Item;
        const char* PageSize;
    } cases[] = {
        {QPageLayout::Portrait, "Histogram and Table...", "595 x 842 pts"},
        {QPageLayout::Landscape, "Histogram and Table...", "842 x 595 pts"},
        {QPageLayout::Portrait, "Table...", "595 x 842 pts"},
        {QPageLayout::Landscape, "Histogram...", "842 x 595 pts"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Item);
        const QString pdf = files.Path(QString::fromLatin1(c.Item) + u".pdf"_s);
        main.PdfPrinter.setPageSize(QPageSize::A4);
        main.PdfPrinter.setPageOrientation(c.Orientation);
        main.PdfPrinter.setOutputFileName(pdf);
        main.Person.DialogSteps = {Confirm};
        Command(*window, u"Print"_s, QString::fromLatin1(c.Item))->trigger();
        ASSERT_TRUE(main.Collected.Errors.isEmpty());
        EXPECT_TRUE(PopplerOutput(u"pdfinfo"_s, {pdf}).contains(QString::fromLatin1(c.PageSize)));
        EXPECT_EQ(PdfPageCount(pdf), 1);
        const QString text = PdfPageTexts(pdf).value(0);
        EXPECT_TRUE(text.contains(u"\"the\" distribution in sentences"_s)) << text.toStdString();
        EXPECT_TRUE(
            text.contains(u"Total matches found: 21. Total words: 340. Total sentences: 30."_s));
        EXPECT_TRUE(text.contains(u"Total paragraphs: 7. Total sections: 2"_s));
        EXPECT_EQ(text.contains(u"Position"_s), QString::fromLatin1(c.Item) != u"Histogram..."_s);
    }

    // Cancel prints nothing.
    const QString cancelled = files.Path(u"cancelled.pdf"_s);
    main.PdfPrinter.setOutputFileName(cancelled);
    Command(*window, u"Print"_s, u"Table..."_s)->trigger();
    EXPECT_FALSE(QFile::exists(cancelled));
}

// Each page repeats the header row; every row is printed once, in order.
TEST(ResultsExport, LongTablePrintsOnSeveralPages)
{
    TTestFiles files;
    TTestMainWindow main;
    TfrmResults* window = Open(main, ManyBins(100));
    main.PdfPrinter.setResolution(300);
    main.PdfPrinter.setPageSize(QPageSize::A4);
    for (const QPageLayout::Orientation orientation :
         {QPageLayout::Portrait, QPageLayout::Landscape}) {
        for (const QString& item : {u"Table..."_s, u"Histogram and Table..."_s}) {
            SCOPED_TRACE(item.toStdString() +
                         (orientation == QPageLayout::Portrait ? " portrait" : " landscape"));
            const QString pdf = files.Path(u"long.pdf"_s);
            main.PdfPrinter.setPageOrientation(orientation);
            main.PdfPrinter.setOutputFileName(pdf);
            main.Person.DialogSteps = {Confirm};
            Command(*window, u"Print"_s, item)->trigger();
            ASSERT_TRUE(main.Collected.Errors.isEmpty());
            const QStringList pages = PdfPageTexts(pdf);
            EXPECT_EQ(PdfPageCount(pdf), pages.size());
            EXPECT_GT(pages.size(), 1);
            QStringList captions;
            static const QRegularExpression rowLine(u"^\\s*(\\d+)\\s+\\d+\\s*$"_s);
            for (qsizetype page = 0; page < pages.size(); ++page) {
                const QString& text = pages[page];
                EXPECT_TRUE(text.contains(u"Position"_s)) << "page " << page + 1;
                for (const QString& line : text.split(u'\n')) {
                    const QRegularExpressionMatch match = rowLine.match(line);
                    if (match.hasMatch())
                        captions.append(match.captured(1));
                }
            }
            if (item == u"Table..."_s) {
                QStringList expected;
                for (int i = 1; i <= 100; ++i)
                    expected.append(QString::number(i));
                EXPECT_EQ(captions, expected);
            }
        }
    }
}

TEST(ResultsExport, FailuresAreShownAndWriteNothing)
{
    TTestFiles files;
    TTestMainWindow main;
    TfrmResults* window = Open(main, ThreeBins());
    const QString missingFolder = files.Path(u"missing/out"_s);
    const struct {
        const char* Submenu;
        const char* Item;
    } cases[] = {
        {"Save", "Data to File (.csv)"},
        {"Save", "Histogram..."},
        {"Print", "Histogram and Table..."},
    };
    main.PdfPrinter.setOutputFileName(missingFolder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Item);
        main.Collected.Errors.clear();
        main.Person.FileNames = {missingFolder};
        main.Person.DialogSteps = {Confirm};
        Command(*window, QString::fromLatin1(c.Submenu), QString::fromLatin1(c.Item))->trigger();
        ASSERT_EQ(main.Collected.Errors.size(), 1);
        EXPECT_TRUE(main.Collected.Errors[0].startsWith(u"Cannot create file"_s))
            << main.Collected.Errors[0].toStdString();
        EXPECT_FALSE(QFile::exists(missingFolder));
    }
}

// The copy hands on the table as shown, in the locale's numbers; the CSV
// file's numbers take '.' always, since its fields are parted by commas.
// Off, both are as they were without a baseline.
TEST(ResultsExport, CopyAndCsvWithTheExpectedDistribution)
{
    const struct {
        bool Shown;
        QLocale::Language Language;
        QString Copy;
        QByteArray Csv;
    } cases[] = {
        {true, QLocale::English,
         u"Position\tFrequency\tExpected\tResidual\r\n1\t4\t3.25\t0.42\r\n2\t0\t3.25\t-1.80\r\n"
         u"P\t9\t6.50\t0.98"_s,
         "1,4,3.25,0.42\r\n2,0,3.25,-1.80\r\nP,9,6.50,0.98\r\n"},
        {true, QLocale::German,
         u"Position\tFrequency\tExpected\tResidual\r\n1\t4\t3,25\t0,42\r\n2\t0\t3,25\t-1,80\r\n"
         u"P\t9\t6,50\t0,98"_s,
         "1,4,3.25,0.42\r\n2,0,3.25,-1.80\r\nP,9,6.50,0.98\r\n"},
        {false, QLocale::German, u"Position\tFrequency\r\n1\t4\r\n2\t0\r\nP\t9"_s,
         "1,4\r\n2,0\r\nP,9\r\n"},
    };
    TTestFiles files;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Csv.toStdString());
        const TDefaultLocale locale{QLocale(c.Language)};
        TTestMainWindow main;
        TfrmResults* window = Open(main, ThreeBinsWithBaseline());
        if (c.Shown)
            ShowExpectedItem(*window)->trigger();
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(window->findChild<QPushButton*>(), Qt::LeftButton);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.Copy);

        const QString path = files.Path(u"bins.csv"_s);
        main.Person.FileNames = {path};
        Command(*window, u"Save"_s, u"Data to File (.csv)"_s)->trigger();
        EXPECT_EQ(FileBytes(path), c.Csv);
    }
}

// Pictures and printouts show the line in the chart, the test line and its
// note under the header, and the two columns in the table.
TEST(ResultsExport, PicturesAndPrintoutsShowTheExpectedDistribution)
{
    TTestFiles files;
    TTestMainWindow main;
    TfrmResults* window = Open(main, ThreeBinsWithBaseline());
    const TResultsPicture off = window->Picture();
    ShowExpectedItem(*window)->trigger();
    const TResultsPicture on = window->Picture();
    EXPECT_EQ(on.Chart.Expected, (QList<qreal>{3.25, 3.25, 6.5}));
    EXPECT_EQ(on.Columns,
              (QStringList{u"Position"_s, u"Frequency"_s, u"Expected"_s, u"Residual"_s}));
    EXPECT_TRUE(off.Chart.Expected.isEmpty());
    EXPECT_TRUE(off.Test.isEmpty() && off.TestNote.isEmpty());

    EXPECT_TRUE(HasExpectedLine(Drawn({900, 700}, true, false, false, on)));
    EXPECT_FALSE(HasExpectedLine(Drawn({900, 700}, true, false, false, off)));
    // Two more lines of header push the table down.
    const int header = 4 * LineHeight(14) + 20;
    EXPECT_EQ(FirstSilver(Drawn({900, 700}, false, true, false, off)), QPoint(11, 10 + header + 1));
    EXPECT_EQ(FirstSilver(Drawn({900, 700}, false, true, false, on)),
              QPoint(11, 10 + header + 2 * LineHeight(14) + 1));

    const QString pdf = files.Path(u"expected.pdf"_s);
    main.PdfPrinter.setResolution(300);
    main.PdfPrinter.setPageSize(QPageSize::A4);
    main.PdfPrinter.setOutputFileName(pdf);
    main.Person.DialogSteps = {Confirm};
    Command(*window, u"Print"_s, u"Histogram and Table..."_s)->trigger();
    ASSERT_TRUE(main.Collected.Errors.isEmpty());
    const QString text = PdfPageTexts(pdf).value(0);
    for (const QString& shown : {u"df = 2, p = "_s, u"Expected count below 5 in 2 of 3 bins"_s,
                                 u"Residual"_s, u"6.50"_s, u"-1.80"_s})
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << " in " << text.toStdString();
}

} // namespace
