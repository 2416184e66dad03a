// The XML form of bin sets, bins and matches, as workspace files keep the
// distributions of their results windows.

#include "FileNames.h"
#include "TBinSet.h"
#include "XmlNode.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct TTotal {
    QString Name;
    std::int64_t TBinSet::*Field;
};

const TTotal Totals[] = {
    {u"TotalWords"_s, &TBinSet::TotalWords},
    {u"TotalSentences"_s, &TBinSet::TotalSentences},
    {u"TotalParagraphs"_s, &TBinSet::TotalParagraphs},
    {u"TotalSections"_s, &TBinSet::TotalSections},
    {u"TotalFiles"_s, &TBinSet::TotalFiles},
    {u"TotalMatches"_s, &TBinSet::TotalMatches},
    {u"TotalTexts"_s, &TBinSet::TotalTexts},
};

// Millions of matches are written and read: their names are interned once.
const TXmlName MatchElement(u"M"_s);
const TXmlName WordsFromBeginningAttr(u"WordsFromBeginning"_s);
const TXmlName WordsFromEndAttr(u"WordsFromEnd"_s);
const TXmlName SentecesFromBeginningAttr(u"SentecesFromBeginning"_s);
const TXmlName SentecesFromEndAttr(u"SentecesFromEnd"_s);
const TXmlName PercentAttr(u"Percent"_s);
const TXmlName BeginOffestAttr(u"BeginOffest"_s);
const TXmlName EndOffsetAttr(u"EndOffset"_s);
const TXmlName FileNameIndexAttr(u"FileNameIndex"_s);
const TXmlName UniAttr(u"Uni"_s);
const TXmlName LineNoAttr(u"LineNo"_s);
// Written only where it is true, so that documents without UTF-8 hits keep
// their form, and readers that do not know it find every other attribute.
const TXmlName Utf8Attr(u"Utf8"_s);
constexpr int MatchAttrs = 11;

} // namespace

void TMatch::ToXml(TXmlNode& node) const
{
    node.ClearChildren();
    node.ClearAttrs();
    node.ReserveAttrs(MatchAttrs);
    node.WriteInt64Attr(WordsFromBeginningAttr, WordsFromBeginning);
    node.WriteInt64Attr(WordsFromEndAttr, WordsFromEnd);
    node.WriteInt64Attr(SentecesFromBeginningAttr, SentecesFromBeginning);
    node.WriteInt64Attr(SentecesFromEndAttr, SentecesFromEnd);
    node.WriteIntAttr(PercentAttr, Percent);
    node.WriteInt64Attr(BeginOffestAttr, BeginOffest);
    node.WriteInt64Attr(EndOffsetAttr, EndOffset);
    node.WriteIntAttr(FileNameIndexAttr, FileNameIndex);
    node.WriteBoolAttr(UniAttr, isUnicode);
    node.WriteInt64Attr(LineNoAttr, LineNo);
    if (isUtf8)
        node.WriteBoolAttr(Utf8Attr, true);
}

void TMatch::FromXml(const TXmlNode& node, int savedFileCount)
{
    WordsFromBeginning = node.ReadInt64Attr(WordsFromBeginningAttr, 0);
    WordsFromEnd = node.ReadInt64Attr(WordsFromEndAttr, 0);
    SentecesFromBeginning = node.ReadInt64Attr(SentecesFromBeginningAttr, 0);
    SentecesFromEnd = node.ReadInt64Attr(SentecesFromEndAttr, 0);
    // Kept in a small field, which a damaged file must not wrap around.
    Percent = static_cast<std::int16_t>(std::clamp(node.ReadIntAttr(PercentAttr, 0), 0, 100));
    BeginOffest = node.ReadInt64Attr(BeginOffestAttr, 0);
    EndOffset = node.ReadInt64Attr(EndOffsetAttr, 0);
    FileNameIndex = node.ReadIntAttr(FileNameIndexAttr, 0);
    if (FileNameIndex < 0 || FileNameIndex >= savedFileCount)
        throw TError(u"List index out of bounds (%1)"_s.arg(FileNameIndex));
    isUnicode = node.ReadBoolAttr(UniAttr, false);
    LineNo = node.ReadInt64Attr(LineNoAttr, 0);
    isUtf8 = node.ReadBoolAttr(Utf8Attr, false);
}

void TBin::ToXml(TXmlNode& node) const
{
    node.ClearChildren();
    node.ClearAttrs();
    node.WriteIntAttr(u"BinType"_s, BinType);
    node.WriteInt64Attr(u"ValFrom"_s, ValFrom);
    node.WriteInt64Attr(u"ValTo"_s, ValTo);
    node.ReserveChildren(static_cast<int>(Matches.size()));
    for (const TMatch& match : Matches)
        match.ToXml(*node.AddElement(MatchElement));
}

void TBin::FromXml(const TXmlNode& node, int savedFileCount)
{
    BinType = static_cast<TBinType>(node.ReadIntAttr(u"BinType"_s, 0));
    ValFrom = node.ReadInt64Attr(u"ValFrom"_s, 0);
    ValTo = node.ReadInt64Attr(u"ValTo"_s, 0);
    const TXmlNodeList& children = node.Children();
    for (int i = 0; i < children.Count(); ++i) {
        TMatch match;
        match.FromXml(*children.Item(i), savedFileCount);
        AddMatch(match);
    }
}

void TBinSet::ToXml(TXmlNode& node) const
{
    node.ClearChildren();
    node.ClearAttrs();
    for (const TBin& bin : FBins)
        bin.ToXml(*node.AddElement(u"Bin"_s));
    for (const TTotal& total : Totals)
        node.WriteInt64Attr(total.Name, this->*total.Field);
}

void TBinSet::FromXml(const TXmlNode& node, int savedFileCount)
{
    const TXmlNodeList& children = node.Children();
    for (int i = 0; i < children.Count(); ++i)
        FBins.emplace_back().FromXml(*children.Item(i), savedFileCount);
    for (const TTotal& total : Totals)
        this->*total.Field = node.ReadInt64Attr(total.Name, 0);
}

// Each saved name is looked up once, when a match first refers to it, so the
// cache gains the names in the order the matches name them.
void TBinSet::MapSavedFileNames(const QStringList& savedNames)
{
    std::vector<int> cacheIndex(static_cast<size_t>(savedNames.size()), -1);
    for (TBin& bin : FBins) {
        bin.Matches.MapFiles([&](int saved) {
            int& mapped = cacheIndex[static_cast<size_t>(saved)];
            if (mapped < 0)
                mapped = FileNameCacheIndex(savedNames[saved]);
            return mapped;
        });
    }
}
