#include "TMatchList.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TMatch Numbered(int n)
{
    TMatch match;
    match.LineNo = n;
    return match;
}

} // namespace

// Across the boundaries of the small first block and of the large ones, from
// both ends.
TEST(TMatchList, KeepsOrderWhileEmptiedFromEitherEnd)
{
    TMatchList list;
    const int count = 100000;
    for (int i = 0; i < count; ++i)
        list.push_back(Numbered(i));
    ASSERT_EQ(list.size(), size_t(count));
    EXPECT_EQ(list[1500].LineNo, 1500);
    EXPECT_EQ(list[count - 1].LineNo, count - 1);

    for (int i = 0; i < 50000; ++i)
        list.pop_front();
    for (int i = 0; i < 40000; ++i)
        list.pop_back();
    ASSERT_EQ(list.size(), 10000u);
    EXPECT_EQ(list.front().LineNo, 50000);
    EXPECT_EQ(list.back().LineNo, 59999);
    for (int i = 0; i < 100; ++i)
        list.push_back(Numbered(count + i));
    EXPECT_EQ(list[9999].LineNo, 59999);
    EXPECT_EQ(list[10000].LineNo, count);

    TMatchList copy = list;
    std::reverse(copy.begin(), copy.end());
    EXPECT_EQ(copy.front().LineNo, count + 99);
    EXPECT_EQ(list.front().LineNo, 50000);

    while (!list.empty())
        list.pop_front();
    list.push_back(Numbered(7));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(list.front().LineNo, 7);
}
