// The normal tags dialog: the characters that open and close a markup tag in
// the corpus texts.
#pragma once

#include <QDialog>

class IMessageSink;
class QPushButton;
class TAppSettings;
class TOneCharEdit;

class TfrmNormalTags : public QDialog {
    Q_OBJECT

public:
    // Shows TagStart and TagStop of settings, which OK changes; errors in the
    // fields go to messages.
    TfrmNormalTags(TAppSettings& settings, IMessageSink& messages, QWidget* parent = nullptr);

    TOneCharEdit* edtTagStart;
    TOneCharEdit* edtTagStop;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    // Stores both fields and closes the dialog with OK. A field that is not
    // valid is reported and takes the focus; then nothing is stored and the
    // dialog stays open.
    void btnOkClick();

private:
    TAppSettings& Settings;
};
