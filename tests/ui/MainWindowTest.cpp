// The main window driven as a user drives it: corpus, search, scopes, Cancel,
// the window list and the file list.
#include "Error.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "MenuOutline.h"
#include "PdfTools.h"
#include "ScriptedUser.h"
#include "SettingsFile.h"
#include "TAppSettings.h"
#include "uConcordance.h"
#include "uFiles.h"
#include "uMain.h"
#include "uProgress.h"
#include "uResult.h"
#include "uSearchOptions.h"
#include "uText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

TEST_F(MainWindowTest, CorpusAndStatusBar)
{
    EXPECT_TRUE(Main.StatusText(0).isEmpty());
    EXPECT_TRUE(Main.StatusText(1).isEmpty());
    emit Main.miSearch->aboutToShow();
    EXPECT_FALSE(Main.miWordPhrase->isEnabled());

    LoadCorpus({"one", "two"});
    EXPECT_EQ(Main.StatusText(0), u"2 files in current corpus"_s);
    User.FilesToOpen = {User.FilesToOpen[0]};
    Main.LoadCorpusFiles1->trigger(); // the same file again
    EXPECT_EQ(Main.StatusText(0), u"3 files in current corpus"_s);
    // The text shows whole, also where the font needs more than 150 pixels and
    // a long path fills the other panel, which shows what fits of it without
    // widening the window.
    const int windowWidth = Main.width();
    const QString longPath = u"Text File: /home/someone/corpora/"_s +
                             u"a folder with a long name/"_s.repeated(20) + u"text.txt"_s;
    Main.SetActiveWindowText(longPath);
    for (int i = 0; i < 1997; ++i)
        Main.AddFileToCorpus(User.FilesToOpen[0]);
    Main.UpdateStatusbar();
    QApplication::processEvents();
    EXPECT_EQ(Main.width(), windowWidth);
    EXPECT_EQ(Main.StatusText(1), longPath);
    const QList<QLabel*> panels = Main.statusBar()->findChildren<QLabel*>();
    const auto first = std::find_if(panels.begin(), panels.end(), [](const QLabel* panel) {
        return panel->text() == u"2000 files in current corpus"_s;
    });
    ASSERT_NE(first, panels.end());
    const int textWidth = (*first)->fontMetrics().horizontalAdvance((*first)->text());
    EXPECT_GT(textWidth, 150);
    EXPECT_GE((*first)->contentsRect().width(), textWidth);
    const auto second = std::find_if(panels.begin(), panels.end(), [&](const QLabel* panel) {
        return panel->toolTip() == longPath;
    });
    ASSERT_NE(second, panels.end());
    EXPECT_TRUE((*second)->text().contains(u'\u2026'));
    EXPECT_LE((*second)->fontMetrics().horizontalAdvance((*second)->text()),
              (*second)->contentsRect().width());
    emit Main.miSearch->aboutToShow();
    EXPECT_TRUE(Main.miWordPhrase->isEnabled() && Main.miRegExp->isEnabled());

    Main.miUnload->trigger();
    EXPECT_EQ(Main.StatusText(0), u"No files loaded"_s);
    EXPECT_TRUE(Main.Corpus().IsEmpty());
    EXPECT_FALSE(Main.miWordTag->isEnabled());
}

TEST_F(MainWindowTest, MenuBar)
{
    LoadCorpus({"one"});
    QStringList lines;
    for (QAction* top : Main.menuBar()->actions()) {
        emit top->menu()->aboutToShow();
        lines += VisibleText(top);
        lines += Outline(top->menu(), u"  "_s);
    }
    const QString expected = uR"(File
  Text Settings...
  -
  Load Corpus File(s)... [Ctrl+L]
  Unload Corpus
  View Corpus File... [Ctrl+Alt+V]
  -
  Open Workspace...
  Save Workspace...
  Save Workspace As...
  Save Workspace on Exit
  -
  Tag Settings
    Normal Tags...
    Part of Speech Tags...
  -
  Printer Setup..
  -
  Exit [Ctrl+Q]
Options
  General Options...
  Text Settings...
Search
  Word/Phrase...
  Regular Expression...
  Word/Tag...
Window
  Tile
  Cascade
  -
Info
  Help
  About)"_s;
    EXPECT_EQ(lines.join(u'\n'), expected);
}

