// The compact storage of matches: the block list under it, and matches whose
// values do not fit the compact form.
#include "TMatchList.h"

#include "ExtremeMatches.h"
#include "TBlockList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TMatch Numbered(int n)
{
    TMatch match;
    match.LineNo = n;
    return match;
}

} // namespace

// Across the boundaries of the small doubling blocks and of the large ones,
// from both ends, and refilled after it was emptied.
TEST(TBlockList, KeepsOrderWhileEmptiedFromEitherEnd)
{
    TBlockList<std::int64_t> list;
    const std::int64_t count = 200000;
    for (std::int64_t i = 0; i < count; ++i)
        list.push_back(i);
    ASSERT_EQ(list.size(), size_t(count));
    for (const size_t at : {0, 15, 16, 47, 48, 65519, 65520, 65521, 100000, 199999})
        EXPECT_EQ(list[at], std::int64_t(at));

    for (int i = 0; i < 150000; ++i)
        list.pop_front();
    list.truncate(10000);
    ASSERT_EQ(list.size(), 10000u);
    EXPECT_EQ(list[0], 150000);
    EXPECT_EQ(list[9999], 159999);
    for (std::int64_t i = 0; i < 100; ++i)
        list.push_back(count + i);
    EXPECT_EQ(list[9999], 159999);
    EXPECT_EQ(list[10000], count);

    while (!list.empty())
        list.pop_front();
    for (std::int64_t i = 0; i < 100; ++i)
        list.push_back(i);
    EXPECT_EQ(list[99], 99);
    list.truncate(0);
    list.push_back(7);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], 7);
}

// Whatever its values, a match reads back as it was added, replaced, copied
// or moved.
TEST(TMatchList, EveryValueReadsBackExactly)
{
    const std::vector<TMatch> matches = ExtremeMatches();
    TMatchList list;
    for (const TMatch& match : matches)
        list.push_back(match);
    ASSERT_EQ(list.size(), matches.size());
    for (size_t i = 0; i < matches.size(); ++i)
        EXPECT_EQ(list[i], matches[i]) << i;

    TMatchList copy = list;
    for (size_t i = 0; i < matches.size(); ++i)
        copy.Set(i, matches[matches.size() - 1 - i]);
    for (size_t i = 0; i < matches.size(); ++i) {
        EXPECT_EQ(copy[i], matches[matches.size() - 1 - i]) << i;
        EXPECT_EQ(list[i], matches[i]) << i;
    }

    const TMatchList moved = std::move(copy);
    EXPECT_EQ(moved[0], matches.back());
    EXPECT_TRUE(copy.empty());
}

TEST(TMatchList, ManyMatchesKeepTheirOrder)
{
    TMatchList list;
    for (int i = 0; i < 100000; ++i)
        list.push_back(Numbered(i));
    int expected = 0;
    for (const TMatch match : list)
        ASSERT_EQ(match.LineNo, expected++);
    EXPECT_EQ(expected, 100000);
}
