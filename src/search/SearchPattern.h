// The pattern of one search and its section expression, prepared once before
// any file is read: the matcher of every file is built from them, and a
// pattern or expression that cannot be used stops the search before it
// starts, with its message shown once.
#pragma once

#include "CompiledRegex.h"
#include "TAppSettings.h"

#include <QString>
#include <QStringList>

#include <memory>

class TSearchPattern {
public:
    // Prepares pattern, as typed, for syntax with the settings of the search.
    TSearchPattern(const QString& pattern, TSearchSyntax syntax, const TAppSettings& settings);

    const QString& Text() const { return Pattern; }
    TSearchSyntax Syntax() const { return Language; }

    // The compiled pattern of a regular-expression search; null otherwise.
    const TCompiledRegex* Expression() const { return PatternExpression.get(); }
    // The compiled section expression when sections are found by a regular
    // expression; null otherwise.
    const TCompiledRegex* SectionExpression() const { return Sections.get(); }

    // The messages for the user, in order, when the search cannot run: a
    // word/phrase pattern without words, a character-form pattern or section
    // pattern that the matcher cannot take (too many wildcards), a section expression or a
    // pattern expression that does not compile. Empty when the search can run.
    const QStringList& Errors() const { return Messages; }

private:
    QString Pattern;
    TSearchSyntax Language;
    std::unique_ptr<TCompiledRegex> PatternExpression;
    std::unique_ptr<TCompiledRegex> Sections;
    QStringList Messages;
};
