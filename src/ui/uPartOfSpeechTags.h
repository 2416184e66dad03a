// The part-of-speech tags dialog: whether tags are embedded in the word after a
// delimiter character or written outside it between start and stop marks, and
// those marks.
#pragma once

#include <QDialog>

class IMessageSink;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TAppSettings;
class TOneCharEdit;

class TfrmPartOfSpeechTags : public QDialog {
    Q_OBJECT

public:
    // Shows the ps fields of settings, which OK changes; errors in the fields
    // go to messages.
    TfrmPartOfSpeechTags(TAppSettings& settings, IMessageSink& messages, QWidget* parent = nullptr);

    QCheckBox* EmbededCB;
    QWidget* EmbededPanel;
    QLabel* DelimiterLabel;
    TOneCharEdit* DelimiterEdit;
    QCheckBox* OutsideCB;
    QWidget* OutsidePanel;
    QLabel* TagStartLabel;
    QTableWidget* TagStartGrid; // one column, row i holds tag start i
    QLabel* TagStopLabel;
    TOneCharEdit* TagStopEdit;
    QCheckBox* OutsideBeforeCB;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    // The rules of the two check boxes, run on every change of their state:
    // a checked box unchecks the other and enables its own panel.
    void EmbededCBClick();
    void OutsideCBClick();
    // Stores every value, those of a disabled panel too, and closes the dialog
    // with OK. A one-character field that is not valid is reported and takes
    // the focus; then nothing is stored and the dialog stays open.
    void OkBtnClick();

private:
    QWidget* CreateEmbeddedPanel();
    QWidget* CreateOutsidePanel();
    void CreateTagStartGrid();
    void FormShow();

    TAppSettings& Settings;
};
