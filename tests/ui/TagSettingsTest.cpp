// The tag settings dialogs: the one-character fields (what they refuse, the
// leave check, stored values longer than one character), the two exclusive
// check boxes of the part-of-speech dialog, and what OK and Cancel store.
#include "../CollectedMessages.h"
#include "../DefaultSettings.h"
#include "../TestSupport.h"
#include "OneCharEdit.h"
#include "TAppSettings.h"
#include "uNormalTags.h"
#include "uPartOfSpeechTags.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString LeaveError = u"Invalid input value.  Use escape key to abandon changes"_s;

// Shows dialog as the active window, so that focus and keys reach it.
void ShowActive(QDialog& dialog)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Types text into widget, one key per character; a character outside the
// Basic Multilingual Plane comes as one key, as the keyboard sends it.
void Type(QWidget* widget, const QString& text)
{
    for (char32_t c : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                            Qt::NoModifier);
}

// Replaces the whole text of edit by typing text, as a user does.
void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    Type(edit, text);
}

// A click on the square of box; its middle may lie beyond its caption.
void Click(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

// Settings whose ps fields differ from the defaults everywhere.
TAppSettings PartOfSpeechSettings()
{
    TAppSettings settings = DefaultSettings();
    settings.psEmbeddedInWord = false;
    settings.psOutsideOfWord = true;
    settings.psDelimeter = u"_"_s;
    settings.psTagsStart = {u"<w"_s, u"<c"_s, QString(), u"<pc"_s};
    settings.psTagStop = u"]"_s;
    settings.psBeforeWord = true;
    return settings;
}

// What the check boxes and panels of dialog show; labels are drawn in the
// disabled text colour exactly when they are disabled.
struct TBoxState {
    bool Embedded;
    bool Outside;

    void ExpectShownBy(const TfrmPartOfSpeechTags& dialog) const
    {
        EXPECT_EQ(dialog.EmbededCB->isChecked(), Embedded);
        EXPECT_EQ(dialog.OutsideCB->isChecked(), Outside);
        EXPECT_EQ(dialog.EmbededPanel->isEnabled(), Embedded);
        EXPECT_EQ(dialog.DelimiterEdit->isEnabled(), Embedded);
        EXPECT_EQ(dialog.DelimiterLabel->isEnabled(), Embedded);
        EXPECT_EQ(dialog.OutsidePanel->isEnabled(), Outside);
        for (QWidget* widget :
             {static_cast<QWidget*>(dialog.TagStartLabel),
              static_cast<QWidget*>(dialog.TagStopLabel),
              static_cast<QWidget*>(dialog.TagStartGrid), static_cast<QWidget*>(dialog.TagStopEdit),
              static_cast<QWidget*>(dialog.OutsideBeforeCB)})
            EXPECT_EQ(widget->isEnabled(), Outside) << widget->metaObject()->className();
    }
};

} // namespace

TEST(OneCharEdit, RefusesEveryEditThatLeavesMoreThanOneCharacter)
{
    const QString smiley = u"\U0001F600"_s; // two UTF-16 code units, one character
    const struct {
        QString Loaded;
        std::function<void(TOneCharEdit&)> Edit;
        QString After;
    } cases[] = {
        {QString(), [](TOneCharEdit& e) { Type(&e, u"ab"_s); }, u"a"_s},
        {u"<"_s, [](TOneCharEdit& e) { Type(&e, u"b"_s); }, u"<"_s},
        {u"<"_s, [](TOneCharEdit& e) { Retype(&e, u"[x"_s); }, u"["_s},
        {QString(), [](TOneCharEdit& e) { e.insert(u"xy"_s); }, QString()}, // a paste
        {QString(), [&](TOneCharEdit& e) { e.insert(smiley); }, smiley},
        {QString(), [&](TOneCharEdit& e) { Type(&e, smiley + u"a"_s); }, smiley},
        {smiley, [](TOneCharEdit& e) { e.insert(u"a"_s); }, smiley},
        // A stored longer value takes no more characters; a Backspace only
        // where it leaves one.
        {u"/>"_s, [](TOneCharEdit& e) { Type(&e, u"x"_s); }, u"/>"_s},
        {u"/>"_s, [](TOneCharEdit& e) { e.insert(u"x"_s); }, u"/>"_s},
        {u"/>"_s, [](TOneCharEdit& e) { QTest::keyClick(&e, Qt::Key_Backspace); }, u"/"_s},
        {u"<!--"_s, [](TOneCharEdit& e) { QTest::keyClick(&e, Qt::Key_Backspace); }, u"<!--"_s},
        {u"<<"_s, [](TOneCharEdit& e) { Retype(&e, u"{"_s); }, u"{"_s},
    };
    for (const auto& c : cases) {
        TCollectedMessages messages;
        TOneCharEdit edit(messages);
        edit.Load(c.Loaded);
        edit.end(false);
        c.Edit(edit);
        EXPECT_EQ(edit.text(), c.After) << c.Loaded.toStdString();
        EXPECT_TRUE(edit.HasValidValue()) << c.Loaded.toStdString();
    }
}

