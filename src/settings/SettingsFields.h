// The one list of the settings' fields: for each, its XML name, its member and
// how it is read when its element is missing or its value does not convert, in
// the order of the written file. The XML writer, the XML reader and the tests
// walk it, so a field added here is written, read and tested at once; the
// checks at the end fail the build when a member of TAppSettings has no row.
#pragma once

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
    QStringView Name;
    TSettingsMember Member;
    TSettingsFallBack FallBack = TSettingsFallBack::None;
    // Read just before this field rather than in the written order; where a
    // value that does not convert stops the reading depends on it.
    std::optional<TSettingsMember> ReadBefore = std::nullopt;
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
    {u"tsSectionsType", &TAppSettings::tsSectionsType},
    {u"tsSectionsStart", &TAppSettings::tsSectionsStart},
    {u"tsSectionsStop", &TAppSettings::tsSectionsStop},
    {u"tsParagraphsType", &TAppSettings::tsParagraphsType},
    {u"tsParagraphsStart", &TAppSettings::tsParagraphsStart},
    {u"tsParagraphsStop", &TAppSettings::tsParagraphsStop},
    {u"tsSentencesType", &TAppSettings::tsSentencesType},
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
    {u"sdAtMinWords", &TAppSettings::sdAtMinWords},
    {u"sdAtMaxWords", &TAppSettings::sdAtMaxWords},
    {u"soSkipTags", &TAppSettings::soSkipTags},
    {u"soForwardBinsPreffered", &TAppSettings::soForwardBinsPreffered},
    {u"SentType", &TAppSettings::SentType},
    {u"SentPercentBins", &TAppSettings::SentPercentBins},
    {u"SentPositions", &TAppSettings::SentPositions},
    {u"ParaType", &TAppSettings::ParaType},
    {u"ParaPercentBins", &TAppSettings::ParaPercentBins},
    {u"ParaPositions", &TAppSettings::ParaPositions},
    {u"SectType", &TAppSettings::SectType},
    {u"SectPercentBins", &TAppSettings::SectPercentBins},
    {u"SectPositions", &TAppSettings::SectPositions},
    {u"TextType", &TAppSettings::TextType},
    {u"TextPercentBins", &TAppSettings::TextPercentBins},
    {u"TextPositions", &TAppSettings::TextPositions},
    {u"ExclSentLessThan", &TAppSettings::ExclSentLessThan},
    {u"ExclParaLessThan", &TAppSettings::ExclParaLessThan},
    {u"swDistrOver", &TAppSettings::swDistrOver},
    {u"swSyntax", &TAppSettings::swSyntax},
    {u"swArea", &TAppSettings::swArea},
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

// Members are counted by aggregate initialisation, which a constructor would
// defeat.
static_assert(std::is_aggregate_v<TAppSettings>);
static_assert(MemberCount<TAppSettings>() == std::size(SettingsFields),
              "every member of TAppSettings needs its row in SettingsFields");
static_assert(EachMemberOnce(), "a member of TAppSettings has two rows in SettingsFields");
static_assert(FallBacksFitTheirKinds());

} // namespace SettingsFieldChecks
