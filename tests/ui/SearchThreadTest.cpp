// The search runs beside the interface: its messages reach the interface's
// thread in corpus order while it waits for them, and Cancel or a close of
// the main window stops it there, however many files are still to come.
#include "MainWindowFixture.h"
#include "uProgress.h"

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Files in which one expression backtracks without end: the pattern "(a+)+$"
// in the first, the section expression "(b+)+$" in the second.
const QByteArray PatternFails = QByteArray(60, 'a') + "b and more words.";
const QByteArray SectionFails = QByteArray(60, 'b') + "c and more words.";
const QString PatternError =
    u"Error in regular expression (pattern). Error: match limit exceeded"_s;
const QString SectionError =
    u"Error in regular expression (sections). Error: match limit exceeded"_s;

} // namespace

class SearchThreadTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        Settings.tsSectionsType = 2;
        Settings.tsSectionsStart = u"(b+)+$"_s;
    }
};

TEST_F(SearchThreadTest, MessagesArriveInCorpusOrder)
{
    LoadCorpus(
        {SectionFails, PatternFails, "a cat", PatternFails, SectionFails, SectionFails, "the end"});
    AnswerSearch(u"(a+)+$"_s);
    Main.DoSearch(Main.miRegExp);
    EXPECT_EQ(Messages.Errors,
              (QStringList{SectionError, PatternError, PatternError, SectionError, SectionError}));
    EXPECT_EQ(WindowTitles().size(), 4);
}

// The search waits while a message is shown; the user stops it then, and no
// file after that one is reported. Meanwhile no shortcut reaches the main
// window's commands, which work again afterwards.
TEST_F(SearchThreadTest, StoppedWhileAMessageIsShown)
{
    const struct {
        const char* Name;
        std::function<void(TfrmMain&, TfrmProgress&)> Stop;
        bool Closes;
    } ways[] = {
        {"Cancel",
         [](TfrmMain&, TfrmProgress& progress) {
             QTest::mouseClick(progress.btnCancel, Qt::LeftButton);
         },
         false},
        {"Escape",
         [](TfrmMain&, TfrmProgress& progress) { QTest::keyClick(&progress, Qt::Key_Escape); },
         false},
        // Last, as the window then is gone.
        {"closing the main window", [](TfrmMain& main, TfrmProgress&) { main.close(); }, true},
    };
    const QString extra = Files.Write(u"extra.txt"_s, "a cat");
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Name);
        Main.miUnload->trigger();
        LoadCorpus(QList<QByteArray>(8, PatternFails));
        Messages.Errors.clear();
        User.FilesToOpen = {extra};
        bool progressShown = false;
        Messages.OnMessage = [&] {
            auto* progress = Main.findChild<TfrmProgress*>();
            ASSERT_TRUE(progress);
            progressShown = progress->isVisible();
            QApplication::setActiveWindow(&Main);
            QTest::keyClick(&Main, Qt::Key_L, Qt::ControlModifier);
            way.Stop(Main, *progress);
            EXPECT_TRUE(Main.isVisible()) << "closed before the search ended";
        };
        AnswerSearch(u"(a+)+$"_s);
        Main.DoSearch(Main.miRegExp);
        Messages.OnMessage = nullptr;
        EXPECT_TRUE(progressShown);
        EXPECT_EQ(Messages.Errors, QStringList{PatternError});
        EXPECT_TRUE(WindowTitles().isEmpty());
        EXPECT_EQ(Main.Corpus().Count(), 8) << "a command ran during the search";
        EXPECT_EQ(Main.isVisible(), !way.Closes);
        EXPECT_TRUE(Main.centralWidget()->isEnabled());
        EXPECT_TRUE(Main.menuBar()->isEnabled());
        EXPECT_FALSE(Main.findChild<TfrmProgress*>());
    }
    // The shortcut itself works once the search has ended.
    Main.show();
    QApplication::setActiveWindow(&Main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));
    QTest::keyClick(&Main, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(Main.Corpus().Count(), 9);
}
