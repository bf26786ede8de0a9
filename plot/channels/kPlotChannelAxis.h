#pragma once
// What a channel asks of an axis: its range, the value-pixel conversion,
// the texts of its values and the tracking of new values. The plot's axes
// answer these under the same names. A channel reaches its axes through
// the finder it is given, by kind and name, so nothing here depends on how
// the plot stores them.
#include <functional>
#include <string>

#include "plot/core/kPlotObject.h"
#include "plot/core/kPlotPixelScale.h"

class TkPlotChannelAxis {
public:
    virtual ~TkPlotChannelAxis() = default;

    virtual double GetMin() const = 0;
    virtual double GetSpan() const = 0;
    double GetMax() const { return GetMin() + GetSpan(); }
    // Screen pixel along the axis' direction, and back.
    virtual int ValueToPixel(double Value) const = 0;
    virtual double PixelToValue(int Pixel) const = 0;
    // ValueToPixel as it stands, to convert many values in a row: through
    // ValueToPixel itself unless the axis knows better.
    virtual TkPlotPixelScale PixelScale() const;
    // The value in the axis' label format, its cursor format, and its
    // cursor number without date or time formatting.
    virtual std::string GetLabelText(double Value) = 0;
    virtual std::string GetCursorText(double Value) = 0;
    virtual std::string GetCursorPlainText(double Value) = 0;
    virtual double GetCursorScaler() const = 0;
    // A channel added a point with this value on the axis.
    virtual void TrackNewValue(double Value) = 0;
};

// The axis of a kind (X or Y axis) and name, or none.
using TkPlotChannelAxisFinder = std::function<TkPlotChannelAxis*(const TkPlotKind& Kind, const std::string& Name)>;
