#include "TAppSettings.h"
#include "TDelimiters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Tab, line feed, vertical tab, form feed and carriage return.
const QString LineBreaksAndTabs = u"\t\n\v\f\r"_s;

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
    EXPECT_EQ(Members(TDelimiters(settings)), LineBreaksAndTabs + u" \"'()+,-./:;=[\\]_`{}~"_s);
}

TEST(TDelimiters, MarkerTextsKeepOnlyTheirLastCharacterADelimiter)
{
    TAppSettings settings;
    settings.SetDefaults();
    settings.WrdDelims = u"<w>[]-+ "_s;
    settings.wcStar = u"[]"_s;    // "[" removed, "]" stays
    settings.psTagStop = u"-+"_s; // "-" removed, "+" stays
    EXPECT_EQ(Members(TDelimiters(settings)), LineBreaksAndTabs + u" +>]w"_s); // "<" of "<w"
}

// Line breaks and tabs separate words whatever the settings say, even when a
// marker text would take them out.
TEST(TDelimiters, LineBreaksAndTabsAreAlwaysDelimiters)
{
    TAppSettings settings;
    settings.SetDefaults();
    settings.WrdDelims.clear();
    settings.wcStar = u"\t\r\n*"_s;
    EXPECT_EQ(Members(TDelimiters(settings)), LineBreaksAndTabs);
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
