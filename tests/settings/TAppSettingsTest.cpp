#include "TAppSettings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(TAppSettings, NewObjectIsEmptyUntilDefaultsAreApplied)
{
    TAppSettings settings;
    EXPECT_TRUE(settings.wcStar.isEmpty());
    EXPECT_TRUE(settings.sdAt.isEmpty());
    EXPECT_FALSE(settings.soWords);
    EXPECT_EQ(settings.swSyntax, 0);

    settings.SetDefaults();
    EXPECT_EQ(settings.wcStar, u"*"_s);
    EXPECT_EQ(settings.wcQuestion, u"?"_s);
    EXPECT_EQ(settings.wcPercent, u"%"_s);
    EXPECT_EQ(settings.sdAmpersant, u"&"_s);
    EXPECT_EQ(settings.sdAt, u"@"_s);
}

TEST(TAppSettings, DefaultsDescribeThePlainTextLayout)
{
    TAppSettings settings;
    settings.SetDefaults();
    EXPECT_EQ(settings.swSyntax, ssWordTag);
    EXPECT_EQ(settings.WrdDelims, u",. ;/\\:'\"`~-_=+()[]{}"_s);
    EXPECT_EQ(settings.WrdDelims.size(), 21);
    EXPECT_EQ(settings.psTagsStart[0], u"<w"_s);
    EXPECT_TRUE(settings.psTagsStart[1].isEmpty());
    EXPECT_EQ(settings.tsSectionsType, 1);
    EXPECT_EQ(settings.tsSectionsStart, u"<Sec>"_s);
    EXPECT_EQ(settings.tsParagraphsType, 3);
    EXPECT_EQ(settings.tsSentencesDelimiters, u".?!"_s);
    for (const QString* positions : {&settings.SentPositions, &settings.ParaPositions,
                                     &settings.SectPositions, &settings.TextPositions})
        EXPECT_EQ(*positions, u"1 2 Other 1# #"_s);
    for (int type : {settings.SentType, settings.ParaType, settings.SectType, settings.TextType})
        EXPECT_EQ(type, 1);
    for (int bins : {settings.SentPercentBins, settings.ParaPercentBins, settings.SectPercentBins,
                     settings.TextPercentBins})
        EXPECT_EQ(bins, 3);
    EXPECT_TRUE(settings.srSent && settings.srPara && settings.srSect && settings.srText);
}

TEST(TAppSettings, SetDefaultsEmptiesTheListsAndTheOtherTagStarts)
{
    TAppSettings settings;
    settings.tsSentencesExceptions = {u"e.g."_s};
    settings.swPatternHistory = {u"the"_s, u"a"_s};
    settings.psTagsStart = {u"<x"_s, u"<y"_s, u"<z"_s, u"<v"_s};
    settings.SetDefaults();
    EXPECT_TRUE(settings.tsSentencesExceptions.isEmpty());
    EXPECT_TRUE(settings.swPatternHistory.isEmpty());
    EXPECT_EQ(settings.psTagsStart[0], u"<w"_s);
    EXPECT_TRUE(settings.psTagsStart[3].isEmpty());
}
