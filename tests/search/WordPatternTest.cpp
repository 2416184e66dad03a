#include "WordPattern.h"

#include "TAppSettings.h"
#include "TDelimiters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TPrepared {
    QStringList Words;
    QList<TPatternItem::TKind> Kinds;
};

TPrepared Prepare(const QString& pattern)
{
    TAppSettings settings;
    settings.SetDefaults();
    TPrepared prepared;
    for (const TPatternItem& item : PrepareWordPhrase(pattern, settings, TDelimiters(settings))) {
        prepared.Words.append(item.Text);
        prepared.Kinds.append(item.Kind);
    }
    return prepared;
}

} // namespace

TEST(PrepareWordPhrase, CutsAtDelimitersAndFindsInterveningWords)
{
    const TPrepared gap = Prepare(u"computer @ program"_s);
    EXPECT_EQ(gap.Words, (QStringList{u"computer"_s, u"@"_s, u"program"_s}));
    EXPECT_EQ(gap.Kinds, (QList<TPatternItem::TKind>{TPatternItem::Word, TPatternItem::Between,
                                                     TPatternItem::Word}));

    const TPrepared attached = Prepare(u"computer@program"_s);
    EXPECT_EQ(attached.Words, QStringList{u"computer@program"_s});
    EXPECT_EQ(attached.Kinds, QList<TPatternItem::TKind>{TPatternItem::Word});

    EXPECT_EQ(Prepare(u"  post   office  "_s).Words, (QStringList{u"post"_s, u"office"_s}));
    // A tab is no delimiter, but the item is compared with control characters trimmed.
    EXPECT_EQ(Prepare(u"a \t@ b"_s).Kinds[1], TPatternItem::Between);
}

TEST(PrepareWordPhrase, PatternOfDelimitersOnlyHasNoWords)
{
    EXPECT_TRUE(Prepare(u" ,, ,"_s).Words.isEmpty());
    EXPECT_TRUE(Prepare(QString()).Words.isEmpty());
}
