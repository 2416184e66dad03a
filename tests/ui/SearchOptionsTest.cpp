// The search options dialog: the pattern history, what OK stores, the
// examples built from the settings, and the last pattern of each syntax.
#include "../DefaultSettings.h"
#include "../TestSupport.h"
#include "TAppSettings.h"
#include "uSearchOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The history after OK with pattern typed into a dialog over history.
QStringList HistoryAfterOk(const QStringList& history, const QString& pattern)
{
    TAppSettings settings = DefaultSettings();
    settings.swPatternHistory = history;
    TfrmSearchOptions dialog(settings);
    dialog.cbPattern->setEditText(pattern);
    dialog.btnOkClick();
    return settings.swPatternHistory;
}

QStringList Numbered(int from, int to)
{
    QStringList patterns;
    for (int i = from; i <= to; ++i)
        patterns.append(u"p%1"_s.arg(i));
    return patterns;
}

} // namespace

TEST(SearchOptions, HistoryKeepsTwentyPatternsWithoutCaseDuplicates)
{
    const struct {
        QStringList Before;
        QString Pattern;
        QStringList After;
    } cases[] = {
        {{u"cat"_s, u"Table"_s, u"dog"_s}, u"table"_s, {u"table"_s, u"cat"_s, u"dog"_s}},
        {Numbered(1, 20), u"new"_s, QStringList{u"new"_s} + Numbered(1, 19)},
        {{u"cat"_s}, u"   "_s, {u"cat"_s}},
        {{u"cat"_s}, QString(), {u"cat"_s}},
        {{}, u" a cat "_s, {u" a cat "_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HistoryAfterOk(c.Before, c.Pattern), c.After) << c.Pattern.toStdString();
}

TEST(SearchOptions, OkStoresTheChoicesAndCancelNothing)
{
    TAppSettings settings = DefaultSettings();
    {
        TfrmSearchOptions dialog(settings);
        dialog.rbRegExp->setChecked(true);
        dialog.cbPattern->setEditText(u"   "_s);
        dialog.cbSection->setChecked(false);
        dialog.rbOnlyActive->setChecked(true);
        dialog.btnOkClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(settings.swSyntax, ssRegularExpression);
    EXPECT_EQ(settings.stRegEx, u"   "_s);
    EXPECT_EQ(settings.swArea, 2);
    EXPECT_TRUE(settings.srSent && settings.srPara && !settings.srSect && settings.srText);

    TfrmSearchOptions dialog(settings);
    EXPECT_TRUE(dialog.rbRegExp->isChecked() && dialog.rbOnlyActive->isChecked());
    EXPECT_FALSE(dialog.cbSection->isChecked());
    dialog.rbWordTag->setChecked(true);
    dialog.cbPattern->setEditText(u"x"_s);
    dialog.reject();
    EXPECT_EQ(settings.swSyntax, ssRegularExpression);
    EXPECT_TRUE(settings.stWordTag.isEmpty());
}

TEST(SearchOptions, ExamplesShowTheCharactersOfTheSettings)
{
    TAppSettings settings = DefaultSettings();
    settings.swSyntax = ssWordPhrase;
    TfrmSearchOptions dialog(settings);
    EXPECT_EQ(dialog.lblExample->text(),
              u"e.g. \"colo%r table\", \"post office?\", \"computer @ program\""_s);
    dialog.rbRegExp->setChecked(true);
    EXPECT_EQ(dialog.lblExample->text(),
              u"e.g. \"\\b[A-Z0-9._%+-]\", \"reg(ular expressions?|ex(p|es)?)\""_s);
    dialog.rbWordTag->setChecked(true);
    EXPECT_EQ(dialog.lblExample->text(), u"e.g. \"colo%r&NN1 table&NN1\", \"post& office?&N*\""_s);
    EXPECT_EQ(dialog.lblExample->textFormat(), Qt::PlainText); // "&" marks no access key

    settings.sdAmpersant = u"/"_s;
    settings.wcPercent = u"#"_s;
    TfrmSearchOptions changed(settings);
    changed.rbWordTag->setChecked(true);
    EXPECT_EQ(changed.lblExample->text(), u"e.g. \"colo#r/NN1 table/NN1\", \"post/ office?/N*\""_s);
}

// What the user types is what OK stores, whatever the history holds: typed
// and confirmed with Enter as a user does.
TEST(SearchOptions, EnterKeepsTheTypedPattern)
{
    const struct {
        QString History;
        QString Typed;
    } cases[] = {
        {u"the&AT"_s, u"the"_s},
        {u"Table"_s, u"table"_s},
        {u"the"_s, u"the"_s},
    };
    for (const auto& c : cases) {
        TAppSettings settings = DefaultSettings();
        settings.swSyntax = ssWordPhrase;
        settings.stWordPhrase.clear();
        settings.swPatternHistory = {c.History};
        TfrmSearchOptions dialog(settings);
        dialog.show();
        QTest::keyClicks(dialog.cbPattern->lineEdit(), c.Typed);
        QTest::keyClick(dialog.cbPattern->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.History.toStdString();
        EXPECT_EQ(settings.stWordPhrase, c.Typed) << c.History.toStdString();
    }
}

// Until the user types, changing the syntax brings its last pattern; after
// that the typed text stays and only the example changes.
TEST(SearchOptions, LastPatternOfEachSyntaxUntilTheUserTypes)
{
    TAppSettings settings = DefaultSettings();
    settings.swSyntax = ssWordPhrase;
    settings.stWordPhrase = u"cat"_s;
    settings.stRegEx = u"c.t"_s;
    settings.stWordTag = u"cat&NN"_s;
    TfrmSearchOptions dialog(settings);
    EXPECT_EQ(dialog.PatternText(), u"cat"_s);
    dialog.rbRegExp->setChecked(true);
    EXPECT_EQ(dialog.PatternText(), u"c.t"_s);

    QTest::keyClick(dialog.cbPattern->lineEdit(), Qt::Key_End);
    QTest::keyClick(dialog.cbPattern->lineEdit(), Qt::Key_S);
    dialog.rbWordTag->setChecked(true);
    EXPECT_EQ(dialog.PatternText(), u"c.ts"_s);
    EXPECT_TRUE(dialog.lblExample->text().contains(u"&NN1"_s));
}
