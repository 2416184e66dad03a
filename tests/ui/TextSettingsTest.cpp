// The text settings dialog with its sentence options and exceptions dialogs,
// driven through their controls: what they show and store, Cancel at each
// level, the exception list's commands and files, and types the combos lack.
#include "../CollectedMessages.h"
#include "../DefaultSettings.h"
#include "../TestSupport.h"
#include "ConcSentExceptions.h"
#include "ConcSentOptions.h"
#include "ScriptedUser.h"
#include "SettingsFields.h"
#include "TAppSettings.h"
#include "uTextSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

// The names of the fields in which a and b differ.
QStringList DifferentFields(const TAppSettings& a, const TAppSettings& b)
{
    QStringList names;
    for (const TSettingsField& field : SettingsFields)
        std::visit(
            [&](auto member) {
                if (!(a.*member == b.*member))
                    names.append(field.Name.toString());
            },
            field.Member);
    return names;
}

// A step that answers a nested dialog of type Form: act on it, then report
// how it was closed (Rejected unless act pressed OK).
template <typename Form>
std::function<int(QDialog&)> Answer(std::function<void(Form&)> act)
{
    return [act](QDialog& dialog) {
        auto& form = dynamic_cast<Form&>(dialog);
        act(form);
        return form.result();
    };
}

// Also remembers what the input dialog asked.
class TRecordingUser : public TScriptedUser {
public:
    QStringList InputDialogs; // caption and prompt of each
    bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                   QString& text) override
    {
        InputDialogs.append(caption + u'|' + prompt + u'|' + text);
        return TScriptedUser::InputText(parent, caption, prompt, text);
    }
};

// The exception list sorts in the order of the user's locale; these tests
// expect English order whatever the machine's locale is. Set before anything
// compares, as the default collation is fixed at its first use.
class TEnglishLocale : public ::testing::Environment {
public:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

const auto* const EnglishLocale = ::testing::AddGlobalTestEnvironment(new TEnglishLocale);

struct TFixture {
    TAppSettings Settings = DefaultSettings();
    TRecordingUser User;
    TCollectedMessages Messages;
};

} // namespace

TEST(TextSettings, ShowsTheSettingsAndOkStoresEveryControl)
{
    TFixture f;
    f.Settings.tsSentencesExceptions = {u"z.B."_s, u"e.g."_s};
    const TAppSettings before = f.Settings;
    TfrmTextSettings dialog(f.Settings, f.User, f.Messages);
    EXPECT_EQ(dialog.edtHeadStart->text(), u"<Header>"_s);
    EXPECT_EQ(dialog.edtBodyStop->text(), u"</Body>"_s);
    EXPECT_EQ(dialog.HeadingsCombo->currentIndex(), 1);
    EXPECT_EQ(dialog.HNotebook->currentIndex(), 1);
    EXPECT_EQ(dialog.HPatternEdit->text(), u"<Sec>"_s);
    EXPECT_EQ(dialog.ParagraphsCombo->currentIndex(), 3);
    EXPECT_EQ(dialog.PNotebook->currentIndex(), 3);
    EXPECT_EQ(dialog.SentencesCombo->currentIndex(), 1);
    EXPECT_EQ(dialog.SNotebook->currentIndex(), 1);

    // The options dialog shows the working copies; the list its own copy.
    f.User.DialogSteps.push_back(Answer<TSentenceOptionsForm>([](TSentenceOptionsForm& options) {
        EXPECT_EQ(options.DelimitersEdit->text(), u".?!"_s);
        EXPECT_TRUE(options.SmartAbbrCB->isChecked());
        EXPECT_TRUE(options.TrailingQuotesCB->isChecked());
        EXPECT_FALSE(options.cbCapital->isChecked());
        EXPECT_EQ(options.ExceptionsList, (QStringList{u"z.B."_s, u"e.g."_s}));
        options.DelimitersEdit->setText(u".;"_s);
        options.SmartAbbrCB->setChecked(false);
        options.TrailingQuotesCB->setChecked(false);
        options.cbCapital->setChecked(true);
        options.OKBtn->click();
    }));
    dialog.SOptionsButton->click();
    dialog.edtHeadStart->setText(u"<h>"_s);
    dialog.edtHeadStop->setText(u"</h>"_s);
    dialog.edtBodyStart->setText(QString());
    dialog.edtBodyStop->setText(u"</b>"_s);
    dialog.ParagraphsCombo->setCurrentIndex(0);
    EXPECT_EQ(dialog.PNotebook->currentIndex(), 0);
    dialog.PStartTagEdit->setText(u"<p>"_s);
    dialog.PStopTagEdit->setText(u"</p>"_s);
    dialog.SentencesCombo->setCurrentIndex(0);
    EXPECT_EQ(dialog.SNotebook->currentIndex(), 0);
    dialog.SStartTagEdit->setText(u"<s>"_s);
    dialog.SStopTagEdit->setText(u"</s>"_s);
    dialog.OKBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    TAppSettings expected = before;
    expected.tsHeaderStartTag = u"<h>"_s;
    expected.tsHeaderStopTag = u"</h>"_s;
    expected.tsBodyStartTag = QString();
    expected.tsBodyStopTag = u"</b>"_s;
    expected.tsParagraphsType = 0;
    expected.tsParagraphsStart = u"<p>"_s;
    expected.tsParagraphsStop = u"</p>"_s;
    expected.tsSentencesType = 0;
    expected.tsSentencesStart = u"<s>"_s;
    expected.tsSentencesStop = u"</s>"_s;
    expected.tsSentencesDelimiters = u".;"_s;
    expected.tsSentencesAbbrevDetect = false;
    expected.tsSentencesIncQuotes = false;
    expected.tsSentencesCapital = true;
    EXPECT_EQ(DifferentFields(f.Settings, expected), QStringList());
}

