#include "plot/core/kPlotPaintOrder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Distinct addresses stand for objects; the order never touches them.
TkPlotObject* Obj(int i)
{
    static char objects[16];
    return reinterpret_cast<TkPlotObject*>(&objects[i]);
}

std::vector<TkPlotObject*> Order(const TkPlotPaintOrder& Order)
{
    std::vector<TkPlotObject*> result;
    for (int i = 0; i < Order.Count(); ++i)
        result.push_back(Order.Item(i));
    return result;
}

TEST(PaintOrder, LayersSortBeforeGroupsAndGroupsInLetterOrder)
{
    TkPlotPaintOrder order;
    order.Add(100, 'F', Obj(0));  // a channel
    order.Add(100, 'B', Obj(1));  // the data view
    order.Add(0, 'A', Obj(2));    // a filled limit below everything
    order.Add(100, 'c', Obj(3));  // letters ignore case
    order.Add(50, 'G', Obj(4));
    EXPECT_EQ(Order(order), (std::vector<TkPlotObject*>{Obj(2), Obj(4), Obj(1), Obj(3), Obj(0)}));
}

// Layers are numbers: a seven-digit layer comes after a six-digit one and
// negative layers keep their order, which text keys padded to six digits
// got wrong.
TEST(PaintOrder, LayersCompareAsNumbers)
{
    TkPlotPaintOrder order;
    order.Add(1000000, 'F', Obj(0));
    order.Add(999999, 'F', Obj(1));
    order.Add(-10, 'F', Obj(2));
    order.Add(-50, 'F', Obj(3));
    order.Add(5, 'F', Obj(4));
    EXPECT_EQ(Order(order), (std::vector<TkPlotObject*>{Obj(3), Obj(2), Obj(4), Obj(1), Obj(0)}));
}

TEST(PaintOrder, AmongEqualKeysTheLastAddedIsDrawnFirst)
{
    TkPlotPaintOrder order;
    order.Add(100, 'F', Obj(0));
    order.Add(100, 'F', Obj(1));
    order.Add(100, 'G', Obj(2));
    order.Add(100, 'F', Obj(3));
    EXPECT_EQ(Order(order), (std::vector<TkPlotObject*>{Obj(3), Obj(1), Obj(0), Obj(2)}));
    order.Clear();
    EXPECT_EQ(order.Count(), 0);
}

}  // namespace
