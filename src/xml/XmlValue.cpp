#include "XmlValue.h"

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

QString ValueText(const TXmlNode::TValue& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return QString::number(*number);
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return QString::number(*number);
    return std::get<bool>(value) ? u"1"_s : u"0"_s;
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
