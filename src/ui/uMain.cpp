#include "uMain.h"

#include "ChildWindow.h"
#include "Error.h"
#include "HelpGuide.h"
#include "Printing.h"
#include "SearchThread.h"
#include "SettingsFile.h"
#include "TAppSettings.h"
#include "UserInteraction.h"
#include "uAbout.h"
#include "uFiles.h"
#include "uText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>

using namespace Qt::StringLiterals;

// A panel of the status bar, at least as wide as designed. The corpus panel
// keeps the width its text needs, so that no long text in the other panel
// squeezes it; the window panel takes the rest of the bar and, where a long
// path does not fit there, leaves out the middle, with the whole text as its
// tool tip.
class TStatusPanel : public QLabel {
public:
    TStatusPanel(int minimumWidth, bool elide, QWidget* parent)
        : QLabel(parent)
        , MinimumWidth(minimumWidth)
        , Elide(elide)
    {}

    const QString& Text() const { return FullText; }
    void SetText(const QString& text)
    {
        FullText = text;
        ShowText();
        updateGeometry();
    }

    QSize sizeHint() const override
    {
        const QSize whole = QLabel::sizeHint();
        return {Elide ? MinimumWidth : std::max(MinimumWidth, whole.width()), whole.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        ShowText();
    }

private:
    void ShowText()
    {
        const QString shown =
            Elide ? fontMetrics().elidedText(FullText, Qt::ElideMiddle, contentsRect().width())
                  : FullText;
        setText(shown);
        setToolTip(shown == FullText ? QString() : FullText);
    }

    const int MinimumWidth;
    const bool Elide;
    QString FullText;
};

TfrmMain::TfrmMain(TAppSettings& settings, IMessageSink& messages, IUserInteraction& user,
                   const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent)
    , AppSettings(settings)
    , MessageSink(messages)
    , UserAnswers(user)
    , SettingsPath(settingsPath)
    , Area(new QMdiArea(this))
{
    setWindowTitle(u"Tamborix"_s);
    setCentralWidget(Area);
    // Windows that lie beyond the visible area stay within reach.
    Area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(Area, &QMdiArea::subWindowActivated, this, &TfrmMain::SubWindowActivated);
    for (int i = 0; i < 2; ++i) {
        StatusPanels[i] = new TStatusPanel(i == 0 ? 150 : 250, i == 1, this);
        statusBar()->addWidget(StatusPanels[i], i);
    }
    CreateMenus();
    UpdateMenuState();
    resize(716, 528 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmMain::~TfrmMain()
{
    // The child windows go before the corpus they may refer to.
    Area->closeAllSubWindows();
    UnloadCorpus();
}

void TfrmMain::CreateMenus()
{
    CreateFileMenu();
    CreateOtherMenus();
    for (QMenu* menu : {miFile, miSearch, miWindow})
        connect(menu, &QMenu::aboutToShow, this, &TfrmMain::UpdateMenuState);
    connect(miWindow, &QMenu::aboutToShow, this, &TfrmMain::RebuildWindowList);
    // F10 opens the first menu, as it does on the common Linux desktops.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        if (menuBar()->isEnabled())
            menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });
}

void TfrmMain::CreateFileMenu()
{
    miFile = menuBar()->addMenu(u"&File"_s);
    miTextSettings = miFile->addAction(u"&Text Settings..."_s, this,
                                       [this] { RunCommand([this] { miTextSettingsClick(); }); });
    miFile->addSeparator();
    LoadCorpusFiles1 =
        miFile->addAction(u"&Load Corpus File(s)..."_s, QKeySequence(u"Ctrl+L"_s), this,
                          [this] { RunCommand([this] { LoadCorpusFiles1Click(); }); });
    miUnload = miFile->addAction(u"&Unload Corpus"_s, this,
                                 [this] { RunCommand([this] { miUnloadClick(); }); });
    miViewCorpusFile =
        miFile->addAction(u"&View Corpus File..."_s, QKeySequence(u"Ctrl+Alt+V"_s), this,
                          [this] { RunCommand([this] { miViewCorpusFileClick(); }); });
    miFile->addSeparator();
    miOpenWorkspace = miFile->addAction(u"&Open Workspace..."_s, this,
                                        [this] { RunCommand([this] { miOpenWorkspaceClick(); }); });
    miSaveWorkspace = miFile->addAction(u"&Save Workspace..."_s, this,
                                        [this] { RunCommand([this] { miSaveWorkspaceClick(); }); });
    miSaveWorkspaceAs = miFile->addAction(u"Save Workspace &As..."_s, this, [this] {
        RunCommand([this] { miSaveWorkspaceAsClick(); });
    });
    miSaveWorkspaceonExit = miFile->addAction(u"Save &Workspace on Exit"_s, this,
                                              [this] { miSaveWorkspaceonExitClick(); });
    miSaveWorkspaceonExit->setCheckable(true);
    miFile->addSeparator();
    miTagSettings = miFile->addMenu(u"Ta&g Settings"_s);
    miNormalTags = miTagSettings->addAction(
        u"&Normal Tags..."_s, this, [this] { RunCommand([this] { miNormalTagsClick(); }); });
    miPartofSpeechTags = miTagSettings->addAction(u"&Part of Speech Tags..."_s, this, [this] {
        RunCommand([this] { miPartofSpeechTagsClick(); });
    });
    miFile->addSeparator();
    miPrinterSetup = miFile->addAction(u"&Printer Setup.."_s, this,
                                       [this] { RunCommand([this] { miPrinterSetupClick(); }); });
    miFile->addSeparator();
    miExit = miFile->addAction(u"E&xit"_s, QKeySequence(u"Ctrl+Q"_s), this, [this] { close(); });
}

void TfrmMain::CreateOtherMenus()
{
    miOptions = menuBar()->addMenu(u"&Options"_s);
    GeneralOptions1 = miOptions->addAction(
        u"&General Options..."_s, this, [this] { RunCommand([this] { GeneralOptions1Click(); }); });
    miTextSettingsO = miOptions->addAction(
        u"&Text Settings..."_s, this, [this] { RunCommand([this] { miTextSettingsClick(); }); });

    miSearch = menuBar()->addMenu(u"&Search"_s);
    miWordPhrase = miSearch->addAction(u"&Word/Phrase..."_s);
    miRegExp = miSearch->addAction(u"&Regular Expression..."_s);
    miWordTag = miSearch->addAction(u"Word/&Tag..."_s);
    for (QAction* item : {miWordPhrase, miRegExp, miWordTag})
        connect(item, &QAction::triggered, this,
                [this, item] { RunCommand([this, item] { DoSearch(item); }); });

    miWindow = menuBar()->addMenu(u"&Window"_s);
    miTile = miWindow->addAction(u"&Tile"_s, this,
                                 [this] { RunCommand([this] { TileHorizontally(); }); });
    miCascade = miWindow->addAction(u"&Cascade"_s, this,
                                    [this] { RunCommand([this] { Area->cascadeSubWindows(); }); });
    N6 = miWindow->addSeparator();

    miInfo = menuBar()->addMenu(u"&Info"_s);
    miHelp = miInfo->addAction(u"&Help"_s, this, [this] { RunCommand([this] { miHelpClick(); }); });
    About1 =
        miInfo->addAction(u"&About"_s, this, [this] { RunCommand([this] { About1Click(); }); });
}

// The items that need files are enabled only while the corpus holds some.
void TfrmMain::UpdateMenuState()
{
    const bool files = !CorpusFiles.IsEmpty();
    miSaveWorkspaceonExit->setChecked(AppSettings.maSaveWorkspaceOnExit);
    for (QAction* item : {miUnload, miViewCorpusFile, miWordPhrase, miRegExp, miWordTag})
        item->setEnabled(files);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!SettingsLoaded) {
        SettingsLoaded = true;
        RunCommand([this] { LoadSettings(); });
    }
}

