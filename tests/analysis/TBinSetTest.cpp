#include "TBinSet.h"

#include "../TestSupport.h"
#include "DistributionText.h"
#include "Error.h"
#include "ExtremeMatches.h"
#include "FileNames.h"
#include "XmlNode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

using namespace Qt::StringLiterals;

namespace {

QStringList Captions(const TBinSet& set)
{
    QStringList captions;
    for (const TBin& bin : set.FBins)
        captions.append(BinCaption(bin));
    return captions;
}

TMatch MatchAt(std::int64_t fromBeginning, std::int64_t fromEnd, std::int16_t percent = 50)
{
    TMatch match;
    match.SentecesFromBeginning = fromBeginning;
    match.SentecesFromEnd = fromEnd;
    match.Percent = percent;
    return match;
}

// The caption of the bin that takes match, or "-" when none does.
QString PlacedIn(TBinSet& set, const TMatch& match, bool forward)
{
    for (TBin& bin : set.FBins)
        bin.ClearMatches();
    set.PlaceMatchIntoCorespodingBin(match, true, forward);
    for (const TBin& bin : set.FBins) {
        if (bin.Count() == 1)
            return BinCaption(bin);
    }
    return u"-"_s;
}

} // namespace

TEST(TBinSet, PercentageBinsShareTheRange)
{
    const std::pair<int, QString> cases[] = {
        {1, u"0% - 100%"_s},
        {2, u"0% - 50%,51% - 100%"_s},
        {3, u"0% - 33%,34% - 66%,67% - 100%"_s},
        {4, u"0% - 25%,26% - 50%,51% - 75%,76% - 100%"_s},
        {6, u"0% - 16%,17% - 32%,33% - 48%,49% - 64%,65% - 80%,81% - 100%"_s},
        {7, u"0% - 14%,15% - 28%,29% - 42%,43% - 56%,57% - 70%,71% - 84%,85% - 100%"_s},
    };
    for (const auto& [number, captions] : cases) {
        TBinSet set;
        set.PreparePercentageBins(number);
        EXPECT_EQ(Captions(set).join(u','), captions) << number;
    }
    TBinSet many;
    many.PreparePercentageBins(100);
    ASSERT_EQ(many.Count(), 100);
    EXPECT_EQ(BinCaption(many.GetBin(0)), u"0% - 1%"_s);
    EXPECT_EQ(BinCaption(many.GetBin(50)), u"51% - 51%"_s);
    EXPECT_EQ(BinCaption(many.GetBin(99)), u"100% - 100%"_s);

    // Whoever calls, no number makes bins that divide by zero, bins that no
    // percentage falls into, or more bins than memory holds.
    for (const int number : {0, -1, 101, 2'000'000'000}) {
        EXPECT_THROW(many.PreparePercentageBins(number), TError) << number;
        EXPECT_EQ(many.Count(), 100) << number;
    }
}

TEST(TBinSet, PositionSpecifications)
{
    const std::pair<QString, QString> cases[] = {
        {u"1 2 Other 1# #"_s, u"1,2,P,1#,#"_s},
        {u"1 2 3 1# 2# Other"_s, u"1,2,3,1#,2#,P"_s},
        {u"#"_s, u"#"_s},
        {u"0#"_s, u"#"_s},
        {u"  other   OTHER "_s, u"P,P"_s},
        {u"   "_s, u""_s},
    };
    for (const auto& [positions, captions] : cases) {
        TBinSet set;
        set.PrepareBinsFromString(positions);
        EXPECT_EQ(Captions(set).join(u','), captions) << positions.toStdString();
    }
    TBinSet set;
    set.PrepareBinsFromString(u"2#"_s);
    EXPECT_EQ(set.GetBin(0).BinType, btPosFromEnd);
    EXPECT_EQ(set.GetBin(0).ValFrom, 3);
    EXPECT_EQ(set.GetBin(0).ValTo, -1);
    for (const QString& bad : {u"1 x"_s, u"a#"_s, u"1.5"_s})
        EXPECT_THROW(set.PrepareBinsFromString(bad), TConversionError) << bad.toStdString();
}

// The largest number a settings file may give a position, with "#", makes a
// bin beyond 32 bits, which positions beyond 32 bits reach.
TEST(TBinSet, TheLargestPositionsDoNotOverflow)
{
    TBinSet set;
    set.PrepareBinsFromString(u"2147483647# 2147483647 Other"_s);
    EXPECT_EQ(Captions(set).join(u','), u"2147483647#,2147483647,P"_s);
    EXPECT_EQ(set.GetBin(0).ValFrom, 2147483648);
    EXPECT_EQ(PlacedIn(set, MatchAt(5, 2147483648), true), u"2147483647#"_s);
    EXPECT_EQ(PlacedIn(set, MatchAt(2147483647, 5), true), u"2147483647"_s);
    EXPECT_EQ(PlacedIn(set, MatchAt(4294967295, 4294967296), true), u"P"_s);
    for (const QString& tooLarge : {u"2147483648"_s, u"2147483648#"_s})
        EXPECT_THROW(set.PrepareBinsFromString(tooLarge), TConversionError)
            << tooLarge.toStdString();
}

TEST(TBinSet, PlacementPrefersTheConfiguredKindOfPositionBin)
{
    TBinSet set;
    set.PrepareBinsFromString(u"1 2 Other 1# #"_s);
    // Sentence (from beginning, from end) in its paragraph.
    EXPECT_EQ(PlacedIn(set, MatchAt(1, 1), true), u"1"_s);
    EXPECT_EQ(PlacedIn(set, MatchAt(1, 1), false), u"#"_s);
    EXPECT_EQ(PlacedIn(set, MatchAt(3, 3), true), u"P"_s);
    EXPECT_EQ(PlacedIn(set, MatchAt(4, 2), true), u"1#"_s);
    EXPECT_EQ(PlacedIn(set, MatchAt(2, 4), false), u"2"_s);

    TBinSet noOther;
    noOther.PrepareBinsFromString(u"1 2"_s);
    EXPECT_EQ(PlacedIn(noOther, MatchAt(3, 1), true), u"-"_s);

    TBinSet percent;
    percent.PreparePercentageBins(3);
    const std::pair<int, QString> percents[] = {
        {0, u"0% - 33%"_s},     {33, u"0% - 33%"_s}, {34, u"34% - 66%"_s},
        {100, u"67% - 100%"_s}, {-1, u"-"_s},        {101, u"-"_s},
    };
    for (const auto& [value, caption] : percents)
        EXPECT_EQ(PlacedIn(percent, MatchAt(1, 1, value), true), caption) << value;
}

TEST(TBinSet, CopyIsDeepAndClearKeepsTheTotals)
{
    TBinSet set;
    set.PrepareBinsFromString(u"Other"_s);
    set.PlaceMatchIntoCorespodingBin(MatchAt(7, 1), true, true);
    set.TotalWords = 10;
    set.TotalFiles = 2;
    set.TotalTexts = 3;

    TBinSet copy;
    copy.PreparePercentageBins(4);
    set.CopyTo(copy);
    TMatch changed = set.GetBin(0).GetMatch(0);
    changed.SentecesFromBeginning = 99;
    set.GetBin(0).SetMatch(0, changed);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.GetBin(0).BinType, btOther);
    EXPECT_EQ(copy.GetBin(0).GetMatch(0).SentecesFromBeginning, 7);
    EXPECT_EQ(copy.TotalWords, 10);
    EXPECT_EQ(copy.TotalFiles, 2);
    EXPECT_EQ(copy.TotalTexts, 3);

    copy.Clear();
    copy.PreparePercentageBins(2);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.TotalWords, 10);
}

