#pragma once
// An object that holds data drawn against the plot's axes (a channel of
// any class): the plot clears it with all the others, and an axis that
// scales to its data asks it for the range of its values.
class TkPlotObject;

class TkPlotAxisData {
public:
    // Drops every point.
    virtual void ClearData() = 0;
    // Narrows Minimum and Maximum to the values drawn against Axis (see
    // TkPlotObjectOwner::GetAxisDataExtent); nothing when drawn against
    // another axis.
    virtual void NarrowToAxisExtent(const TkPlotObject& Axis, bool Running, double& Minimum, double& Maximum) = 0;

protected:
    ~TkPlotAxisData() = default;
};
