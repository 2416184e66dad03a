#include "Markup.h"

#include "../TestSupport.h"
#include "../TestText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(TagAt, ComparesIgnoringCaseWithinTheText)
{
    const TTestText text(u"ab<Body>cd"_s);
    struct {
        QString Tag;
        int Index;
        bool Expected;
    } const cases[] = {
        {u"<body>"_s, 3, true}, {u"<BODY>"_s, 3, true}, {u"<body>"_s, 2, false}, {u""_s, 3, false},
        {u"cd"_s, 9, true},     {u"cde"_s, 9, false},   {u"d"_s, 11, false},     {u"a"_s, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TagAt(text.View(), c.Tag, c.Index), c.Expected) << c.Tag.toStdString() << c.Index;
}

TEST(TMarker, EmptyMarkerStartsAndEndsEverywhere)
{
    const TTestText text(u"abc"_s);
    const TMarker empty{QString()};
    EXPECT_FALSE(empty.At(text.View(), 1));
    EXPECT_TRUE(empty.StartsAt(text.View(), 2));
    EXPECT_TRUE(empty.EndsAt(text.View(), 2));
    const TMarker stop(u"BC"_s);
    EXPECT_TRUE(stop.EndsAt(text.View(), 3));
    EXPECT_FALSE(stop.EndsAt(text.View(), 2));
    EXPECT_FALSE(stop.EndsAt(text.View(), 1)); // would begin before the text
}

TEST(RemoveTags, DropsEverythingFromLessThanToGreaterThan)
{
    const std::pair<QString, QString> cases[] = {
        {u"<w NN>table"_s, u"table"_s}, {u"a<b>c"_s, u"ac"_s},    {u"x>y"_s, u"xy"_s},
        {u"open<tag"_s, u"open"_s},     {u"<a<b>c>d"_s, u"cd"_s}, {u"plain"_s, u"plain"_s},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(RemoveTags(input), expected) << input.toStdString();
}
