// Letter case as the search languages see it: one UTF-16 code unit mapped to
// its upper-case form, one character to one character.
#pragma once

#include <array>

// The upper-case forms of all 65536 code units, computed once.
std::array<char16_t, 0x10000> BuildUpperCaseTable();

inline const char16_t* UpperCaseTable()
{
    static const std::array<char16_t, 0x10000> table = BuildUpperCaseTable();
    return table.data();
}

inline char16_t UpperChar(char16_t c)
{
    return UpperCaseTable()[c];
}

// The code units whose upper-case form is upper, computed once for all.
struct TCaseVariants {
    const char16_t* Begin;
    const char16_t* End;
    const char16_t* begin() const { return Begin; }
    const char16_t* end() const { return End; }
};
TCaseVariants CaseVariantsOf(char16_t upper);
