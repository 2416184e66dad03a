// The search command: the pattern dialog, the bin sets, the analysis of the
// corpus or of the active text window with progress and Cancel, and the
// results windows.

#include "AnalyzeFile.h"
#include "Distribution.h"
#include "Error.h"
#include "FileNames.h"
#include "TAppSettings.h"
#include "UserInteraction.h"
#include "uMain.h"
#include "uProgress.h"
#include "uResult.h"
#include "uSearchOptions.h"
#include "uText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QStatusBar>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// While a search runs, the main window takes no input: the progress dialog is
// the only window the user can act in.
class TSearchLock {
public:
    TSearchLock(QWidget* window, bool& searching)
        : Window(window)
        , Searching(searching)
    {
        Searching = true;
        SetEnabled(false);
    }
    ~TSearchLock()
    {
        SetEnabled(true);
        Searching = false;
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
    bool& Searching;
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
    if (User.ExecDialog(dialog) != QDialog::Accepted)
        return;
    RunCommand([this] { SaveSettings(); });

    std::optional<TSearchBins> bins;
    RunCommand([&] {
        bins.emplace(AppSettings, std::array<bool, 4>{dialog.cbSentence->isChecked(),
                                                      dialog.cbParagraph->isChecked(),
                                                      dialog.cbSection->isChecked(),
                                                      dialog.cbText->isChecked()});
    });
    if (!bins)
        return;
    const QString pattern = dialog.PatternText();
    const TDistributionBins sets = bins->Bins();

    TfrmProgress progress(this);
    progress.setWindowModality(Qt::ApplicationModal);
    std::optional<QString> failure;
    bool done = false;
    {
        const TSearchLock lock(this, Searching);
        progress.show();
        const auto analyze = [&](const QString& file) {
            AnalyzeFile(file, pattern, AppSettings.swSyntax, sets.Sent, sets.Para, sets.Sect,
                        sets.Text, &progress.TextProgress(), AppSettings, MessageSink);
        };
        try {
            if (dialog.rbOnlyActive->isChecked()) {
                progress.pbAll->hide();
                progress.lblAll->hide();
                TChildWindow* active = ActiveChildWindow();
                if (!active) {
                    MessageSink.ShowWarning(u"There is no active window with text. Please open "
                                            "some text and make window containing it active."_s);
                } else if (active->Kind() != TChildWindow::TKind::Text) {
                    MessageSink.ShowWarning(u"Currently active window contains results. Please "
                                            "make active other window, wich contains text"_s);
                } else {
                    analyze(static_cast<TfrmText*>(active)->FileName());
                    done = !SearchCancelled;
                }
            } else if (CorpusFiles.empty()) {
                MessageSink.ShowWarning(u"There is no files in current corpus."_s);
            } else {
                progress.pbAll->setRange(0, static_cast<int>(CorpusFiles.size()));
                progress.pbAll->setValue(0);
                // Copied, since the corpus cannot change during the search.
                QStringList files;
                for (const auto& file : CorpusFiles)
                    files.append(file->FileName);
                for (qsizetype i = 0; i < files.size(); ++i) {
                    analyze(files[i]);
                    if (SearchCancelled)
                        break;
                    progress.pbAll->setValue(static_cast<int>(i + 1));
                    QCoreApplication::processEvents();
                }
                done = !SearchCancelled;
            }
        } catch (const TError& error) {
            failure = error.Message();
        }
    }
    // Windows can be activated only once the client area takes input again.
    if (done && !failure) {
        for (TDistribution kind : AllDistributions)
            TfrmResults::OpenResultsWindow(*this, bins->Take(kind), kind, pattern);
    }
    progress.hide();
    if (failure)
        MessageSink.ShowError(*failure);
}
