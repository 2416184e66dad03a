// The file list: the corpus, from which files can be removed or shown in
// text windows.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;
class TfrmMain;

class TfrmFiles : public QDialog {
    Q_OBJECT

public:
    explicit TfrmFiles(TfrmMain& main);

    QListWidget* lbMain;
    QPushButton* btnCloseFile; // "Remove"
    QPushButton* btnShow;
    QPushButton* btnClose;

    void btnCloseFileClick();
    void btnShowClick();

private:
    // Opens or brings to the front a text window for each selected file.
    // Throws TFileError for a file that cannot be read.
    void ShowSelected();
    void FillList();
    void SetButtons();
    // The selected rows, the last first.
    QList<int> SelectedRowsFromLast() const;

    TfrmMain& Main;
};
