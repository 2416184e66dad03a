#include "WordGlob.h"

#include "TAppSettings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

bool Matches(const QString& pattern, const QString& word, bool caseSensitive = false)
{
    TAppSettings settings;
    settings.SetDefaults();
    settings.soCaseSensitive = caseSensitive;
    const TWordGlob glob(pattern, settings);
    return glob.Matches(reinterpret_cast<const char16_t*>(word.constData()),
                        static_cast<int>(word.size()));
}

} // namespace

TEST(TWordGlob, WildcardsActInsideOneWord)
{
    struct {
        QString Pattern;
        QString Word;
        bool Expected;
    } const cases[] = {
        {u"colo%r"_s, u"color"_s, true},
        {u"colo%r"_s, u"Colour"_s, true},
        {u"colo%r"_s, u"colouur"_s, false},
        {u"office?"_s, u"offices"_s, true},
        {u"office?"_s, u"office"_s, false},
        {u"office?"_s, u"officers"_s, false},
        {u"*"_s, u"anything"_s, true},
        {u"*"_s, u""_s, true},
        {u"%"_s, u""_s, true},
        {u"%"_s, u"ab"_s, false},
        {u"a*"_s, u"a"_s, true},
        {u"*a"_s, u"banana"_s, true},
        {u"b*n*a"_s, u"banana"_s, true},
        {u"b*x*a"_s, u"banana"_s, false},
        {u"a%%"_s, u"a"_s, true},
        {u"a?%"_s, u"a"_s, false},
        {u"the"_s, u"THE"_s, true},
        {u"the"_s, u"them"_s, false},
        {u"?*?"_s, u"a"_s, false},
        {u"?*?"_s, u"ab"_s, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Matches(c.Pattern, c.Word), c.Expected)
            << c.Pattern.toStdString() << " / " << c.Word.toStdString();
}

TEST(TWordGlob, CaseSensitiveComparison)
{
    EXPECT_FALSE(Matches(u"table"_s, u"Table"_s, true));
    EXPECT_TRUE(Matches(u"Table"_s, u"Table"_s, true));
}

TEST(TWordGlob, OnlyTheFirstCharacterOfAWildcardTextIsAWildcard)
{
    TAppSettings settings;
    settings.SetDefaults();
    settings.wcStar = u"#x"_s;
    settings.wcQuestion.clear(); // an empty wildcard makes no wildcard
    const QString word = u"a?b"_s;
    const auto* chars = reinterpret_cast<const char16_t*>(word.constData());
    EXPECT_TRUE(TWordGlob(u"a#"_s, settings).Matches(chars, 3));
    EXPECT_TRUE(TWordGlob(u"a?b"_s, settings).Matches(chars, 3));
    EXPECT_FALSE(TWordGlob(u"a?b"_s, settings).Matches(u"axb", 3));
}

TEST(TWordGlob, ManyWildcardsOnALongTokenStayFast)
{
    const QString token(200000, u'a');
    EXPECT_FALSE(Matches(u"*a*a*a*a*a*a*a*b"_s, token));
    EXPECT_TRUE(Matches(u"*a*a*a*a*a*a*a*"_s, token));
}
