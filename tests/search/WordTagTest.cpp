#include "MatcherTestSupport.h"
#include "WordPattern.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList TagHits(const QString& pattern, const QString& text,
                    const TAppSettings& settings = DefaultSettings())
{
    return FindHits(pattern, text, settings, ssWordTag);
}

TAppSettings Embedded(const QString& delimiter)
{
    TAppSettings settings = DefaultSettings();
    settings.psEmbeddedInWord = true;
    settings.psDelimeter = delimiter;
    settings.WrdDelims.remove(delimiter);
    return settings;
}

} // namespace

TEST(PrepareWordTag, SplitsItemsAtTheFirstAmpersand)
{
    const TAppSettings settings = DefaultSettings();
    const TPatternItems items =
        PrepareWordTag(u"colo%r&NN1 &NN1 a&b&c post& @"_s, settings, TDelimiters(settings));
    ASSERT_EQ(items.size(), 5u);
    const std::tuple<TPatternItem::TKind, QString, QString> expected[] = {
        {TPatternItem::Word, u"colo%r"_s, u"NN1"_s}, {TPatternItem::AnyWord, u""_s, u"NN1"_s},
        {TPatternItem::Word, u"a"_s, u"b&c"_s},      {TPatternItem::Word, u"post"_s, u""_s},
        {TPatternItem::Between, u"@"_s, u""_s},
    };
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].Kind, std::get<0>(expected[i]));
        EXPECT_EQ(items[i].Text, std::get<1>(expected[i]));
        EXPECT_EQ(items[i].Tag, std::get<2>(expected[i]));
    }
}

TEST(WordTag, TagsOutsideTheWord)
{
    const struct {
        QString Pattern;
        QString Text;
        QStringList Hits;
    } cases[] = {
        {u"table&NN1"_s, u"the <w NN1>table is"_s, {u"<w NN1>table@5"_s}},
        {u"table&N*"_s, u"<w NN2>table <w VV0>table"_s, {u"<w NN2>table@1"_s}},
        {u"&NN1"_s, u"<w AT>the <w NN1>cat <w NN1>dog"_s, {u"<w NN1>cat@11"_s, u"<w NN1>dog@22"_s}},
        {u"post&"_s, u"post <w NN1>post"_s, {u"post@1"_s, u"<w NN1>post@6"_s}},
        {u"table&NN1"_s, u"table"_s, {}}, // no tag at all
        {u"table"_s, u"table"_s, {u"table@1"_s}},
        {u"colo%r&NN1 table&NN1"_s,
         u"<w NN1>colour <w NN1>table"_s,
         {u"<w NN1>colour <w NN1>table@1"_s}},
        {u"the @ dog&NN1"_s, u"the <w JJ>big <w NN1>dog"_s, {u"the <w JJ>big <w NN1>dog@1"_s}},
        {u"table&nn1"_s, u"<w nn1>table"_s, {u"<w nn1>table@1"_s}}, // tags in upper case
    };
    for (const auto& c : cases)
        EXPECT_EQ(TagHits(c.Pattern, c.Text), c.Hits)
            << c.Pattern.toStdString() << " in " << c.Text.toStdString();

    TAppSettings visible = DefaultSettings();
    visible.soSkipTags = false; // the word part is found without the tag markup
    EXPECT_EQ(TagHits(u"table&NN1"_s, u"<w NN1>table"_s, visible),
              QStringList{u"<w NN1>table@1"_s});
    TAppSettings caseSensitive = DefaultSettings();
    caseSensitive.soCaseSensitive = true;
    EXPECT_TRUE(TagHits(u"table&nn1"_s, u"<w NN1>table"_s, caseSensitive).isEmpty());
    EXPECT_EQ(TagHits(u"table&NN1"_s, u"<w NN1>table <w NN1>Table"_s, caseSensitive),
              QStringList{u"<w NN1>table@1"_s});
}

TEST(WordTag, TagsEmbeddedInTheWord)
{
    const TAppSettings underscore = Embedded(u"_"_s);
    EXPECT_EQ(TagHits(u"table&NN1"_s, u"a_AT0 table_NN1"_s, underscore),
              QStringList{u"table_NN1@7"_s});
    EXPECT_TRUE(TagHits(u"table&JJ"_s, u"table_NN1"_s, underscore).isEmpty());
    // A token without the delimiter satisfies every tag pattern.
    EXPECT_EQ(TagHits(u"table&JJ"_s, u"table"_s, underscore), QStringList{u"table@1"_s});
    EXPECT_EQ(TagHits(u"&nn"_s, u"The/at jury/nn said/vbd"_s, Embedded(u"/"_s)),
              QStringList{u"jury/nn@8"_s});
    // With the underscore still a delimiter, word and tag are tokens of their own.
    TAppSettings split = underscore;
    split.WrdDelims += u"_"_s;
    EXPECT_EQ(TagHits(u"table&JJ"_s, u"table_NN1"_s, split), QStringList{u"table@1"_s});
}

// With a stop text that never comes, every token that holds a tag runs to the
// end of the text, and the starts inside those tokens are many: each compares
// only the beginning of its token, not the rest of the text.
TEST(WordTag, TokensAreComparedOnlyByTheirBeginning)
{
    TAppSettings unended = DefaultSettings();
    unended.psTagStop = u"]"_s;
    EXPECT_TRUE(TagHits(u"cat&NN"_s, u"<w NN>cat <w AT>the "_s.repeated(20000), unended).isEmpty());
    EXPECT_EQ(TagHits(u"&NN*"_s, u"<w NN>cat <w AT>the "_s.repeated(100), unended).size(), 1);

    const QString longWord = u"a"_s + QString(2000, u'x') + u"z"_s;
    EXPECT_EQ(FindHits(u"a*"_s, longWord, DefaultSettings()), QStringList{longWord + u"@1"_s});
    EXPECT_TRUE(FindHits(u"a*z"_s, longWord, DefaultSettings()).isEmpty()); // z lies beyond
}
