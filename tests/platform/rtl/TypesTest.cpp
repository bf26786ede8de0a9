// Rectangles with exclusive right and bottom edges, and their helpers.
#include <gtest/gtest.h>
#include "rtl/Types.h"

namespace {

TEST(Rects, SizeAndConstruction)
{
    const TRect R = Rect(10, 20, 40, 25);
    EXPECT_EQ(R.Width(), 30);
    EXPECT_EQ(R.Height(), 5);
    EXPECT_EQ(Bounds(10, 20, 30, 5), R);
    EXPECT_EQ(TRect(Point(10, 20), Point(40, 25)), R);
    EXPECT_EQ(R.TopLeft(), Point(10, 20));
    EXPECT_EQ(R.BottomRight(), Point(40, 25));
}

TEST(Rects, PointsOnTheRightAndBottomEdgesAreOutside)
{
    const TRect R(0, 0, 10, 5);
    EXPECT_TRUE(PtInRect(R, Point(0, 0)));
    EXPECT_TRUE(PtInRect(R, Point(9, 4)));
    EXPECT_FALSE(PtInRect(R, Point(10, 4)));
    EXPECT_FALSE(PtInRect(R, Point(9, 5)));
    EXPECT_FALSE(PtInRect(R, Point(-1, 0)));
}

TEST(Rects, EmptyMeansNoArea)
{
    EXPECT_TRUE(IsRectEmpty(Rect(0, 0, 0, 10)));
    EXPECT_TRUE(IsRectEmpty(Rect(5, 5, 4, 10)));
    EXPECT_FALSE(IsRectEmpty(Rect(0, 0, 1, 1)));
}

TEST(Rects, InflateAndOffset)
{
    TRect R(10, 10, 20, 20);
    InflateRect(R, 2, -3);
    EXPECT_EQ(R, Rect(8, 13, 22, 17));
    OffsetRect(R, -8, 5);
    EXPECT_EQ(R, Rect(0, 18, 14, 22));
}

TEST(Rects, IntersectGivesTheCommonPartOrZeros)
{
    TRect D(1, 2, 3, 4);
    EXPECT_TRUE(IntersectRect(D, Rect(0, 0, 10, 10), Rect(5, 5, 15, 15)));
    EXPECT_EQ(D, Rect(5, 5, 10, 10));
    // Touching edges share no pixel.
    EXPECT_FALSE(IntersectRect(D, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_EQ(D, TRect());
}

TEST(Rects, UnionSkipsEmptyRectangles)
{
    TRect D(1, 2, 3, 4);
    EXPECT_TRUE(UnionRect(D, Rect(0, 0, 5, 5), Rect(10, 10, 12, 20)));
    EXPECT_EQ(D, Rect(0, 0, 12, 20));
    EXPECT_TRUE(UnionRect(D, Rect(100, 100, 100, 200), Rect(1, 1, 2, 2)));
    EXPECT_EQ(D, Rect(1, 1, 2, 2));
    EXPECT_FALSE(UnionRect(D, TRect(), Rect(3, 3, 3, 3)));
    EXPECT_EQ(D, TRect());
}

}  // namespace
