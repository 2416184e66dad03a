#include "TAppSettings.h"

using namespace Qt::StringLiterals;

void TAppSettings::SetDefaults()
{
    tsSentencesExceptions.clear();
    swPatternHistory.clear();

    TagStart = u"<"_s;
    TagStop = u">"_s;
    psEmbeddedInWord = false;
    psOutsideOfWord = true;
    psDelimeter = u" "_s;
    psTagsStart.fill(QString());
    psTagsStart[0] = u"<w"_s;
    psTagStop = u">"_s;
    psBeforeWord = false;

    tsHeaderStartTag = u"<Header>"_s;
    tsHeaderStopTag = u"</Header>"_s;
    tsBodyStartTag = u"<Body>"_s;
    tsBodyStopTag = u"</Body>"_s;
    tsSectionsType = 1;
    tsSectionsStart = u"<Sec>"_s;
    tsSectionsStop.clear();
    tsParagraphsType = 3;
    tsParagraphsStart.clear();
    tsParagraphsStop.clear();
    tsSentencesType = 1;
    tsSentencesStart.clear();
    tsSentencesStop.clear();
    tsSentencesDelimiters = u".?!"_s;
    tsSentencesAbbrevDetect = true;
    tsSentencesIncQuotes = true;
    tsSentencesCapital = false;

    wcStar = u"*"_s;
    wcQuestion = u"?"_s;
    wcPercent = u"%"_s;
    soWords = true;
    sdAmpersant = u"&"_s;
    sdAt = u"@"_s;
    sdAtMinWords = 1;
    sdAtMaxWords = 2;
    soSkipTags = true;
    soForwardBinsPreffered = true;
    maSaveWorkspaceOnExit = false;

    const QString positions = u"1 2 Other 1# #"_s;
    SentType = ParaType = SectType = TextType = 1;
    SentPercentBins = ParaPercentBins = SectPercentBins = TextPercentBins = 3;
    SentPositions = ParaPositions = SectPositions = TextPositions = positions;

    ExclSentLessThan = 0;
    ExclParaLessThan = 0;

    swDistrOver = 1;
    swSyntax = ssWordTag;
    swArea = 1;
    stWordPhrase.clear();
    stRegEx.clear();
    stWordTag.clear();
    srSent = srPara = srSect = srText = true;

    WrdDelims = u",. ;/\\:'\"`~-_=+()[]{}"_s;
    soCaseSensitive = false;
}