// The active results or concordance window's menu stands between File and
// Options, by its merge group; other windows add none.
TEST_F(MainWindowTest, MenuOfTheActiveWindowIsMerged)
{
    const auto titles = [this] {
        QStringList texts;
        for (const QAction* top : Main.menuBar()->actions())
            texts.append(VisibleText(top));
        return texts.join(u' ');
    };
    LoadCorpus({"a cat"});
    AnswerSearch(u"cat"_s, {true, false, false, false});
    Main.DoSearch(Main.miWordPhrase);
    EXPECT_EQ(titles(), u"File Results Options Search Window Info"_s);

    QTreeWidget* table = static_cast<TfrmResults*>(Main.ActiveChildWindow())->ListView();
    table->setCurrentItem(table->topLevelItem(0));
    table->actions().first()->trigger(); // "View concordances"
    EXPECT_EQ(titles(), u"File Concordance Options Search Window Info"_s);

    Main.LoadFileNewWindow(Main.Corpus()[0].FileName);
    EXPECT_EQ(titles(), u"File Options Search Window Info"_s);
    for (TChildWindow* child : Main.ChildWindows())
        Main.CloseChildWindow(child);
    QApplication::processEvents();
    EXPECT_EQ(titles(), u"File Options Search Window Info"_s);
}

// Every menu, also the merged menu of a results or concordance window, and
// every item can be reached by its access key; F10 opens the first menu.
TEST_F(MainWindowTest, MenusAreReachableFromTheKeyboard)
{
    LoadCorpus({"a cat"});
    AnswerSearch(u"cat"_s, {true, false, false, false});
    QApplication::setActiveWindow(&Main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));
    QTest::keyClick(&Main, Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(Main.miSearch->isVisible());
    QTest::keyClick(Main.miSearch, Qt::Key_R);
    QApplication::processEvents();
    EXPECT_EQ(User.DialogsShown, 1);
    EXPECT_EQ(Settings.swSyntax, ssRegularExpression);
    ASSERT_EQ(Main.ChildWindows().size(), 1);
    EXPECT_EQ(AccessKeyProblems(Main.menuBar()->actions()), QStringList());

    QTreeWidget* table = static_cast<TfrmResults*>(Main.ActiveChildWindow())->ListView();
    table->setCurrentItem(table->topLevelItem(0));
    table->actions().first()->trigger(); // "View concordances"
    ASSERT_EQ(Main.ActiveChildWindow()->Kind(), TChildWindow::TKind::Concordance);
    EXPECT_EQ(AccessKeyProblems(Main.menuBar()->actions()), QStringList());

    QApplication::setActiveWindow(&Main);
    QTest::keyClick(&Main, Qt::Key_F10);
    EXPECT_TRUE(Main.miFile->isVisible());
    Main.miFile->hide();
}

TEST_F(MainWindowTest, SearchOpensOneResultsWindowPerDistribution)
{
    LoadCorpus({"The cat sat. A cat ran.", "  Another cat.\n  And a dog."});
    AnswerSearch(u"cat"_s);
    Main.DoSearch(Main.miWordPhrase);
    EXPECT_TRUE(Messages.Errors.isEmpty());
    EXPECT_EQ(WindowTitles(), (QStringList{u"\"cat\" distribution in sentences"_s,
                                           u"\"cat\" distribution in paragraphs"_s,
                                           u"\"cat\" distribution in sections"_s,
                                           u"\"cat\" distribution in texts"_s}));
    EXPECT_EQ(Main.StatusText(1), u"\"cat\" distribution in texts"_s);
    ASSERT_EQ(Main.ActiveChildWindow()->Kind(), TChildWindow::TKind::Results);
    EXPECT_EQ(Main.ActiveChildWindow()->size(), QSize(463, 338));
    auto* texts = static_cast<TfrmResults*>(Main.ActiveChildWindow());
    EXPECT_EQ(texts->SavedBinSet().TotalMatches, 3);
    EXPECT_EQ(texts->SavedBinSet().TotalTexts, 2);
    // The search stored its choices and the settings file.
    EXPECT_EQ(Settings.swSyntax, ssWordPhrase);
    EXPECT_EQ(Settings.swPatternHistory.value(0), u"cat"_s);
    EXPECT_TRUE(QFile::exists(Files.Path(u"settings2.xml"_s)));
    EXPECT_TRUE(Main.centralWidget()->isEnabled());

    // Only the requested distributions open.
    AnswerSearch(u"dog"_s, {false, false, true, false});
    Main.DoSearch(Main.miWordPhrase);
    EXPECT_EQ(WindowTitles().size(), 5);
    EXPECT_EQ(WindowTitles().last(), u"\"dog\" distribution in sections"_s);
}

