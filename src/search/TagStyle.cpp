#include "TagStyle.h"

#include "CharCase.h"
#include "Markup.h"
#include "TAppSettings.h"
#include "WordGlob.h"

namespace {

constexpr size_t npos = std::u16string_view::npos;

std::u16string_view TrimControls(std::u16string_view s)
{
    while (!s.empty() && s.front() <= 0x20)
        s.remove_prefix(1);
    while (!s.empty() && s.back() <= 0x20)
        s.remove_suffix(1);
    return s;
}

// Where needle first occurs in text, or npos; an empty needle is never found.
size_t Find(std::u16string_view text, const std::u16string& needle)
{
    return needle.empty() ? npos : text.find(needle);
}

std::u16string_view Upper(std::u16string_view text, std::u16string& buffer)
{
    buffer.clear();
    for (char16_t c : text)
        buffer.push_back(UpperChar(c));
    return buffer;
}

} // namespace

TTagStyle::TTagStyle(const TAppSettings& settings)
    : Embedded(settings.psEmbeddedInWord)
    , Delimiter(TMarker(settings.psDelimeter).UpperText())
    , TagStop(TMarker(settings.psTagStop).UpperText())
{
    for (const QString& start : settings.psTagsStart) {
        if (!start.isEmpty())
            TagStarts.push_back(TMarker(start).UpperText());
    }
}

size_t TTagStyle::FindTagStart(std::u16string_view upper, size_t& length) const
{
    for (const std::u16string& start : TagStarts) {
        const size_t at = upper.find(start);
        if (at != npos) {
            length = start.size();
            return at;
        }
    }
    return npos;
}

std::u16string_view TTagStyle::WordPart(std::u16string_view word, std::u16string& buffer) const
{
    const std::u16string_view upper = Upper(word, UpperBuffer);
    if (Embedded) {
        const size_t at = Find(upper, Delimiter);
        return at == npos ? word : word.substr(0, at);
    }
    size_t length = 0;
    const size_t start = FindTagStart(upper, length);
    if (start == npos)
        return word;
    const size_t stop = Find(upper, TagStop);
    const size_t last = stop == npos ? word.size() - 1 : stop;
    if (last < start)
        return word;
    buffer.assign(word.substr(0, start));
    buffer.append(word.substr(last + 1));
    return buffer;
}

bool TTagStyle::TagMatches(std::u16string_view token, const TWordGlob& pattern,
                           std::u16string& buffer) const
{
    const std::u16string_view upper = Upper(token, buffer);
    std::u16string_view tag;
    if (Embedded) {
        const size_t at = Find(upper, Delimiter);
        if (at == npos)
            return true;
        tag = TrimControls(upper.substr(at + Delimiter.size()));
    } else {
        size_t length = 0;
        const size_t start = FindTagStart(upper, length);
        if (start == npos)
            return false;
        tag = TrimControls(upper.substr(start + length));
        const size_t stop = TagStop.empty() ? npos : tag.find(TagStop);
        if (stop != npos)
            tag = TrimControls(tag.substr(0, stop));
    }
    return pattern.Matches(tag.data(), static_cast<int>(tag.size()));
}
