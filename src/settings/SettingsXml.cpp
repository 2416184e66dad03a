// The XML form of the settings: one element per setting, named after its
// field, with the value in the attribute "Value"; the three lists as elements
// with one "Item" child per entry.

#include "TAppSettings.h"
#include "XmlNode.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString Value = u"Value"_s;

// The 17 delimiters of a settings file written before the hyphen, low line,
// equals sign and plus sign became delimiters.
const QString OlderWordDelimiters = u",. ;/\\:'\"`~()[]{}"_s;

void WriteText(TXmlNode& settings, const QString& name, const QString& value)
{
    settings.AddElement(name)->WriteAttr(Value, value);
}

void WriteInt(TXmlNode& settings, const QString& name, int value)
{
    settings.AddElement(name)->WriteIntAttr(Value, value);
}

void WriteBool(TXmlNode& settings, const QString& name, bool value)
{
    settings.AddElement(name)->WriteBoolAttr(Value, value);
}

void WriteList(TXmlNode& settings, const QString& name, const QStringList& list)
{
    const IXmlNode element = settings.AddElement(name);
    for (qsizetype i = 0; i < list.size(); ++i)
        element->AddElement(u"Item"_s + QString::number(i))->WriteAttr(Value, list[i]);
}

QString ReadText(TXmlNode& settings, const QString& name)
{
    return settings.FindOrAddChild(name)->ReadAttr(Value, QString());
}

int ReadInt(TXmlNode& settings, const QString& name)
{
    return settings.FindOrAddChild(name)->ReadIntAttr(Value, 0);
}

bool ReadBool(TXmlNode& settings, const QString& name)
{
    return settings.FindOrAddChild(name)->ReadBoolAttr(Value, false);
}

// The Value of every child, whatever its name.
QStringList ReadList(TXmlNode& settings, const QString& name)
{
    QStringList list;
    const IXmlNode element = settings.FindOrAddChild(name);
    for (int i = 0; i < element->Children().Count(); ++i)
        list.append(element->Children().Item(i)->ReadAttr(Value, QString()));
    return list;
}

} // namespace

