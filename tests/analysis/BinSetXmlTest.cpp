#include "../TestSupport.h"
#include "FileNames.h"
#include "TBinSet.h"
#include "XmlNode.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Positions and line numbers beyond 32 bits, as a corpus file of several
// gigabytes has them.
TMatch Match(int seed, const QString& file)
{
    const std::int64_t large = std::int64_t(1) << 32;
    TMatch match;
    match.WordsFromBeginning = large + seed;
    match.SentecesFromBeginning = large + seed + 1;
    match.WordsFromEnd = large + seed + 2;
    match.SentecesFromEnd = -large - seed;
    match.Percent = 100 - seed;
    match.BeginOffest = (std::int64_t(1) << 40) + seed;
    match.EndOffset = (std::int64_t(1) << 40) + seed + 3;
    match.FileNameIndex = FileNameCacheIndex(file);
    match.isUnicode = seed % 2 == 1;
    match.isUtf8 = seed % 3 == 0;
    match.LineNo = large + seed * 10;
    return match;
}

bool Same(const TMatch& a, const TMatch& b)
{
    return a.WordsFromBeginning == b.WordsFromBeginning &&
           a.SentecesFromBeginning == b.SentecesFromBeginning && a.WordsFromEnd == b.WordsFromEnd &&
           a.SentecesFromEnd == b.SentecesFromEnd && a.Percent == b.Percent &&
           a.BeginOffest == b.BeginOffest && a.EndOffset == b.EndOffset &&
           a.FileNameIndex == b.FileNameIndex && a.isUnicode == b.isUnicode &&
           a.isUtf8 == b.isUtf8 && a.LineNo == b.LineNo;
}

} // namespace

TEST(BinSetXml, RoundTripThroughTheFileNameList)
{
    TBinSet set;
    set.PrepareBinsFromString(u"1 Other 2147483647#"_s);
    set.GetBin(0).AddMatch(Match(1, u"/corpus/A.txt"_s));
    set.GetBin(0).AddMatch(Match(2, u"/corpus/b.txt"_s));
    set.GetBin(2).AddMatch(Match(3, u"/corpus/a.txt"_s));
    set.TotalWords = 6'600'000'000;
    set.TotalFiles = 2;
    set.TotalTexts = -1;

    const IXmlDocument document = NewXmlDocument();
    const IXmlNode node = document->FindOrAddChild(u"BinSet"_s);
    node->WriteAttr(u"Stale"_s, u"x"_s);
    set.ToXml(*node);
    EXPECT_EQ(node->AttrName(0), u"TotalWords"_s);
    EXPECT_EQ(node->AttrCount(), 7);
    // A bin without matches is an empty element.
    EXPECT_EQ(node->Children().Item(1)->XmlText(),
              u"\r\n\t<Bin BinType=\"3\" ValFrom=\"-1\" ValTo=\"-1\"/>"_s);

    // The saved file list is the cache it was saved from.
    const QStringList saved = FileNameCache().Names();
    TBinSet loaded;
    loaded.FromXml(*node, static_cast<int>(saved.size()));
    loaded.MapSavedFileNames(saved);
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_EQ(loaded.GetBin(1).BinType, btOther);
    EXPECT_EQ(loaded.GetBin(2).BinType, btPosFromEnd);
    EXPECT_EQ(loaded.GetBin(2).ValFrom, 2147483648);
    ASSERT_EQ(loaded.GetBin(0).Count(), 2);
    EXPECT_TRUE(Same(loaded.GetBin(0).GetMatch(1), set.GetBin(0).GetMatch(1)));
    EXPECT_TRUE(Same(loaded.GetBin(2).GetMatch(0), set.GetBin(2).GetMatch(0)));
    EXPECT_EQ(loaded.TotalWords, 6'600'000'000);
    EXPECT_EQ(loaded.TotalFiles, 2);
    EXPECT_EQ(loaded.TotalTexts, -1);
}

// The UTF-8 flag is written only where it is set, after every other
// attribute: documents without UTF-8 hits keep their form.
TEST(BinSetXml, Utf8FlagIsAnAttributeOnlyWhereSet)
{
    TMatch match;
    match.BeginOffest = 3;
    match.EndOffset = 5;
    match.LineNo = 1;
    const QString plain = u"<M WordsFromBeginning=\"0\" WordsFromEnd=\"0\" "
                          u"SentecesFromBeginning=\"0\" SentecesFromEnd=\"0\" Percent=\"0\" "
                          u"BeginOffest=\"3\" EndOffset=\"5\" FileNameIndex=\"0\" Uni=\"0\" "
                          u"LineNo=\"1\""_s;
    for (const bool utf8 : {false, true}) {
        match.isUtf8 = utf8;
        const IXmlDocument document = NewXmlDocument();
        const IXmlNode node = document->FindOrAddChild(u"M"_s);
        match.ToXml(*node);
        EXPECT_EQ(node->XmlText().trimmed(), plain + (utf8 ? u" Utf8=\"1\"/>"_s : u"/>"_s));
        TMatch loaded;
        loaded.FromXml(*node, 1);
        EXPECT_EQ(loaded, match);
    }
}

TEST(BinSetXml, SavedFileIndexOutsideTheListIsAnError)
{
    const IXmlDocument document = NewXmlDocument();
    const IXmlNode bin = document->FindOrAddChild(u"BinSet"_s)->AddElement(u"Bin"_s);
    bin->AddElement(u"M"_s)->WriteIntAttr(u"FileNameIndex"_s, 5);
    TBinSet set;
    try {
        set.FromXml(*document->Children().Item(0), 1);
        FAIL() << "no error";
    } catch (const TError& error) {
        EXPECT_EQ(error.Message(), u"List index out of bounds (5)"_s);
    }
}
