// A person in code: answers the modal dialogs and file dialogs of the main
// window with prepared steps.
#pragma once

#include "UserInteraction.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <optional>

class TScriptedUser : public IUserInteraction {
public:
    // Each dialog shown takes the next step; a dialog without a step is
    // cancelled.
    std::deque<std::function<int(QDialog&)>> DialogSteps;
    QStringList FilesToOpen;
    QStringList OpenedDocuments;
    QList<QUrl> OpenedUrls;
    // Whether the desktop opens the documents and addresses asked for.
    bool DesktopHasViewer = true;
    // Answers to the open and save dialogs, in turn; none left is Cancel.
    std::deque<QString> FileNames;
    QList<TFileDialogSetup> FileDialogsShown;
    // The filters chosen in the save dialogs, in turn; none left is the first.
    std::deque<int> FilterChoices;
    // Answers to the input dialog, in turn; nullopt or none left is Cancel.
    std::deque<std::optional<QString>> TextAnswers;
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
        return DesktopHasViewer;
    }
    bool OpenUrl(const QUrl& url) override
    {
        OpenedUrls.append(url);
        return DesktopHasViewer;
    }
    QString OpenFileName(QWidget*, const TFileDialogSetup& setup) override
    {
        return NextFile(setup);
    }
    TSaveChoice SaveFileChoice(QWidget*, const TFileDialogSetup& setup) override
    {
        const int filter = FilterChoices.empty() ? 0 : FilterChoices.front();
        if (!FilterChoices.empty())
            FilterChoices.pop_front();
        return {NextFile(setup), filter};
    }
    bool InputText(QWidget*, const QString&, const QString&, QString& text) override
    {
        if (TextAnswers.empty())
            return false;
        const std::optional<QString> answer = TextAnswers.front();
        TextAnswers.pop_front();
        if (answer)
            text = *answer;
        return answer.has_value();
    }

private:
    QString NextFile(const TFileDialogSetup& setup)
    {
        FileDialogsShown.append(setup);
        if (FileNames.empty())
            return QString();
        const QString name = FileNames.front();
        FileNames.pop_front();
        return name;
    }
};
