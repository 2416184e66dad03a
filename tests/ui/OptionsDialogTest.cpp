// The general options dialog: what it shows, which entries it refuses and with
// which warning (the first failing test wins), what OK stores and that Cancel
// and a refused OK store nothing.
#include "../CollectedMessages.h"
#include "../DefaultSettings.h"
#include "../TestSupport.h"
#include "TAppSettings.h"
#include "uOptions.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using TEdit = std::function<void(TfrmOptions&)>;

QString PositionsMessage(const QString& name)
{
    return u"Incorrect value of \"Positions for "_s + name +
           u"\", it should be set of positive numbers or numbers with # at end, divided with "
           "spaces. Word \"Other\" also can be incliuded into set. Example: \"1 2 3 1# 2# "
           "Other\"."_s;
}

// Opens the dialog on settings, applies edit to its controls, presses OK and
// returns the warnings shown.
QStringList WarningsAfterOk(TAppSettings& settings, const TEdit& edit)
{
    TCollectedMessages messages;
    TfrmOptions dialog(settings, messages);
    edit(dialog);
    dialog.btnOkClick();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, messages.Warnings.isEmpty());
    return messages.Warnings;
}

} // namespace

TEST(OptionsDialog, EachFailingTestWarnsAndStoresNothing)
{
    const struct {
        const char* Case;
        TEdit Edit;
        QString Message;
    } cases[] = {
        {"minimum negative", [](TfrmOptions& d) { d.edtAtMin->setText(u"-1"_s); },
         u"Incorrect value of \"Minimal number of words\", it should be positive number."_s},
        {"minimum not a number", [](TfrmOptions& d) { d.edtAtMin->setText(u"1.5"_s); },
         u"Incorrect value of \"Minimal number of words\", it should be positive number."_s},
        {"maximum empty", [](TfrmOptions& d) { d.edtAtMax->clear(); },
         u"Incorrect value of \"Maximal number of words\", it should be positive number."_s},
        {"maximum above 20", [](TfrmOptions& d) { d.edtAtMax->setText(u"21"_s); },
         u"Incorrect value of \"Maximal number of words\", it should be a number from 0 to 20."_s},
        {"sentence exclusion", [](TfrmOptions& d) { d.edtExclSent->setText(u"abc"_s); },
         u"Incorrect value of \"Exclude sentences less than words:\", it should be positive "
         "number."_s},
        {"paragraph exclusion", [](TfrmOptions& d) { d.edtExclPara->setText(u"-2"_s); },
         u"Incorrect value of \"Exclude paragraphs less than sentences:\", it should be positive "
         "number."_s},
        {"sentence bins 0", [](TfrmOptions& d) { d.edtSentPerc->setText(u"0"_s); },
         u"Incorrect value of \"Number of bins for sentences\", it should be positive number."_s},
        {"sentence bins above 100", [](TfrmOptions& d) { d.edtSentPerc->setText(u"101"_s); },
         u"Incorrect value of \"Number of bins for sentences\", it should be a number from 1 to "
         "100."_s},
        {"sentence positions",
         [](TfrmOptions& d) {
             d.rbSentPos->setChecked(true);
             d.edtSentPos->setText(u"1,2"_s);
         },
         PositionsMessage(u"sentences"_s)},
        {"paragraph bins not a number", [](TfrmOptions& d) { d.edtParaPerc->setText(u"abc"_s); },
         u"Incorrect value of \"Number of bins for paragraphs\", it should be positive number."_s},
        {"paragraph bins above 100", [](TfrmOptions& d) { d.edtParaPerc->setText(u"500"_s); },
         u"Incorrect value of \"Number of bins for paragraphs\", it should be a number from 1 to "
         "100."_s},
        {"paragraph positions empty",
         [](TfrmOptions& d) {
             d.rbParaPos->setChecked(true);
             d.edtParaPos->setText(u"  "_s);
         },
         PositionsMessage(u"paragraphs"_s)},
        {"section bins negative", [](TfrmOptions& d) { d.edtSectPerc->setText(u"-3"_s); },
         u"Incorrect value of \"Number of bins for sections\", it should be positive number."_s},
        {"section positions",
         [](TfrmOptions& d) {
             d.rbSectPos->setChecked(true);
             d.edtSectPos->setText(u"first"_s);
         },
         PositionsMessage(u"sections"_s)},
        {"text bins above 100", [](TfrmOptions& d) { d.edtTextPerc->setText(u"1000"_s); },
         u"Incorrect value of \"Number of bins for texts\", it should be a number from 1 to "
         "100."_s},
        {"text positions",
         [](TfrmOptions& d) {
             d.rbTextPos->setChecked(true);
             d.edtTextPos->setText(u"1##"_s);
         },
         PositionsMessage(u"texts"_s)},
        // The first failure in the order of the tests is the one shown.
        {"everything wrong",
         [](TfrmOptions& d) {
             for (QLineEdit* edit : {d.edtAtMin, d.edtAtMax, d.edtExclSent, d.edtExclPara,
                                     d.edtParaPerc, d.edtSectPerc, d.edtTextPerc})
                 edit->setText(u"x"_s);
         },
         u"Incorrect value of \"Minimal number of words\", it should be positive number."_s},
        {"exclusion before bins",
         [](TfrmOptions& d) {
             d.edtSentPerc->setText(u"0"_s);
             d.edtExclPara->setText(u"-1"_s);
         },
         u"Incorrect value of \"Exclude paragraphs less than sentences:\", it should be positive "
         "number."_s},
        {"sentence positions before paragraph bins",
         [](TfrmOptions& d) {
             d.rbSentPos->setChecked(true);
             d.edtSentPos->clear();
             d.edtParaPerc->setText(u"0"_s);
         },
         PositionsMessage(u"sentences"_s)},
        {"paragraph bins before section positions",
         [](TfrmOptions& d) {
             d.edtParaPerc->setText(u"0"_s);
             d.rbSectPos->setChecked(true);
             d.edtSectPos->clear();
         },
         u"Incorrect value of \"Number of bins for paragraphs\", it should be positive number."_s},
    };
    for (const auto& c : cases) {
        TAppSettings settings = DefaultSettings();
        settings.wcStar = u"+"_s;
        const TAppSettings before = settings;
        const auto edit = [&](TfrmOptions& d) {
            d.edtStar->setText(u"!"_s); // would be stored first
            c.Edit(d);
        };
        EXPECT_EQ(WarningsAfterOk(settings, edit), QStringList{c.Message}) << c.Case;
        EXPECT_TRUE(settings == before) << c.Case;
    }
}

