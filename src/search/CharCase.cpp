#include "CharCase.h"

#include <QChar>

#include <array>

const char16_t* UpperCaseTable()
{
    static const std::array<char16_t, 0x10000> table = [] {
        std::array<char16_t, 0x10000> t{};
        for (unsigned c = 0; c < t.size(); ++c)
            t[c] = static_cast<char16_t>(QChar::toUpper(c));
        return t;
    }();
    return table.data();
}