void TAppSettings::ToXml(TXmlDocument& document) const
{
    const IXmlNode node = document.FindOrAddChild(u"Settings"_s);
    TXmlNode& s = *node;
    s.ClearChildren();
    WriteText(s, u"TagStart"_s, TagStart);
    WriteText(s, u"TagStop"_s, TagStop);
    WriteBool(s, u"psEmbeddedInWord"_s, psEmbeddedInWord);
    WriteBool(s, u"psOutsideOfWord"_s, psOutsideOfWord);
    WriteText(s, u"psDelimeter"_s, psDelimeter);
    WriteText(s, u"psTagStop"_s, psTagStop);
    WriteBool(s, u"psBeforeWord"_s, psBeforeWord);
    WriteList(s, u"TagStartArray"_s, {psTagsStart.begin(), psTagsStart.end()});
    WriteText(s, u"tsHeaderStartTag"_s, tsHeaderStartTag);
    WriteText(s, u"tsHeaderStopTag"_s, tsHeaderStopTag);
    WriteText(s, u"tsBodyStartTag"_s, tsBodyStartTag);
    WriteText(s, u"tsBodyStopTag"_s, tsBodyStopTag);
    WriteInt(s, u"tsSectionsType"_s, tsSectionsType);
    WriteText(s, u"tsSectionsStart"_s, tsSectionsStart);
    WriteText(s, u"tsSectionsStop"_s, tsSectionsStop);
    WriteInt(s, u"tsParagraphsType"_s, tsParagraphsType);
    WriteText(s, u"tsParagraphsStart"_s, tsParagraphsStart);
    WriteText(s, u"tsParagraphsStop"_s, tsParagraphsStop);
    WriteInt(s, u"tsSentencesType"_s, tsSentencesType);
    WriteText(s, u"tsSentencesStart"_s, tsSentencesStart);
    WriteText(s, u"tsSentencesStop"_s, tsSentencesStop);
    WriteText(s, u"tsSentencesDelimiters"_s, tsSentencesDelimiters);
    WriteBool(s, u"tsSentencesAbbrevDetect"_s, tsSentencesAbbrevDetect);
    WriteBool(s, u"tsSentencesIncQuotes"_s, tsSentencesIncQuotes);
    WriteBool(s, u"tsSentencesCapital"_s, tsSentencesCapital);
    WriteBool(s, u"maSaveWorkspaceOnExit"_s, maSaveWorkspaceOnExit);
    WriteText(s, u"wcStar"_s, wcStar);
    WriteText(s, u"wcQuestion"_s, wcQuestion);
    WriteText(s, u"wcPercent"_s, wcPercent);
    WriteBool(s, u"soWords"_s, soWords);
    WriteText(s, u"sdAmpersant"_s, sdAmpersant);
    WriteText(s, u"sdAt"_s, sdAt);
    WriteInt(s, u"sdAtMinWords"_s, sdAtMinWords);
    WriteInt(s, u"sdAtMaxWords"_s, sdAtMaxWords);
    WriteBool(s, u"soSkipTags"_s, soSkipTags);
    WriteBool(s, u"soForwardBinsPreffered"_s, soForwardBinsPreffered);
    WriteInt(s, u"SentType"_s, SentType);
    WriteInt(s, u"SentPercentBins"_s, SentPercentBins);
    WriteText(s, u"SentPositions"_s, SentPositions);
    WriteInt(s, u"ParaType"_s, ParaType);
    WriteInt(s, u"ParaPercentBins"_s, ParaPercentBins);
    WriteText(s, u"ParaPositions"_s, ParaPositions);
    WriteInt(s, u"SectType"_s, SectType);
    WriteInt(s, u"SectPercentBins"_s, SectPercentBins);
    WriteText(s, u"SectPositions"_s, SectPositions);
    WriteInt(s, u"TextType"_s, TextType);
    WriteInt(s, u"TextPercentBins"_s, TextPercentBins);
    WriteText(s, u"TextPositions"_s, TextPositions);
    WriteInt(s, u"ExclSentLessThan"_s, ExclSentLessThan);
    WriteInt(s, u"ExclParaLessThan"_s, ExclParaLessThan);
    WriteInt(s, u"swDistrOver"_s, swDistrOver);
    WriteInt(s, u"swSyntax"_s, swSyntax);
    WriteInt(s, u"swArea"_s, swArea);
    WriteText(s, u"stWordPhrase"_s, stWordPhrase);
    WriteText(s, u"stRegEx"_s, stRegEx);
    WriteText(s, u"stWordTag"_s, stWordTag);
    WriteBool(s, u"srSent"_s, srSent);
    WriteBool(s, u"srPara"_s, srPara);
    WriteBool(s, u"srSect"_s, srSect);
    WriteBool(s, u"srText"_s, srText);
    WriteText(s, u"WrdDelims"_s, WrdDelims);
    WriteBool(s, u"soCaseSensitive"_s, soCaseSensitive);
    WriteList(s, u"SentencesExceptions"_s, tsSentencesExceptions);
    WriteList(s, u"PatternHistory"_s, swPatternHistory);
}

