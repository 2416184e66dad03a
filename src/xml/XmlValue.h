// Attribute values: their text form, and the conversions of the typed reads.
// Conversions go through the text form, so a typed value converts exactly as
// the text it is written as would after a save and a load.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The most characters that IntegerText writes.
constexpr int MaxIntegerChars = 20;

// Writes value in decimal, with a leading "-" when negative, from out on and
// returns the end of what it wrote.
char16_t* IntegerText(std::int64_t value, char16_t* out);
QString IntegerString(std::int64_t value);

// The value of text when text is exactly how IntegerText writes it: no sign
// but a "-" before a number other than 0, no leading zeros, within 64 bits.
std::optional<std::int64_t> CanonicalInteger(QStringView text);

// Decimal digits with an optional leading "-". Throws TXmlError for other
// text and for numbers outside the type's range.
std::int32_t TextToInt32(const QString& text);
std::int64_t TextToInt64(const QString& text);
// value itself, or TXmlError as TextToInt32 throws it for value's text.
std::int32_t IntegerToInt32(std::int64_t value);
// "True" or "False" in any letter case, or an integer that is true when not
// zero. Throws TXmlError for other text.
bool TextToBool(const QString& text);