// New windows fan out from the top-left corner within the visible area, so
// that all four windows of a search show and a text window from the file list
// opens whole; a window moved beyond the area is reached by scrolling.
TEST_F(MainWindowTest, NewWindowsAreCascadedWithinTheVisibleArea)
{
    LoadCorpus({"a cat", "b cat"});
    AnswerSearch(u"cat"_s);
    Main.DoSearch(Main.miWordPhrase);
    {
        TfrmFiles files(Main);
        files.lbMain->selectAll();
        files.btnShowClick();
    }
    for (int i = 0; i < 6; ++i)
        Main.LoadFileNewWindow(Main.Corpus()[0].FileName);
    QApplication::processEvents();

    auto* area = qobject_cast<QMdiArea*>(Main.centralWidget());
    const QRect visible = area->viewport()->rect();
    QList<QPoint> places;
    for (const QMdiSubWindow* frame : area->subWindowList(QMdiArea::CreationOrder)) {
        EXPECT_TRUE(visible.contains(frame->geometry())) << places.size();
        places.append(frame->pos());
    }
    ASSERT_EQ(places.size(), 12);
    EXPECT_EQ(QSet<QPoint>(places.begin(), places.begin() + 4).size(), 4) << "results windows";

    area->subWindowList().first()->move(visible.bottomRight() - QPoint(100, 100));
    QApplication::processEvents();
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
}

// The offsets that the search records lead the concordance back to the hits,
// in 8-bit and in UTF-16 files.
TEST_F(MainWindowTest, ConcordanceOfASearchReadsTheHitsBack)
{
    LoadCorpus({"The cat sat. A cat ran.", Utf16Le(u"\u00DCber die cat.\r\nEnd"_s)});
    AnswerSearch(u"cat"_s, {false, false, false, true});
    Main.DoSearch(Main.miWordPhrase);
    auto* results = qobject_cast<TfrmResults*>(Main.ActiveChildWindow());
    ASSERT_TRUE(results);
    QTreeWidget* table = results->ListView();
    for (int row = 0; row < table->topLevelItemCount(); ++row) {
        if (table->topLevelItem(row)->text(1) != u"0"_s) {
            table->setCurrentItem(table->topLevelItem(row));
            table->actions().first()->trigger(); // "View concordances"
        }
    }
    QStringList lines;
    for (TChildWindow* child : Main.ChildWindows()) {
        if (auto* concordance = qobject_cast<TfrmConcordance*>(child)) {
            for (int row = 0; row < concordance->Rows().Count(); ++row) {
                const TConcordanceLine& line = concordance->Rows().Line(row);
                lines.append(line.TextBefore + u'[' + line.TextMatch + u']' + line.TextAfter);
            }
        }
    }
    lines.sort();
    EXPECT_EQ(lines, (QStringList{u"The [cat] sat. A cat ran."_s, u"The cat sat. A [cat] ran."_s,
                                  u"\u00DCber die [cat]. End"_s}));
    EXPECT_TRUE(Messages.Errors.isEmpty());
}

TEST_F(MainWindowTest, CancellingTheDialogChangesNothing)
{
    LoadCorpus({"a cat"});
    Main.DoSearch(Main.miRegExp); // no step: the dialog is cancelled
    EXPECT_EQ(User.DialogsShown, 1);
    EXPECT_TRUE(WindowTitles().isEmpty());
    EXPECT_FALSE(QFile::exists(Files.Path(u"settings2.xml"_s)));
}