// Through every way a match is stored, copied, saved and merged, each value
// of the table reads back as it was added.
TEST(TBinSet, ExtremeValuesReadBackThroughCopyXmlAndAppend)
{
    std::vector<TMatch> matches = ExtremeMatches();
    for (TMatch& match : matches) {
        match.FileNameIndex = FileNameCacheIndex(u"/corpus/extreme.txt"_s);
        // Saved percentages outside 0 to 100 are read as the nearest edge.
        match.Percent = std::clamp<std::int16_t>(match.Percent, 0, 100);
    }
    TBinSet set;
    set.PrepareBinsFromString(u"1 Other"_s);
    for (const TMatch& match : matches)
        set.GetBin(1).AddMatch(match);
    const auto expectMatches = [&](const TBinSet& read, const char* how) {
        ASSERT_EQ(read.GetBin(1).Count(), std::int64_t(matches.size())) << how;
        for (size_t i = 0; i < matches.size(); ++i)
            EXPECT_EQ(read.GetBin(1).GetMatch(int(i)), matches[i]) << how << " " << i;
    };
    expectMatches(set, "added");

    TBinSet copy;
    set.CopyTo(copy);
    expectMatches(copy, "copied");

    const IXmlDocument document = NewXmlDocument();
    const IXmlNode node = document->FindOrAddChild(u"BinSet"_s);
    set.ToXml(*node);
    const QStringList saved = FileNameCache().Names();
    TBinSet loaded;
    loaded.FromXml(*node, static_cast<int>(saved.size()));
    loaded.MapSavedFileNames(saved);
    expectMatches(loaded, "loaded");

    // Each match names file 0 of the merged results, which is the same file.
    for (TMatch& match : matches)
        match.FileNameIndex = 0;
    TBinSet part;
    part.PrepareBinsFromString(u"1 Other"_s);
    for (const TMatch& match : matches)
        part.GetBin(1).AddMatch(match);
    TBinSet merged;
    merged.PrepareBinsFromString(u"1 Other"_s);
    const int file = FileNameCacheIndex(u"/corpus/extreme.txt"_s);
    merged.Append(std::move(part), std::span(&file, 1));
    for (TMatch& match : matches)
        match.FileNameIndex = file;
    expectMatches(merged, "appended");
    EXPECT_EQ(part.GetBin(1).Count(), 0);
}
