// The concordance window inside a test main window: its lines, the preview of
// the selected hit, the Sort menu, and corpus files that cannot be read.
#include "../HitFiles.h"
#include "Error.h"
#include "FileNames.h"
#include "MenuOutline.h"
#include "PdfTools.h"
#include "TBin.h"
#include "TestMainWindow.h"
#include "uConcordance.h"
#include "uExportConfig.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

const QColor Blue(0, 0, 255);

class ConcordanceWindowTest : public ::testing::Test {
protected:
    // Adds to Bin a match whose file holds before, hit and after: 8-bit text
    // or UTF-16LE with its byte-order mark.
    QString AddHit(const QString& before, const QString& hit, const QString& after,
                   bool unicode = false)
    {
        const QString name = u"file%1.txt"_s.arg(Bin.Count());
        Bin.AddMatch(WriteHitFile(Files, name, before, hit, after, unicode));
        return Files.Path(name);
    }

    // Opens a window for Bin as a results window does.
    TfrmConcordance* Open()
    {
        auto* window = new TfrmConcordance(Main);
        window->SetCaption(u"\"the\" distribution in sentences, position: 1"_s);
        Main.AddChildWindow(window, QSize(614, 322));
        window->GetInfoFromBin(Bin);
        return window;
    }

    static QListView* List(TfrmConcordance* window)
    {
        return window->findChild<QListView*>(u"lbList"_s);
    }
    static QTextEdit* Preview(TfrmConcordance* window)
    {
        return window->findChild<QTextEdit*>(u"rePreview"_s);
    }
    static int SelectedRow(TfrmConcordance* window)
    {
        const QModelIndexList rows = List(window)->selectionModel()->selectedIndexes();
        return rows.isEmpty() ? -1 : rows.front().row();
    }
    static void Select(TfrmConcordance* window, int row)
    {
        List(window)->setCurrentIndex(List(window)->model()->index(row, 0));
    }

    // The menu item reached through captions from the window's menu.
    static QAction* Item(TfrmConcordance* window, const QStringList& captions)
    {
        QMenu* menu = window->MergedMenu();
        QAction* found = nullptr;
        for (const QString& caption : captions) {
            found = nullptr;
            for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
                if (VisibleText(action) == caption)
                    found = action;
            }
            if (!found)
                return nullptr;
            menu = found->menu();
        }
        return found;
    }
    static void Click(TfrmConcordance* window, const QStringList& captions)
    {
        QAction* item = Item(window, captions);
        ASSERT_TRUE(item) << captions.join(u" > "_s).toStdString();
        item->trigger();
    }

    // The next export options dialog is answered with OK after ticking the
    // options (line numbers, concealed hits) and setting the limit.
    void AnswerExport(int limit, bool lineNumbers = false, bool conceal = false)
    {
        Main.Person.DialogSteps.push_back([=](QDialog& dialog) {
            auto& options = dynamic_cast<TfrmExportConfig&>(dialog);
            options.MaxLinesUpDown->setValue(limit);
            options.LinesCB->setChecked(lineNumbers);
            options.ConcealHits->setChecked(conceal);
            options.OKBtn->click();
            return dialog.result();
        });
    }

    TTestMainWindow Main;
    TTestFiles Files;
    TBin Bin;
};

} // namespace

TEST_F(ConcordanceWindowTest, ABinWithoutHitsShowsAnEmptyList)
{
    TfrmConcordance* window = Open();
    EXPECT_EQ(List(window)->model()->rowCount(), 0);
    EXPECT_TRUE(Preview(window)->document()->isEmpty());
    EXPECT_EQ(Main.StatusText, window->windowTitle());
    EXPECT_EQ(window->WindowListCaption(), window->windowTitle());
    EXPECT_EQ(window->size(), QSize(614, 322));
}

TEST_F(ConcordanceWindowTest, PreviewShowsTheSelectedHitInBlue)
{
    const QString before = u"First line of the text.\r\n"_s.repeated(4);
    AddHit(before, u"needle"_s, u" and\r\nmore"_s);
    AddHit(u"short "_s, u"pin"_s, u" end"_s);
    TfrmConcordance* window = Open();
    ASSERT_EQ(List(window)->model()->rowCount(), 2);
    EXPECT_EQ(SelectedRow(window), 0);

    QTextDocument* document = Preview(window)->document();
    EXPECT_EQ(document->toPlainText(), QString(before + u"needle and\nmore"_s).remove(u'\r'));
    const int hitStart = static_cast<int>(QString(before).remove(u'\r').size());
    QTextCursor cursor(document);
    for (const auto& [position, blue] : {std::pair{hitStart - 1, false},
                                         {hitStart + 1, true},
                                         {hitStart + 6, true},
                                         {hitStart + 7, false}}) {
        cursor.setPosition(position); // the format of the character before position
        EXPECT_EQ(cursor.charFormat().foreground().color() == Blue, blue) << position;
    }
    EXPECT_EQ(Preview(window)->textCursor().position(), hitStart - 50);

    Select(window, 1);
    EXPECT_EQ(document->toPlainText(), u"short pin end"_s);
}

