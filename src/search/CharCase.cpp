#include "CharCase.h"

#include <QChar>

#include <vector>

std::array<char16_t, 0x10000> BuildUpperCaseTable()
{
    std::array<char16_t, 0x10000> table{};
    for (unsigned c = 0; c < table.size(); ++c)
        table[c] = static_cast<char16_t>(QChar::toUpper(c));
    return table;
}

namespace {

// All code units ordered by their upper-case form, with the place where the
// units of each form begin.
struct TVariantTable {
    std::vector<char16_t> Units;
    std::vector<unsigned> Start; // 0x10001 entries
};

TVariantTable BuildVariantTable()
{
    const char16_t* upper = UpperCaseTable();
    TVariantTable table;
    table.Start.assign(0x10001, 0);
    for (unsigned c = 0; c < 0x10000; ++c)
        ++table.Start[upper[c] + 1u];
    for (unsigned u = 0; u < 0x10000; ++u)
        table.Start[u + 1] += table.Start[u];
    table.Units.resize(0x10000);
    std::vector<unsigned> next(table.Start.begin(), table.Start.end() - 1);
    for (unsigned c = 0; c < 0x10000; ++c)
        table.Units[next[upper[c]]++] = static_cast<char16_t>(c);
    return table;
}

} // namespace

TCaseVariants CaseVariantsOf(char16_t upper)
{
    static const TVariantTable table = BuildVariantTable();
    const char16_t* units = table.Units.data();
    return {units + table.Start[upper], units + table.Start[upper + 1u]};
}
