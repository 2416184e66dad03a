#include "WindowForms.h"

#include "Error.h"
#include "XmlNode.h"

using namespace Qt::StringLiterals;

void WriteTextForm(TXmlNode& node, const TTextFormState& state)
{
    node.ClearChildren();
    node.ClearAttrs();
    node.WriteAttr(u"FileName"_s, state.FileName);
    WritePlace(node, state.Place);
}

TTextFormState ReadTextForm(const TXmlNode& node)
{
    TTextFormState state;
    state.Place = ReadPlace(node);
    state.FileName = node.ReadAttr(u"FileName"_s, QString());
    return state;
}

namespace {

void WriteBaseline(TXmlNode& node, const std::vector<std::int64_t>& counts, bool shown)
{
    node.WriteBoolAttr(u"Shown"_s, shown);
    for (const std::int64_t count : counts)
        node.AddElement(u"Bin"_s)->WriteInt64Attr(u"Count"_s, count);
}

void ReadBaseline(const TXmlNode& node, TResultsFormState& state)
{
    state.ShowExpected = node.ReadBoolAttr(u"Shown"_s, false);
    std::vector<std::int64_t> counts;
    const TXmlNodeList& bins = node.Children();
    for (int i = 0; i < bins.Count(); ++i) {
        const std::int64_t count = bins.Item(i)->ReadInt64Attr(u"Count"_s, -1);
        if (count < 0)
            throw TError(u"A baseline count of the window \"%1\" is missing or negative."_s.arg(
                state.Title));
        counts.push_back(count);
    }
    if (counts.size() != state.BinSet.FBins.size())
        throw TError(
            u"The baseline of the window \"%1\" has %2 counts for %3 bins."_s.arg(state.Title)
                .arg(counts.size())
                .arg(state.BinSet.FBins.size()));
    state.BinSet.Baseline = std::move(counts);
}

} // namespace

void WriteResultsForm(TXmlNode& node, const TWindowPlace& place, const QString& title,
                      const QString& xAxisTitle, const TBinSet& binSet, bool showExpected)
{
    node.ClearChildren();
    node.ClearAttrs();
    WritePlace(node, place);
    node.WriteAttr(u"Title"_s, title);
    node.WriteAttr(u"XAxisTitle"_s, xAxisTitle);
    binSet.ToXml(*node.FindOrAddChild(u"BinSet"_s));
    if (!binSet.Baseline.empty())
        WriteBaseline(*node.FindOrAddChild(u"Baseline"_s), binSet.Baseline, showExpected);
}

TResultsFormState ReadResultsForm(const TXmlNode& node, int savedFileCount)
{
    TResultsFormState state;
    state.Place = ReadPlace(node);
    state.Title = node.ReadAttr(u"Title"_s, QString());
    state.XAxisTitle = node.ReadAttr(u"XAxisTitle"_s, QString());
    if (const IXmlNode binSet = node.FindChild(u"BinSet"_s))
        state.BinSet.FromXml(*binSet, savedFileCount);
    if (const IXmlNode baseline = node.FindChild(u"Baseline"_s))
        ReadBaseline(*baseline, state);
    return state;
}