// Only the page of the stored kind is filled; OK takes the start from the page
// of the chosen kind and the stop only from the markers page.
TEST(TextSettings, SectionsTakeTheTextOfTheChosenKind)
{
    const struct {
        int Type;
        int NewType;
        QString Typed; // into the new kind's first edit
        QString Start;
        QString Stop;
    } cases[] = {
        {1, 0, QString(), QString(), QString()},
        {0, 2, u"^Chapter"_s, u"^Chapter"_s, u"</Sec>"_s},
        {2, 1, u"<Sec*>"_s, u"<Sec*>"_s, u"</Sec>"_s},
        {1, 1, QString(), u"<Sec>"_s, u"</Sec>"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type * 10 + c.NewType);
        TFixture f;
        f.Settings.tsSectionsType = c.Type;
        f.Settings.tsSectionsStop = u"</Sec>"_s;
        TfrmTextSettings dialog(f.Settings, f.User, f.Messages);
        QLineEdit* const startEdits[] = {dialog.HStartTagEdit, dialog.HPatternEdit,
                                         dialog.HStartRegExpEdit};
        for (int type = 0; type < 3; ++type)
            EXPECT_EQ(startEdits[type]->text(), type == c.Type ? u"<Sec>"_s : QString());
        EXPECT_EQ(dialog.HStopTagEdit->text(), c.Type == 0 ? u"</Sec>"_s : QString());
        dialog.HeadingsCombo->setCurrentIndex(c.NewType);
        EXPECT_EQ(dialog.HNotebook->currentIndex(), c.NewType);
        if (!c.Typed.isNull())
            startEdits[c.NewType]->setText(c.Typed);
        dialog.OKBtn->click();
        EXPECT_EQ(f.Settings.tsSectionsType, c.NewType);
        EXPECT_EQ(f.Settings.tsSectionsStart, c.Start);
        EXPECT_EQ(f.Settings.tsSectionsStop, c.Stop);
    }
}

// Each dialog hands its changes up only on OK: a Cancel anywhere on the way
// loses what was changed below it.
TEST(TextSettings, CancelAtAnyLevelDiscardsThatLevel)
{
    enum TClose { Ok, Cancel };
    const struct {
        TClose Exceptions;
        TClose Options;
        TClose TextSettings;
        QString Delimiters;
        QStringList List;
    } cases[] = {
        {Ok, Ok, Ok, u"."_s, {u"a.m."_s, u"e.g."_s, u"p.m."_s}},
        {Cancel, Ok, Ok, u"."_s, {u"p.m."_s, u"a.m."_s}},
        {Ok, Cancel, Ok, u".?!"_s, {u"p.m."_s, u"a.m."_s}},
        {Ok, Ok, Cancel, u".?!"_s, {u"p.m."_s, u"a.m."_s}},
    };
    const auto press = [](TClose close, QPushButton* ok, QPushButton* cancel) {
        (close == Ok ? ok : cancel)->click();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Delimiters.toStdString() + c.List.join(u' ').toStdString());
        TFixture f;
        f.Settings.tsSentencesExceptions = {u"p.m."_s, u"a.m."_s};
        f.User.TextAnswers.push_back(u"e.g."_s);
        f.User.DialogSteps.push_back(Answer<TSentenceOptionsForm>([&](TSentenceOptionsForm& o) {
            o.DelimitersEdit->setText(u"."_s);
            o.ExcEditBtn->click();
            press(c.Options, o.OKBtn, o.CancelBtn);
        }));
        f.User.DialogSteps.push_back(
            Answer<TSentenceExceptionsForm>([&](TSentenceExceptionsForm& e) {
                EXPECT_EQ(e.Words(), (QStringList{u"a.m."_s, u"p.m."_s}));
                e.AddBtn->click();
                press(c.Exceptions, e.OKBtn, e.CancelBtn);
            }));
        TfrmTextSettings dialog(f.Settings, f.User, f.Messages);
        dialog.SOptionsButton->click();
        press(c.TextSettings, dialog.OKBtn, dialog.CancelBtn);
        EXPECT_EQ(f.User.DialogsShown, 2);
        EXPECT_EQ(f.Settings.tsSentencesDelimiters, c.Delimiters);
        EXPECT_EQ(f.Settings.tsSentencesExceptions, c.List);
    }
}