TEST_F(MainWindowTest, TheMenuItemChoosesTheSyntax)
{
    Settings.swSyntax = ssWordPhrase;
    Settings.stRegEx = u"c.t"_s;
    LoadCorpus({"a cat"});
    User.DialogSteps.push_back([](QDialog& dialog) {
        auto& options = dynamic_cast<TfrmSearchOptions&>(dialog);
        EXPECT_TRUE(options.rbRegExp->isChecked());
        EXPECT_EQ(options.PatternText(), u"c.t"_s);
        return int(QDialog::Rejected);
    });
    Main.DoSearch(Main.miRegExp);
    EXPECT_EQ(User.DialogsShown, 1);
}

TEST_F(MainWindowTest, ScopeWarnings)
{
    LoadCorpus({"a cat"});
    AnswerSearch(u"cat"_s, {true, true, true, true}, true);
    Main.DoSearch(Main.miWordPhrase);
    EXPECT_EQ(Messages.Warnings.value(0), u"There is no active window with text. Please open some "
                                          "text and make window containing it active."_s);

    // A results window active: the search of the active window refuses it.
    AnswerSearch(u"cat"_s);
    Main.DoSearch(Main.miWordPhrase);
    const int windows = static_cast<int>(WindowTitles().size());
    AnswerSearch(u"cat"_s, {true, true, true, true}, true);
    Main.DoSearch(Main.miWordPhrase);
    EXPECT_EQ(Messages.Warnings.value(1), u"Currently active window contains results. Please make "
                                          "active other window, wich contains text"_s);
    EXPECT_EQ(WindowTitles().size(), windows);
    EXPECT_TRUE(Main.centralWidget()->isEnabled());

    Main.miUnload->trigger();
    AnswerSearch(u"cat"_s);
    Main.DoSearch(Main.miWordPhrase);
    EXPECT_EQ(Messages.Warnings.value(2), u"There is no files in current corpus."_s);
}

TEST_F(MainWindowTest, SearchOfTheActiveTextWindow)
{
    LoadCorpus({"a cat", "cat cat cat"});
    Main.LoadFileNewWindow(Main.Corpus()[1].FileName);
    AnswerSearch(u"cat"_s, {true, false, false, false}, true);
    Main.DoSearch(Main.miWordPhrase);
    ASSERT_EQ(WindowTitles().size(), 2);
    ASSERT_EQ(Main.ActiveChildWindow()->Kind(), TChildWindow::TKind::Results);
    EXPECT_EQ(static_cast<TfrmResults*>(Main.ActiveChildWindow())->SavedBinSet().TotalMatches, 3);
}

// Cancel pressed as a person presses it, with the mouse or with Escape,
// while a search that would take seconds runs: the search stops within a
// moment and opens nothing, and the bars moved until then. Large files take
// the press inside a file; many small ones mostly between two files.
TEST_F(MainWindowTest, CancelDuringALongSearchStopsIt)
{
    const QByteArray large =
        QByteArray("The river rose in the night and the road flooded. ").repeated(80000);
    const QByteArray small = QByteArray("words ").repeated(483);
    for (const bool escape : {false, true}) {
        Main.miUnload->trigger();
        LoadCorpus(escape ? QList<QByteArray>(2000, small) : QList<QByteArray>(20, large));
        AnswerSearch(u"\\w+"_s);
        int barValue = -1; // of the text when the files are large, else of the corpus
        bool shown = false;
        // Cancels as soon as the bar has moved, however fast the machine is.
        QTimer watcher;
        watcher.callOnTimeout([&] {
            for (auto* progress : Main.findChildren<TfrmProgress*>()) {
                barValue = (escape ? progress->pbAll : progress->pbText)->value();
                if (barValue <= 0)
                    return;
                watcher.stop();
                if (escape)
                    QTest::keyClick(progress, Qt::Key_Escape);
                else
                    QTest::mouseClick(progress->btnCancel, Qt::LeftButton);
                shown = progress->isVisible();
            }
        });
        watcher.start(1);
        Main.DoSearch(Main.miRegExp);
        watcher.stop();
        EXPECT_GT(barValue, 0) << "the progress bar did not move";
        EXPECT_TRUE(shown) << "the progress dialog went away while the search ran";
        EXPECT_TRUE(WindowTitles().isEmpty());
        EXPECT_TRUE(Main.centralWidget()->isEnabled());
        EXPECT_TRUE(Main.menuBar()->isEnabled());
    }
}

