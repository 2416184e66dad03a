#include "JsonNumber.h"

#include <charconv>
#include <cmath>

QByteArray JsonNumber(double value)
{
    if (!std::isfinite(value))
        return QByteArrayLiteral("null");
    // The longest shortest form, "-2.2250738585072014e-308", takes 24 characters.
    char buffer[32];
    const std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, end.ptr - buffer);
}
