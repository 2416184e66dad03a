#include "../TestText.h"
#include "RegexSearch.h"

#include "MatcherTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList RegexHits(const QString& expression, const QString& text)
{
    return FindHits(expression, text, DefaultSettings(), ssRegularExpression);
}

} // namespace

TEST(RegexSearch, TakesNonEmptyMatchesOneAfterTheOther)
{
    const struct {
        QString Expression;
        QString Text;
        QStringList Hits;
    } cases[] = {
        {u"aa"_s, u"aaaa"_s, {u"aa@1"_s, u"aa@3"_s}},
        {u"b*"_s, u"abba b"_s, {u"bb@2"_s, u"b@6"_s}}, // empty matches are rejected
        {u"^a"_s, u"a\na"_s, {u"a@1"_s}},              // ^ is the start of the window
        {u"(?m)^a"_s, u"a\na\r\na"_s, {u"a@1"_s, u"a@3"_s, u"a@6"_s}},
        {u"Table"_s, u"table Table"_s, {u"Table@7"_s}},
        {u"(?i)Table"_s, u"table"_s, {u"table@1"_s}},
        {u"a.c"_s, u"a\nc abc"_s, {u"abc@5"_s}},
        // Positions count UTF-16 units: two for a character beyond the BMP.
        {u"c.t"_s, u"\u00E9\U0001F600 cat c\U0001F600t"_s, {u"cat@5"_s, u"c\U0001F600t@9"_s}},
        {u"c..t"_s, u"c\U0001F600t"_s, {}},
        {u"\U0001F600+"_s, u"x\U0001F600\U0001F600y"_s, {u"\U0001F600\U0001F600@2"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegexHits(c.Expression, c.Text), c.Hits)
            << c.Expression.toStdString() << " in " << c.Text.toStdString();
}

TEST(RegexSearch, UnpairedSurrogatesAreSearchedAround)
{
    const QString text = u"a"_s + QChar(0xD800) + u"bc"_s + QChar(0xDC00) + u"d"_s;
    EXPECT_EQ(RegexHits(u"b."_s, text), QStringList{u"bc@3"_s});
    EXPECT_EQ(RegexHits(u"c.d"_s, text), QStringList{u"c"_s + QChar(0xDC00) + u"d@4"_s});
}

TEST(RegexSearch, AMatchPassedOverIsReplacedByTheNextOne)
{
    const TTestText text(u"ab ab ab"_s);
    const TCompiledRegex ab(u"ab"_s);
    TRegexSearch regex(ab);
    regex.SetWindow(text.View());
    EXPECT_EQ(regex.PendingStart(), 1);
    EXPECT_EQ(regex.TakeAt(2), 0); // the scan is past the match at 1
    EXPECT_EQ(regex.PendingStart(), 4);
    EXPECT_EQ(regex.TakeAt(4), 5);
    EXPECT_EQ(regex.PendingStart(), 7);
}

// The pending match moves with the window; one the scan passed is dropped.
TEST(RegexSearch, PendingMatchMovesWithTheWindow)
{
    const TTestText before(u"xx ab"_s);
    const TTestText after(u"ab ab"_s);
    const TCompiledRegex ab(u"ab"_s);
    TRegexSearch regex(ab);
    regex.SetWindow(before.View());
    ASSERT_EQ(regex.PendingStart(), 4);
    regex.ShiftWindow(after.View(), 4, 3); // still ahead of the scan
    EXPECT_EQ(regex.PendingStart(), 1);
    EXPECT_EQ(regex.TakeAt(1), 2);
    EXPECT_EQ(regex.PendingStart(), 4);

    regex.SetWindow(before.View());
    regex.ShiftWindow(after.View(), 5, 3); // behind it: the new window is searched
    EXPECT_EQ(regex.PendingStart(), 1);
}

TEST(RegexSearch, CompileErrorsInTheEnginesWords)
{
    const std::pair<QString, QString> cases[] = {
        {u""_s, u"TPerlRegEx.Compile() - Please specify a regular expression in RegEx first"_s},
        {u"(a"_s,
         u"TPerlRegEx.Compile() - Error in regex at offset 2: missing closing parenthesis"_s},
        {u"\u00E9[z-a]"_s,
         u"TPerlRegEx.Compile() - Error in regex at offset 5: range out of order in character class"_s},
    };
    for (const auto& [expression, error] : cases) {
        const TCompiledRegex regex(expression);
        EXPECT_FALSE(regex.IsValid());
        EXPECT_EQ(regex.ErrorText(), error);
    }
}

TEST(RegexSearch, BacktrackingWithoutEndFailsOnce)
{
    const TTestText text(QString(40, u'a') + u"b aaa"_s);
    const TCompiledRegex expression(u"(a+)+$"_s);
    TRegexSearch regex(expression);
    QStringList failures;
    regex.OnFailure = [&](const QString& message) { failures.append(message); };
    regex.SetWindow(text.View());
    EXPECT_EQ(regex.PendingStart(), 0);
    EXPECT_EQ(regex.TakeAt(43), 0);
    EXPECT_EQ(failures, QStringList{u"match limit exceeded"_s});
}