// A changed working copy is what the options dialog shows when opened again.
TEST(TextSettings, OptionsOpenedAgainShowTheWorkingCopies)
{
    TFixture f;
    f.User.DialogSteps.push_back(Answer<TSentenceOptionsForm>([](TSentenceOptionsForm& o) {
        o.cbCapital->setChecked(true);
        o.ExceptionsList = {u"x."_s};
        o.OKBtn->click();
    }));
    f.User.DialogSteps.push_back(Answer<TSentenceOptionsForm>([](TSentenceOptionsForm& o) {
        EXPECT_TRUE(o.cbCapital->isChecked());
        EXPECT_EQ(o.ExceptionsList, QStringList{u"x."_s});
    }));
    TfrmTextSettings dialog(f.Settings, f.User, f.Messages);
    dialog.SOptionsButton->click();
    dialog.SOptionsButton->click();
    EXPECT_EQ(f.User.DialogsShown, 2);
    EXPECT_FALSE(f.Settings.tsSentencesCapital);
}

TEST(SentenceExceptions, ListKeepsAlphabeticalOrderThroughItsCommands)
{
    TFixture f;
    TSentenceExceptionsForm dialog(f.User, f.Messages);
    dialog.SetWords({u"Fig."_s, u"e.g."_s, u"\u010C."_s, u"Dr."_s, u"c."_s});
    EXPECT_EQ(dialog.Words(), (QStringList{u"c."_s, u"\u010C."_s, u"Dr."_s, u"e.g."_s, u"Fig."_s}));

    f.User.TextAnswers = {u"d."_s, std::nullopt, u""_s, u"Dr."_s};
    for (int i = 0; i < 4; ++i)
        dialog.AddBtn->click();
    EXPECT_EQ(f.User.InputDialogs[0], u"Add exception|New exception:|"_s);
    EXPECT_EQ(dialog.Words(), (QStringList{u""_s, u"c."_s, u"\u010C."_s, u"d."_s, u"Dr."_s,
                                           u"Dr."_s, u"e.g."_s, u"Fig."_s}));

    dialog.RemoveBtn->click(); // no current line
    EXPECT_EQ(dialog.WordList->count(), 8);
    dialog.WordList->setCurrentRow(3);
    dialog.RemoveBtn->click();
    EXPECT_EQ(dialog.Words(), (QStringList{u""_s, u"c."_s, u"\u010C."_s, u"Dr."_s, u"Dr."_s,
                                           u"e.g."_s, u"Fig."_s}));
    dialog.ClearBtn->click();
    EXPECT_EQ(dialog.WordList->count(), 0);
}

