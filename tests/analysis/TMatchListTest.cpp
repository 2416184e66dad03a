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

// Across block boundaries, from both ends.
TEST(TMatchList, KeepsOrderWhileEmptiedFromEitherEnd)
{
    TMatchList list;
    const int count = 2500;
    for (int i = 0; i < count; ++i)
        list.push_back(Numbered(i));
    ASSERT_EQ(list.size(), size_t(count));
    EXPECT_EQ(list[1500].LineNo, 1500);

    for (int i = 0; i < 1100; ++i)
        list.pop_front();
    for (int i = 0; i < 400; ++i)
        list.pop_back();
    ASSERT_EQ(list.size(), 1000u);
    EXPECT_EQ(list.front().LineNo, 1100);
    EXPECT_EQ(list.back().LineNo, 2099);
    for (int i = 0; i < 100; ++i)
        list.push_back(Numbered(count + i));
    EXPECT_EQ(list[999].LineNo, 2099);
    EXPECT_EQ(list[1000].LineNo, count);

    TMatchList copy = list;
    std::reverse(copy.begin(), copy.end());
    EXPECT_EQ(copy.front().LineNo, count + 99);
    EXPECT_EQ(list.front().LineNo, 1100);

    while (!list.empty())
        list.pop_front();
    list.push_back(Numbered(7));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(list.front().LineNo, 7);
}
