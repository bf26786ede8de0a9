#include "plot/core/kMath.h"

#include <gtest/gtest.h>

#include <climits>

#include "rtl/Exception.h"

namespace {

// 1-based array from values.
std::vector<double> A(std::initializer_list<double> v)
{
    std::vector<double> r{0.0};
    r.insert(r.end(), v);
    return r;
}

template <class F> std::string MessageOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no exception";
}

TEST(kMathTest, LogAndPower)
{
    EXPECT_NEAR(Log10(1000), 3.0, 1e-14);
    EXPECT_NEAR(Log10(0.01), -2.0, 1e-14);
    EXPECT_NEAR(Power(2, 10), 1024.0, 1e-9);
    EXPECT_NEAR(Power(10, -1.5), 0.0316227766016838, 1e-15);
}

TEST(kMathTest, SplineAndSplintMatchHandComputedValues)
{
    const auto x = A({0, 1, 2}), y = A({0, 1, 0});
    std::vector<double> y2;
    Spline(x, y, 3, 123, 456, y2);  // the slopes passed in do not matter
    ASSERT_EQ(y2.size(), 4u);
    EXPECT_NEAR(y2[1], 2.0, 1e-12);
    EXPECT_NEAR(y2[2], -4.0, 1e-12);
    EXPECT_NEAR(y2[3], 2.0, 1e-12);
    EXPECT_NEAR(Splint(x, y, y2, 3, 0.5), 0.625, 1e-12);
    EXPECT_NEAR(Splint(x, y, y2, 3, 1.5), 0.625, 1e-12);
    EXPECT_NEAR(Splint(x, y, y2, 3, 1.0), 1.0, 1e-12);
}

TEST(kMathTest, SplineThroughCollinearPointsIsStraight)
{
    const auto x = A({0, 1, 3, 4, 7}), y = A({1, 3, 7, 9, 15});
    std::vector<double> y2;
    Spline(x, y, 5, 0, 0, y2);
    for (int i = 1; i <= 5; ++i)
        EXPECT_NEAR(y2[i], 0.0, 1e-12) << i;
    EXPECT_NEAR(Splint(x, y, y2, 5, 5.5), 12.0, 1e-12);
}

TEST(kMathTest, SplineWithTooFewOrEqualXFallsBackToStraightLines)
{
    std::vector<double> y2{9, 9};
    Spline(A({1}), A({5}), 1, 0, 0, y2);
    EXPECT_EQ(y2, (std::vector<double>{0, 0}));
    Spline(A({}), A({}), 0, 0, 0, y2);
    EXPECT_EQ(y2, (std::vector<double>{0}));
    const auto x = A({0, 1, 1, 2}), y = A({0, 1, 2, 0});
    Spline(x, y, 4, 0, 0, y2);
    EXPECT_EQ(y2, (std::vector<double>{0, 0, 0, 0, 0}));
    EXPECT_EQ(Splint(A({3}), A({5}), A({0}), 1, 10), 5.0);
    EXPECT_EQ(Splint(A({}), A({}), A({}), 0, 10), 0.0);
    EXPECT_THROW(Spline(A({0, 1}), A({0}), 2, 0, 0, y2), EListError);
}

TEST(kMathTest, SplintWithEqualXAroundXRaises)
{
    const auto x = A({0, 1, 1}), y = A({0, 1, 2}), y2 = A({0, 0, 0});
    EXPECT_EQ(MessageOf([&] { Splint(x, y, y2, 3, 1.0); }), "Splint Error - xa's must be distinct");
    // away from the pair the interval is fine
    EXPECT_NEAR(Splint(x, y, y2, 3, 0.5), 0.5, 1e-12);
}

TEST(kMathTest, PolynomialInterpolation)
{
    double y = 0, dy = 0;
    PolynomialInterpolate(A({0, 1, 2}), A({0, 1, 4}), 3, 1.5, y, dy);
    EXPECT_NEAR(y, 2.25, 1e-12);
    EXPECT_NEAR(dy, 0.75, 1e-12);
    PolynomialInterpolate(A({-1, 0, 1, 2}), A({-1, 0, 1, 8}), 4, 3, y, dy);
    EXPECT_NEAR(y, 27.0, 1e-9);
    EXPECT_EQ(MessageOf([&] {
                  PolynomialInterpolate(A({0, 1, 1}), A({0, 1, 2}), 3, 0.5, y, dy);
              }),
              "Polynomial Interpolation Error - Pause in Routine Data");
    PolynomialInterpolate(A({4}), A({7}), 1, 0, y, dy);
    EXPECT_EQ(y, 7.0);
    EXPECT_EQ(dy, 0.0);
}

TEST(kMathTest, RationalInterpolation)
{
    double y = 0, dy = 1;
    const auto x = A({0, 1, 2}), v = A({1, 0.5, 1.0 / 3});
    RationalInterpolate(x, v, 3, 1, y, dy);
    EXPECT_EQ(y, 0.5);
    EXPECT_EQ(dy, 0.0);
    RationalInterpolate(x, v, 3, 3, y, dy);
    EXPECT_NEAR(y, 0.25, 1e-12);
    // (0, 1), (1, 2) at 2: t equals the next C, the denominator vanishes
    EXPECT_EQ(MessageOf([&] {
                  RationalInterpolate(A({0, 1}), A({1, 2}), 2, 2, y, dy);
              }),
              "Rational Interpolation Error - Pause in Routine Data");
}

