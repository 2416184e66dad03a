#include "SearchPattern.h"

#include "TDelimiters.h"
#include "WildcardPattern.h"
#include "WordPattern.h"

using namespace Qt::StringLiterals;

namespace {

// Adds the error for a character-form pattern that the matcher cannot take.
void CheckCharacterPattern(QStringList& messages, const QString& use, const QString& pattern,
                           const TAppSettings& settings)
{
    const QString problem = TWildcardPattern(pattern, settings).Unusable();
    if (!problem.isEmpty())
        messages.append(u"Error in %1: %2."_s.arg(use, problem));
}

QString ExpressionError(const QString& use, const TCompiledRegex& expression)
{
    return u"Error in regular expression (%1). Error: "_s.arg(use) + expression.ErrorText();
}

} // namespace

// The section expression is compiled even after a pattern without words; the
// pattern expression only when nothing failed before it.
TSearchPattern::TSearchPattern(const QString& pattern, TSearchSyntax syntax,
                               const TAppSettings& settings)
    : Pattern(pattern)
    , Language(syntax)
{
    if (syntax == ssWordPhrase && settings.soWords &&
        SplitPatternWords(pattern, TDelimiters(settings)).empty())
        Messages.append(u"Error in search pattern."_s);
    if (syntax == ssWordPhrase && !settings.soWords)
        CheckCharacterPattern(Messages, u"search pattern"_s, pattern, settings);
    if (settings.tsSectionsType == 1)
        CheckCharacterPattern(Messages, u"section pattern"_s, settings.tsSectionsStart, settings);
    if (settings.tsSectionsType == 2) {
        Sections = std::make_unique<TCompiledRegex>(settings.tsSectionsStart);
        if (!Sections->IsValid())
            Messages.append(ExpressionError(u"sections"_s, *Sections));
    }
    if (syntax == ssRegularExpression) {
        PatternExpression = std::make_unique<TCompiledRegex>(pattern);
        if (Messages.isEmpty() && !PatternExpression->IsValid())
            Messages.append(ExpressionError(u"pattern"_s, *PatternExpression));
    }
}
