// The options of the search languages that the matchers depend on, chosen by
// leading bytes of a fuzzer's input. The texts come from short tables with the
// defaults, empty texts, texts of several characters and texts that collide
// with each other or with the delimiters.
#pragma once

#include "FuzzInput.h"
#include "TAppSettings.h"

#include <QString>

#include <array>
#include <utility>

inline void FuzzSearchOptions(TAppSettings& settings, TFuzzInput& input)
{
    using namespace Qt::StringLiterals;
    static const std::array<QString, 8> wildcards{u"*"_s,  u"?"_s, u"%"_s, QString(),
                                                  u"**"_s, u"<"_s, u"a"_s, u"*?"_s};
    static const std::array<QString, 6> separators{u"&"_s, u"@"_s, QString(),
                                                   u"*"_s, u"_"_s, u"&&"_s};
    static const std::array<std::pair<QString, QString>, 5> tags{{{u"<"_s, u">"_s},
                                                                  {QString(), QString()},
                                                                  {u"<<"_s, u">>"_s},
                                                                  {u"["_s, u"]"_s},
                                                                  {u"<"_s, u"<"_s}}};
    const QString standard = settings.WrdDelims;
    const std::array<QString, 5> delimiters{standard, QString(), u" "_s, standard + u"*?%<>&@"_s,
                                            u"aeiou "_s};

    settings.soWords = input.Flag();
    settings.soCaseSensitive = input.Flag();
    settings.soSkipTags = input.Flag();
    settings.wcStar = input.Pick(wildcards);
    settings.wcQuestion = input.Pick(wildcards);
    settings.wcPercent = input.Pick(wildcards);
    settings.sdAmpersant = input.Pick(separators);
    settings.sdAt = input.Pick(separators);
    settings.sdAtMinWords = input.Byte() % 21;
    settings.sdAtMaxWords = input.Byte() % 21;
    std::tie(settings.TagStart, settings.TagStop) = input.Pick(tags);
    settings.WrdDelims = input.Pick(delimiters);
}
