#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/bounds/Bounds.h"

TEST(Bounds, LimitsAreInsideAndOnePastThemOutside)
{
    const RealBound& b = Bounds::Span;
    EXPECT_TRUE(InBound(b, b.lo));
    EXPECT_TRUE(InBound(b, b.hi));
    EXPECT_FALSE(InBound(b, std::nextafter(b.lo, 0.0)));
    EXPECT_FALSE(InBound(b, std::nextafter(b.hi, 2 * b.hi)));
    for (double v : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(InBound(b, v)) << v;
    EXPECT_TRUE(InBound(Bounds::StepCount, 1));
    EXPECT_FALSE(InBound(Bounds::StepCount, 0));
    EXPECT_FALSE(InBound(Bounds::StepCount, Bounds::StepCount.hi + 1));
}

TEST(Bounds, RefusalNamesTheValueAndTheRange)
{
    struct Case {
        double v;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {20.0, L""},
        {std::nan(""), L"span 2 is not a number; it must be from 0.1 m to 1,000 m"},
        {std::numeric_limits<double>::infinity(), L"span 2 is not a number; it must be from 0.1 m to 1,000 m"},
        {0.0, L"span 2 is 0 m; it must be from 0.1 m to 1,000 m"},
        {-5.5, L"span 2 is -5.5 m; it must be from 0.1 m to 1,000 m"},
        {1e300, L"span 2 is 1e+300 m; it must be from 0.1 m to 1,000 m"},
        {1000.5, L"span 2 is 1,000.5 m; it must be from 0.1 m to 1,000 m"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoundRefusal(Bounds::Span, c.v, L"span 2"), c.expected) << c.v;
    EXPECT_EQ(BoundRefusal(Bounds::BridgesPerSet, 10001, L"The number of bridges"),
              L"The number of bridges is 10,001; it must be from 1 to 10,000");
    EXPECT_EQ(BoundText(Bounds::Factor), L"0 to 1,000");
}
