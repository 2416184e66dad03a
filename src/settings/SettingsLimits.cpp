#include "SettingsLimits.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString RangeText(const TSettingsRange& range)
{
    return u"(%1 to %2)"_s.arg(range.Min).arg(range.Max);
}

// Decimal digits with an optional sign, however many.
bool IsWholeNumber(QStringView text)
{
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.mid(1);
    return !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                          [](QChar c) { return c.isDigit() && c < u'\x80'; });
}

} // namespace

TSettingsError TSettingsError::OutOfRange(const QString& value, QStringView element,
                                          const TSettingsRange& range)
{
    return TSettingsError(u"The value %1 of %2 is out of range %3."_s.arg(value, element.toString(),
                                                                          RangeText(range)));
}

TSettingsError TSettingsError::PositionOutOfRange(const QString& value, QStringView element,
                                                  const TSettingsRange& range)
{
    return TSettingsError(u"The position %1 in %2 is out of range %3."_s.arg(
        value, element.toString(), RangeText(range)));
}

QString PositionOutsideRange(const QString& positions, const TSettingsRange& range)
{
    for (const QString& item : positions.split(u' ', Qt::SkipEmptyParts)) {
        const QString number = item.endsWith(u'#') ? item.chopped(1) : item;
        if (!IsWholeNumber(number))
            continue;
        bool ok = false;
        // Digits beyond the 64-bit range do not convert: they are out of range too.
        const qlonglong value = number.toLongLong(&ok, 10);
        if (!ok || !range.Holds(value))
            return number;
    }
    return QString();
}
