// The shard file: what a search keeps comes back whole, and a file that is
// no shard, or one whose values do not fit, is refused.
#include "ShardFile.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Sentence and text distributions with their baselines; two files, the
// second named by matches of both.
TShard SmallShard()
{
    TShard shard;
    shard.Settings.SetDefaults();
    shard.Settings.TextPercentBins = 2;
    shard.Search = {u"c\r\n\"a\" & <t>\x01"_s,
                    ssRegularExpression,
                    {true, false, false, true},
                    TEncodingChoice::Cp1252,
                    true};
    shard.Messages = {{TShardMessage::TKind::Warning, u"The file changed."_s},
                      {TShardMessage::TKind::Error, u"Error in\nregex."_s}};
    shard.FileNames = {u"/corpus/a.txt"_s, u"/corpus/b & c.txt"_s};
    shard.Bins = TSearchBins(shard.Settings, shard.Search.Distributions);
    for (const TDistribution kind : {TDistribution::Sentence, TDistribution::Text}) {
        TBinSet& set = *shard.Bins.Of(kind);
        for (int i = 0; i < set.Count(); ++i) {
            TMatch match;
            match.WordsFromBeginning = 1 + i;
            match.Percent = static_cast<std::int16_t>(100 * i / set.Count());
            match.BeginOffest = 5000000000 + i;
            match.FileNameIndex = 1;
            match.isUtf8 = true;
            set.GetBin(i).AddMatch(match);
            set.Baseline.push_back(7 + i);
        }
        set.TotalWords = 12;
        set.TotalMatches = set.Count();
        set.TotalTexts = 2;
    }
    return shard;
}

QString SavedText(const QString& path)
{
    const QByteArray bytes = FileBytes(path);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                              bytes.size() / 2);
}

} // namespace

TEST(ShardFile, KeepsTheWholeSearch)
{
    TTestFiles files;
    const TShard saved = SmallShard();
    const QString path = files.Path(u"shard.xml"_s);
    SaveShard(path, saved);
    const TShard read = ReadShard(path);
    EXPECT_EQ(read.Settings, saved.Settings);
    EXPECT_EQ(read.Search, saved.Search);
    EXPECT_EQ(read.Messages, saved.Messages);
    EXPECT_EQ(read.FileNames, saved.FileNames);
    for (const TDistribution kind : AllDistributions) {
        SCOPED_TRACE(static_cast<int>(kind));
        ASSERT_EQ(!read.Bins.Of(kind), !saved.Bins.Of(kind));
        if (saved.Bins.Of(kind)) {
            EXPECT_EQ(*read.Bins.Of(kind), *saved.Bins.Of(kind));
        }
    }
}

// Each case changes one thing in a good shard file.
TEST(ShardFile, RefusesWhatDoesNotFit)
{
    TTestFiles files;
    const QString good = files.Path(u"good.xml"_s);
    SaveShard(good, SmallShard());
    const QString text = SavedText(good);
    const struct {
        QString From;
        QString To;
        QString Message;
    } cases[] = {
        {u"<Shard "_s, u"<Other "_s, u"Not a shard file."_s},
        {u"Version=\"1\""_s, u"Version=\"2\""_s, u"Unknown shard format version 2."_s},
        {u"Syntax=\"2\""_s, u"Syntax=\"4\""_s, u"Unknown Syntax 4 in the shard."_s},
        {u"Kind=\"Warning\""_s, u"Kind=\"Note\""_s, u"unknown kind (Note)"_s},
        {u"FileNameIndex=\"1\""_s, u"FileNameIndex=\"2\""_s, u"List index out of bounds (2)"_s},
        {u"<Bin Count=\"8\"/>"_s, QString(), u"has 2 counts for 3 bins"_s},
        {u"<Bin Count=\"8\"/>"_s, u"<Bin Count=\"-8\"/>"_s, u"out of range (-8)"_s},
        {u"TotalWords=\"12\""_s, u"TotalWords=\"1099511627777\""_s,
         u"out of range (1099511627777)"_s},
        {u"Section=\"0\""_s, u"Section=\"1\""_s, u"\"Section\""_s},
        {u"</Distributions>"_s, QString(), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.From.toStdString());
        ASSERT_TRUE(text.contains(c.From));
        const QString path =
            files.Write(u"bad.xml"_s, QString(text).replace(c.From, c.To).toUtf8());
        try {
            ReadShard(path);
            ADD_FAILURE() << "read";
        } catch (const TError& error) {
            EXPECT_TRUE(error.Message().contains(c.Message)) << error.Message().toStdString();
        }
    }
}
