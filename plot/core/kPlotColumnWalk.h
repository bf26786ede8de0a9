#pragma once
// What a walk over the points of a list, column by column, needs and
// hands on.

class TkPlotMinMaxPoint;
class TkPlotPixelScale;

class TkPlotColumnWalk {
public:
    virtual ~TkPlotColumnWalk() = default;
    // The screen column of X. Among X values above zero the columns must
    // follow X one way, and so among the others: an axis' value-to-pixel
    // conversion does (a log scale takes every value up to zero as 1). A
    // whole block is taken into a column on the strength of this.
    virtual int Column(double X) = 0;
    // When given, the walk converts X to its column through this itself
    // instead of calling Column, as it does many times a column.
    virtual const TkPlotPixelScale* ColumnScale() const { return nullptr; }
    // Valid points that follow one another (empty points among them passed
    // over) and share one column, FirstIndex; a column's points may come as
    // several runs in a row.
    virtual void Run(const TkPlotMinMaxPoint& Points) = 0;
    // A null point.
    virtual void Break() = 0;
};
