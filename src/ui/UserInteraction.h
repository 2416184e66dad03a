// What a person does with the main window that goes beyond clicks on its own
// controls: answering modal dialogs and file dialogs, and reading messages.
// The application shows real dialogs; tests answer them in code.
#pragma once

#include "MessageSink.h"

#include <QStringList>

class QDialog;
class QWidget;

class IUserInteraction {
public:
    virtual ~IUserInteraction() = default;
    // Shows dialog modally; returns its result (QDialog::Accepted or Rejected).
    virtual int ExecDialog(QDialog& dialog) = 0;
    // The files chosen in the open dialog for corpus files; empty on Cancel.
    virtual QStringList OpenCorpusFiles(QWidget* parent) = 0;
    // Asks the desktop to open a document with its viewer.
    virtual bool OpenDocument(const QString& path) = 0;
};

// Real dialogs and the desktop's document viewer.
class TDesktopInteraction : public IUserInteraction {
public:
    int ExecDialog(QDialog& dialog) override;
    QStringList OpenCorpusFiles(QWidget* parent) override;
    bool OpenDocument(const QString& path) override;
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