// A pattern that cannot be used is reported once for the whole corpus, and
// no results are shown for a search that did not run.
TEST_F(MainWindowTest, PatternErrorIsShownOnceAndOpensNothing)
{
    LoadCorpus({"a cat", "b cat", "c cat"});
    AnswerSearch(u"(cat"_s);
    Main.DoSearch(Main.miRegExp);
    ASSERT_EQ(Messages.Errors.size(), 1);
    EXPECT_TRUE(Messages.Errors[0].startsWith(u"Error in regular expression (pattern). Error: "_s));
    EXPECT_TRUE(WindowTitles().isEmpty());
    EXPECT_TRUE(Main.centralWidget()->isEnabled());
}

// A corpus file that became a pipe after it was loaded: the search shows why
// it cannot run, reads nothing and opens nothing (the pipe is held open for
// writing, so that a search that read it would not wait for ever).
TEST_F(MainWindowTest, ACorpusFileThatIsNoLongerARegularFileIsShownAndNothingIsSearched)
{
    LoadCorpus({"a cat", "b cat"});
    const QString path = Main.Corpus()[1].FileName;
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const int writer = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    AnswerSearch(u"cat"_s);
    Main.DoSearch(Main.miWordPhrase);
    EXPECT_EQ(Messages.Errors,
              QStringList{u"Cannot open file \"%1\". It is not a regular file"_s.arg(path)});
    EXPECT_TRUE(WindowTitles().isEmpty());
    EXPECT_TRUE(Main.centralWidget()->isEnabled());
    ::close(writer);
}

// Whatever a command raises ends the command with a message; the program and
// its windows stay.
TEST_F(MainWindowTest, ErrorsOfACommandAreShownNotFatal)
{
    LoadCorpus({"a cat"});
    AnswerSearch(u"cat"_s);
    Main.DoSearch(Main.miWordPhrase);
    const QStringList windows = WindowTitles();
    Main.RunCommand([] { throw std::bad_alloc(); });
    Main.RunCommand([] { throw 42; });
    EXPECT_EQ(Messages.Errors, (QStringList{u"There is not enough memory to finish the command."_s,
                                            u"The command ended with an unknown error."_s}));
    EXPECT_EQ(WindowTitles(), windows);
}

TEST_F(MainWindowTest, CommandLineFilesThatAreNoFilesAreNotLoaded)
{
    const QString file = Files.Write(u"a.txt"_s, "a cat");
    const QString missing = Files.Path(u"missing.txt"_s);
    const QString folder = QFileInfo(file).absolutePath();
    Main.AddCommandLineFiles({missing, folder, file});
    EXPECT_EQ(Main.Corpus().FileNames(), QStringList{file});
    EXPECT_EQ(Main.StatusText(0), u"1 file in current corpus"_s);
    EXPECT_EQ(Messages.Warnings, QStringList{u"These were not loaded into the corpus, since they "
                                             "do not exist or are not files:\n"_s +
                                             missing + u'\n' + folder});
    AnswerSearch(u"cat"_s);
    Main.DoSearch(Main.miWordPhrase);
    EXPECT_EQ(WindowTitles().size(), 4);

    // A name relative to the folder the program started in is kept whole, as
    // the open dialog gives it.
    const QString started = QDir::currentPath();
    QDir::setCurrent(folder);
    Main.AddCommandLineFiles({u"a.txt"_s});
    QDir::setCurrent(started);
    EXPECT_EQ(Main.Corpus().FileNames(), (QStringList{file, file}));
}

