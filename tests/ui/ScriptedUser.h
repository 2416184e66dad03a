// A person in code: answers the modal dialogs and file dialogs of the main
// window with prepared steps.
#pragma once

#include "UserInteraction.h"

#include <QDialog>

#include <deque>
#include <functional>

class TScriptedUser : public IUserInteraction {
public:
    // Each dialog shown takes the next step; a dialog without a step is
    // cancelled.
    std::deque<std::function<int(QDialog&)>> DialogSteps;
    QStringList FilesToOpen;
    QStringList OpenedDocuments;
    int DialogsShown = 0;

    int ExecDialog(QDialog& dialog) override
    {
        ++DialogsShown;
        if (DialogSteps.empty())
            return QDialog::Rejected;
        const auto step = DialogSteps.front();
        DialogSteps.pop_front();
        return step(dialog);
    }
    QStringList OpenCorpusFiles(QWidget*) override { return FilesToOpen; }
    bool OpenDocument(const QString& path) override
    {
        OpenedDocuments.append(path);
        return true;
    }
};
