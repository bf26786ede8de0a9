#pragma once
// An object whose points the plot's data files and its log carry (a
// channel of any class): read point by point, appended to, titled.
#include <string>

struct TkPlotDataPoint {
    double X = 0;
    double Y = 0;
    bool Null = false;
    bool Empty = false;
};

class TkPlotDataPoints {
public:
    virtual int DataPointCount() const = 0;
    virtual TkPlotDataPoint DataPoint(int Index) const = 0;
    // Through the object's own way of adding a point.
    virtual void AppendDataPoint(const TkPlotDataPoint& Point) = 0;
    // What the files' headers call it.
    virtual std::string DataTitle() const = 0;

protected:
    ~TkPlotDataPoints() = default;
};
