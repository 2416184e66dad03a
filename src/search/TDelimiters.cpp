#include "TDelimiters.h"

#include "TAppSettings.h"

TDelimiters::TDelimiters(const TAppSettings& settings)
{
    MakeCharSet(settings.WrdDelims);
    RemoveSpecialChars(settings);
    AddLineBreaksAndTabs();
}

void TDelimiters::MakeCharSet(const QString& s)
{
    Set.reset();
    for (QChar c : s) {
        if (!c.isSurrogate())
            Set[c.unicode()] = true;
    }
}

void TDelimiters::RemoveSpecialChars(const TAppSettings& settings)
{
    for (const QString* text :
         {&settings.wcStar, &settings.wcQuestion, &settings.wcPercent, &settings.TagStart,
          &settings.TagStop, &settings.psDelimeter, &settings.psTagStop}) {
        RemoveAllButLast(*text);
    }
    for (const QString& text : settings.psTagsStart)
        RemoveAllButLast(text);
}

void TDelimiters::AddLineBreaksAndTabs()
{
    for (char16_t c = u'\t'; c <= u'\r'; ++c)
        Set[c] = true;
}

void TDelimiters::RemoveAllButLast(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        Set[text[i].unicode()] = false;
}