// Only a value the user has made is judged: an emptied field is not valid, a
// stored value left alone is, whatever its length.
TEST(OneCharEdit, LeaveCheckAcceptsOneCharacterOrTheStoredValue)
{
    const struct {
        QString Loaded;
        int Backspaces;
        bool Valid;
    } cases[] = {
        {u"<"_s, 0, true},  {u"<"_s, 1, false},  {u"<<<"_s, 0, true},
        {u"<<"_s, 1, true}, {u"<<"_s, 2, false}, {QString(), 0, true},
    };
    for (const auto& c : cases) {
        TCollectedMessages messages;
        TOneCharEdit edit(messages);
        edit.Load(c.Loaded);
        edit.end(false);
        for (int i = 0; i < c.Backspaces; ++i)
            QTest::keyClick(&edit, Qt::Key_Backspace);
        EXPECT_EQ(edit.CheckValue(), c.Valid) << c.Loaded.toStdString() << " " << c.Backspaces;
        EXPECT_EQ(messages.Errors, c.Valid ? QStringList() : QStringList{LeaveError});
    }
}

TEST(OneCharEdit, LeavingAnEmptyFieldIsAnErrorAndKeepsTheFocus)
{
    TAppSettings settings = DefaultSettings();
    TCollectedMessages messages;
    TfrmNormalTags dialog(settings, messages);
    ShowActive(dialog);
    const std::function<void()> leaves[] = {
        [&] { QTest::keyClick(dialog.edtTagStart, Qt::Key_Tab); },
        [&] { QTest::mouseClick(dialog.edtTagStop, Qt::LeftButton); },
    };
    for (const auto& leave : leaves) {
        messages.Errors.clear();
        Retype(dialog.edtTagStart, QString());
        leave();
        EXPECT_EQ(messages.Errors, QStringList{LeaveError});
        EXPECT_EQ(QApplication::focusWidget(), dialog.edtTagStart);
    }

    messages.Errors.clear();
    Type(dialog.edtTagStart, u"["_s);
    QTest::keyClick(dialog.edtTagStart, Qt::Key_Tab);
    EXPECT_TRUE(messages.Errors.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), dialog.edtTagStop);
}

// OK, by the button or the Return key, while a field is not valid: the error,
// the focus in that field, nothing stored and the dialog still open.
TEST(OneCharEdit, OkWithAFieldNotValidStoresNothing)
{
    const TAppSettings before = PartOfSpeechSettings();
    TAppSettings settings = before;
    TCollectedMessages messages;
    TfrmPartOfSpeechTags dialog(settings, messages);
    ShowActive(dialog);
    dialog.OutsideBeforeCB->setChecked(false);
    Retype(dialog.TagStopEdit, QString());
    QTest::mouseClick(dialog.OkBtn, Qt::LeftButton);
    QTest::keyClick(dialog.TagStopEdit, Qt::Key_Return);
    EXPECT_EQ(messages.Errors, QStringList(2, LeaveError));
    EXPECT_EQ(QApplication::focusWidget(), dialog.TagStopEdit);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(settings, before);

    TAppSettings tags = DefaultSettings();
    TfrmNormalTags normal(tags, messages);
    ShowActive(normal);
    Retype(normal.edtTagStop, u"]"_s);
    Retype(normal.edtTagStart, QString());
    QTest::keyClick(normal.edtTagStart, Qt::Key_Return);
    EXPECT_EQ(messages.Errors.size(), 3);
    EXPECT_TRUE(normal.isVisible());
    EXPECT_EQ(tags, DefaultSettings());
}

