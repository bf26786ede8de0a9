#pragma once
// The plot's axes. X axes run horizontally and Y axes vertically unless
// the plot reverses them.
#include <string>

#include "plot/core/kPlotObjects.h"

class TkPlotAxis : public TkPlotLayoutObject {
public:
    using TkPlotLayoutObject::TkPlotLayoutObject;

    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value);

protected:
    ~TkPlotAxis() override = default;

private:
    std::string FTitle;
};

class TkPlotXAxis : public TkPlotAxis {
public:
    TkPlotXAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotAxis(AOwner, Callbacks, TkPlotObjectKind::XAxis)
    {
    }

protected:
    ~TkPlotXAxis() override = default;
};

class TkPlotYAxis : public TkPlotAxis {
public:
    TkPlotYAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotAxis(AOwner, Callbacks, TkPlotObjectKind::YAxis)
    {
    }

protected:
    ~TkPlotYAxis() override = default;
};
