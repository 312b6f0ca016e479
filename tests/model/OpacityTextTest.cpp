// The whole number an opacity is shown as, for every double.
#include "model/OpacityText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int32 kMin = std::numeric_limits<int32>::min();
constexpr int32 kMax = std::numeric_limits<int32>::max();

TEST(OpacityTextTest, OpacityInRange_IsTruncatedTowardZero) {
    EXPECT_EQ(OpacityToWholeNumber(37.9), 37);
    EXPECT_EQ(OpacityToWholeNumber(99.9), 99);
    EXPECT_EQ(OpacityToWholeNumber(100.0), 100);
    EXPECT_EQ(OpacityToWholeNumber(0.0), 0);
    EXPECT_EQ(OpacityToWholeNumber(-0.5), 0);
    EXPECT_EQ(OpacityToWholeNumber(-37.9), -37);
    EXPECT_EQ(OpacityToWholeNumber(std::numeric_limits<double>::denorm_min()), 0);
    EXPECT_EQ(OpacityToWholeNumber(2147483647.9), kMax);
    EXPECT_EQ(OpacityToWholeNumber(-2147483648.9), kMin);
}

TEST(OpacityTextTest, OpacityOutsideTheRange_GivesTheNearestEndAndNotANumberGivesZero) {
    EXPECT_EQ(OpacityToWholeNumber(2147483648.0), kMax);
    EXPECT_EQ(OpacityToWholeNumber(1e300), kMax);
    EXPECT_EQ(OpacityToWholeNumber(std::numeric_limits<double>::infinity()), kMax);
    EXPECT_EQ(OpacityToWholeNumber(-2147483649.0), kMin);
    EXPECT_EQ(OpacityToWholeNumber(-std::numeric_limits<double>::infinity()), kMin);
    EXPECT_EQ(OpacityToWholeNumber(std::nan("")), 0);
    EXPECT_EQ(OpacityToWholeNumber(-std::nan("")), 0);
}

TEST(OpacityTextTest, PercentText_IsTheWholeNumberFollowedByPercent) {
    EXPECT_EQ(OpacityToPercentText(37.9).GetUTF8String(), "37%");
    EXPECT_EQ(OpacityToPercentText(100.0).GetUTF8String(), "100%");
    EXPECT_EQ(OpacityToPercentText(0.0).GetUTF8String(), "0%");
    EXPECT_EQ(OpacityToPercentText(std::nan("")).GetUTF8String(), "0%");
}

} // namespace
