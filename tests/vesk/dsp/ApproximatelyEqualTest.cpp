#include "vesk/dsp/ApproximatelyEqual.h"

#include <gtest/gtest.h>
#include <limits>

namespace
{
struct Case
{
    float a, b;
    bool equal;
};

class ApproximatelyEqual : public ::testing::TestWithParam<Case>
{
};

TEST_P (ApproximatelyEqual, JudgesWithAbsoluteAndRelativeTolerance)
{
    const auto c = GetParam();
    EXPECT_EQ (vesk::approximatelyEqual (c.a, c.b), c.equal) << c.a << " vs " << c.b;
    EXPECT_EQ (vesk::approximatelyEqual (c.b, c.a), c.equal) << "symmetry";
}

constexpr auto inf = std::numeric_limits<float>::infinity();
constexpr auto nan = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P (Cases,
                          ApproximatelyEqual,
                          ::testing::Values (Case{ 1.0f, 1.0f, true },
                                             Case{ 1.0f, 1.0f + 1.1920929e-7f, true },
                                             Case{ 1.0f, 1.0f + 2.5e-7f, false },
                                             // JUCE 7's version fails here: negative magnitudes
                                             Case{ -1000.0f, -1000.0f + 6.1e-5f, true },
                                             Case{ -1000.0f, -1000.1f, false },
                                             Case{ 0.0f, 1.0e-39f, true },
                                             Case{ 0.0f, 1.0e-30f, false },
                                             Case{ inf, inf, true },
                                             Case{ inf, -inf, false },
                                             Case{ inf, 3.0e38f, false },
                                             Case{ nan, nan, true },
                                             Case{ nan, 0.0f, false }));
} // namespace
