// The main window with a scripted user, collected messages and a settings
// file of its own, for tests that drive it as a user does.
#pragma once

#include "../CollectedMessages.h"
#include "../TestSupport.h"
#include "ChildWindow.h"
#include "ScriptedUser.h"
#include "TAppSettings.h"
#include "uMain.h"
#include "uSearchOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QRadioButton>
#include <QThread>

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace Qt::StringLiterals;

// Collected messages that note any that arrives off the interface's thread;
// OnMessage lets a test act while the search waits for a message to be shown.
class TWatchedMessages : public TCollectedMessages {
public:
    void ShowWarning(const QString& text) override
    {
        TCollectedMessages::ShowWarning(text);
        Arrived();
    }
    void ShowError(const QString& text) override
    {
        TCollectedMessages::ShowError(text);
        Arrived();
    }

    std::function<void()> OnMessage;
    int OffInterfaceThread = 0;

private:
    void Arrived()
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            ++OffInterfaceThread;
        if (OnMessage)
            OnMessage();
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : Main(Settings, Messages, User, Files.Path(u"settings2.xml"_s))
    {
        Main.show();
    }
    void TearDown() override { EXPECT_EQ(Messages.OffInterfaceThread, 0); }

    // A corpus of files with the given contents.
    void LoadCorpus(const QList<QByteArray>& contents)
    {
        QStringList paths;
        for (qsizetype i = 0; i < contents.size(); ++i)
            paths.append(Files.Write(u"Text%1.txt"_s.arg(i), contents[i]));
        User.FilesToOpen = paths;
        Main.LoadCorpusFiles1->trigger();
    }

    // The next search dialog is answered with pattern, the distributions and the area.
    void AnswerSearch(const QString& pattern,
                      std::array<bool, 4> distributions = {true, true, true, true},
                      bool onlyActive = false)
    {
        User.DialogSteps.push_back([=](QDialog& dialog) {
            auto& options = dynamic_cast<TfrmSearchOptions&>(dialog);
            options.cbPattern->setEditText(pattern);
            options.cbSentence->setChecked(distributions[0]);
            options.cbParagraph->setChecked(distributions[1]);
            options.cbSection->setChecked(distributions[2]);
            options.cbText->setChecked(distributions[3]);
            (onlyActive ? options.rbOnlyActive : options.rbProcessAll)->setChecked(true);
            options.btnOkClick();
            return dialog.result();
        });
    }

    QStringList WindowTitles() const
    {
        QStringList titles;
        for (TChildWindow* child : Main.ChildWindows())
            titles.append(child->WindowListCaption());
        return titles;
    }

    TTestFiles Files;
    TAppSettings Settings;
    TWatchedMessages Messages;
    TScriptedUser User;
    TfrmMain Main;
};
