// The sentence options dialog: the delimiters and switches of automatic
// sentence recognition, and the way to its exception list. The text settings
// dialog fills it and reads it back.
#pragma once

#include <QDialog>
#include <QStringList>

class IMessageSink;
class IUserInteraction;
class QCheckBox;
class QLineEdit;
class QPushButton;

class TSentenceOptionsForm : public QDialog {
    Q_OBJECT

public:
    // The exceptions dialog goes through user; its file errors are shown
    // through messages.
    TSentenceOptionsForm(IUserInteraction& user, IMessageSink& messages, QWidget* parent = nullptr);

    QLineEdit* DelimitersEdit;
    QCheckBox* SmartAbbrCB;
    QCheckBox* TrailingQuotesCB;
    QCheckBox* cbCapital;
    QPushButton* ExcEditBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // This dialog's copy of the exception list, which the exceptions dialog
    // replaces on OK.
    QStringList ExceptionsList;

    void ExcEditBtnClick();

private:
    IUserInteraction& User;
    IMessageSink& Messages;
};
