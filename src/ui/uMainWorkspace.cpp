// The main window's workspace commands: opening and saving a workspace file,
// and saving it when the program stops.

#include "CorpusFileReader.h"
#include "FileNames.h"
#include "TAppSettings.h"
#include "UserInteraction.h"
#include "XmlNode.h"
#include "uMain.h"
#include "uResult.h"
#include "uText.h"

#include <QFileInfo>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace {

// A workspace of a large search takes a while to write or read; the pointer
// says so meanwhile.
class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

TFileDialogSetup WorkspaceDialog(const QString& title, const QString& defaultSuffix = QString())
{
    return {title, {u"Tamborix Workspace File (*.tmz)"_s}, defaultSuffix};
}

} // namespace

void TfrmMain::SaveWorkspaceToFile(const QString& FileName)
{
    const TWaitCursor waiting;
    SaveWorkspace(
        FileName, AppSettings, FileNameCache().Names(),
        [this](TXmlNode& forms) { WriteForms(forms); }, CorpusFiles.FileNames());
}

// The most recently active window first; concordance windows are not kept.
void TfrmMain::WriteForms(TXmlNode& forms) const
{
    const QList<TChildWindow*> children = ChildWindows();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (const auto* text = qobject_cast<const TfrmText*>(*it))
            text->SaveSettingsToXML(*forms.AddElement(u"TextForm"_s));
        else if (const auto* results = qobject_cast<const TfrmResults*>(*it))
            results->SaveSettingsToXML(*forms.AddElement(u"ResultsForm"_s));
    }
}

bool TfrmMain::LoadWorkspaceFromFile(const QString& FileName)
{
    if (!QFileInfo::exists(FileName))
        return true;
    TWorkspace workspace;
    try {
        const TWaitCursor waiting;
        workspace = ReadWorkspace(FileName);
    } catch (const TOldWorkspaceError& old) {
        MessageSink.ShowWarning(old.Message());
        return false;
    }
    ApplyWorkspace(workspace);
    return true;
}

void TfrmMain::ApplyWorkspace(TWorkspace& workspace)
{
    AppSettings = std::move(workspace.Settings);
    UnloadCorpus();
    LoadedFileNames() = workspace.FileNames;
    for (TWorkspaceForm& form : workspace.Forms) {
        if (auto* results = std::get_if<TResultsFormState>(&form))
            results->BinSet.MapSavedFileNames(LoadedFileNames());
    }
    // Saved the most recently active first: opened in reverse, the windows
    // stack as they did, and the one that was active is active again.
    for (auto it = workspace.Forms.rbegin(); it != workspace.Forms.rend(); ++it)
        RestoreForm(*it);
    for (const QString& name : workspace.Corpus)
        AddFileToCorpus(name);
    UpdateStatusbar();
}

void TfrmMain::RestoreForm(TWorkspaceForm& form)
{
    if (auto* results = std::get_if<TResultsFormState>(&form))
        TfrmResults::RestoreResultsWindow(*this, std::move(*results));
    else
        RestoreTextWindow(std::get<TTextFormState>(form));
}

// A file that cannot be read costs its own window only: the error is shown
// and the rest of the workspace is restored.
void TfrmMain::RestoreTextWindow(const TTextFormState& state)
{
    QString text;
    if (!state.FileName.isEmpty()) {
        try {
            text = TCorpusFileReader(state.FileName).WholeText();
        } catch (const TError& error) {
            MessageSink.ShowError(error.Message());
            return;
        }
    }
    auto* window = new TfrmText(*this);
    AddChildWindow(window, TfrmText::ClientSize);
    ApplyPlace(window, state.Place);
    if (!state.FileName.isEmpty())
        window->ShowFile(state.FileName, text);
}

void TfrmMain::OpenWorkspace(const QString& path)
{
    RunCommand([&] {
        if (LoadWorkspaceFromFile(path))
            WorkSpaceFile = path;
    });
}

void TfrmMain::miOpenWorkspaceClick()
{
    const QString path = UserAnswers.OpenFileName(this, WorkspaceDialog(u"Open Workspace"_s));
    if (!path.isEmpty())
        OpenWorkspace(path);
}

void TfrmMain::miSaveWorkspaceClick()
{
    if (WorkSpaceFile.isEmpty())
        miSaveWorkspaceAsClick();
    else
        SaveWorkspaceToFile(WorkSpaceFile);
}

void TfrmMain::miSaveWorkspaceAsClick()
{
    const QString path =
        UserAnswers.SaveFileName(this, WorkspaceDialog(u"Save Workspace"_s, u"tmz"_s));
    if (path.isEmpty())
        return;
    SaveWorkspaceToFile(path);
    WorkSpaceFile = path;
}

void TfrmMain::miSaveWorkspaceonExitClick()
{
    AppSettings.maSaveWorkspaceOnExit = !AppSettings.maSaveWorkspaceOnExit;
    miSaveWorkspaceonExit->setChecked(AppSettings.maSaveWorkspaceOnExit);
}

// Cancelling the save dialog lets the program end without a workspace; a
// save that fails keeps it open, since its results would be lost otherwise.
bool TfrmMain::SaveWorkspaceOnExit()
{
    return RunCommand([this] {
        try {
            miSaveWorkspaceClick();
        } catch (const TError& error) {
            throw TError(error.Message() +
                         u"\n\nThe workspace was not saved, so Tamborix stays open."_s);
        }
    });
}