TEST(NormalTags, OkStoresBothFieldsAndKeepsStoredLongerValues)
{
    const struct {
        QString Start, Stop;   // stored before
        QString TypedStart;    // typed over the whole field; null: left alone
        QString Start2, Stop2; // stored after OK
    } cases[] = {
        {u"<"_s, u">"_s, u"["_s, u"["_s, u">"_s},
        {u"<<"_s, u">>"_s, QString(), u"<<"_s, u">>"_s},
        {u"<<"_s, u">>"_s, u"{"_s, u"{"_s, u">>"_s},
        {u"<"_s, u">"_s, u"\U0001F600"_s, u"\U0001F600"_s, u">"_s},
    };
    for (const auto& c : cases) {
        TAppSettings settings = DefaultSettings();
        settings.TagStart = c.Start;
        settings.TagStop = c.Stop;
        TCollectedMessages messages;
        TfrmNormalTags dialog(settings, messages);
        ShowActive(dialog);
        EXPECT_EQ(dialog.edtTagStop->text(), c.Stop);
        if (!c.TypedStart.isNull())
            Retype(dialog.edtTagStart, c.TypedStart);
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        TAppSettings expected = DefaultSettings();
        expected.TagStart = c.Start2;
        expected.TagStop = c.Stop2;
        EXPECT_EQ(settings, expected) << c.Start.toStdString();
        EXPECT_TRUE(messages.Errors.isEmpty());
    }
}

// A stored value is shown whole, however long.
TEST(NormalTags, FieldIsWideEnoughForTheStoredValue)
{
    TAppSettings settings = DefaultSettings();
    settings.TagStart = u"<!--WWWWWW"_s;
    TCollectedMessages messages;
    TfrmNormalTags dialog(settings, messages);
    ShowActive(dialog);
    const QLineEdit* edit = dialog.edtTagStart;
    EXPECT_GT(edit->width(), edit->fontMetrics().horizontalAdvance(settings.TagStart));
    EXPECT_LE(dialog.edtTagStop->width(), edit->width());
}

// Esc and a click on Cancel close the dialogs without a word, even with a
// field left empty.
TEST(TagSettings, CancelStoresNothing)
{
    const TAppSettings before = PartOfSpeechSettings();
    for (bool byEscape : {true, false}) {
        TAppSettings settings = before;
        TCollectedMessages messages;
        TfrmPartOfSpeechTags tags(settings, messages);
        ShowActive(tags);
        Click(tags.EmbededCB);
        tags.TagStartGrid->item(0, 0)->setText(u"<x"_s);
        Retype(tags.DelimiterEdit, QString());
        if (byEscape)
            QTest::keyClick(tags.DelimiterEdit, Qt::Key_Escape);
        else
            QTest::mouseClick(tags.CancelBtn, Qt::LeftButton);
        EXPECT_EQ(tags.result(), QDialog::Rejected);
        EXPECT_FALSE(tags.isVisible());

        TfrmNormalTags normal(settings, messages);
        ShowActive(normal);
        Retype(normal.edtTagStop, QString());
        if (byEscape)
            QTest::keyClick(normal.edtTagStop, Qt::Key_Escape);
        else
            QTest::mouseClick(normal.btnCancel, Qt::LeftButton);
        EXPECT_EQ(normal.result(), QDialog::Rejected);
        EXPECT_FALSE(normal.isVisible());

        EXPECT_EQ(settings, before);
        EXPECT_TRUE(messages.Errors.isEmpty());
    }
}

TEST(PartOfSpeechTags, CheckBoxesExcludeEachOtherAndEnableTheirPanels)
{
    TAppSettings settings = DefaultSettings();
    TCollectedMessages messages;
    TfrmPartOfSpeechTags dialog(settings, messages);
    ShowActive(dialog);
    TBoxState{false, true}.ExpectShownBy(dialog);
    const struct {
        QCheckBox* Box;
        TBoxState After;
    } clicks[] = {
        {dialog.EmbededCB, {true, false}}, {dialog.EmbededCB, {false, false}},
        {dialog.OutsideCB, {false, true}}, {dialog.OutsideCB, {false, false}},
        {dialog.EmbededCB, {true, false}}, {dialog.OutsideCB, {false, true}},
    };
    for (const auto& click : clicks) {
        Click(click.Box);
        click.After.ExpectShownBy(dialog);
    }
}

TEST(PartOfSpeechTags, OpensFromTheSettings)
{
    const struct {
        bool Embedded, Outside;
        TBoxState Shown;
    } cases[] = {
        {false, false, {false, false}},
        {true, false, {true, false}},
        {false, true, {false, true}},
        {true, true, {false, true}},
    };
    for (const auto& c : cases) {
        TAppSettings settings = PartOfSpeechSettings();
        settings.psEmbeddedInWord = c.Embedded;
        settings.psOutsideOfWord = c.Outside;
        TCollectedMessages messages;
        TfrmPartOfSpeechTags dialog(settings, messages);
        c.Shown.ExpectShownBy(dialog);
        EXPECT_EQ(dialog.DelimiterEdit->text(), u"_"_s);
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(dialog.TagStartGrid->item(row, 0)->text(), settings.psTagsStart[row]);
        EXPECT_EQ(dialog.TagStopEdit->text(), u"]"_s);
        EXPECT_TRUE(dialog.OutsideBeforeCB->isChecked());
    }
}

