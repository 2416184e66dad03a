// The concordance window: the hits of one bin as keyword-in-context lines read
// back from the corpus files, a preview of the selected hit in its wider
// context, and sorting by the words around the hits.
#pragma once

#include "ChildWindow.h"
#include "ConcordanceLines.h"

class IMainWindow;
class QListView;
class QMenu;
class QSplitter;
class QTextEdit;
class TBin;
class TConcordanceListModel;

class TfrmConcordance : public TChildWindow {
    Q_OBJECT

public:
    explicit TfrmConcordance(IMainWindow& main, QWidget* parent = nullptr);
    ~TfrmConcordance() override;

    // The window's caption, which the opener sets before GetInfoFromBin.
    void SetCaption(const QString& caption);

    // Copies the bin, reads the hits' texts from the corpus files, shows the
    // lines and previews the first hit. Throws TFileError when a corpus file
    // cannot be opened; the list then stays empty.
    void GetInfoFromBin(const TBin& bin);

    // The lines in the order shown.
    const TConcordanceLines& Rows() const { return Lines; }

    // Asks in the export options dialog which hits to take and how, and on
    // OK fills St with their lines in the order shown. False on Cancel; St
    // then stays as it was.
    bool MakeText(QStringList& St);
    // "Save To File...": the lines as a text file.
    void miSaveToFileClick();
    // "Print...": the lines on landscape pages of the program's printer.
    void miPrintClick();

    TKind Kind() const override { return TKind::Concordance; }
    QString WindowListCaption() const override;
    QMenu* MergedMenu() override;
    void FormActivate() override;

private:
    void CreateMenu();
    void AddSortItems(QMenu* sort);
    void SortClick(int sort1, int sort2);
    void Sort();
    // Shows the selected row's hit in its wider context.
    void lbListClick();
    void ShowPreview(const TPreviewText& preview);

    IMainWindow& Main;
    TConcordanceLines Lines; // the window's copy of the bin, in display order
    int Sort1 = skOriginalOrder;
    int Sort2 = skNone;

    QTextEdit* rePreview;
    QSplitter* splMain;
    QListView* lbList;
    TConcordanceListModel* Model;
    QMenu* Concordance1;
};