TEST(OptionsDialog, AcceptsBoundaryValuesAndLeavesUnusedEditsUntested)
{
    const struct {
        const char* Case;
        TEdit Edit;
    } cases[] = {
        {"no intervening words",
         [](TfrmOptions& d) {
             d.edtAtMin->setText(u"0"_s);
             d.edtAtMax->setText(u"0"_s);
         }},
        // Nothing checks that the minimum does not exceed the maximum.
        {"minimum above maximum",
         [](TfrmOptions& d) {
             d.edtAtMin->setText(u"25"_s);
             d.edtAtMax->setText(u"20"_s);
         }},
        {"bins at the bounds",
         [](TfrmOptions& d) {
             d.edtSentPerc->setText(u"1"_s);
             d.edtParaPerc->setText(u"+100"_s);
         }},
        {"positions not tested while percentages are selected",
         [](TfrmOptions& d) { d.edtSentPos->setText(u"nonsense"_s); }},
        {"bins not tested while positions are selected",
         [](TfrmOptions& d) {
             d.rbSectPos->setChecked(true);
             d.edtSectPerc->setText(u"0"_s);
             d.rbTextPos->setChecked(true);
             d.edtTextPerc->setText(u"500"_s);
         }},
        {"wildcards and separators may be anything",
         [](TfrmOptions& d) {
             d.edtStar->clear();
             d.edtAt->setText(u" @@ "_s);
             d.edtWrdDelims->clear();
         }},
    };
    for (const auto& c : cases) {
        TAppSettings settings = DefaultSettings();
        EXPECT_EQ(WarningsAfterOk(settings, c.Edit), QStringList()) << c.Case;
    }
}

TEST(OptionsDialog, ValidatePositions)
{
    for (const QString& text : {u"1 2 Other 1# #"_s, u"1 2 3 1# 2# Other"_s, u"0"_s,
                                u"  1   OTHER  other # "_s, u"+2 2#"_s, u"3 3 1"_s})
        EXPECT_TRUE(ValidatePositions(text)) << text.toStdString();
    for (const QString& text : {QString(), u" \t "_s, u"1,2"_s, u"-1"_s, u"1##"_s, u"first"_s,
                                u"#1"_s, u"1\t2"_s, u"Others"_s, u"1 2 x"_s})
        EXPECT_FALSE(ValidatePositions(text)) << text.toStdString();
}

