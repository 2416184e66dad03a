#include "XmlValue.h"

#include "XmlNode.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

// The magnitude is taken unsigned, so that the most negative value needs no
// special case.
char16_t* IntegerText(std::int64_t value, char16_t* out)
{
    std::uint64_t magnitude =
        value < 0 ? std::uint64_t(0) - std::uint64_t(value) : std::uint64_t(value);
    char16_t digits[MaxIntegerChars];
    char16_t* first = std::end(digits);
    do {
        *--first = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *out++ = u'-';
    return std::copy(first, std::end(digits), out);
}

QString IntegerString(std::int64_t value)
{
    char16_t text[MaxIntegerChars];
    return QString(reinterpret_cast<const QChar*>(text), IntegerText(value, text) - text);
}

namespace {

// Counts the magnitude unsigned, so that the most negative value needs no
// special case.
std::optional<std::int64_t> ParseDecimal(QStringView text, std::int64_t min, std::int64_t max)
{
    const bool negative = text.startsWith(u'-');
    if (negative)
        text = text.mid(1);
    if (text.isEmpty())
        return std::nullopt;
    const std::uint64_t limit = negative ? std::uint64_t(-(min + 1)) + 1 : std::uint64_t(max);
    std::uint64_t magnitude = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const auto digit = std::uint64_t(c.unicode() - u'0');
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    if (!negative)
        return std::int64_t(magnitude);
    return magnitude == 0 ? 0 : -std::int64_t(magnitude - 1) - 1;
}

TXmlError NotAnInteger(const QString& text)
{
    return TXmlError(u"'%1' is not a valid integer value"_s.arg(text));
}

} // namespace

// Called for every value read from a file, so it checks the bound once at
// the end: 19 digits cannot overflow 64 unsigned bits.
std::optional<std::int64_t> CanonicalInteger(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() >= MaxIntegerChars)
        return std::nullopt;
    if (digits[0] == u'0' && text.size() != 1)
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (QChar c : digits) {
        const auto digit = static_cast<std::uint64_t>(c.unicode()) - u'0';
        if (digit > 9)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    const auto max = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > (negative ? max + 1 : max))
        return std::nullopt;
    return static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
}

std::int32_t IntegerToInt32(std::int64_t value)
{
    using Limits = std::numeric_limits<std::int32_t>;
    if (value < Limits::min() || value > Limits::max())
        throw NotAnInteger(IntegerString(value));
    return static_cast<std::int32_t>(value);
}

std::int32_t TextToInt32(const QString& text)
{
    using Limits = std::numeric_limits<std::int32_t>;
    const auto value = ParseDecimal(text, Limits::min(), Limits::max());
    if (!value)
        throw NotAnInteger(text);
    return static_cast<std::int32_t>(*value);
}

std::int64_t TextToInt64(const QString& text)
{
    using Limits = std::numeric_limits<std::int64_t>;
    const auto value = ParseDecimal(text, Limits::min(), Limits::max());
    if (!value)
        throw NotAnInteger(text);
    return *value;
}

bool TextToBool(const QString& text)
{
    if (text.compare(u"true"_s, Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"false"_s, Qt::CaseInsensitive) == 0)
        return false;
    using Limits = std::numeric_limits<std::int64_t>;
    const auto value = ParseDecimal(text, Limits::min(), Limits::max());
    if (!value)
        throw TXmlError(u"'%1' is not a valid boolean value"_s.arg(text));
    return *value != 0;
}
