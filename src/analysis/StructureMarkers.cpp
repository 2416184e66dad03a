#include "StructureMarkers.h"

#include "CharClasses.h"
#include "TAppSettings.h"

TStructureMarkers::TStructureMarkers(const TAppSettings& settings)
    : HeaderStart(settings.tsHeaderStartTag)
    , HeaderStop(settings.tsHeaderStopTag)
    , BodyStart(settings.tsBodyStartTag)
    , BodyStop(settings.tsBodyStopTag)
    , SectionsType(settings.tsSectionsType)
    , SectionStart(settings.tsSectionsStart)
    , SectionStop(settings.tsSectionsStop)
    , ParagraphsType(settings.tsParagraphsType)
    , ParagraphStart(settings.tsParagraphsStart)
    , SentencesType(settings.tsSentencesType)
    , SentenceStart(settings.tsSentencesStart)
    , SentenceDelimiters(settings.tsSentencesDelimiters.toStdU16String())
    , AbbreviationDetect(settings.tsSentencesAbbrevDetect)
    , IncludeTrailingQuotes(settings.tsSentencesIncQuotes)
    , CapitalRequired(settings.tsSentencesCapital)
{
    if (SectionsType == 1) {
        SectionPattern.emplace(settings.tsSectionsStart, settings);
        const auto& pieces = SectionPattern->Pieces();
        if (!pieces.empty() && !pieces.front().Literal.empty())
            SectionPatternFirst = pieces.front().Literal.front();
    }
    for (const QString& exception : settings.tsSentencesExceptions) {
        Exceptions.emplace_back(exception);
        ExceptionTexts.push_back(exception.toStdU16String());
    }
}

void TStructureMarkers::MarkStarts(TCharClasses& classes) const
{
    for (const TMarker* marker : {&HeaderStart, &HeaderStop, &BodyStart, &BodyStop})
        classes.Mark(*marker, TCharClasses::HeaderBody);

    if (SectionsType == 0) {
        classes.Mark(SectionStart, TCharClasses::Structure);
        classes.Mark(SectionStop, TCharClasses::Structure);
    } else if (SectionsType == 1 && !SectionPattern->Pieces().empty()) {
        if (SectionPatternFirst == 0)
            classes.MarkAll(TCharClasses::Structure); // the pattern begins with a wildcard
        else
            classes.MarkUpper(SectionPatternFirst, TCharClasses::Structure);
    }

    switch (ParagraphsType) {
    case 0:
        classes.Mark(ParagraphStart, TCharClasses::Structure);
        break;
    case 2:
        classes.MarkChar(u'\r', TCharClasses::Structure);
        [[fallthrough]];
    case 1:
    case 3:
        classes.MarkChar(u'\n', TCharClasses::Structure);
        break;
    }

    if (SentencesType == 0) {
        classes.Mark(SentenceStart, TCharClasses::Structure);
    } else if (SentencesType == 1) {
        for (char16_t c : SentenceDelimiters)
            classes.MarkChar(c, TCharClasses::Structure);
    }
}