// The search reads the settings and the corpus that the window owns: a close
// during a search cancels it, and the window closes once it has ended.
void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (RunningSearch) {
        RunningSearch->Cancel();
        CloseAfterSearch = true;
        event->ignore();
        return;
    }
    RunCommand([this] { SaveSettings(); });
    if (AppSettings.maSaveWorkspaceOnExit && !SaveWorkspaceOnExit()) {
        event->ignore();
        return;
    }
    event->accept();
}

// The settings are saved over the file later on, at the latest when the
// window closes: a file that could not be read is copied first, so that
// nothing the user had in it is lost.
void TfrmMain::LoadSettings()
{
    try {
        ::LoadSettings(AppSettings, SettingsPath);
    } catch (const TError& error) {
        QString kept;
        try {
            const QString copy = KeepUnreadableSettings(SettingsPath);
            if (!copy.isEmpty())
                kept = u"\n\nThe file was kept as \"%1\"."_s.arg(QDir::toNativeSeparators(copy));
        } catch (const TError& copyError) {
            kept = u"\n\nThe file could not be kept: %1"_s.arg(copyError.Message());
        }
        throw TError(error.Message() + kept);
    }
}

void TfrmMain::SaveSettings()
{
    ::SaveSettings(AppSettings, SettingsPath);
}

