// Runs a pattern matcher over a text the way the analysis offers it positions:
// every position in turn, going on after each hit's new position.
#pragma once

#include "../DefaultSettings.h"
#include "../TestSupport.h"
#include "../TestText.h"
#include "CharClasses.h"
#include "PatternMatcher.h"
#include "SearchPattern.h"
#include "TAppSettings.h"
#include "TDelimiters.h"

#include <QStringList>

// The texts of the hits of pattern in text, each followed by "@" and the
// position it began at.
inline QStringList FindHits(const QString& pattern, const QString& text,
                            const TAppSettings& settings, int syntax = ssWordPhrase)
{
    const TDelimiters delimiters(settings);
    TCharClasses classes(settings, delimiters);
    const TSearchPattern prepared(pattern, static_cast<TSearchSyntax>(syntax), settings);
    TPatternMatcher matcher(prepared, settings, delimiters, classes);
    const TTestText window(text);
    if (TRegexSearch* regex = matcher.Regex())
        regex->SetWindow(window.View());
    QStringList hits;
    for (int p = 1; p <= window.View().Length; ++p) {
        THit hit;
        if (!matcher.SearchStep(window.View(), p, hit))
            continue;
        hits.append(text.mid(hit.BeginIndex - 1, hit.EndIndex - hit.BeginIndex + 1) + u'@' +
                    QString::number(hit.BeginIndex));
        p = hit.NewPos;
    }
    return hits;
}
