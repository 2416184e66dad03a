#include "ShardFile.h"

#include "XmlNode.h"

using namespace Qt::StringLiterals;

namespace {

// Raised whenever the document's form changes; a reader refuses any other.
constexpr int FormatVersion = 1;

// The element of each distribution, in the order of TDistribution; the same
// names flag on the element "Shard" which distributions were requested.
const QString DistributionNames[] = {u"Sentence"_s, u"Paragraph"_s, u"Section"_s, u"Text"_s};

const QString MessageKinds[] = {u"Warning"_s, u"Error"_s};

// The totals and baseline counts of shards are added up: held to a bound far
// above any corpus, no sum of them can overflow.
constexpr std::int64_t MaxCount = std::int64_t(1) << 40;

std::int64_t CheckedCount(std::int64_t count)
{
    if (count < 0 || count > MaxCount)
        throw TError(u"A count of the shard is out of range (%1)."_s.arg(count));
    return count;
}

void WriteSearch(TXmlNode& node, const TShardSearch& search)
{
    node.WriteIntAttr(u"Version"_s, FormatVersion);
    node.WriteAttr(u"Pattern"_s, search.Pattern);
    node.WriteIntAttr(u"Syntax"_s, search.Syntax);
    node.WriteIntAttr(u"Encoding"_s, static_cast<int>(search.Encoding));
    node.WriteBoolAttr(u"Baseline"_s, search.Baseline);
    for (size_t i = 0; i < search.Distributions.size(); ++i)
        node.WriteBoolAttr(DistributionNames[i], search.Distributions[i]);
}

// The attribute name as an integer, refused outside first to last.
int IntInRange(const TXmlNode& node, const QString& name, int first, int last)
{
    const int value = node.ReadIntAttr(name, first - 1);
    if (value < first || value > last)
        throw TError(u"Unknown %1 %2 in the shard."_s.arg(name).arg(value));
    return value;
}

TShardSearch ReadSearch(const TXmlDocument& document)
{
    const IXmlNode node = document.FindChild(u"Shard"_s);
    if (!node)
        throw TError(u"Not a shard file."_s);
    const int version = node->ReadIntAttr(u"Version"_s, 0);
    if (version != FormatVersion)
        throw TError(u"Unknown shard format version %1."_s.arg(version));
    TShardSearch search;
    search.Pattern = node->ReadAttr(u"Pattern"_s, QString());
    search.Syntax =
        static_cast<TSearchSyntax>(IntInRange(*node, u"Syntax"_s, ssWordPhrase, ssWordTag));
    search.Encoding = static_cast<TEncodingChoice>(
        IntInRange(*node, u"Encoding"_s, 0, static_cast<int>(TEncodingChoice::Cp1252)));
    search.Baseline = node->ReadBoolAttr(u"Baseline"_s, false);
    for (size_t i = 0; i < search.Distributions.size(); ++i)
        search.Distributions[i] = node->ReadBoolAttr(DistributionNames[i], false);
    return search;
}

void WriteMessages(TXmlNode& node, const std::vector<TShardMessage>& messages)
{
    for (const TShardMessage& message : messages) {
        TXmlNode& element = *node.AddElement(u"Message"_s);
        element.WriteAttr(u"Kind"_s, MessageKinds[static_cast<int>(message.Kind)]);
        element.WriteAttr(u"Text"_s, message.Text);
    }
}

std::vector<TShardMessage> ReadMessages(const TXmlNode& node)
{
    std::vector<TShardMessage> messages;
    const TXmlNodeList& children = node.Children();
    for (int i = 0; i < children.Count(); ++i) {
        const TXmlNode& element = *children.Item(i);
        const QString kind = element.ReadAttr(u"Kind"_s, QString());
        TShardMessage& message = messages.emplace_back();
        if (kind == MessageKinds[0])
            message.Kind = TShardMessage::TKind::Warning;
        else if (kind != MessageKinds[1])
            throw TError(u"A message of the shard is of an unknown kind (%1)."_s.arg(kind));
        message.Text = element.ReadAttr(u"Text"_s, QString());
    }
    return messages;
}

// The element "BinSet" holds the bin-set form as the workspace knows it; the
// baseline, which that form leaves out, is its sibling.
void WriteDistribution(TXmlNode& node, const TBinSet& set, bool baseline)
{
    set.ToXml(*node.AddElement(u"BinSet"_s));
    if (!baseline)
        return;
    TXmlNode& counts = *node.AddElement(u"Baseline"_s);
    for (const std::int64_t count : set.Baseline)
        counts.AddElement(u"Bin"_s)->WriteInt64Attr(u"Count"_s, count);
}

void ReadDistribution(const TXmlNode& node, TBinSet& set, bool baseline, int savedFileCount)
{
    set = TBinSet();
    const TXmlNode& binSet = *node.RequireChild(u"BinSet"_s);
    set.FromXml(binSet, savedFileCount);
    // The attributes of the bin-set form are its totals.
    for (int i = 0; i < binSet.AttrCount(); ++i)
        CheckedCount(binSet.ReadInt64Attr(binSet.AttrName(i), 0));
    if (!baseline)
        return;
    const TXmlNodeList& counts = node.RequireChild(u"Baseline"_s)->Children();
    if (counts.Count() != set.Count())
        throw TError(u"A baseline of the shard has %1 counts for %2 bins."_s.arg(counts.Count())
                         .arg(set.Count()));
    for (int i = 0; i < counts.Count(); ++i)
        set.Baseline.push_back(CheckedCount(counts.Item(i)->ReadInt64Attr(u"Count"_s, 0)));
}

} // namespace

void SaveShard(const QString& path, const TShard& shard)
{
    const IXmlDocument document = NewXmlDocument();
    shard.Settings.ToXml(*document);
    WriteSearch(*document->AddElement(u"Shard"_s), shard.Search);
    WriteMessages(*document->AddElement(u"Messages"_s), shard.Messages);
    TXmlNode& cache = *document->AddElement(u"FNCache"_s);
    for (const QString& name : shard.FileNames)
        cache.AddElement(u"CI"_s)->WriteAttr(u"FileName"_s, name);
    TXmlNode& distributions = *document->AddElement(u"Distributions"_s);
    for (const TDistribution kind : AllDistributions) {
        if (const TBinSet* set = shard.Bins.Of(kind)) {
            WriteDistribution(*distributions.AddElement(DistributionNames[static_cast<int>(kind)]),
                              *set, shard.Search.Baseline);
        }
    }
    document->SaveToFile(path);
}

TShard ReadShard(const QString& path)
{
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromFile(path);
    TShard shard;
    shard.Search = ReadSearch(*document);
    shard.Settings.SetDefaults();
    shard.Settings.FromXml(*document);
    shard.Messages = ReadMessages(*document->RequireChild(u"Messages"_s));
    const TXmlNodeList& cache = document->RequireChild(u"FNCache"_s)->Children();
    for (int i = 0; i < cache.Count(); ++i)
        shard.FileNames.append(cache.Item(i)->ReadAttr(u"FileName"_s, QString()));
    // Made as the search made them, then filled with what was saved.
    shard.Bins = TSearchBins(shard.Settings, shard.Search.Distributions);
    const IXmlNode distributions = document->RequireChild(u"Distributions"_s);
    for (const TDistribution kind : AllDistributions) {
        if (TBinSet* set = shard.Bins.Of(kind)) {
            ReadDistribution(
                *distributions->RequireChild(DistributionNames[static_cast<int>(kind)]), *set,
                shard.Search.Baseline, static_cast<int>(shard.FileNames.size()));
        }
    }
    return shard;
}