// Each change made in the dialog lands in its own field and nowhere else; the
// values of a disabled panel are stored too.
TEST(PartOfSpeechTags, OkStoresEachValue)
{
    using TDialog = TfrmPartOfSpeechTags;
    const struct {
        const char* Name;
        std::function<void(TDialog&)> Change;
        std::function<void(TAppSettings&)> Expect;
    } cases[] = {
        {"nothing", [](TDialog&) {}, [](TAppSettings&) {}},
        {"both unchecked", [](TDialog& d) { Click(d.OutsideCB); },
         [](TAppSettings& s) { s.psOutsideOfWord = false; }},
        {"embedded",
         [](TDialog& d) {
             Click(d.EmbededCB);
             Retype(d.DelimiterEdit, u"/"_s);
         },
         [](TAppSettings& s) {
             s.psEmbeddedInWord = true;
             s.psOutsideOfWord = false;
             s.psDelimeter = u"/"_s;
         }},
        {"tag start row", [](TDialog& d) { d.TagStartGrid->item(2, 0)->setText(u"<phr"_s); },
         [](TAppSettings& s) { s.psTagsStart[2] = u"<phr"_s; }},
        {"tag start emptied", [](TDialog& d) { d.TagStartGrid->item(0, 0)->setText(QString()); },
         [](TAppSettings& s) { s.psTagsStart[0].clear(); }},
        {"tag stop", [](TDialog& d) { Retype(d.TagStopEdit, u"}"_s); },
         [](TAppSettings& s) { s.psTagStop = u"}"_s; }},
        {"before word", [](TDialog& d) { Click(d.OutsideBeforeCB); },
         [](TAppSettings& s) { s.psBeforeWord = false; }},
    };
    for (const auto& c : cases) {
        TAppSettings settings = PartOfSpeechSettings();
        TCollectedMessages messages;
        TDialog dialog(settings, messages);
        ShowActive(dialog);
        c.Change(dialog);
        QTest::mouseClick(dialog.OkBtn, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.Name;
        TAppSettings expected = PartOfSpeechSettings();
        c.Expect(expected);
        EXPECT_EQ(settings, expected) << c.Name;
    }
}

// A click on OK leaves the focus in the grid's editor, which has not handed
// its text to the row yet.
TEST(PartOfSpeechTags, OkTakesTheTagStartStillBeingTyped)
{
    TAppSettings settings = PartOfSpeechSettings();
    TCollectedMessages messages;
    TfrmPartOfSpeechTags dialog(settings, messages);
    ShowActive(dialog);
    dialog.TagStartGrid->setFocus();
    dialog.TagStartGrid->setCurrentCell(2, 0);
    Type(dialog.TagStartGrid, u"<"_s); // opens the editor
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && dialog.TagStartGrid->isAncestorOf(editor));
    Type(editor, u"s"_s);
    QTest::mouseClick(dialog.OkBtn, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.psTagsStart[2], u"<s"_s);
}

TEST(PartOfSpeechTags, StoredLongerTagStopIsKeptUnlessEdited)
{
    for (bool edited : {false, true}) {
        TAppSettings settings = PartOfSpeechSettings();
        settings.psTagStop = u"/>"_s;
        settings.psDelimeter = u"::"_s;
        TCollectedMessages messages;
        TfrmPartOfSpeechTags dialog(settings, messages);
        ShowActive(dialog);
        EXPECT_EQ(dialog.TagStopEdit->text(), u"/>"_s);
        if (edited) {
            dialog.TagStopEdit->setFocus();
            dialog.TagStopEdit->end(false);
            QTest::keyClick(dialog.TagStopEdit, Qt::Key_Backspace);
        }
        QTest::mouseClick(dialog.OkBtn, Qt::LeftButton);
        EXPECT_EQ(settings.psTagStop, edited ? u"/"_s : u"/>"_s);
        EXPECT_EQ(settings.psDelimeter, u"::"_s);
        EXPECT_TRUE(messages.Errors.isEmpty());
    }
}
