// The XML form of bin sets, bins and matches, as workspace files keep the
// distributions of their results windows.

#include "FileNames.h"
#include "TBinSet.h"
#include "XmlNode.h"

using namespace Qt::StringLiterals;

namespace {

struct TTotal {
    QString Name;
    std::int32_t TBinSet::*Field;
};

const TTotal Totals[] = {
    {u"TotalWords"_s, &TBinSet::TotalWords},         {u"TotalSentences"_s, &TBinSet::TotalSentences},
    {u"TotalParagraphs"_s, &TBinSet::TotalParagraphs}, {u"TotalSections"_s, &TBinSet::TotalSections},
    {u"TotalFiles"_s, &TBinSet::TotalFiles},         {u"TotalMatches"_s, &TBinSet::TotalMatches},
    {u"TotalTexts"_s, &TBinSet::TotalTexts},
};

} // namespace

void TMatch::ToXml(TXmlNode& node) const
{
    node.ClearChildren();
    node.ClearAttrs();
    node.WriteIntAttr(u"WordsFromBeginning"_s, WordsFromBeginning);
    node.WriteIntAttr(u"WordsFromEnd"_s, WordsFromEnd);
    node.WriteIntAttr(u"SentecesFromBeginning"_s, SentecesFromBeginning);
    node.WriteIntAttr(u"SentecesFromEnd"_s, SentecesFromEnd);
    node.WriteIntAttr(u"Percent"_s, Percent);
    node.WriteInt64Attr(u"BeginOffest"_s, BeginOffest);
    node.WriteInt64Attr(u"EndOffset"_s, EndOffset);
    node.WriteIntAttr(u"FileNameIndex"_s, FileNameIndex);
    node.WriteBoolAttr(u"Uni"_s, isUnicode);
    node.WriteIntAttr(u"LineNo"_s, LineNo);
}

void TMatch::FromXml(const TXmlNode& node)
{
    WordsFromBeginning = node.ReadIntAttr(u"WordsFromBeginning"_s, 0);
    WordsFromEnd = node.ReadIntAttr(u"WordsFromEnd"_s, 0);
    SentecesFromBeginning = node.ReadIntAttr(u"SentecesFromBeginning"_s, 0);
    SentecesFromEnd = node.ReadIntAttr(u"SentecesFromEnd"_s, 0);
    Percent = node.ReadIntAttr(u"Percent"_s, 0);
    BeginOffest = node.ReadInt64Attr(u"BeginOffest"_s, 0);
    EndOffset = node.ReadInt64Attr(u"EndOffset"_s, 0);
    const int saved = node.ReadIntAttr(u"FileNameIndex"_s, 0);
    const QStringList& loaded = LoadedFileNames();
    if (saved < 0 || saved >= loaded.size())
        throw TError(u"List index out of bounds (%1)"_s.arg(saved));
    FileNameIndex = FileNameCacheIndex(loaded[saved]);
    isUnicode = node.ReadBoolAttr(u"Uni"_s, false);
    LineNo = node.ReadIntAttr(u"LineNo"_s, 0);
}

void TBin::ToXml(TXmlNode& node) const
{
    node.ClearChildren();
    node.ClearAttrs();
    node.WriteIntAttr(u"BinType"_s, BinType);
    node.WriteIntAttr(u"ValFrom"_s, ValFrom);
    node.WriteIntAttr(u"ValTo"_s, ValTo);
    for (const TMatch& match : Matches)
        match.ToXml(*node.AddElement(u"M"_s));
}

void TBin::FromXml(const TXmlNode& node)
{
    BinType = static_cast<TBinType>(node.ReadIntAttr(u"BinType"_s, 0));
    ValFrom = node.ReadIntAttr(u"ValFrom"_s, 0);
    ValTo = node.ReadIntAttr(u"ValTo"_s, 0);
    const TXmlNodeList& children = node.Children();
    for (int i = 0; i < children.Count(); ++i) {
        TMatch match;
        match.FromXml(*children.Item(i));
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
        node.WriteIntAttr(total.Name, this->*total.Field);
}

void TBinSet::FromXml(const TXmlNode& node)
{
    const TXmlNodeList& children = node.Children();
    for (int i = 0; i < children.Count(); ++i)
        FBins.emplace_back().FromXml(*children.Item(i));
    for (const TTotal& total : Totals)
        this->*total.Field = node.ReadIntAttr(total.Name, 0);
}
