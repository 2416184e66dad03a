// Saving a session into a workspace file and taking it up again through the
// main window's commands, as a user does.
#include "Workspace.h"

#include "MainWindowFixture.h"
#include "TBinSet.h"
#include "XmlNode.h"
#include "uConcordance.h"
#include "uResult.h"
#include "uText.h"

#include <QAction>
#include <QDir>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// What a user sees of a session, and what a failed load must leave as it was.
struct TSession {
    TAppSettings Settings;
    QStringList Corpus;
    QStringList Windows; // most recently active last
    QString WorkspaceFile;
    QString CorpusStatus;

    bool operator==(const TSession&) const = default;
};

void PrintTo(const TSession& session, std::ostream* out)
{
    *out << "corpus " << session.Corpus.join(u", "_s).toStdString() << "; windows "
         << session.Windows.join(u" | "_s).toStdString() << "; workspace "
         << session.WorkspaceFile.toStdString() << "; " << session.CorpusStatus.toStdString();
}

QList<TfrmResults*> ResultsWindows(const TfrmMain& main)
{
    QList<TfrmResults*> windows;
    for (TChildWindow* child : main.ChildWindows()) {
        if (auto* results = qobject_cast<TfrmResults*>(child))
            windows.append(results);
    }
    return windows;
}

// Copies of the results windows' bin sets, the most recently active last.
std::vector<TBinSet> BinSetsOf(const TfrmMain& main)
{
    std::vector<TBinSet> binSets;
    for (const TfrmResults* window : ResultsWindows(main))
        window->SavedBinSet().CopyTo(binSets.emplace_back());
    return binSets;
}

QAction* ShowExpectedItem(TfrmResults& window)
{
    for (QAction* action : window.MergedMenu()->actions())
        if (action->text().remove(u'&') == u"Show Expected Distribution"_s)
            return action;
    return nullptr;
}

