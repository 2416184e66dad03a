// The results window: one distribution of a search as a bar chart and a table
// of its bins, with the mean and median of the bin frequencies and the corpus
// totals. A bar or a table row opens the concordance of its bin. When the bin
// set carries a baseline, the window can show the expected distribution too:
// a line over the bars, two more columns and the tests of the difference.
#pragma once

#include "ChildWindow.h"
#include "Distribution.h"
#include "ExpectedDistribution.h"

#include <functional>
#include <memory>
#include <optional>

class IMainWindow;
class TBinSet;
class TResultsChart;
class TXmlNode;
struct TResultsFormState;
struct TResultsPicture;
class QAction;
class QChartView;
class QLabel;
class QLineEdit;
class QSplitter;
class QTreeWidget;

class TfrmResults : public TChildWindow {
    Q_OBJECT

public:
    explicit TfrmResults(IMainWindow& main, QWidget* parent = nullptr);
    ~TfrmResults() override;

    // Opens a results window for binSet, unless it is absent or has no bins.
    // The window keeps its own copy of the bin set.
    static void OpenResultsWindow(IMainWindow& main, const TBinSet* binSet, TDistribution kind,
                                  const QString& pattern);
    // The same for a caller that would release the bin set at once: the
    // window takes it over instead of copying its matches.
    static void OpenResultsWindow(IMainWindow& main, std::unique_ptr<TBinSet> binSet,
                                  TDistribution kind, const QString& pattern);

    // Fills the chart, the table, the window's copy of the bin set and the
    // statistics lines; the title stays as it is.
    void GetInfoFromBinSet(const TBinSet& binSet);
    void GetInfoFromBinSet(TBinSet&& binSet);
    // Moves and shrinks the window into the main window's client area.
    void CheckPosition();

    // Writes the window as a workspace keeps it: its place, its titles and
    // its bin set. The workspace reads the element back with ReadResultsForm.
    void SaveSettingsToXML(TXmlNode& node) const;
    // Opens a window with a state read from a workspace, whose matches
    // already name their files in FileNameCache. The window keeps its saved
    // place: it is not fitted with CheckPosition.
    static void RestoreResultsWindow(IMainWindow& main, TResultsFormState&& state);

    const QString& Title() const;
    const QString& XAxisTitle() const;
    const TBinSet& SavedBinSet() const;

    // What the window shows, for the export commands: the table (caption and
    // hit count per bin, and the expected count and residual when shown), the
    // chart, and the three statistics lines.
    QTreeWidget* ListView() const { return lvMain; }
    QChartView* Chart() const;
    QString MeanMedianText() const;
    QString Total1Text() const;
    QString Total2Text() const;
    // What the saved pictures and the printouts show.
    TResultsPicture Picture() const;

    TKind Kind() const override { return TKind::Results; }
    QString WindowListCaption() const override { return Title(); }
    QMenu* MergedMenu() override;
    void FormActivate() override;
    void FormClose() override;

private:
    QWidget* CreateTitleStrip();
    QWidget* CreateTable();
    QWidget* CreateHistogram();
    void CreateMenu();

    void SetTitles(const QString& title, const QString& xAxisTitle);
    void Restore(TResultsFormState&& state);
    // Shows the bins of the saved bin set and their statistics.
    void ShowSavedBinSet();
    void ShowStatistics();
    // The table's rows and columns, with the expected ones when shown; the
    // current row stays.
    void FillTable();
    // Shows or hides the line, the columns and the test lines as the menu item
    // says, and widens the window for the columns or gives the room back.
    void ShowExpected();
    void FitTableWidth();
    bool ExpectedShown() const;
    QChar DecimalPoint() const;

    // An item of menu that runs command, showing whatever error it raises.
    QAction* AddCommand(QMenu* menu, const QString& caption, const std::function<void()>& command);

    void miCopyClick();
    void miSaveDatatofileClick();
    void DoSave(bool Hystogram, bool Table);
    void Print(bool Hystogram, bool Table);

    void crtMainClickSeries(int ValueIndex);
    void lvMainDblClick();
    void OpenConcordance(int binIndex);

    IMainWindow& Main;
    QString FTitle;
    QString FXAxisTitle;
    TBinSet FSavedBinSet;
    // Of FSavedBinSet; none without a usable baseline.
    std::optional<TExpectedDistribution> FExpected;

    QLabel* lblTitle = nullptr;
    QLineEdit* lblMM = nullptr;
    QLineEdit* lblTotal1 = nullptr;
    QLineEdit* lblTotal2 = nullptr;
    QLineEdit* lblTest = nullptr;
    QLineEdit* lblTestNote = nullptr;
    QSplitter* splMain = nullptr;
    QTreeWidget* lvMain = nullptr;
    TResultsChart* crtMain = nullptr;
    QMenu* miResults = nullptr;
    QAction* miShowExpected = nullptr;
};
