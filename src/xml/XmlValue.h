// Attribute values: their text form, and the conversions of the typed reads.
// Conversions go through the text form, so a typed value converts exactly as
// the text it is written as would after a save and a load.
#pragma once

#include "XmlNode.h"

#include <QString>

#include <cstdint>

// Integers in decimal with a leading "-" when negative; booleans as "1" or "0".
QString ValueText(const TXmlNode::TValue& value);

// Decimal digits with an optional leading "-". Throws TXmlError for other
// text and for numbers outside the type's range.
std::int32_t TextToInt32(const QString& text);
std::int64_t TextToInt64(const QString& text);
// "True" or "False" in any letter case, or an integer that is true when not
// zero. Throws TXmlError for other text.
bool TextToBool(const QString& text);