QString Utf16Text(const QByteArray& bytes)
{
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

QByteArray Utf16Bytes(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// The windows of a session by their captions in the Window menu.
TChildWindow* WindowNamed(const TfrmMain& main, const QString& caption)
{
    for (TChildWindow* child : main.ChildWindows()) {
        if (child->WindowListCaption() == caption)
            return child;
    }
    return nullptr;
}

QMdiSubWindow* FrameOf(const TChildWindow* window)
{
    return qobject_cast<QMdiSubWindow*>(window->parentWidget());
}

class WorkspaceTest : public MainWindowTest {
protected:
    TSession Session() const
    {
        return {Settings, Main.Corpus().FileNames(), WindowTitles(), Main.CurrentWorkspaceFile(),
                Main.StatusText(0)};
    }

    QString SaveAs(const QString& name)
    {
        const QString path = Files.Path(name);
        User.FileNames.push_back(path);
        Main.miSaveWorkspaceAs->trigger();
        return path;
    }

    void Open(const QString& path)
    {
        User.FileNames.push_back(path);
        Main.miOpenWorkspace->trigger();
    }

    // A corpus of two files, the first of them twice, a search for "cat" in
    // all four distributions and a text window for the second file.
    void MakeSession()
    {
        LoadCorpus({"The cat sat. A dog ran.\r\n\r\nA cat. The end.", "A cat. Another cat here."});
        User.FilesToOpen = {Main.Corpus()[0].FileName};
        Main.LoadCorpusFiles1->trigger();
        AnswerSearch(u"cat"_s);
        Main.miWordPhrase->trigger();
        Main.LoadFileNewWindow(Main.Corpus()[1].FileName);
    }

    // Opens the concordance of a bin, as a double click on its row does.
    TfrmConcordance* OpenConcordance(TfrmResults& window, int bin)
    {
        QTreeWidget* table = window.ListView();
        table->setCurrentItem(table->topLevelItem(bin));
        emit table->itemDoubleClicked(table->topLevelItem(bin), 0);
        return qobject_cast<TfrmConcordance*>(Main.ActiveChildWindow());
    }
};

} // namespace

TEST_F(WorkspaceTest, ASessionComesBackWhole)
{
    MakeSession();
    const QString concordance =
        OpenConcordance(*ResultsWindows(Main).first(), 0)->WindowListCaption();
    Main.ActivateChildWindow(ResultsWindows(Main)[1]);
    const TSession before = Session();
    const std::vector<TBinSet> binSets = BinSetsOf(Main);

    const QString path = SaveAs(u"work.tmz"_s);
    ASSERT_EQ(User.FileDialogsShown.size(), 1);
    EXPECT_EQ(User.FileDialogsShown[0].Title, u"Save Workspace"_s);
    EXPECT_EQ(User.FileDialogsShown[0].Filters, QStringList{u"Tamborix Workspace File (*.tmz)"_s});
    EXPECT_EQ(User.FileDialogsShown[0].DefaultSuffix, u"tmz"_s);
    EXPECT_EQ(Main.CurrentWorkspaceFile(), path);
    // "Save Workspace..." saves to the current file without asking, and the
    // same session gives the same bytes.
    const QByteArray saved = FileBytes(path);
    Main.miSaveWorkspace->trigger();
    EXPECT_EQ(User.FileDialogsShown.size(), 1);
    EXPECT_EQ(FileBytes(path), saved);

    Settings.ExclSentLessThan = 7;
    Main.miUnload->trigger();
    Open(path);
    EXPECT_EQ(User.FileDialogsShown.last().Title, u"Open Workspace"_s);
    EXPECT_TRUE(Messages.Errors.isEmpty()) << Messages.Errors.join(u'\n').toStdString();

    TSession expected = before;
    expected.Windows.removeOne(concordance); // concordance windows are not kept
    expected.WorkspaceFile = path;
    EXPECT_EQ(Session(), expected);
    EXPECT_EQ(Main.StatusText(0), u"3 files in current corpus"_s);
    EXPECT_TRUE(BinSetsOf(Main) == binSets);
    // Sizes, places, titles and matches all came back: saving again gives the
    // same file.
    EXPECT_EQ(Utf16Text(FileBytes(SaveAs(u"again.tmz"_s))), Utf16Text(saved));
}

TEST_F(WorkspaceTest, OpenedWindowsJoinThoseOpen)
{
    MakeSession();
    const QString path = SaveAs(u"work.tmz"_s);
    const QStringList windows = WindowTitles();
    Open(path);
    EXPECT_EQ(WindowTitles(), windows + windows);
    EXPECT_EQ(Main.StatusText(0), u"3 files in current corpus"_s);
}

// A workspace that cannot be read in full changes nothing at all, so that
// saving on exit cannot write an emptied session over the one that was open.
TEST_F(WorkspaceTest, AWorkspaceThatCannotBeReadChangesNothing)
{
    MakeSession();
    const QString current = SaveAs(u"current.tmz"_s);
    const QString valid = Utf16Text(FileBytes(current));
    struct TCase {
        const char* Name;
        QByteArray Bytes;
        bool Warning;
    };
    const TCase cases[] = {
        {"not XML", Utf16Bytes(u"\r\n<Settings"_s), false},
        {"older version",
         Utf16Bytes(QString(valid).replace(u"Version=\"2\""_s, u"Version=\"1\""_s)), true},
        {"match index",
         Utf16Bytes(QString(valid).replace(u"FileNameIndex=\""_s, u"FileNameIndex=\"9"_s)), false},
        {"frame", Utf16Bytes(QString(valid).replace(u"Top=\""_s, u"Top=\"x"_s)), false},
    };
    Settings.ExclParaLessThan = 4;
    const TSession before = Session();
    for (const TCase& c : cases) {
        Messages.Warnings.clear();
        Messages.Errors.clear();
        Open(Files.Write(u"damaged.tmz"_s, c.Bytes));
        EXPECT_EQ(Session(), before) << c.Name;
        EXPECT_EQ(Messages.Warnings.size() + Messages.Errors.size(), 1) << c.Name;
        EXPECT_EQ(Messages.Warnings.size(), c.Warning ? 1 : 0) << c.Name;
    }

    Main.miSaveWorkspaceonExit->trigger();
    EXPECT_TRUE(Main.close());
    TAppSettings saved;
    saved.SetDefaults();
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromFile(current);
    saved.FromXml(*document);
    EXPECT_EQ(saved.ExclParaLessThan, 4);
}

// A file that is gone costs its own window only.
TEST_F(WorkspaceTest, ATextWindowWhoseFileIsGoneIsLeftOut)
{
    MakeSession();
    const QString gone = Main.Corpus()[1].FileName;
    const QString path = SaveAs(u"work.tmz"_s);
    const QStringList windows = WindowTitles();
    Main.miUnload->trigger();
    ASSERT_TRUE(QFile::remove(gone));

    Open(path);
    EXPECT_EQ(Messages.Errors,
              QStringList{u"Cannot open file \"%1\". No such file or directory"_s.arg(gone)});
    EXPECT_EQ(WindowTitles(), windows.mid(0, windows.size() - 1));
    EXPECT_EQ(Main.Corpus().Count(), 3);
    EXPECT_EQ(Main.CurrentWorkspaceFile(), path);
}

// A workspace named that does not exist yet is where the session will go.
TEST_F(WorkspaceTest, AWorkspaceThatDoesNotExistBecomesTheOneToSaveTo)
{
    MakeSession();
    const TSession before = Session();
    const QString path = Files.Path(u"new.tmz"_s);
    Open(path);
    EXPECT_TRUE(Messages.Warnings.isEmpty() && Messages.Errors.isEmpty());
    TSession expected = before;
    expected.WorkspaceFile = path;
    EXPECT_EQ(Session(), expected);

    const qsizetype dialogs = User.FileDialogsShown.size();
    Main.miSaveWorkspace->trigger();
    EXPECT_EQ(User.FileDialogsShown.size(), dialogs);
    EXPECT_TRUE(QFileInfo(path).isFile());
}

// A file manager opens a workspace by naming it on the command line; other
// files named with it join the workspace's corpus.
TEST_F(WorkspaceTest, TheCommandLineOpensWorkspaces)
{
    MakeSession();
    const QString path = SaveAs(u"work.TMZ"_s);
    const QStringList windows = WindowTitles();
    const QStringList corpus = Main.Corpus().FileNames();
    Main.miUnload->trigger();
    const QString extra = Files.Write(u"extra.txt"_s, "more");

    const QString started = QDir::currentPath();
    QDir::setCurrent(Files.Path(QString()));
    Main.AddCommandLineFiles({u"extra.txt"_s, u"work.TMZ"_s});
    QDir::setCurrent(started);
    EXPECT_EQ(Main.CurrentWorkspaceFile(), path);
    EXPECT_EQ(WindowTitles(), windows);
    EXPECT_EQ(Main.Corpus().FileNames(), corpus + QStringList{extra});
}

// Windows come back in their states, stacked as they were, and within reach
// on a smaller screen.
TEST_F(WorkspaceTest, WindowsComeBackInTheirPlacesAndStates)
{
    LoadCorpus({"one", "two", "three"});
    for (int i = 0; i < 3; ++i)
        Main.LoadFileNewWindow(Main.Corpus()[i].FileName);
    const QList<TChildWindow*> opened = Main.ChildWindows();
    FrameOf(opened[0])->setGeometry(10, 20, 300, 200);
    FrameOf(opened[0])->showMinimized();
    FrameOf(opened[1])->setGeometry(40, 30, 320, 210);
    FrameOf(opened[2])->showMaximized();
    QStringList captions;
    for (const TChildWindow* window : opened)
        captions.append(window->WindowListCaption());
    const QStringList windows = WindowTitles();
    const QString path = SaveAs(u"work.tmz"_s);

    // The second window as if saved on a larger screen.
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromFile(path);
    const TXmlNodeList& forms = document->FindChild(u"Forms"_s)->Children();
    for (int i = 0; i < forms.Count(); ++i) {
        if (forms.Item(i)->ReadAttr(u"FileName"_s, QString()).endsWith(captions[1])) {
            forms.Item(i)->WriteIntAttr(u"Left"_s, 5000);
            forms.Item(i)->WriteIntAttr(u"Top"_s, -300);
        }
    }
    document->SaveToFile(path);

    Main.miUnload->trigger();
    Open(path);
    ASSERT_EQ(Main.ChildWindows().size(), 3);
    EXPECT_EQ(WindowTitles(), windows);
    const TChildWindow* minimized = WindowNamed(Main, captions[0]);
    EXPECT_TRUE(FrameOf(minimized)->isMinimized());
    EXPECT_EQ(Main.PlaceOf(minimized), (TWindowPlace{10, 20, 300, 200, 1}));
    const QSize area = Main.ClientAreaSize();
    EXPECT_EQ(FrameOf(WindowNamed(Main, captions[1]))->geometry(),
              QRect(area.width() - 320, 0, 320, 210));
    EXPECT_TRUE(FrameOf(WindowNamed(Main, captions[2]))->isMaximized());
    EXPECT_EQ(Main.ActiveChildWindow()->WindowListCaption(), windows.last());
}

TEST_F(WorkspaceTest, SaveWorkspaceOnExit)
{
    Main.miSaveWorkspaceonExit->trigger();
    EXPECT_TRUE(Settings.maSaveWorkspaceOnExit);
    EXPECT_TRUE(Main.miSaveWorkspaceonExit->isChecked());

    // Without a workspace the user is asked; Cancel ends the program all the same.
    EXPECT_TRUE(Main.close());
    ASSERT_EQ(User.FileDialogsShown.size(), 1);
    EXPECT_EQ(User.FileDialogsShown[0].Title, u"Save Workspace"_s);

    Main.show();
    LoadCorpus({"one"});
    const QString path = SaveAs(u"work.tmz"_s);
    LoadCorpus({"two"});
    EXPECT_TRUE(Main.close());
    EXPECT_EQ(ReadWorkspace(path).Corpus, Main.Corpus().FileNames());

    // A save that fails keeps the program open, so that nothing is lost.
    Main.show();
    const QString folder = SaveAs(u"folder.tmz"_s);
    ASSERT_TRUE(QFile::remove(folder) && QDir().mkdir(folder));
    EXPECT_FALSE(Main.close());
    ASSERT_FALSE(Messages.Errors.isEmpty());
    EXPECT_TRUE(Messages.Errors.last().endsWith(u"so Tamborix stays open."_s));
}

// A search over real text, kept and taken up again: every bin's concordance
// reads the same lines from the corpus files.
TEST_F(WorkspaceTest, BrownConcordancesSurviveTheRoundTrip)
{
    const QString brown = TAMBORIX_SHARED_DIR u"/corpora/brown"_s;
    QStringList corpus;
    for (const QString& name : {u"ca01"_s, u"cb02"_s, u"cg03"_s, u"cn04"_s, u"cr05"_s})
        corpus.append(QDir(brown).filePath(name));
    if (!QFileInfo(corpus.first()).isFile())
        GTEST_SKIP() << "the Brown corpus is not in ../shared/corpora/brown";
    User.FilesToOpen = corpus;
    Main.LoadCorpusFiles1->trigger();
    AnswerSearch(u"the"_s);
    Main.miWordPhrase->trigger();

    const auto concordances = [this] {
        QMap<QString, QStringList> all;
        for (TfrmResults* window : ResultsWindows(Main)) {
            for (int bin = 0; bin < window->SavedBinSet().Count(); ++bin) {
                TfrmConcordance* concordance = OpenConcordance(*window, bin);
                QStringList lines;
                for (int row = 0; row < concordance->Rows().Count(); ++row) {
                    const TConcordanceLine& line = concordance->Rows().Line(row);
                    lines.append(line.TextBefore + u"[["_s + line.TextMatch + u"]]"_s +
                                 line.TextAfter);
                }
                all.insert(window->Title() + QString::number(bin), lines);
                Main.CloseChildWindow(concordance);
            }
        }
        return all;
    };
    const QMap<QString, QStringList> before = concordances();
    ASSERT_GE(before.size(), 4);
    const QString path = SaveAs(u"brown.tmz"_s);
    Main.miUnload->trigger();
    Open(path);
    const QMap<QString, QStringList> after = concordances();
    ASSERT_EQ(after.keys(), before.keys());
    for (const QString& bin : before.keys())
        EXPECT_TRUE(after[bin] == before[bin]) << bin.toStdString();
}

// Each results window keeps its own choice; the window shown with the expected
// columns comes back with them, as wide as it was.
TEST_F(WorkspaceTest, TheExpectedDistributionComesBackAsShown)
{
    MakeSession();
    QList<TfrmResults*> windows = ResultsWindows(Main);
    ASSERT_EQ(windows.size(), 4);
    // Two windows with a baseline of their own, two as from an older workspace.
    for (int i = 0; i < 4; ++i) {
        TBinSet bins;
        windows[i]->SavedBinSet().CopyTo(bins);
        if (i < 2)
            bins.Baseline.assign(static_cast<size_t>(bins.Count()), 1);
        else
            bins.Baseline.clear();
        windows[i]->GetInfoFromBinSet(std::move(bins));
    }
    ShowExpectedItem(*windows[0])->trigger();
    const TWindowPlace shown = Main.PlaceOf(windows[0]);
    const QString path = SaveAs(u"work.tmz"_s);
    Main.miUnload->trigger();
    Open(path);
    ASSERT_TRUE(Messages.Errors.isEmpty()) << Messages.Errors.join(u'\n').toStdString();

    windows = ResultsWindows(Main);
    ASSERT_EQ(windows.size(), 4);
    const bool checked[] = {true, false, false, false};
    const bool enabled[] = {true, true, false, false};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ShowExpectedItem(*windows[i])->isChecked(), checked[i]) << i;
        EXPECT_EQ(ShowExpectedItem(*windows[i])->isEnabled(), enabled[i]) << i;
        EXPECT_EQ(windows[i]->ListView()->columnCount(), checked[i] ? 4 : 2) << i;
    }
    EXPECT_EQ(Main.PlaceOf(windows[0]), shown);
}
