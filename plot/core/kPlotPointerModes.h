#pragma once
// The plot's pointer modes, which an object of the plot holds (the
// toolbar, with its zoom-box and select buttons): a drag in the data view
// draws a zoom box, or picks objects instead of moving the axes. The plot
// asks the first object of the first kind that holds them.
class TkPlotPointerModes {
public:
    virtual bool GetZoomBoxDown() const = 0;
    virtual bool GetSelectDown() const = 0;
    // Works the select mode as a click on its button would.
    virtual void ClickSelect() = 0;

protected:
    ~TkPlotPointerModes() = default;
};
