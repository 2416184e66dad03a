#include "RegexSearch.h"

#include "../TestText.h"
#include "MatcherTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace Qt::StringLiterals;

namespace {

QStringList RegexHits(const QString& expression, const QString& text)
{
    return FindHits(expression, text, DefaultSettings(), ssRegularExpression);
}

// Searches file through windows of size characters that move on by half, the
// way the analysis offers positions: the window's context is all the text
// before it.
QStringList WindowedHits(const QString& expression, const QString& file, int size, int half)
{
    const std::u16string chars = u'\0' + file.toStdU16String();
    const auto window = [&](int from) {
        const int length = std::min(size, int(file.size()) - from);
        return TWindowText{chars.data() + from, length, from == 0, from,
                           from + size >= file.size()};
    };
    const TCompiledRegex compiled(expression);
    TRegexSearch regex(compiled);
    int from = 0;
    TWindowText text = window(from);
    regex.SetWindow(text);
    QStringList hits;
    for (int p = 1; p <= text.Length || !text.AtFileEnd; ++p) {
        if (p > half && !text.AtFileEnd) {
            from += half;
            text = window(from);
            regex.ShiftWindow(text, p, half);
            p -= half;
        }
        if (const int last = regex.TakeAt(p)) {
            hits.append(file.mid(from + p - 1, last - p + 1) + u'@' + QString::number(from + p));
            p = last;
        }
    }
    return hits;
}

// The hits in window, with context the text before it.
QStringList ContextHits(const QString& expression, const QString& context, const QString& window)
{
    const std::u16string chars = (context + window).toStdU16String();
    const int before = int(context.size());
    const TCompiledRegex compiled(expression);
    TRegexSearch regex(compiled);
    regex.SetWindow({chars.data() + before - 1, int(window.size()), false, before, true});
    QStringList hits;
    for (int p = 1; p <= window.size(); ++p) {
        if (const int last = regex.TakeAt(p)) {
            hits.append(window.mid(p - 1, last - p + 1) + u'@' + QString::number(p));
            p = last;
        }
    }
    return hits;
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
        // One byte of a character would end a hit inside it.
        {u"a\\Cb"_s,
         u"TPerlRegEx.Compile() - Error in regex at offset 3: using \\C is disabled by the application"_s},
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

// The text before the window is the expression's to see; searches begin at
// the window's first position.
TEST(RegexSearch, AssertionsSeeTheContextBeforeTheWindow)
{
    const struct {
        QString Expression;
        QString Context;
        QString Window;
        QStringList Hits;
    } cases[] = {
        {u"^x|\\Ax"_s, u"x"_s, u"xx"_s, {}},
        {u"\\bx"_s, u"x"_s, u"x x"_s, {u"x@3"_s}},
        {u"(?<!x)x"_s, u"x"_s, u"xx"_s, {}},
        {u"(?<=ab)c"_s, u"ab"_s, u"cab c"_s, {u"c@1"_s}},
        // A pair of surrogates split by the window's start is one character.
        {u"(?<=\U0001F600)a"_s, u"x"_s + QChar(0xD83D), QChar(0xDE00) + u"a"_s, {u"a@2"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ContextHits(c.Expression, c.Context, c.Window), c.Hits)
            << c.Expression.toStdString();
}

// Small windows of 8 characters that move on by 4: where a window does not end
// the file, its end is not the end of the text. A match that runs into it is
// cut there, as one that the window finds before the scan reaches the middle.
TEST(RegexSearch, TheWindowsEndIsNotTheEndOfTheFile)
{
    const QString xs = QString(20, u'x') + u'\n';
    const struct {
        QString Expression;
        QString File;
        QStringList Hits;
    } cases[] = {
        {u"^x"_s, xs, {u"x@1"_s}},
        {u"(?<!x)x"_s, xs, {u"x@1"_s}},
        {u"x$"_s, xs, {u"x@20"_s}},
        {u"x\\Z"_s, xs, {u"x@20"_s}},
        {u"x\\z"_s, xs, {}},
        {u"x(?!.)"_s, xs, {u"x@20"_s}},
        {u"x\\b"_s, xs, {u"x@20"_s}},
        {u"x$|x\\Z"_s, u"aaaaaax\nb"_s, {}},
        {u"(?m)x$"_s, u"aaaaaax\nb"_s, {u"x@7"_s}},
        {u"x(?! )"_s, u"aaaaaaax y"_s, {}},
        {u"x(?!y)"_s, u"aaaaaaax y"_s, {u"x@8"_s}},
        {u"x+"_s, xs, {u"xxxxxxxx@1"_s, u"xxxx@9"_s, u"xxxx@13"_s, u"xxxx@17"_s}},
        {u"x+"_s, u"abcde xxxxx f"_s, {u"xx@7"_s, u"xxx@9"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowedHits(c.Expression, c.File, 8, 4), c.Hits)
            << c.Expression.toStdString() << " in " << c.File.toStdString();
}

// \K in a lookaround reached through a subroutine call can put the reported
// start after the match's end or before the search's start.
TEST(RegexSearch, KInALookaroundNeverMovesTheScanBack)
{
    EXPECT_EQ(RegexHits(u"(?=ab(?1))a(\\K)?|c"_s, u"abc c"_s), (QStringList{u"c@3"_s, u"c@5"_s}));
    EXPECT_EQ(RegexHits(u"a|(?<=(?1)..)b(\\K)?"_s, u"aab"_s),
              (QStringList{u"a@1"_s, u"a@2"_s, u"b@3"_s}));
}