TEST_F(MainWindowTest, UnreadableCorpusFileEndsTheSearch)
{
    LoadCorpus({"a cat"});
    Main.AddFileToCorpus(Files.Path(u"gone.txt"_s));
    AnswerSearch(u"cat"_s);
    Main.DoSearch(Main.miWordPhrase);
    ASSERT_EQ(Messages.Errors.size(), 1);
    EXPECT_TRUE(Messages.Errors[0].contains(u"gone.txt"_s));
    EXPECT_TRUE(WindowTitles().isEmpty());
    EXPECT_TRUE(Main.centralWidget()->isEnabled());
}

TEST_F(MainWindowTest, WindowListMostRecentFirst)
{
    LoadCorpus({"one", "two", "three"});
    for (const auto& file : Main.Corpus())
        Main.LoadFileNewWindow(file->FileName);
    Main.ActivateChildWindow(Main.ChildWindows().first()); // Text0.txt
    emit Main.miWindow->aboutToShow();
    QStringList items;
    for (QAction* item : Main.miWindow->actions()) {
        if (item->isCheckable())
            items.append(item->text() + (item->isChecked() ? u"*"_s : QString()));
    }
    EXPECT_EQ(items, (QStringList{u"Text0.txt*"_s, u"Text2.txt"_s, u"Text1.txt"_s}));
    EXPECT_EQ(Main.StatusText(1), u"Text File: "_s + Main.Corpus()[0].FileName);
    EXPECT_EQ(Main.ActiveChildWindow()->windowTitle(),
              u"Text file - ["_s + Main.Corpus()[0].FileName + u"]"_s);
    EXPECT_EQ(Main.ActiveChildWindow()->size(), QSize(507, 350));

    // An "&" in a name is shown, not taken as an access key.
    Main.LoadFileNewWindow(Files.Write(u"R&D notes.txt"_s, "four"));
    emit Main.miWindow->aboutToShow();
    const QList<QAction*> entries = Main.miWindow->actions();
    const auto first = std::find_if(entries.begin(), entries.end(),
                                    [](const QAction* item) { return item->isCheckable(); });
    ASSERT_NE(first, entries.end());
    EXPECT_EQ(VisibleText(*first), u"R&D notes.txt"_s);
}

TEST_F(MainWindowTest, TextWindowReadsEveryEncoding)
{
    const QString text = u"Caf\u00E9 \u20AC"_s;
    const struct {
        QByteArray Bytes;
        const char* Encoding;
    } cases[] = {
        {Utf16Le(text), "UTF-16LE"},
        {QByteArray("\xFE\xFF\x00"
                    "C\x00"
                    "a\x00"
                    "f\x00\xE9\x00 \x20\xAC",
                    14),
         "UTF-16BE"},
        {"\xEF\xBB\xBF" + text.toUtf8(), "UTF-8"},
        {text.toUtf8(), "UTF-8 without a mark"},
        {"Caf\xE9 \x80", "Windows-1252"},
    };
    for (const auto& c : cases) {
        Main.LoadFileNewWindow(Files.Write(u"text.txt"_s, c.Bytes));
        auto* window = static_cast<TfrmText*>(Main.ActiveChildWindow());
        EXPECT_EQ(window->RichEdit->toPlainText(), text) << c.Encoding;
    }
}

TEST_F(MainWindowTest, TextWindowOfAMissingFileStaysOpen)
{
    const QString path = Files.Path(u"gone.txt"_s);
    try {
        Main.LoadFileNewWindow(path);
        ADD_FAILURE() << "no error";
    } catch (const TFileError& error) {
        EXPECT_TRUE(error.Message().startsWith(u"Cannot open file \""_s + path + u"\". "_s));
    }
    auto* window = static_cast<TfrmText*>(Main.ActiveChildWindow());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), u"Corpus"_s);
    EXPECT_EQ(window->FileName(), path);
    Main.CloseChildWindow(window);
    EXPECT_TRUE(Main.StatusText(1).isEmpty());
}

