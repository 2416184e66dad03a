#include "CompiledRegex.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

using namespace Qt::StringLiterals;

QString RegexEngineMessage(int code)
{
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
    return length < 0 ? u"error %1"_s.arg(code)
                      : QString::fromUtf8(reinterpret_cast<const char*>(buffer), length);
}

TCompiledRegex::TCompiledRegex(const QString& expression)
{
    if (expression.isEmpty()) {
        Error = u"TPerlRegEx.Compile() - Please specify a regular expression in RegEx first"_s;
        return;
    }
    const QByteArray utf8 = expression.toUtf8();
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(context, PCRE2_NEWLINE_ANY);
    int code = 0;
    PCRE2_SIZE offset = 0;
    // \C, one byte of the UTF-8 subject, would end hits inside a character.
    Code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.constData()),
                         static_cast<PCRE2_SIZE>(utf8.size()), PCRE2_UTF | PCRE2_NEVER_BACKSLASH_C,
                         &code, &offset, context);
    pcre2_compile_context_free(context);
    if (!Code) {
        Error = u"TPerlRegEx.Compile() - Error in regex at offset %1: %2"_s.arg(offset).arg(
            RegexEngineMessage(code));
        return;
    }
    // Compiled to machine code where the platform allows; the results are
    // the same, only faster. Windows that do not end the file are searched
    // for partial matches too.
    pcre2_jit_compile(Code, PCRE2_JIT_COMPLETE | PCRE2_JIT_PARTIAL_HARD);
}

TCompiledRegex::~TCompiledRegex()
{
    pcre2_code_free(Code);
}
