// The exceptions dialog: the list of exception words of automatic sentence
// recognition, kept in alphabetical order, which can be saved to and loaded
// from plain-text files.
#pragma once

#include <QDialog>

class IMessageSink;
class IUserInteraction;
class QListWidget;
class QPushButton;

class TSentenceExceptionsForm : public QDialog {
    Q_OBJECT

public:
    // File dialogs and the input dialog go through user; file errors are
    // shown through messages.
    TSentenceExceptionsForm(IUserInteraction& user, IMessageSink& messages,
                            QWidget* parent = nullptr);

    QListWidget* WordList;
    QPushButton* AddBtn;
    QPushButton* RemoveBtn;
    QPushButton* ClearBtn;
    QPushButton* SaveBtn;
    QPushButton* LoadBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // Replaces the list by words, each at its alphabetical place.
    void SetWords(const QStringList& words);
    // The lines of the list in their displayed order.
    QStringList Words() const;

    void AddBtnClick();
    void RemoveBtnClick();
    void ClearBtnClick();
    void SaveBtnClick();
    void LoadBtnClick();

private:
    // Inserts word after the entries that sort before it or equal to it.
    void AddWord(const QString& word);

    IUserInteraction& User;
    IMessageSink& Messages;
};
