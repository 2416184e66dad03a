// Letter case as the search languages see it: one UTF-16 code unit mapped to
// its upper-case form, one character to one character.
#pragma once

// The table of upper-case forms of all 65536 code units, built once per process.
const char16_t* UpperCaseTable();

inline char16_t UpperChar(char16_t c)
{
    return UpperCaseTable()[c];
}
