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
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (delimiters.Contains(static_cast<char16_t>(c)))
            members += QChar(static_cast<char16_t>(c));
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

// Every character typed is a delimiter, the punctuation of Unicode text as
// well as a blank; the halves of a pair outside the plane are no characters.
// The marker texts take characters out alike.
TEST(TDelimiters, EveryCharacterOfThePlaneIsADelimiter)
{
    TAppSettings settings;
    settings.SetDefaults();
    settings.WrdDelims = u"\u2014\u201C\u201D\u2018\u2019\u2026\U0001D11E\u00AB "_s;
    settings.wcStar = u"\u00AB*"_s;
    EXPECT_EQ(Members(TDelimiters(settings)),
              LineBreaksAndTabs + u" \u2014\u2018\u2019\u201C\u201D\u2026"_s);
}
