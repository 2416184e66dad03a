// The one list of the settings' fields: for each, its XML name, its member,
// how it is read when its element is missing or its value does not convert,
// and the range of its numbers, in the order of the written file. The XML
// writer, the XML reader and the tests walk it, so a field added here is
// written, read and tested at once; the checks at the end fail the build when
// a member of TAppSettings has no row, or an integer has no range.
#pragma once

#include "SettingsLimits.h"
#include "TAppSettings.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>
#include <variant>

// The kind of a field follows from its member's type: text, integer, flag, the
// four tag starts (children "Item0" to "Item3", found by name) or a list (one
// child per entry, read whatever the children's names).
using TSettingsMember =
    std::variant<QString TAppSettings::*, int TAppSettings::*, bool TAppSettings::*,
                 std::array<QString, 4> TAppSettings::*, QStringList TAppSettings::*>;

enum class TSettingsFallBack {
    // A missing element or value reads as an empty text, 0, false or an empty
    // list; a value that does not convert stops the reading.
    None,
    // A text whose element is missing (files from before the hyphen, low line,
    // equals sign and plus sign were delimiters) gets the older delimiters.
    OlderDelimiters,
    // A flag whose value does not convert reads as false.
    FalseWhenInvalid,
    // Flags read as a group: when one's element is missing or its value does
    // not convert, every flag of the group becomes true.
    AllTrueWhenOneFails,
};

struct TSettingsField {
    constexpr TSettingsField(QStringView name, TSettingsMember member,
                             TSettingsFallBack fallBack = TSettingsFallBack::None,
                             std::optional<TSettingsMember> readBefore = std::nullopt)
        : Name(name)
        , Member(member)
        , FallBack(fallBack)
        , ReadBefore(readBefore)
    {}
    constexpr TSettingsField(QStringView name, TSettingsMember member, TSettingsRange range)
        : Name(name)
        , Member(member)
        , Range(range)
    {}

    QStringView Name;
    TSettingsMember Member;
    TSettingsFallBack FallBack = TSettingsFallBack::None;
    // Read just before this field rather than in the written order; where a
    // value that does not convert stops the reading depends on it.
    std::optional<TSettingsMember> ReadBefore = std::nullopt;
    // What a value in a file may be: for an integer, its own range; for a
    // text, which is then a list of bin positions, the range of its numbers.
    // A missing element is not checked: it reads as 0 or an empty text.
    std::optional<TSettingsRange> Range = std::nullopt;
};

inline constexpr TSettingsField SettingsFields[] = {
    {u"TagStart", &TAppSettings::TagStart},
    {u"TagStop", &TAppSettings::TagStop},
    {u"psEmbeddedInWord", &TAppSettings::psEmbeddedInWord},
    {u"psOutsideOfWord", &TAppSettings::psOutsideOfWord},
    {u"psDelimeter", &TAppSettings::psDelimeter},
    {u"psTagStop", &TAppSettings::psTagStop},
    {u"psBeforeWord", &TAppSettings::psBeforeWord, TSettingsFallBack::None,
     &TAppSettings::psDelimeter},
    {u"TagStartArray", &TAppSettings::psTagsStart},
    {u"tsHeaderStartTag", &TAppSettings::tsHeaderStartTag},
    {u"tsHeaderStopTag", &TAppSettings::tsHeaderStopTag},
    {u"tsBodyStartTag", &TAppSettings::tsBodyStartTag},
    {u"tsBodyStopTag", &TAppSettings::tsBodyStopTag},
    {u"tsSectionsType", &TAppSettings::tsSectionsType, SectionsTypeRange},
    {u"tsSectionsStart", &TAppSettings::tsSectionsStart},
    {u"tsSectionsStop", &TAppSettings::tsSectionsStop},
    {u"tsParagraphsType", &TAppSettings::tsParagraphsType, ParagraphsTypeRange},
    {u"tsParagraphsStart", &TAppSettings::tsParagraphsStart},
    {u"tsParagraphsStop", &TAppSettings::tsParagraphsStop},
    {u"tsSentencesType", &TAppSettings::tsSentencesType, SentencesTypeRange},
    {u"tsSentencesStart", &TAppSettings::tsSentencesStart},
    {u"tsSentencesStop", &TAppSettings::tsSentencesStop},
    {u"tsSentencesDelimiters", &TAppSettings::tsSentencesDelimiters},
    {u"tsSentencesAbbrevDetect", &TAppSettings::tsSentencesAbbrevDetect},
    {u"tsSentencesIncQuotes", &TAppSettings::tsSentencesIncQuotes},
    {u"tsSentencesCapital", &TAppSettings::tsSentencesCapital},
    {u"maSaveWorkspaceOnExit", &TAppSettings::maSaveWorkspaceOnExit},
    {u"wcStar", &TAppSettings::wcStar},
    {u"wcQuestion", &TAppSettings::wcQuestion},
    {u"wcPercent", &TAppSettings::wcPercent},
    {u"soWords", &TAppSettings::soWords},
    {u"sdAmpersant", &TAppSettings::sdAmpersant},
    {u"sdAt", &TAppSettings::sdAt},
    {u"sdAtMinWords", &TAppSettings::sdAtMinWords, NotNegative},
    {u"sdAtMaxWords", &TAppSettings::sdAtMaxWords, InterveningWordsRange},
    {u"soSkipTags", &TAppSettings::soSkipTags},
    {u"soForwardBinsPreffered", &TAppSettings::soForwardBinsPreffered},
    {u"SentType", &TAppSettings::SentType, OrZero(BinTypeRange)},
    {u"SentPercentBins", &TAppSettings::SentPercentBins, OrZero(PercentBinsRange)},
    {u"SentPositions", &TAppSettings::SentPositions, BinPositionRange},
    {u"ParaType", &TAppSettings::ParaType, OrZero(BinTypeRange)},
    {u"ParaPercentBins", &TAppSettings::ParaPercentBins, OrZero(PercentBinsRange)},
    {u"ParaPositions", &TAppSettings::ParaPositions, BinPositionRange},
    {u"SectType", &TAppSettings::SectType, OrZero(BinTypeRange)},
    {u"SectPercentBins", &TAppSettings::SectPercentBins, OrZero(PercentBinsRange)},
    {u"SectPositions", &TAppSettings::SectPositions, BinPositionRange},
    {u"TextType", &TAppSettings::TextType, OrZero(BinTypeRange)},
    {u"TextPercentBins", &TAppSettings::TextPercentBins, OrZero(PercentBinsRange)},
    {u"TextPositions", &TAppSettings::TextPositions, BinPositionRange},
    {u"ExclSentLessThan", &TAppSettings::ExclSentLessThan, NotNegative},
    {u"ExclParaLessThan", &TAppSettings::ExclParaLessThan, NotNegative},
    {u"swDistrOver", &TAppSettings::swDistrOver, AnyInt},
    {u"swSyntax", &TAppSettings::swSyntax, OrZero(SyntaxRange)},
    {u"swArea", &TAppSettings::swArea, OrZero(AreaRange)},
    {u"stWordPhrase", &TAppSettings::stWordPhrase},
    {u"stRegEx", &TAppSettings::stRegEx},
    {u"stWordTag", &TAppSettings::stWordTag},
    {u"srSent", &TAppSettings::srSent, TSettingsFallBack::AllTrueWhenOneFails,
     &TAppSettings::tsSentencesExceptions},
    {u"srPara", &TAppSettings::srPara, TSettingsFallBack::AllTrueWhenOneFails,
     &TAppSettings::tsSentencesExceptions},
    {u"srSect", &TAppSettings::srSect, TSettingsFallBack::AllTrueWhenOneFails,
     &TAppSettings::tsSentencesExceptions},
    {u"srText", &TAppSettings::srText, TSettingsFallBack::AllTrueWhenOneFails,
     &TAppSettings::tsSentencesExceptions},
    {u"WrdDelims", &TAppSettings::WrdDelims, TSettingsFallBack::OlderDelimiters},
    {u"soCaseSensitive", &TAppSettings::soCaseSensitive, TSettingsFallBack::FalseWhenInvalid},
    {u"SentencesExceptions", &TAppSettings::tsSentencesExceptions},
    {u"PatternHistory", &TAppSettings::swPatternHistory},
};

