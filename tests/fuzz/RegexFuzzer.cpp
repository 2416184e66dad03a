// libFuzzer target for the regular-expression search: the pattern compiled as
// a search compiles it and its matches taken as the analysis takes them,
// position by position, through a window that slides over the text by half
// its size as the analysis window does. The window is small here, so that
// short inputs shift it. A match must lie inside the window and move the scan
// forward.
#include "CompiledRegex.h"
#include "FuzzInput.h"
#include "FuzzWindow.h"
#include "RegexSearch.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The window of size characters after the first offset characters of all.
TFuzzWindow WindowAt(const QString& all, qsizetype offset, int size)
{
    return offset == 0 ? TFuzzWindow(all.first(std::min<qsizetype>(size, all.size())), true)
                       : TFuzzWindow(all.mid(offset - 1, size + 1), false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const int halfChoice = input.Byte() % 32;
    const bool utf16 = input.Flag();
    const TCompiledRegex expression(TFuzzInput::Text(input.Field(), utf16));
    const QString all = TFuzzInput::Text(input.Rest(), utf16);
    if (!expression.IsValid())
        return 0;

    // Choice 0 holds the whole text in one window.
    const int half = halfChoice == 0 ? std::max<int>(all.size(), 1) : halfChoice;
    qsizetype offset = 0;
    TFuzzWindow window = WindowAt(all, offset, 2 * half);
    TWindowText text = window.View();
    const auto eof = [&] { return offset + 2 * half >= all.size(); };
    TRegexSearch search(expression);
    search.SetWindow(text);
    int pos = 1;
    while (pos <= text.Length || !eof()) {
        if (pos > half && !eof()) {
            offset += half;
            TFuzzWindow next = WindowAt(all, offset, 2 * half);
            search.ShiftWindow(next.View(), pos, half);
            window = std::move(next);
            text = window.View();
            pos -= half;
            if (pos > text.Length)
                break;
        }
        if (const int last = search.TakeAt(pos)) {
            if (last < pos || last > text.Length)
                std::abort();
            pos = last;
        }
        ++pos;
    }
    return 0;
}
