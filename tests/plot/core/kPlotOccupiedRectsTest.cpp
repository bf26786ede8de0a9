#include "plot/core/kPlotOccupiedRects.h"

#include <gtest/gtest.h>

namespace {

const TRect View(10, 10, 110, 110);

TEST(OccupiedRects, TheFirstAreaIsTakenEvenOutsideTheDataView)
{
    TkPlotOccupiedRects rects;
    EXPECT_TRUE(rects.TryOccupy(TRect(0, 0, 5, 5), View));
    EXPECT_EQ(rects.Count(), 1);
}

TEST(OccupiedRects, LaterAreasMustLieInsideAndOverlapNothing)
{
    TkPlotOccupiedRects rects;
    ASSERT_TRUE(rects.TryOccupy(TRect(20, 20, 40, 30), View));
    EXPECT_FALSE(rects.TryOccupy(TRect(30, 25, 50, 35), View));    // overlaps
    EXPECT_FALSE(rects.TryOccupy(TRect(100, 50, 120, 60), View));  // sticks out
    EXPECT_TRUE(rects.TryOccupy(TRect(40, 20, 60, 30), View));     // touches only
    EXPECT_EQ(rects.Count(), 2);
    rects.Add(TRect(0, 0, 200, 200));  // recorded whatever it covers
    EXPECT_FALSE(rects.TryOccupy(TRect(70, 70, 80, 80), View));
    rects.Clear();
    EXPECT_TRUE(rects.TryOccupy(TRect(70, 70, 80, 80), View));
}

}  // namespace