namespace SettingsFieldChecks {

// Converts to any type, so that T{TAnyValue{}, ...} is well-formed with up to
// as many values as the aggregate T has members, and no more.
struct TAnyValue {
    template <class T>
    operator T() const;
};

template <class T, class... Values>
constexpr std::size_t MemberCount()
{
    if constexpr (requires { T{Values{}..., TAnyValue{}}; })
        return MemberCount<T, Values..., TAnyValue>();
    else
        return sizeof...(Values);
}

constexpr bool EachMemberOnce()
{
    for (std::size_t i = 0; i < std::size(SettingsFields); ++i) {
        for (std::size_t k = i + 1; k < std::size(SettingsFields); ++k) {
            if (SettingsFields[i].Member == SettingsFields[k].Member)
                return false;
        }
    }
    return true;
}

constexpr bool FallBacksFitTheirKinds()
{
    for (const TSettingsField& field : SettingsFields) {
        const bool text = std::holds_alternative<QString TAppSettings::*>(field.Member);
        const bool flag = std::holds_alternative<bool TAppSettings::*>(field.Member);
        switch (field.FallBack) {
        case TSettingsFallBack::None:
            break;
        case TSettingsFallBack::OlderDelimiters:
            if (!text)
                return false;
            break;
        case TSettingsFallBack::FalseWhenInvalid:
        case TSettingsFallBack::AllTrueWhenOneFails:
            if (!flag)
                return false;
            break;
        }
    }
    return true;
}

// Every integer has its range, and only the lists of positions among the
// texts have one.
constexpr bool RangesFitTheirKinds()
{
    for (const TSettingsField& field : SettingsFields) {
        const bool number = std::holds_alternative<int TAppSettings::*>(field.Member);
        const bool text = std::holds_alternative<QString TAppSettings::*>(field.Member);
        if (number != field.Range.has_value() && !text)
            return false;
        if (field.Range && field.FallBack != TSettingsFallBack::None)
            return false;
    }
    return true;
}

// Members are counted by aggregate initialisation, which a constructor would
// defeat.
static_assert(std::is_aggregate_v<TAppSettings>);
static_assert(MemberCount<TAppSettings>() == std::size(SettingsFields),
              "every member of TAppSettings needs its row in SettingsFields");
static_assert(EachMemberOnce(), "a member of TAppSettings has two rows in SettingsFields");
static_assert(FallBacksFitTheirKinds());
static_assert(RangesFitTheirKinds(), "an integer of SettingsFields has no range");

} // namespace SettingsFieldChecks
