// A regular expression compiled once for a whole search, with the options of
// this system: UTF mode, the newline convention "any" and no \C. The searches
// of the search's files share it; each keeps its own match state
// (TRegexSearch).
#pragma once

#include <QString>

struct pcre2_real_code_8;

class TCompiledRegex {
public:
    // Compiles expression; when it does not compile, ErrorText() says why in
    // the engine's words.
    explicit TCompiledRegex(const QString& expression);
    ~TCompiledRegex();
    TCompiledRegex(const TCompiledRegex&) = delete;
    TCompiledRegex& operator=(const TCompiledRegex&) = delete;

    bool IsValid() const { return Code != nullptr; }
    const QString& ErrorText() const { return Error; }
    // The compiled form; null when the expression did not compile.
    pcre2_real_code_8* Compiled() const { return Code; }

private:
    pcre2_real_code_8* Code = nullptr;
    QString Error;
};

// The engine's text for one of its error codes.
QString RegexEngineMessage(int code);