void TfrmMain::AddFileToCorpus(const QString& FileName)
{
    CorpusFiles.AddFile(FileName);
}

// As the open dialog offers only existing files, the command line adds only
// those: a path that names nothing would stop the next search at its first
// file. The workspaces go first, since opening one replaces the corpus.
void TfrmMain::AddCommandLineFiles(const QStringList& paths)
{
    QStringList corpusFiles;
    for (const QString& path : paths) {
        if (path.endsWith(u".tmz"_s, Qt::CaseInsensitive))
            OpenWorkspace(QFileInfo(path).absoluteFilePath());
        else
            corpusFiles.append(path);
    }
    const QStringList refused = CorpusFiles.AddExistingFiles(corpusFiles);
    UpdateStatusbar();
    if (!refused.isEmpty())
        MessageSink.ShowWarning(
            u"These were not loaded into the corpus, since they do not exist or are not files:\n"_s +
            refused.join(u'\n'));
}

void TfrmMain::UnloadCorpus()
{
    CorpusFiles.Clear();
}

void TfrmMain::UpdateStatusbar()
{
    const int count = CorpusFiles.Count();
    StatusPanels[0]->SetText(count == 0   ? u"No files loaded"_s
                             : count == 1 ? u"1 file in current corpus"_s
                                          : QString::number(count) + u" files in current corpus"_s);
    UpdateMenuState();
}

void TfrmMain::SetActiveWindowText(const QString& text)
{
    StatusPanels[1]->SetText(text);
}

QString TfrmMain::StatusText(int panel) const
{
    return StatusPanels[panel]->Text();
}

void TfrmMain::LoadCorpusFiles1Click()
{
    const QStringList files = UserAnswers.OpenCorpusFiles(this);
    if (files.isEmpty())
        return;
    for (const QString& file : files)
        AddFileToCorpus(file);
    UpdateStatusbar();
}

void TfrmMain::miUnloadClick()
{
    UnloadCorpus();
    Area->closeAllSubWindows();
    UpdateStatusbar();
    SetActiveWindowText(QString());
}

void TfrmMain::miViewCorpusFileClick()
{
    TfrmFiles files(*this);
    UserAnswers.ExecDialog(files);
}

void TfrmMain::LoadFileNewWindow(const QString& FileName)
{
    auto* text = new TfrmText(*this);
    AddChildWindow(text, TfrmText::ClientSize);
    text->LoadFromFile(FileName);
}

// Made when first needed: finding the system's printers can take a while,
// which a start without printing need not wait for.
QPrinter& TfrmMain::Printer()
{
    if (!SharedPrinter) {
        SharedPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        SharedPrinter->setDocName(u"Tamborix"_s); // the job's name in the printer's queue
    }
    return *SharedPrinter;
}

void TfrmMain::miPrinterSetupClick()
{
    RunPrintDialog(UserAnswers, Printer(), this, TPrintDialogKind::Setup);
}

void TfrmMain::miHelpClick()
{
    ShowGuide(UserAnswers, MessageSink);
}

void TfrmMain::About1Click()
{
    TfrmAbout about(this);
    UserAnswers.ExecDialog(about);
}