TEST(OptionsDialog, ShowsTheSettings)
{
    TAppSettings settings = DefaultSettings();
    settings.SentType = 2;
    settings.ParaType = 3; // neither button
    settings.SectPercentBins = 12;
    settings.TextPositions = u"1 Other"_s;
    settings.soWords = false;
    settings.sdAtMaxWords = 7;
    settings.ExclParaLessThan = 4;
    settings.soCaseSensitive = true;
    TCollectedMessages messages;
    TfrmOptions dialog(settings, messages);
    EXPECT_EQ(dialog.windowTitle(), u"Options"_s);
    EXPECT_TRUE(!dialog.rbSentPercent->isChecked() && dialog.rbSentPos->isChecked());
    EXPECT_TRUE(!dialog.rbParaPercent->isChecked() && !dialog.rbParaPos->isChecked());
    EXPECT_TRUE(dialog.rbSectPercent->isChecked() && dialog.rbTextPercent->isChecked());
    EXPECT_EQ(dialog.edtSectPerc->text(), u"12"_s);
    EXPECT_EQ(dialog.edtTextPos->text(), u"1 Other"_s);
    EXPECT_TRUE(dialog.rbCharacters->isChecked() && !dialog.rbWords->isChecked());
    EXPECT_EQ(dialog.edtAtMax->text(), u"7"_s);
    EXPECT_EQ(dialog.edtExclPara->text(), u"4"_s);
    EXPECT_EQ(dialog.edtStar->text(), u"*"_s);
    EXPECT_EQ(dialog.edtWrdDelims->text(), settings.WrdDelims);
    EXPECT_TRUE(dialog.cbSkipTags->isChecked() && dialog.cbForwardPreffered->isChecked());
    EXPECT_TRUE(dialog.cbCaseSensitive->isChecked());
    EXPECT_GE(dialog.width(), 754);
    EXPECT_GE(dialog.height(), 471);
}

// Each pair of distribution buttons is a choice of its own.
TEST(OptionsDialog, DistributionButtonsChooseIndependently)
{
    TAppSettings settings = DefaultSettings();
    TCollectedMessages messages;
    TfrmOptions dialog(settings, messages);
    dialog.rbSentPos->setChecked(true);
    dialog.rbTextPos->setChecked(true);
    dialog.rbCharacters->setChecked(true);
    EXPECT_FALSE(dialog.rbSentPercent->isChecked());
    EXPECT_TRUE(dialog.rbParaPercent->isChecked() && dialog.rbSectPercent->isChecked());
    EXPECT_FALSE(dialog.rbTextPercent->isChecked() || dialog.rbWords->isChecked());
    EXPECT_TRUE(dialog.cbSkipTags->isChecked());
}

TEST(OptionsDialog, SentenceBinsTakeOnlyDigits)
{
    TAppSettings settings = DefaultSettings();
    TCollectedMessages messages;
    TfrmOptions dialog(settings, messages);
    dialog.edtSentPerc->clear();
    QTest::keyClicks(dialog.edtSentPerc, u"-1a 2"_s);
    EXPECT_EQ(dialog.edtSentPerc->text(), u"12"_s);
    dialog.edtParaPerc->clear();
    QTest::keyClicks(dialog.edtParaPerc, u"-1a"_s);
    EXPECT_EQ(dialog.edtParaPerc->text(), u"-1a"_s);
}