TEST_F(ConcordanceWindowTest, MenuHoldsTheSortCommands)
{
    TfrmConcordance* window = Open();
    ASSERT_TRUE(window->MergedMenu());
    EXPECT_EQ(VisibleText(window->MergedMenu()->menuAction()), u"Concordance"_s);
    const QString expected = uR"(Sort
  2nd Left
    No Second Sort
    1st Left
    Search Term
    1st Right
    2nd Right
  1st Left
    No Second Sort
    2nd Left
    Search Term
    1st Right
    2nd Right
  Search Term
    No Second Sort
    2nd Left
    1st Left
    1st Right
    2nd Right
  1st Right
    No Second Sort
    2nd Left
    1st Left
    Search Term
    2nd Right
  2nd Right
    No Second Sort
    2nd Left
    1st Left
    Search Term
    1st Right
  -
  1st Right, 1st Left [Ctrl+F1]
  1st Left, 1st Right [Ctrl+Shift+F1]
  -
  Original Order
Save To File...
Print...)"_s;
    EXPECT_EQ(Outline(window->MergedMenu()).join(u'\n'), expected);
}

// Each submenu item sorts by its submenu's key, then by its own; the selected
// row index stays and its preview follows the hit that moved into it.
TEST_F(ConcordanceWindowTest, SortingKeepsTheSelectedRow)
{
    AddHit(u"w delta "_s, u"one"_s, u" b q"_s);
    AddHit(u"x alpha "_s, u"two"_s, u" b p"_s);
    AddHit(u"y alpha "_s, u"three"_s, u" a"_s);
    AddHit(u"x charlie "_s, u"four"_s, u" c"_s);
    TfrmConcordance* window = Open();
    Select(window, 1);
    const QStringList original = {u"Sort"_s, u"Original Order"_s};
    const struct {
        QStringList Item;
        QString Row1; // the hit that the selected row shows afterwards
    } cases[] = {
        {{u"Sort"_s, u"1st Left"_s, u"No Second Sort"_s}, u"three"_s},
        {original, u"two"_s},
        {{u"Sort"_s, u"1st Left, 1st Right"_s}, u"two"_s},
        {original, u"two"_s},
        {{u"Sort"_s, u"1st Right, 1st Left"_s}, u"two"_s},
        {original, u"two"_s},
        {{u"Sort"_s, u"1st Right"_s, u"No Second Sort"_s}, u"one"_s},
        {{u"Sort"_s, u"1st Left"_s, u"1st Right"_s}, u"two"_s},
        {{u"Sort"_s, u"Search Term"_s, u"No Second Sort"_s}, u"one"_s},
        {{u"Sort"_s, u"2nd Right"_s, u"2nd Left"_s}, u"three"_s},
        {original, u"two"_s},
    };
    for (const auto& c : cases) {
        Click(window, c.Item);
        EXPECT_EQ(SelectedRow(window), 1) << c.Item.join(u" > "_s).toStdString();
        const QString preview = Preview(window)->toPlainText();
        EXPECT_EQ(preview.section(u' ', 2, 2), c.Row1) << c.Item.join(u" > "_s).toStdString();
    }
}

// The hit begins at the same place on every row, left of the middle of the list
// by half its width.
TEST_F(ConcordanceWindowTest, HitsAreAlignedOnEveryRow)
{
    for (const QString& before : {u"a "_s, u"a much longer text before it "_s, QString()})
        AddHit(before, u"hit"_s, u" after"_s);
    TfrmConcordance* window = Open();
    QListView* list = List(window);
    list->selectionModel()->clear();
    const QImage image = list->viewport()->grab().toImage();
    const int hitWidth = QFontMetrics(list->font()).horizontalAdvance(u"hit"_s);
    std::set<int> starts;
    for (int row = 0; row < 3; ++row) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        int start = -1;
        for (int x = 0; x < image.width() && start < 0; ++x) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.blue() - std::max(pixel.red(), pixel.green()) > 100) {
                    start = x;
                    break;
                }
            }
        }
        starts.insert(start);
    }
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NEAR(*starts.begin(), (list->viewport()->width() - hitWidth) / 2, 2);
}

