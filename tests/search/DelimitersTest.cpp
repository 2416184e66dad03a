#include "TAppSettings.h"
#include "TDelimiters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString Members(const TDelimiters& delimiters)
{
    QString members;
    for (char16_t c = 0; c <= 0xFF; ++c) {
        if (delimiters.Contains(c))
            members += QChar(c);
    }
    return members;
}

} // namespace

TEST(TDelimiters, DefaultSetIsTheDelimiterText)
{
    TAppSettings settings;
    settings.SetDefaults();
    EXPECT_EQ(Members(TDelimiters(settings)), u" \"'()+,-./:;=[\\]_`{}~"_s);
}

TEST(TDelimiters, MarkerTextsKeepOnlyTheirLastCharacterADelimiter)
{
    TAppSettings settings;
    settings.SetDefaults();
    settings.WrdDelims = u"<w>[]-+ "_s;
    settings.wcStar = u"[]"_s;                             // "[" removed, "]" stays
    settings.psTagStop = u"-+"_s;                          // "-" removed, "+" stays
    EXPECT_EQ(Members(TDelimiters(settings)), u" +>]w"_s); // "<" of "<w" removed
}

TEST(TDelimiters, CharactersAboveLatin1AreNeverDelimiters)
{
    TAppSettings settings;
    settings.SetDefaults();
    settings.WrdDelims = u"\u2014 "_s;
    const TDelimiters delimiters(settings);
    EXPECT_FALSE(delimiters.Contains(u'\u2014'));
    EXPECT_FALSE(delimiters.Contains(u'\u0014')); // the em dash's low byte
    EXPECT_TRUE(delimiters.Contains(u' '));
}
