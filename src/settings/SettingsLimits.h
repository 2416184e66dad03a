// The ranges of the settings' numbers and the error for a value outside them.
// The options dialogs accept what these ranges hold, and reading a settings
// file refuses anything else, so that no hand-edited or damaged file can hand
// the search a number it cannot work with.
#pragma once

#include "Error.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <limits>

struct TSettingsRange {
    std::int64_t Min;
    std::int64_t Max;

    constexpr bool Holds(std::int64_t value) const { return Min <= value && value <= Max; }
};

// Intervening words multiply the combinations a match tries at every word
// start; more than this many per item would stall a search.
inline constexpr int MaxInterveningWords = 20;
inline constexpr int MaxPercentBins = 100;
// The largest number in a list of bin positions: the largest that the options
// dialog's integer conversion takes, so every list it accepts loads. Bins hold
// positions in 64 bits, so the one that a from-end bin adds cannot overflow.
inline constexpr std::int64_t MaxBinPosition = std::numeric_limits<std::int32_t>::max();

inline constexpr TSettingsRange AnyInt{std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max()};
inline constexpr TSettingsRange NotNegative{0, std::numeric_limits<int>::max()};
inline constexpr TSettingsRange InterveningWordsRange{0, MaxInterveningWords};
inline constexpr TSettingsRange PercentBinsRange{1, MaxPercentBins};
inline constexpr TSettingsRange BinPositionRange{0, MaxBinPosition};
// Percentage bins (1) or a list of positions (2).
inline constexpr TSettingsRange BinTypeRange{1, 2};
// The choices of the combo boxes of the text settings, from 0.
inline constexpr TSettingsRange SectionsTypeRange{0, 2};
inline constexpr TSettingsRange ParagraphsTypeRange{0, 3};
inline constexpr TSettingsRange SentencesTypeRange{0, 1};
// The values of TSearchSyntax, and of swArea.
inline constexpr TSettingsRange SyntaxRange{1, 3};
inline constexpr TSettingsRange AreaRange{1, 2};

// A file without an element gives it 0, and the program writes back what it
// read: so a file is also taken with 0 where a range begins above it. The
// search refuses a distribution without bins with its own message.
constexpr TSettingsRange OrZero(TSettingsRange range)
{
    return {range.Min > 0 ? 0 : range.Min, range.Max};
}

// A value of a settings file outside its range.
class TSettingsError : public TError {
public:
    using TError::TError;

    // value as written, of the element named element.
    static TSettingsError OutOfRange(const QString& value, QStringView element,
                                     const TSettingsRange& range);
    // A number of a list of positions.
    static TSettingsError PositionOutOfRange(const QString& value, QStringView element,
                                             const TSettingsRange& range);
};

// The first number of a list of bin positions (items such as "2", "+2" or
// "2#", separated by spaces) that lies outside range, as written; an empty
// text when every number lies inside. Items that are no number are left to
// the preparation of the bins.
QString PositionOutsideRange(const QString& positions, const TSettingsRange& range);
