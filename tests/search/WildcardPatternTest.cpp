#include "WildcardPattern.h"

#include "MatcherTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using TWildcard = TWildcardPattern::TWildcard;

QString Describe(const TWildcardPattern& pattern)
{
    QString text;
    for (const TWildcardPattern::TPiece& piece : pattern.Pieces()) {
        const char* wildcard[] = {"", "*", "?", "%"};
        text += u'[' + QString::fromStdU16String(piece.Literal) +
                QString::fromLatin1(wildcard[static_cast<int>(piece.Following)]) + u']';
    }
    return text;
}

TAppSettings CharacterForm()
{
    TAppSettings settings = DefaultSettings();
    settings.soWords = false;
    return settings;
}

} // namespace

TEST(TWildcardPattern, SplitsAtWholeWildcardTexts)
{
    const std::pair<QString, QString> cases[] = {
        {u"colo%r"_s, u"[COLO%][R]"_s},
        {u"post office?"_s, u"[POST OFFICE?]"_s},
        {u"*abc"_s, u"[*][ABC]"_s},
        {u"a**b"_s, u"[A*][*][B]"_s},
        {u""_s, u""_s},
    };
    for (const auto& [pattern, pieces] : cases)
        EXPECT_EQ(Describe(TWildcardPattern(pattern, DefaultSettings())), pieces);

    TAppSettings settings = DefaultSettings();
    settings.wcStar = u"<>"_s;
    settings.wcQuestion = u"<>"_s; // the same text: zero-or-more wins
    EXPECT_EQ(Describe(TWildcardPattern(u"a<>b"_s, settings)), u"[A*][B]"_s);
}

TEST(CharacterForm, FindsPiecesAcrossWordBoundaries)
{
    const struct {
        QString Pattern;
        QString Text;
        QStringList Hits;
    } cases[] = {
        {u"table"_s, u"vegetables"_s, {u"table@5"_s}},
        {u"post office"_s, u"a Post Office"_s, {u"Post Office@3"_s}},
        {u"post office?"_s, u"post office "_s, {u"post office @1"_s}},
        {u"post office?"_s, u"post office"_s, {}},
        {u"colo%r"_s, u"color colour colouur"_s, {u"color@1"_s, u"colour@7"_s}},
        {u"a*c"_s, u"abc ac"_s, {u"abc@1"_s, u"ac@5"_s}},
        {u"a?c"_s, u"abc ac"_s, {u"abc@1"_s}},
        // Wildcards in a row keep their own bounds: one or two characters here.
        {u"a?%c"_s, u"ac abc abbc abbbc"_s, {u"abc@4"_s, u"abbc@8"_s}},
        {u"a??c"_s, u"abc abbc abbbc"_s, {u"abbc@5"_s}},
        {u"a%%c"_s, u"ac abc abbc abbbc"_s, {u"ac@1"_s, u"abc@4"_s, u"abbc@8"_s}},
        {u"aa"_s, u"aaaa"_s, {u"aa@1"_s, u"aa@3"_s}},
        {u"a**c"_s, u"xabcx"_s, {u"abc@2"_s}},
        {u"b*"_s, u"abc"_s, {u"b@2"_s}},
        {u"b?"_s, u"abc"_s, {u"bc@2"_s}},
        {u"c?"_s, u"abc"_s, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindHits(c.Pattern, c.Text, CharacterForm()), c.Hits)
            << c.Pattern.toStdString() << " in " << c.Text.toStdString();
}

TEST(CharacterForm, MatchesThatCoverNothingAreNoHits)
{
    for (const QString& pattern : {u"*"_s, u"%"_s, u"*%*"_s})
        EXPECT_TRUE(FindHits(pattern, u"some text"_s, CharacterForm()).isEmpty());
    EXPECT_EQ(FindHits(u"?"_s, u"ab"_s, CharacterForm()), (QStringList{u"a@1"_s, u"b@2"_s}));
}

TEST(CharacterForm, SkippedTagsAreInvisible)
{
    EXPECT_EQ(FindHits(u"bold text"_s, u"x <b>bold</b> text"_s, CharacterForm()),
              QStringList{u"<b>bold</b> text@3"_s});
    TAppSettings visible = CharacterForm();
    visible.soSkipTags = false;
    EXPECT_TRUE(FindHits(u"bold text"_s, u"x <b>bold</b> text"_s, visible).isEmpty());
}

TEST(CharacterForm, IgnoresCaseAlways)
{
    TAppSettings settings = CharacterForm();
    settings.soCaseSensitive = true;
    EXPECT_EQ(FindHits(u"table"_s, u"TABLE"_s, settings), QStringList{u"TABLE@1"_s});
}
