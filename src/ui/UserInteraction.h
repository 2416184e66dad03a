// What a person does with the main window that goes beyond clicks on its own
// controls: answering modal dialogs and file dialogs, and reading messages.
// The application shows real dialogs; tests answer them in code.
#pragma once

#include "MessageSink.h"

#include <QStringList>
#include <QUrl>

class QDialog;
class QWidget;

// What a file dialog shows: its title, its name filters (such as
// "Text Files (*.txt)") and the extension given to a name typed without one.
struct TFileDialogSetup {
    QString Title;
    QStringList Filters;
    QString DefaultSuffix;
};

// A save dialog's answer: the file name, empty on Cancel, and the index of the
// filter the user left chosen in setup.Filters.
struct TSaveChoice {
    QString FileName;
    int Filter = 0;
};

class IUserInteraction {
public:
    virtual ~IUserInteraction() = default;
    // Shows dialog modally; returns its result (QDialog::Accepted or Rejected).
    virtual int ExecDialog(QDialog& dialog) = 0;
    // The files chosen in the open dialog for corpus files; empty on Cancel.
    virtual QStringList OpenCorpusFiles(QWidget* parent) = 0;
    // Asks the desktop to open a document with its viewer.
    virtual bool OpenDocument(const QString& path) = 0;
    // Asks the desktop to open a document given by its URL, such as a file
    // with a section anchor. Without a viewer for URLs, the local file opens
    // at its start.
    virtual bool OpenUrl(const QUrl& url) { return OpenDocument(url.toLocalFile()); }
    // An existing file chosen in an open dialog; empty on Cancel.
    virtual QString OpenFileName(QWidget* parent, const TFileDialogSetup& setup) = 0;
    // A file name chosen in a save dialog, in an existing folder; empty on Cancel.
    QString SaveFileName(QWidget* parent, const TFileDialogSetup& setup)
    {
        return SaveFileChoice(parent, setup).FileName;
    }
    // The same with the filter chosen, for a save dialog whose filters name formats.
    virtual TSaveChoice SaveFileChoice(QWidget* parent, const TFileDialogSetup& setup) = 0;
    // The single-line input dialog: text holds what is shown at first and,
    // on OK, what was entered. False on Cancel.
    virtual bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                           QString& text) = 0;
};

// Real dialogs and the desktop's document viewer.
class TDesktopInteraction : public IUserInteraction {
public:
    int ExecDialog(QDialog& dialog) override;
    QStringList OpenCorpusFiles(QWidget* parent) override;
    bool OpenDocument(const QString& path) override;
    bool OpenUrl(const QUrl& url) override;
    QString OpenFileName(QWidget* parent, const TFileDialogSetup& setup) override;
    TSaveChoice SaveFileChoice(QWidget* parent, const TFileDialogSetup& setup) override;
    bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                   QString& text) override;
};

// Messages as modal boxes with one OK button: "Warning" for conditions the
// user can correct, "Error" for failures.
class TMessageBoxes : public IMessageSink {
public:
    explicit TMessageBoxes(QWidget* parent = nullptr)
        : Parent(parent)
    {}
    void SetParent(QWidget* parent) { Parent = parent; }

    void ShowWarning(const QString& text) override;
    void ShowError(const QString& text) override;

private:
    QWidget* Parent;
};