TEST(SentenceExceptions, SavedListLoadsBackAndFileErrorsKeepTheList)
{
    TFixture f;
    TTestFiles files;
    const QString path = files.Path(u"exceptions.txt"_s);
    const QStringList words{u"D\u017E."_s, u"e.g."_s, u"Fig."_s};
    TSentenceExceptionsForm dialog(f.User, f.Messages);
    dialog.SetWords(words);
    f.User.FileNames = {path, path};
    dialog.SaveBtn->click();
    dialog.ClearBtn->click();
    dialog.LoadBtn->click();
    EXPECT_EQ(dialog.Words(), words);
    ASSERT_EQ(f.User.FileDialogsShown.size(), 2);
    const TFileDialogSetup& save = f.User.FileDialogsShown[0];
    const TFileDialogSetup& load = f.User.FileDialogsShown[1];
    EXPECT_EQ(save.Title, u"Save Sentence Delimiters Exceptions"_s);
    EXPECT_EQ(load.Title, u"Load New Sentence Delimiters Exceptions"_s);
    for (const TFileDialogSetup& setup : {save, load}) {
        EXPECT_EQ(setup.Filters, (QStringList{u"Text Files (*.txt)"_s, u"All Files (*)"_s}));
        EXPECT_EQ(setup.DefaultSuffix, u"txt"_s);
    }

    // A loaded file takes the list's order; a cancelled dialog changes nothing.
    f.User.FileNames = {files.Write(u"unsorted.txt"_s, "b.\r\n\r\na.")};
    dialog.LoadBtn->click();
    dialog.LoadBtn->click();
    EXPECT_EQ(dialog.Words(), (QStringList{u""_s, u"a."_s, u"b."_s}));

    const QString missing = files.Path(u"missing.txt"_s);
    const QString inMissingFolder = files.Path(u"no/list.txt"_s);
    f.User.FileNames = {missing, inMissingFolder};
    dialog.LoadBtn->click();
    dialog.SaveBtn->click();
    EXPECT_EQ(dialog.Words(), (QStringList{u""_s, u"a."_s, u"b."_s}));
    ASSERT_EQ(f.Messages.Errors.size(), 2);
    EXPECT_EQ(f.Messages.Errors[0],
              u"Cannot open file \"%1\". No such file or directory"_s.arg(missing));
    EXPECT_TRUE(
        f.Messages.Errors[1].startsWith(u"Cannot create file \"%1\". "_s.arg(inMissingFolder)));
    EXPECT_FALSE(QFile::exists(inMissingFolder));
}

// A type that the combo has no item for shows as the first item; OK keeps it
// (for sections with their texts) until the user picks an item.
TEST(TextSettings, TypeWithoutAnItemIsKeptUntilTheUserChangesTheCombo)
{
    const struct {
        int TAppSettings::*Type;
        int Stored;
        QComboBox* TfrmTextSettings::*Combo;
    } cases[] = {
        {&TAppSettings::tsSectionsType, 7, &TfrmTextSettings::HeadingsCombo},
        {&TAppSettings::tsSectionsType, -1, &TfrmTextSettings::HeadingsCombo},
        {&TAppSettings::tsParagraphsType, 4, &TfrmTextSettings::ParagraphsCombo},
        {&TAppSettings::tsSentencesType, -1, &TfrmTextSettings::SentencesCombo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        for (const bool changed : {false, true}) {
            TFixture f;
            f.Settings.*c.Type = c.Stored;
            f.Settings.tsSectionsStop = u"</Sec>"_s;
            const TAppSettings before = f.Settings;
            TfrmTextSettings dialog(f.Settings, f.User, f.Messages);
            QComboBox* combo = dialog.*c.Combo;
            EXPECT_EQ(combo->currentIndex(), 0);
            if (changed)
                combo->setCurrentIndex(1);
            dialog.OKBtn->click();
            TAppSettings expected = before;
            if (changed) {
                expected.*c.Type = 1;
                if (c.Type == &TAppSettings::tsSectionsType)
                    expected.tsSectionsStart = QString(); // the empty pattern edit
            }
            EXPECT_EQ(DifferentFields(f.Settings, expected), QStringList()) << changed;
        }
    }
}

// Enter anywhere but on a button is OK, Esc is Cancel, in all three dialogs.
TEST(TextSettings, EnterIsOkAndEscIsCancel)
{
    for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
        TFixture f;
        TfrmTextSettings dialog(f.Settings, f.User, f.Messages);
        dialog.show();
        dialog.edtHeadStart->setText(u"<h>"_s);
        QTest::keyClick(dialog.edtHeadStart, static_cast<Qt::Key>(key));
        EXPECT_EQ(dialog.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(f.Settings.tsHeaderStartTag, key == Qt::Key_Return ? u"<h>"_s : u"<Header>"_s);

        TSentenceOptionsForm options(f.User, f.Messages);
        options.show();
        QTest::keyClick(options.DelimitersEdit, static_cast<Qt::Key>(key));
        EXPECT_EQ(options.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);

        TSentenceExceptionsForm exceptions(f.User, f.Messages);
        exceptions.SetWords({u"a."_s});
        exceptions.show();
        QTest::keyClick(exceptions.WordList, static_cast<Qt::Key>(key));
        EXPECT_EQ(exceptions.result(),
                  key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }
}
