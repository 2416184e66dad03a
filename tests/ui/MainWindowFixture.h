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
#include <QRadioButton>

#include <gtest/gtest.h>

#include <array>

using namespace Qt::StringLiterals;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : Main(Settings, Messages, User, Files.Path(u"settings2.xml"_s))
    {
        Main.show();
    }

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
    TCollectedMessages Messages;
    TScriptedUser User;
    TfrmMain Main;
};