TEST(kMathTest, LineGeometry)
{
    double slope = 0, intercept = 0;
    LineSlopeIntercept(Point(2, 3), Point(6, 11), slope, intercept);
    EXPECT_EQ(slope, 2.0);
    EXPECT_EQ(intercept, -1.0);
    LineSlopeIntercept(Point(5, 0), Point(5, 10), slope, intercept);
    EXPECT_EQ(slope, 1e30);

    EXPECT_TRUE(SegmentsIntersect(Point(0, 0), Point(10, 10), Point(0, 10), Point(10, 0)));
    EXPECT_FALSE(SegmentsIntersect(Point(0, 0), Point(10, 10), Point(0, 1), Point(10, 11)));  // parallel
    EXPECT_FALSE(SegmentsIntersect(Point(0, 0), Point(1, 1), Point(5, 0), Point(6, -1)));
    // a vertical segment through its slope of 1e30
    EXPECT_TRUE(SegmentsIntersect(Point(5, 0), Point(5, 10), Point(0, 5), Point(10, 5)));
    EXPECT_FALSE(SegmentsIntersect(Point(5, 0), Point(5, 10), Point(6, 5), Point(10, 5)));
    // crossing at x = 2.5 rounds to 2 (ties to even), which both segments reach
    EXPECT_TRUE(SegmentsIntersect(Point(0, 0), Point(2, 2), Point(2, 3), Point(5, 0)));
    EXPECT_FALSE(SegmentsIntersect(Point(0, 0), Point(2, 2), Point(3, 2), Point(5, 0)));

    const TRect r(10, 10, 20, 20);
    EXPECT_TRUE(LineIntersectsRect(Point(0, 15), Point(30, 16), r));   // crosses through
    EXPECT_TRUE(LineIntersectsRect(Point(12, 12), Point(18, 13), r));  // inside
    EXPECT_TRUE(LineIntersectsRect(Point(20, 20), Point(30, 31), r));  // corner, edges included
    EXPECT_FALSE(LineIntersectsRect(Point(0, 0), Point(5, 30), r));
    EXPECT_FALSE(LineIntersectsRect(Point(21, 0), Point(25, 30), r));
}

// Points at the ends of the int range (pixels of values far off the view)
// have differences no int holds: slopes and crossings come out as they are.
TEST(kMathTest, LinesBetweenTheEndsOfTheIntRange)
{
    constexpr int Low = INT_MIN, High = INT_MAX;
    double slope = 0, intercept = 0;
    LineSlopeIntercept(Point(0, Low), Point(1, High), slope, intercept);
    EXPECT_EQ(slope, 4294967295.0);
    EXPECT_EQ(intercept, double(Low));
    LineSlopeIntercept(Point(High, 0), Point(Low, 2), slope, intercept);
    EXPECT_DOUBLE_EQ(slope, -2.0 / 4294967295.0);
    EXPECT_DOUBLE_EQ(intercept, 2.0 * High / 4294967295.0);

    // A line from far above-left to far below-right crosses the view.
    const TRect r(10, 10, 20, 20);
    EXPECT_TRUE(LineIntersectsRect(Point(Low, Low), Point(High, High), r));
    EXPECT_FALSE(LineIntersectsRect(Point(Low, High), Point(0, High), r));
    EXPECT_TRUE(SegmentsIntersect(Point(Low, Low), Point(High, High), Point(Low, High), Point(High, Low)));
}

TEST(kMathTest, AVerticalSegmentMeetsOnlyWhatLiesWithinItsHeight)
{
    // The crossing of the two lines lies above or below the vertical one.
    EXPECT_FALSE(SegmentsIntersect(Point(5, 0), Point(5, 10), Point(0, 50), Point(10, 50)));
    EXPECT_FALSE(SegmentsIntersect(Point(0, -7), Point(10, -3), Point(5, 0), Point(5, 10)));
    EXPECT_TRUE(SegmentsIntersect(Point(0, 10), Point(10, 10), Point(5, 10), Point(5, 30)));  // end included
    EXPECT_TRUE(SegmentsIntersect(Point(0, 0), Point(10, 20), Point(5, 20), Point(5, 0)));

    // A line that passes above, below or beside a rectangle, or a vertical
    // one beside it, does not meet it through the lines of its edges.
    const TRect r(10, 10, 20, 20);
    EXPECT_FALSE(LineIntersectsRect(Point(0, 0), Point(30, 5), r));
    EXPECT_FALSE(LineIntersectsRect(Point(0, 40), Point(30, 25), r));
    EXPECT_FALSE(LineIntersectsRect(Point(15, 30), Point(15, 60), r));
    EXPECT_TRUE(LineIntersectsRect(Point(15, 0), Point(15, 60), r));
    EXPECT_TRUE(LineIntersectsRect(Point(0, 0), Point(30, 30), r));
}

}  // namespace
