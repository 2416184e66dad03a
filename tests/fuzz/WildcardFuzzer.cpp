// libFuzzer target for the character form of the word/phrase syntax: the
// pattern anchored at every position of the text, with markup tags visible
// and invisible. A match ends inside the text, never before its start.
#include "FuzzInput.h"
#include "FuzzSettings.h"
#include "FuzzWindow.h"
#include "WildcardMatcher.h"
#include "WildcardPattern.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    TAppSettings settings;
    settings.SetDefaults();
    FuzzSearchOptions(settings, input);
    const bool utf16 = input.Flag();
    const bool atFileStart = input.Flag();
    const TWildcardPattern pattern(TFuzzInput::Text(input.Field(), utf16), settings);
    const TFuzzWindow window(TFuzzInput::Text(input.Rest(), utf16), atFileStart);

    if (!pattern.Unusable().isEmpty())
        return 0; // the search refuses such a pattern

    const TWindowText text = window.View();
    for (const bool skipTags : {false, true}) {
        TWildcardMatcher matcher(pattern, skipTags);
        for (int start = 1; start <= text.Length; ++start) {
            const int after = matcher.MatchAt(text, start);
            if (after != 0 && (after < start || after > text.Length + 1))
                std::abort();
        }
    }
    return 0;
}