// On the selected row the hit stands out from what lies behind it as clearly
// as on the other rows: blue on the selection's colour could not be read.
TEST_F(ConcordanceWindowTest, TheHitCanBeReadOnTheSelectedRow)
{
    const auto luminance = [](QColor c) {
        const auto linear = [](float v) {
            return v <= 0.03928f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
        };
        return 0.2126f * linear(c.redF()) + 0.7152f * linear(c.greenF()) +
               0.0722f * linear(c.blueF());
    };
    AddHit(u"before "_s, u"MMMM"_s, u" after"_s);
    AddHit(u"before "_s, u"MMMM"_s, u" after"_s);
    TfrmConcordance* window = Open();
    QListView* list = List(window);
    ASSERT_EQ(SelectedRow(window), 0);
    const QImage image = list->viewport()->grab().toImage();
    const int hitWidth = QFontMetrics(list->font()).horizontalAdvance(u"MMMM"_s);
    const int left = (list->viewport()->width() - hitWidth) / 2;
    for (int row = 0; row < 2; ++row) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        // The hit's background is the colour at the row's top edge; its text
        // is the pixel that differs most from it in brightness.
        const float background = luminance(image.pixelColor(left + hitWidth / 2, rect.top()));
        float contrast = 1;
        for (int x = left; x < left + hitWidth; ++x) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                const float pixel = luminance(image.pixelColor(x, y));
                contrast = std::max(contrast, (std::max(pixel, background) + 0.05f) /
                                                  (std::min(pixel, background) + 0.05f));
            }
        }
        EXPECT_GE(contrast, 4.5f) << "row " << row;
    }
}

TEST_F(ConcordanceWindowTest, UnreadableFilesAreReported)
{
    AddHit(u"a "_s, u"one"_s, u" b"_s);
    const QString second = AddHit(u"c "_s, u"two"_s, u" d"_s);
    TfrmConcordance* window = Open();
    ASSERT_TRUE(QFile::remove(second));
    Select(window, 1);
    EXPECT_TRUE(Preview(window)->document()->isEmpty());
    ASSERT_EQ(Main.Collected.Errors.size(), 1);
    EXPECT_TRUE(Main.Collected.Errors.front().contains(LowerAsciiLetters(second)));

    EXPECT_THROW(window->GetInfoFromBin(Bin), TFileError);
    EXPECT_EQ(List(window)->model()->rowCount(), 0);
    EXPECT_TRUE(Preview(window)->document()->isEmpty());
}

// A new export dialog opens with its defaults every time; Cancel there ends
// the command before any file dialog.
TEST_F(ConcordanceWindowTest, ExportDialogOpensWithItsDefaults)
{
    AddHit(u"a "_s, u"cat"_s, u" b"_s);
    TfrmConcordance* window = Open();
    for (const char* command : {"Save To File...", "Print..."}) {
        SCOPED_TRACE(command);
        Main.Person.DialogSteps.push_back([](QDialog& dialog) {
            auto& options = dynamic_cast<TfrmExportConfig&>(dialog);
            EXPECT_EQ(options.windowTitle(), u"Export data"_s);
            EXPECT_EQ(options.Prompt->text(), u"Enter maximum number of &lines to print/save:"_s);
            EXPECT_EQ(options.Prompt->buddy(), options.MaxLinesUpDown);
            EXPECT_EQ(options.NoLimitLabel->text(), u"(0 indicates no limit)"_s);
            const QSpinBox& limit = *options.MaxLinesUpDown;
            EXPECT_EQ(
                std::tuple(limit.value(), limit.minimum(), limit.maximum(), limit.singleStep()),
                std::tuple(0, 0, 32000, 15));
            for (const auto& [box, caption] :
                 {std::pair{options.ShowFileBox, u"Show &file names on each line"_s},
                  std::pair{options.ConcealHits, u"&Conceal hits"_s},
                  std::pair{options.LinesCB, u"Line Numbers"_s}}) {
                EXPECT_EQ(box->text(), caption);
                EXPECT_FALSE(box->isChecked());
                box->setChecked(true); // the next dialog is new
            }
            EXPECT_EQ(options.OKBtn->text(), u"OK"_s);
            EXPECT_TRUE(options.OKBtn->isDefault());
            EXPECT_EQ(options.CancelBtn->text(), u"Cancel"_s);
            options.CancelBtn->click();
            return dialog.result();
        });
        Click(window, {QString::fromUtf8(command)});
    }
    EXPECT_EQ(Main.Person.DialogsShown, 2);
    EXPECT_TRUE(Main.Person.DialogSteps.empty());
    EXPECT_TRUE(Main.Person.FileDialogsShown.isEmpty());
    EXPECT_TRUE(Main.Collected.Errors.isEmpty());
}