void TAppSettings::FromXml(TXmlDocument& document)
{
    const IXmlNode node = document.FindOrAddChild(u"Settings"_s);
    TXmlNode& s = *node;
    TagStart = ReadText(s, u"TagStart"_s);
    TagStop = ReadText(s, u"TagStop"_s);
    psEmbeddedInWord = ReadBool(s, u"psEmbeddedInWord"_s);
    psOutsideOfWord = ReadBool(s, u"psOutsideOfWord"_s);
    psBeforeWord = ReadBool(s, u"psBeforeWord"_s);
    psDelimeter = ReadText(s, u"psDelimeter"_s);
    psTagStop = ReadText(s, u"psTagStop"_s);
    const IXmlNode tagStarts = s.FindOrAddChild(u"TagStartArray"_s);
    for (size_t i = 0; i < psTagsStart.size(); ++i)
        psTagsStart[i] = ReadText(*tagStarts, u"Item"_s + QString::number(i));
    tsHeaderStartTag = ReadText(s, u"tsHeaderStartTag"_s);
    tsHeaderStopTag = ReadText(s, u"tsHeaderStopTag"_s);
    tsBodyStartTag = ReadText(s, u"tsBodyStartTag"_s);
    tsBodyStopTag = ReadText(s, u"tsBodyStopTag"_s);
    tsSectionsType = ReadInt(s, u"tsSectionsType"_s);
    tsSectionsStart = ReadText(s, u"tsSectionsStart"_s);
    tsSectionsStop = ReadText(s, u"tsSectionsStop"_s);
    tsParagraphsType = ReadInt(s, u"tsParagraphsType"_s);
    tsParagraphsStart = ReadText(s, u"tsParagraphsStart"_s);
    tsParagraphsStop = ReadText(s, u"tsParagraphsStop"_s);
    tsSentencesType = ReadInt(s, u"tsSentencesType"_s);
    tsSentencesStart = ReadText(s, u"tsSentencesStart"_s);
    tsSentencesStop = ReadText(s, u"tsSentencesStop"_s);
    tsSentencesDelimiters = ReadText(s, u"tsSentencesDelimiters"_s);
    tsSentencesAbbrevDetect = ReadBool(s, u"tsSentencesAbbrevDetect"_s);
    tsSentencesIncQuotes = ReadBool(s, u"tsSentencesIncQuotes"_s);
    tsSentencesCapital = ReadBool(s, u"tsSentencesCapital"_s);
    maSaveWorkspaceOnExit = ReadBool(s, u"maSaveWorkspaceOnExit"_s);
    wcStar = ReadText(s, u"wcStar"_s);
    wcQuestion = ReadText(s, u"wcQuestion"_s);
    wcPercent = ReadText(s, u"wcPercent"_s);
    soWords = ReadBool(s, u"soWords"_s);
    sdAmpersant = ReadText(s, u"sdAmpersant"_s);
    sdAt = ReadText(s, u"sdAt"_s);
    sdAtMinWords = ReadInt(s, u"sdAtMinWords"_s);
    sdAtMaxWords = ReadInt(s, u"sdAtMaxWords"_s);
    soSkipTags = ReadBool(s, u"soSkipTags"_s);
    soForwardBinsPreffered = ReadBool(s, u"soForwardBinsPreffered"_s);
    SentType = ReadInt(s, u"SentType"_s);
    SentPercentBins = ReadInt(s, u"SentPercentBins"_s);
    SentPositions = ReadText(s, u"SentPositions"_s);
    ParaType = ReadInt(s, u"ParaType"_s);
    ParaPercentBins = ReadInt(s, u"ParaPercentBins"_s);
    ParaPositions = ReadText(s, u"ParaPositions"_s);
    SectType = ReadInt(s, u"SectType"_s);
    SectPercentBins = ReadInt(s, u"SectPercentBins"_s);
    SectPositions = ReadText(s, u"SectPositions"_s);
    TextType = ReadInt(s, u"TextType"_s);
    TextPercentBins = ReadInt(s, u"TextPercentBins"_s);
    TextPositions = ReadText(s, u"TextPositions"_s);
    ExclSentLessThan = ReadInt(s, u"ExclSentLessThan"_s);
    ExclParaLessThan = ReadInt(s, u"ExclParaLessThan"_s);
    swDistrOver = ReadInt(s, u"swDistrOver"_s);
    swSyntax = ReadInt(s, u"swSyntax"_s);
    swArea = ReadInt(s, u"swArea"_s);
    stWordPhrase = ReadText(s, u"stWordPhrase"_s);
    stRegEx = ReadText(s, u"stRegEx"_s);
    stWordTag = ReadText(s, u"stWordTag"_s);

    try {
        WrdDelims = s.RequireChild(u"WrdDelims"_s)->ReadAttr(Value, QString());
    } catch (const TXmlError&) {
        WrdDelims = OlderWordDelimiters;
    }
    try {
        soCaseSensitive = ReadBool(s, u"soCaseSensitive"_s);
    } catch (const TXmlError&) {
        soCaseSensitive = false;
    }
    // The four distributions are read together: if one cannot be, all are
    // requested.
    const std::pair<QString, bool*> distributions[] = {
        {u"srSent"_s, &srSent}, {u"srPara"_s, &srPara}, {u"srSect"_s, &srSect}, {u"srText"_s, &srText}};
    try {
        for (const auto& [name, flag] : distributions)
            *flag = s.RequireChild(name)->ReadBoolAttr(Value, false);
    } catch (const TXmlError&) {
        srSent = srPara = srSect = srText = true;
    }
    tsSentencesExceptions = ReadList(s, u"SentencesExceptions"_s);
    swPatternHistory = ReadList(s, u"PatternHistory"_s);
}