TEST_F(MainWindowTest, FileListRemovesAndShows)
{
    LoadCorpus({"one", "two"});
    const QString first = Main.Corpus()[0].FileName;
    Main.AddFileToCorpus(first); // the same path twice
    Main.LoadFileNewWindow(first);
    Main.LoadFileNewWindow(first);
    {
        TfrmFiles files(Main);
        ASSERT_EQ(files.lbMain->count(), 3);
        files.lbMain->setCurrentRow(2); // the second entry of the first path
        files.btnCloseFileClick();
        EXPECT_EQ(files.lbMain->count(), 2);
    }
    EXPECT_EQ(Main.Corpus().Count(), 2);
    EXPECT_EQ(Main.Corpus()[0].FileName, first);
    QApplication::processEvents();
    EXPECT_TRUE(Main.ChildWindows().isEmpty()); // both of its windows closed
    EXPECT_EQ(Main.StatusText(0), u"2 files in current corpus"_s);

    Main.LoadFileNewWindow(Main.Corpus()[1].FileName);
    Main.LoadFileNewWindow(first);
    TfrmFiles files(Main);
    files.lbMain->setCurrentRow(1);
    files.btnShowClick(); // already open: brought to the front
    EXPECT_EQ(Main.ChildWindows().size(), 2);
    EXPECT_EQ(static_cast<TfrmText*>(Main.ActiveChildWindow())->FileName(),
              Main.Corpus()[1].FileName);
}

// The window saves the settings over the file when it closes: a file that
// could not be read is kept first, and the message says where.
TEST(MainWindowSettings, AnUnreadableSettingsFileIsKeptBeforeItIsSavedOver)
{
    TTestFiles files;
    const QByteArray unreadable = "<Settings><SentPercentBins Value=\"101\"/></Settings>";
    const QString path = files.Write(u"settings2.xml"_s, unreadable);
    TAppSettings settings;
    TCollectedMessages messages;
    TScriptedUser user;
    {
        TfrmMain main(settings, messages, user, path);
        main.show();
        main.close();
    }
    ASSERT_EQ(messages.Errors.size(), 1);
    EXPECT_TRUE(messages.Errors[0].contains(u"SentPercentBins"_s));
    EXPECT_TRUE(messages.Errors[0].endsWith(u"\n\nThe file was kept as \""_s +
                                            QDir::toNativeSeparators(path) + u".unreadable\"."_s))
        << messages.Errors[0].toStdString();
    EXPECT_EQ(FileBytes(path + u".unreadable"_s), unreadable);
    TAppSettings saved;
    LoadSettings(saved, path); // the defaults, saved at the close
    EXPECT_EQ(saved.SentPercentBins, 3);
}

// "Printer Setup.." shows the print dialog of the one printer that the print
// commands use, confirmed with OK; what is chosen there is where a results
// window then prints.
TEST_F(MainWindowTest, PrinterSetupChoosesThePrinterOfThePrintCommands)
{
    const QString chosen = Files.Path(u"chosen.pdf"_s);
    User.DialogSteps.push_back([&](QDialog& dialog) {
        auto& setup = dynamic_cast<QPrintDialog&>(dialog);
        EXPECT_EQ(setup.windowTitle(), u"Printer Setup"_s);
        const auto* buttons = setup.findChild<QDialogButtonBox*>();
        EXPECT_EQ(buttons ? buttons->button(QDialogButtonBox::Ok)->text() : QString(), u"OK"_s);
        setup.printer()->setOutputFormat(QPrinter::PdfFormat);
        setup.printer()->setOutputFileName(chosen);
        return QDialog::Accepted;
    });
    Main.miPrinterSetup->trigger();
    EXPECT_EQ(User.DialogsShown, 1);

    LoadCorpus({"a cat"});
    AnswerSearch(u"cat"_s, {true, false, false, false});
    Main.DoSearch(Main.miWordPhrase);
    QAction* printHistogram = nullptr;
    for (QAction* sub : Main.ActiveChildWindow()->MergedMenu()->actions()) {
        if (sub->menu() && VisibleText(sub) == u"Print"_s)
            printHistogram = sub->menu()->actions().value(0);
    }
    ASSERT_TRUE(printHistogram);
    User.DialogSteps.push_back([](QDialog&) { return QDialog::Accepted; });
    printHistogram->trigger();
    EXPECT_TRUE(Messages.Errors.isEmpty());
    EXPECT_EQ(PdfPageCount(chosen), 1);
}
