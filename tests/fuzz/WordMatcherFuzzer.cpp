// libFuzzer target for the word/phrase and word/tag matchers, driven as the
// analysis drives them: every position is offered, and after a hit the scan
// goes on after the hit's new position. A hit must lie inside the text and
// move the scan forward.
#include "FuzzInput.h"
#include "FuzzSettings.h"
#include "FuzzWindow.h"
#include "PatternMatcher.h"
#include "SearchPattern.h"
#include "TDelimiters.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    TAppSettings settings;
    settings.SetDefaults();
    FuzzSearchOptions(settings, input);
    const TSearchSyntax syntax = input.Flag() ? ssWordTag : ssWordPhrase;
    const bool utf16 = input.Flag();
    const bool atFileStart = input.Flag();
    const QString patternText = TFuzzInput::Text(input.Field(), utf16);
    const TFuzzWindow window(TFuzzInput::Text(input.Rest(), utf16), atFileStart);

    const TSearchPattern pattern(patternText, syntax, settings);
    if (!pattern.Errors().isEmpty())
        return 0;
    const TDelimiters delimiters(settings);
    TCharClasses classes(settings, delimiters);
    TPatternMatcher matcher(pattern, settings, delimiters, classes);
    const TWindowText text = window.View();
    for (int pos = 1; pos <= text.Length; ++pos) {
        THit hit;
        if (!matcher.SearchStep(text, pos, hit))
            continue;
        if (hit.BeginIndex < 1 || hit.BeginIndex > hit.EndIndex || hit.EndIndex > text.Length ||
            hit.NewPos < pos || hit.NewPos > text.Length)
            std::abort();
        pos = hit.NewPos;
    }
    return 0;
}