// Each line ends with CR LF, in Windows-1252 while every character has a byte
// there and in UTF-8 with its mark otherwise; Cancel in the save dialog
// writes nothing.
TEST_F(ConcordanceWindowTest, SaveToFileWritesTheLines)
{
    AddHit(u"one "_s, u"caf\u00e9"_s, u" two"_s);
    AddHit(u"three "_s, u"dog"_s, u" four"_s);
    TfrmConcordance* window = Open();
    const QString path = Files.Path(u"lines.txt"_s);
    AnswerExport(1, true);
    Main.Person.FileNames.push_back(path);
    Click(window, {u"Save To File..."_s});
    EXPECT_EQ(FileBytes(path), QByteArray("Line 0: one [[caf\xE9]] two\r\n"));
    ASSERT_EQ(Main.Person.FileDialogsShown.size(), 1);
    const TFileDialogSetup& setup = Main.Person.FileDialogsShown.front();
    EXPECT_EQ(setup.Filters, QStringList{u"Text Files (*.txt)"_s});
    EXPECT_EQ(setup.DefaultSuffix, u"txt"_s);

    AnswerExport(0);
    Click(window, {u"Save To File..."_s}); // Cancel in the save dialog
    EXPECT_EQ(FileBytes(path), QByteArray("Line 0: one [[caf\xE9]] two\r\n"));
    EXPECT_TRUE(Main.Collected.Errors.isEmpty());

    Bin = TBin();
    AddHit(u"\u0416 "_s, u"\u0436\u0443\u043a"_s, u"!"_s, true);
    window = Open();
    AnswerExport(0, false, true);
    Main.Person.FileNames.push_back(path);
    Click(window, {u"Save To File..."_s});
    EXPECT_EQ(FileBytes(path), "\xEF\xBB\xBF" + u"\u0416 [[___]]!\r\n"_s.toUtf8());
}

// Printing turns the printer to landscape before its dialog and prints the
// lines in the order shown, 8-point text at 6 lines an inch.
TEST_F(ConcordanceWindowTest, PrintPutsTheLinesInTheirOrderOnLandscapePages)
{
    for (const QString& hit : {u"emu"_s, u"cat"_s, u"dog"_s})
        AddHit(u"some "_s, hit, u" here"_s);
    TfrmConcordance* window = Open();
    Click(window, {u"Sort"_s, u"Search Term"_s, u"No Second Sort"_s});
    const QString pdf = Files.Path(u"print.pdf"_s);
    Main.PdfPrinter.setOutputFileName(pdf);
    Main.PdfPrinter.setPageOrientation(QPageLayout::Portrait);
    AnswerExport(0);
    Main.Person.DialogSteps.push_back([this](QDialog& dialog) {
        auto& print = dynamic_cast<QPrintDialog&>(dialog);
        EXPECT_EQ(print.printer(), &Main.PdfPrinter);
        EXPECT_EQ(print.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        return QDialog::Accepted;
    });
    Click(window, {u"Print..."_s});
    EXPECT_TRUE(Main.Collected.Errors.isEmpty());
    ASSERT_EQ(PdfPageCount(pdf), 1);
    EXPECT_EQ(PdfPageTexts(pdf).front().simplified(),
              u"some [[cat]] here some [[dog]] here some [[emu]] here"_s);
    // Tahoma or the family standing in for it, 8 points high.
    const std::optional<QPointF> first = PdfWordPlace(pdf, u"[[cat]]"_s);
    const std::optional<QPointF> second = PdfWordPlace(pdf, u"[[dog]]"_s);
    ASSERT_TRUE(first && second);
    EXPECT_NEAR(second->y() - first->y(), 12, 0.5);
    EXPECT_NEAR(first->y(), 54, 3);
}

// A printer that cannot begin the job is reported, and nothing else happens.
TEST_F(ConcordanceWindowTest, APrinterThatCannotPrintIsReported)
{
    AddHit(u"a "_s, u"cat"_s, u" b"_s);
    TfrmConcordance* window = Open();
    const QString pdf = Files.Path(u"no folder/print.pdf"_s);
    Main.PdfPrinter.setOutputFileName(pdf);
    AnswerExport(0);
    Main.Person.DialogSteps.push_back([](QDialog&) { return QDialog::Accepted; });
    Click(window, {u"Print..."_s});
    EXPECT_EQ(
        Main.Collected.Errors,
        QStringList{u"Cannot create file \"%1\". The print job cannot be started."_s.arg(pdf)});
}
