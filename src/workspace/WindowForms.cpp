#include "WindowForms.h"

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

void WriteResultsForm(TXmlNode& node, const TWindowPlace& place, const QString& title,
                      const QString& xAxisTitle, const TBinSet& binSet)
{
    node.ClearChildren();
    node.ClearAttrs();
    WritePlace(node, place);
    node.WriteAttr(u"Title"_s, title);
    node.WriteAttr(u"XAxisTitle"_s, xAxisTitle);
    binSet.ToXml(*node.FindOrAddChild(u"BinSet"_s));
}

TResultsFormState ReadResultsForm(const TXmlNode& node, int savedFileCount)
{
    TResultsFormState state;
    state.Place = ReadPlace(node);
    state.Title = node.ReadAttr(u"Title"_s, QString());
    state.XAxisTitle = node.ReadAttr(u"XAxisTitle"_s, QString());
    if (const IXmlNode binSet = node.FindChild(u"BinSet"_s))
        state.BinSet.FromXml(*binSet, savedFileCount);
    return state;
}