TEST(OptionsDialog, OkStoresEveryControl)
{
    TAppSettings settings = DefaultSettings();
    TAppSettings expected = settings;
    TCollectedMessages messages;
    TfrmOptions dialog(settings, messages);
    dialog.show();

    dialog.rbSentPos->setChecked(true);
    dialog.edtSentPerc->setText(u"7"_s); // converted although positions are used
    dialog.edtSentPos->setText(u"1 2# Other"_s);
    dialog.edtParaPerc->setText(u"+5"_s);
    dialog.edtParaPos->setText(u"not tested"_s);
    dialog.rbSectPos->setChecked(true);
    dialog.edtSectPos->setText(u" 3 # "_s);
    dialog.edtTextPerc->setText(u"100"_s);
    dialog.edtStar->setText(u"**"_s);
    dialog.edtQuestion->setText(u" ?"_s);
    dialog.edtPercent->clear();
    dialog.edtAmpersant->setText(u"/"_s);
    dialog.edtAt->setText(u"~"_s);
    dialog.edtAtMin->setText(u"0"_s);
    dialog.edtAtMax->setText(u"20"_s);
    dialog.edtWrdDelims->setText(u" ,."_s);
    dialog.rbCharacters->setChecked(true);
    dialog.cbSkipTags->setChecked(false);
    dialog.cbForwardPreffered->setChecked(false);
    dialog.edtExclSent->setText(u"3"_s);
    dialog.edtExclPara->setText(u"2"_s);
    dialog.cbCaseSensitive->setChecked(true);
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);

    expected.SentType = 2;
    expected.SentPercentBins = 7;
    expected.SentPositions = u"1 2# Other"_s;
    expected.ParaPercentBins = 5;
    expected.ParaPositions = u"not tested"_s;
    expected.SectType = 2;
    expected.SectPositions = u" 3 # "_s;
    expected.TextPercentBins = 100;
    expected.wcStar = u"**"_s;
    expected.wcQuestion = u" ?"_s;
    expected.wcPercent = QString();
    expected.sdAmpersant = u"/"_s;
    expected.sdAt = u"~"_s;
    expected.sdAtMinWords = 0;
    expected.sdAtMaxWords = 20;
    expected.WrdDelims = u" ,."_s;
    expected.soWords = false;
    expected.soSkipTags = false;
    expected.soForwardBinsPreffered = false;
    expected.ExclSentLessThan = 3;
    expected.ExclParaLessThan = 2;
    expected.soCaseSensitive = true;
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(messages.Warnings.isEmpty());
    EXPECT_TRUE(settings == expected);
}

// A type that is neither 1 nor 2 selects no button and comes back as 2.
TEST(OptionsDialog, OkWithoutChangesKeepsTheSettings)
{
    TAppSettings settings = DefaultSettings();
    settings.ParaType = 2;
    settings.SectType = 5;
    settings.soWords = false;
    settings.ExclSentLessThan = 4;
    TAppSettings expected = settings;
    expected.SectType = 2;
    EXPECT_EQ(WarningsAfterOk(settings, [](TfrmOptions&) {}), QStringList());
    EXPECT_TRUE(settings == expected);
}

TEST(OptionsDialog, CancelStoresNothing)
{
    TAppSettings settings = DefaultSettings();
    const TAppSettings before = settings;
    TCollectedMessages messages;
    TfrmOptions dialog(settings, messages);
    dialog.show();
    dialog.rbSentPos->setChecked(true);
    dialog.edtStar->setText(u"!"_s);
    dialog.edtAtMax->setText(u"5"_s);
    dialog.cbCaseSensitive->setChecked(true);
    QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(settings == before);
    EXPECT_TRUE(messages.Warnings.isEmpty());
}

// A refused OK leaves the dialog open for a correction.
TEST(OptionsDialog, RefusedOkKeepsTheDialogOpen)
{
    TAppSettings settings = DefaultSettings();
    TCollectedMessages messages;
    TfrmOptions dialog(settings, messages);
    dialog.show();
    dialog.edtAtMax->setText(u"50"_s);
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Warnings.size(), 1);
    dialog.edtAtMax->setText(u"20"_s);
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.sdAtMaxWords, 20);
}

// A number of bins or a list of positions that the distribution does not use
// is not validated; one that does not convert, or that a settings file could
// not hold, keeps its old value, so that the saved file loads again.
// Everything else is stored.
TEST(OptionsDialog, UnusedBinsAFileCouldNotHoldKeepTheirOldValue)
{
    TAppSettings settings = DefaultSettings();
    settings.ParaPercentBins = 9;
    TAppSettings expected = settings;
    const auto edit = [](TfrmOptions& d) {
        d.edtStar->setText(u"#"_s);
        d.rbParaPos->setChecked(true);
        d.edtParaPerc->setText(u"abc"_s);
        d.edtParaPos->setText(u"1 Other"_s);
        d.rbSectPos->setChecked(true);
        d.edtSectPerc->setText(u"2000000000"_s);
        d.edtSentPos->setText(u"-1 Other"_s);
        d.edtTextPos->setText(u"2 2147483648#"_s);
        d.edtTextPerc->setText(u"4"_s);
        d.edtWrdDelims->setText(u"."_s);
        d.cbCaseSensitive->setChecked(true);
    };
    EXPECT_EQ(WarningsAfterOk(settings, edit), QStringList());
    expected.wcStar = u"#"_s;
    expected.ParaType = 2;
    expected.ParaPositions = u"1 Other"_s;
    expected.SectType = 2;
    expected.TextPercentBins = 4;
    expected.WrdDelims = u"."_s;
    expected.soCaseSensitive = true;
    EXPECT_TRUE(settings == expected);
}
