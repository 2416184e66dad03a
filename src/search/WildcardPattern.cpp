#include "WildcardPattern.h"

#include "CharCase.h"
#include "TAppSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using TPiece = TWildcardPattern::TPiece;
using TWildcard = TWildcardPattern::TWildcard;

std::u16string UpperText(QStringView s)
{
    std::u16string result;
    for (QChar c : s)
        result.push_back(UpperChar(c.unicode()));
    return result;
}

} // namespace

TWildcardPattern::TWildcardPattern(const QString& pattern, const TAppSettings& settings)
    : Start(settings.TagStart.toStdU16String())
    , Stop(settings.TagStop.toStdU16String())
{
    // When two wildcard texts start at the same character, the earlier in this
    // list is taken.
    const std::pair<const QString*, TWildcard> wildcards[] = {
        {&settings.wcStar, TWildcard::ZeroOrMore},
        {&settings.wcQuestion, TWildcard::ExactlyOne},
        {&settings.wcPercent, TWildcard::ZeroOrOne},
    };
    qsizetype current = 0;
    while (current < pattern.size()) {
        qsizetype first = -1;
        const std::pair<const QString*, TWildcard>* found = nullptr;
        for (const auto& wildcard : wildcards) {
            if (wildcard.first->isEmpty())
                continue;
            const qsizetype at = pattern.indexOf(*wildcard.first, current);
            if (at >= 0 && (first < 0 || at < first)) {
                first = at;
                found = &wildcard;
            }
        }
        if (!found) {
            PieceList.push_back({UpperText(QStringView(pattern).mid(current)), TWildcard::None});
            break;
        }
        PieceList.push_back(
            {UpperText(QStringView(pattern).mid(current, first - current)), found->second});
        current = first + found->first->size();
    }
}

QString TWildcardPattern::Unusable() const
{
    const auto zeroOrMore = std::count_if(PieceList.begin(), PieceList.end(), [](const TPiece& p) {
        return p.Following == TWildcard::ZeroOrMore;
    });
    if (zeroOrMore > MaxZeroOrMore)
        return u"more than %1 zero-or-more wildcards"_s.arg(MaxZeroOrMore);
    int run = 0;
    for (const TPiece& piece : PieceList) {
        if (!piece.Literal.empty())
            run = 0;
        if (piece.Following != TWildcard::None && ++run > MaxWildcardsInARow)
            return u"more than %1 wildcards in a row"_s.arg(MaxWildcardsInARow);
    }
    return QString();
}
