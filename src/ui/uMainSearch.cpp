// The search command: the pattern dialog, the bin sets, the analysis of the
// corpus or of the active text window on a thread of its own, with progress
// and Cancel, and the results windows.

#include "Distribution.h"
#include "HelpGuide.h"
#include "SearchRunner.h"
#include "SearchThread.h"
#include "TAppSettings.h"
#include "UserInteraction.h"
#include "uMain.h"
#include "uProgress.h"
#include "uResult.h"
#include "uSearchOptions.h"
#include "uText.h"

#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// While a search runs, the main window takes no input: the progress dialog is
// the only window the user can act in. The menu bar is disabled with the
// rest, so that no shortcut runs a command that would change the settings,
// the corpus or the windows under the search.
class TSearchLock {
public:
    TSearchLock(QWidget* window, TSearchThread*& running, TSearchThread& search)
        : Window(window)
        , Running(running)
    {
        Running = &search;
        SetEnabled(false);
    }
    ~TSearchLock()
    {
        SetEnabled(true);
        Running = nullptr;
    }

private:
    void SetEnabled(bool enabled)
    {
        // The window itself stays enabled: that would disable its dialogs too.
        for (QWidget* part : Window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!part->isWindow())
                part->setEnabled(enabled);
        }
    }

    QWidget* Window;
    TSearchThread*& Running;
};

} // namespace

void TfrmMain::DoSearch(QAction* sender)
{
    TfrmSearchOptions dialog(AppSettings, this);
    if (sender == miWordPhrase)
        dialog.rbWordPhrase->setChecked(true);
    else if (sender == miRegExp)
        dialog.rbRegExp->setChecked(true);
    else if (sender == miWordTag)
        dialog.rbWordTag->setChecked(true);
    AddGuideKey(dialog, UserAnswers, MessageSink, QString::fromUtf16(GuideSection::Patterns));
    if (UserAnswers.ExecDialog(dialog) != QDialog::Accepted)
        return;
    RunCommand([this] { SaveSettings(); });
    RunCommand([this] { RunSearch(); });
    if (std::exchange(CloseAfterSearch, false))
        close();
}

// An error raised by the search (a corpus file that cannot be read, a lack of
// memory) ends it here, after the main window takes input again, and the
// error handler of the command shows it; the windows that were open stay.
void TfrmMain::RunSearch()
{
    TSearchRequest request = LastSearchRequest(AppSettings);
    request.Baseline = true;
    TSearchThread search(AppSettings, MessageSink);
    TfrmProgress progress(this);
    progress.setWindowModality(Qt::ApplicationModal);
    search.SetProgress(&progress.TextProgress(), &progress.CorpusProgress());
    progress.OnCancel = [&search] { search.Cancel(); };
    TSearchResult result;
    {
        const TSearchLock lock(this, RunningSearch, search);
        progress.show();
        if (AppSettings.swArea == 2) {
            progress.pbAll->hide();
            progress.lblAll->hide();
            request.Files = QStringList(ActiveTextFile());
            if (request.Files.front().isEmpty())
                return;
        } else if (CorpusFiles.IsEmpty()) {
            MessageSink.ShowWarning(u"There is no files in current corpus."_s);
            return;
        } else {
            request.Files = CorpusFiles.FileNames();
        }
        result = search.Run(request);
    }
    // Windows can be activated only once the client area takes input again.
    progress.hide();
    if (result.Outcome != TSearchResult::TOutcome::Completed)
        return;
    for (TDistribution kind : AllDistributions)
        TfrmResults::OpenResultsWindow(*this, result.Bins.Take(kind), kind, request.Pattern);
}

QString TfrmMain::ActiveTextFile()
{
    TChildWindow* active = ActiveChildWindow();
    if (!active) {
        MessageSink.ShowWarning(u"There is no active window with text. Please open some text and "
                                "make window containing it active."_s);
        return QString();
    }
    if (active->Kind() != TChildWindow::TKind::Text) {
        MessageSink.ShowWarning(u"Currently active window contains results. Please make active "
                                "other window, wich contains text"_s);
        return QString();
    }
    return static_cast<TfrmText*>(active)->FileName();
}
