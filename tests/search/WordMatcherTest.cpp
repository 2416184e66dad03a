#include "MatcherTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TCase {
    QString Pattern;
    QString Text;
    QStringList Hits;
};

void ExpectHits(const TCase& c, const TAppSettings& settings)
{
    EXPECT_EQ(FindHits(c.Pattern, c.Text, settings), c.Hits)
        << c.Pattern.toStdString() << " in " << c.Text.toStdString();
}

} // namespace

TEST(WordForm, MatchesConsecutiveWordsWithWildcards)
{
    const TCase cases[] = {
        {u"colo%r table"_s, u"a color table"_s, {u"color table@3"_s}},
        {u"colo%r table"_s, u"Colour Table"_s, {u"Colour Table@1"_s}},
        {u"colo%r table"_s, u"colouur table"_s, {}},
        {u"post office?"_s, u"post offices"_s, {u"post offices@1"_s}},
        {u"post office?"_s, u"post office. post office"_s, {}},
        {u"table"_s, u"vegetables table"_s, {u"table@12"_s}},
        // Hits of a phrase overlap: the search resumes after the first word.
        {u"the *"_s, u"the the cat"_s, {u"the the@1"_s, u"the cat@5"_s}},
        // Delimiters between the words belong to the hit.
        {u"post office"_s, u"post, office"_s, {u"post, office@1"_s}},
        // Line breaks and tabs are no delimiters, but break words for matching.
        {u"the"_s, u"end.\r\nthe\tthe"_s, {u"the@7"_s, u"the@11"_s}},
        {u"end the"_s, u"end\r\nthe"_s, {u"end\r\nthe@1"_s}},
    };
    for (const TCase& c : cases)
        ExpectHits(c, DefaultSettings());
}

TEST(WordForm, InterveningWordsTakeTheFirstCombinationThatMatches)
{
    const TCase cases[] = {
        {u"computer @ program"_s,
         u"computer aided design program"_s,
         {u"computer aided design program@1"_s}},
        {u"computer @ program"_s, u"computer aided program"_s, {u"computer aided program@1"_s}},
        {u"computer @ program"_s, u"computer program"_s, {}},
        {u"computer @ program"_s, u"computer a b c program"_s, {}},
        {u"computer @ program"_s, u"computer x program program"_s, {u"computer x program@1"_s}},
        {u"a @ b @ c"_s, u"a x y b z c"_s, {u"a x y b z c@1"_s}},
    };
    for (const TCase& c : cases)
        ExpectHits(c, DefaultSettings());

    TAppSettings none = DefaultSettings();
    none.sdAtMinWords = 0;
    none.sdAtMaxWords = 0;
    ExpectHits({u"computer @ program"_s, u"computer program"_s, {u"computer program@1"_s}}, none);
    TAppSettings reversed = DefaultSettings();
    reversed.sdAtMinWords = 3;
    reversed.sdAtMaxWords = 1; // only the minimum is tried
    ExpectHits({u"a @ b"_s, u"a x y z b a x b"_s, {u"a x y z b@1"_s}}, reversed);
}

TEST(WordForm, CaseSensitivity)
{
    TAppSettings settings = DefaultSettings();
    settings.soCaseSensitive = true;
    ExpectHits({u"table"_s, u"Table table"_s, {u"table@7"_s}}, settings);
}

TEST(WordForm, TagsArePassedOverWhenSkipped)
{
    ExpectHits({u"word"_s, u"<b>word</b> next"_s, {u"<b>word</b>@1"_s}}, DefaultSettings());
    ExpectHits({u"jury"_s, u"<w AT>The <w NN>jury said"_s, {u"<w NN>jury@11"_s}},
               DefaultSettings());
    // A token of tags only is passed over; the next pattern word meets the next token.
    ExpectHits({u"a b"_s, u"a <x> b"_s, {u"a <x> b@1"_s}}, DefaultSettings());

    TAppSettings visible = DefaultSettings();
    visible.soSkipTags = false;
    ExpectHits({u"word"_s, u"<b>word</b> next"_s, {}}, visible);
}

TEST(WordForm, UnterminatedTagAtTheLastCharacterEndsTheAttempt)
{
    // The token at the last character is an empty tag start: the retry would
    // meet it again and again.
    ExpectHits({u"a b"_s, u"a <"_s, {}}, DefaultSettings());
    ExpectHits({u"a *"_s, u"a <"_s, {}}, DefaultSettings());
    // One character before the end the tag is cut, and its last character is
    // a token of its own.
    ExpectHits({u"a *"_s, u"a <w"_s, {u"a <w@1"_s}}, DefaultSettings());
}

TEST(WordForm, TheFileStartIsAWordStart)
{
    TAppSettings settings = DefaultSettings();
    settings.WrdDelims.clear(); // no delimiters at all: one word
    ExpectHits({u"ab*"_s, u"abc"_s, {u"abc@1"_s}}, settings);
}
