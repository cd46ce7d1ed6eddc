#include "bench/statistics.h"

#include <gtest/gtest.h>

namespace {

TEST(Statistics, NearestRankPercentilesOfFrameGaps)
{
    std::vector<double> gaps = {5, 1, 4, 2, 3};
    EXPECT_EQ(median(gaps), 3);
    EXPECT_EQ(percentile(gaps, 99), 5);
    EXPECT_EQ(percentile(gaps, 20), 1);
    EXPECT_EQ(percentile(gaps, 21), 2);
    EXPECT_EQ(maximum(gaps), 5);
    EXPECT_EQ(minimum(gaps), 1);
    EXPECT_EQ(minimum({}), 0);
    EXPECT_EQ(median({7}), 7);
    EXPECT_EQ(median({}), 0);

    std::vector<double> hundred;
    for (int i = 1; i <= 100; ++i)
        hundred.push_back(i);
    EXPECT_EQ(percentile(hundred, 99), 99);
    EXPECT_EQ(percentile(hundred, 100), 100);
}

TEST(Statistics, GapsAreBetweenSuccessiveTimes)
{
    EXPECT_EQ(gapsBetween({10, 12, 17}), (std::vector<double>{2, 5}));
    EXPECT_TRUE(gapsBetween({10}).empty());
    EXPECT_TRUE(gapsBetween({}).empty());
}

TEST(Statistics, SpreadIsTheRangeOverTheMedian)
{
    EXPECT_DOUBLE_EQ(spread({3000, 3300, 3150}), 0.0952380952380952);
    EXPECT_EQ(spread({3000}), 0.0);
    EXPECT_EQ(spread({}), 0.0);
    EXPECT_EQ(range({3000, 3300, 3150}), 300);
    EXPECT_EQ(range({}), 0);
}

}  // namespace
