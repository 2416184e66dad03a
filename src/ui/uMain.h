// The main window: the frame that holds the text, results and concordance
// windows, owns the corpus, offers every command in its menu bar and runs the
// search from the pattern dialog to the opened results windows.
#pragma once

#include "Corpus.h"
#include "MainWindowServices.h"
#include "Workspace.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class IUserInteraction;
class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class TAppSettings;
class TfrmText;
class TSearchThread;
class TStatusPanel;

class TfrmMain : public QMainWindow, public IMainWindow {
    Q_OBJECT

public:
    // The settings are the process's; settingsPath is the settings file that
    // the window reads when first shown and writes when closed.
    TfrmMain(TAppSettings& settings, IMessageSink& messages, IUserInteraction& user,
             const QString& settingsPath, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Resets the settings to their defaults and reads the settings file over them.
    void LoadSettings();
    void SaveSettings();
    void AddFileToCorpus(const QString& FileName);
    // Opens the workspace files (.tmz) named on the command line, then adds
    // the other files named there that exist to the corpus and reports the
    // others once, in one message.
    void AddCommandLineFiles(const QStringList& paths);
    void UnloadCorpus();
    void UpdateStatusbar();
    // Opens a text window for the file. Throws TFileError when it cannot be
    // read; the window stays open.
    void LoadFileNewWindow(const QString& FileName);
    // The search command; sender is the Search menu item that was chosen.
    void DoSearch(QAction* sender);

    // Writes the settings, the file-name table, the text and results windows
    // and the corpus into a workspace file. Throws TFileError; the old file
    // then stays whole.
    void SaveWorkspaceToFile(const QString& FileName);
    // Reads and checks the whole workspace file first, and only then replaces
    // the settings and the corpus and adds its windows to those open. Returns
    // whether FileName is now the current workspace: also when no file exists
    // there, which leaves everything else as it was. A workspace of an older
    // version is refused with a warning; other failures throw TError. Either
    // way nothing has changed.
    bool LoadWorkspaceFromFile(const QString& FileName);
    // Loads the workspace at path and makes it the current one, as "Open
    // Workspace..." does; errors are shown.
    void OpenWorkspace(const QString& path);
    const QString& CurrentWorkspaceFile() const { return WorkSpaceFile; }

    TCorpus& Corpus() { return CorpusFiles; }
    const TCorpus& Corpus() const { return CorpusFiles; }
    // The child windows, the least recently active first.
    QList<TChildWindow*> ChildWindows() const;
    // Brings a child window to the front and gives it the focus.
    void ActivateChildWindow(TChildWindow* window);
    void CloseChildWindow(TChildWindow* window);
    QString StatusText(int panel) const;

    // IMainWindow
    void SetActiveWindowText(const QString& text) override;
    void AddChildWindow(TChildWindow* window, QSize clientSize) override;
    TChildWindow* ActiveChildWindow() const override;
    QSize ClientAreaSize() const override;
    TWindowPlace PlaceOf(const TChildWindow* window) const override;
    void ApplyPlace(TChildWindow* window, const TWindowPlace& place) override;
    IMessageSink& Messages() override { return MessageSink; }
    const TAppSettings& Settings() const override { return AppSettings; }
    IUserInteraction& User() override { return UserAnswers; }
    QPrinter& Printer() override;

    // Menu items, by their names.
    QMenu *miFile, *miOptions, *miSearch, *miWindow, *miInfo, *miTagSettings;
    QAction *miTextSettings, *LoadCorpusFiles1, *miUnload, *miViewCorpusFile, *miOpenWorkspace,
        *miSaveWorkspace, *miSaveWorkspaceAs, *miSaveWorkspaceonExit, *miNormalTags,
        *miPartofSpeechTags, *miPrinterSetup, *miExit, *GeneralOptions1, *miTextSettingsO,
        *miWordPhrase, *miRegExp, *miWordTag, *miTile, *miCascade, *N6, *miHelp, *About1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    void CreateFileMenu();
    void CreateOtherMenus();
    void UpdateMenuState();
    void RebuildWindowList();
    void SubWindowActivated(QMdiSubWindow* sub);
    void TileHorizontally();
    // The search that the search options dialog stored in the settings.
    void RunSearch();
    // The file of the active text window; empty, after a warning, when the
    // active window holds none.
    QString ActiveTextFile();

    // The settings dialogs; the settings file is written after each,
    // whichever button closed it. F1 in a dialog opens the guide at its section.
    void RunSettingsDialog(QDialog& dialog, const char16_t* guideSection);
    void miTextSettingsClick();
    void miNormalTagsClick();
    void miPartofSpeechTagsClick();
    void GeneralOptions1Click();
    void LoadCorpusFiles1Click();
    void miUnloadClick();
    void miViewCorpusFileClick();
    void miPrinterSetupClick();
    void miHelpClick();
    void About1Click();
    void miWindowItemClick(QMdiSubWindow* sub);

    void miOpenWorkspaceClick();
    void miSaveWorkspaceClick();
    void miSaveWorkspaceAsClick();
    void miSaveWorkspaceonExitClick();
    // At program stop, when the option is on; false when saving failed.
    bool SaveWorkspaceOnExit();
    void WriteForms(TXmlNode& forms) const;
    // Puts a workspace read and checked in full in place of the settings and
    // the corpus, and opens its windows.
    void ApplyWorkspace(TWorkspace& workspace);
    void RestoreForm(TWorkspaceForm& form);
    void RestoreTextWindow(const TTextFormState& state);

    TAppSettings& AppSettings;
    IMessageSink& MessageSink;
    IUserInteraction& UserAnswers;
    const QString SettingsPath;

    std::unique_ptr<QPrinter> SharedPrinter;
    TCorpus CorpusFiles;
    QString WorkSpaceFile;
    QMdiArea* Area;
    TStatusPanel* StatusPanels[2];
    QPointer<QAction> MergedMenuAction;
    QList<QAction*> WindowListItems;
    bool SettingsLoaded = false;
    // The search under way, which a close of the window cancels.
    TSearchThread* RunningSearch = nullptr;
    // A close asked for during a search, done once the search has ended.
    bool CloseAfterSearch = false;
};
