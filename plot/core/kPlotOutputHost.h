#pragma once
// The plot as its output sees it: the control that paints it and writes
// its image files, the objects every picture leaves out or prints by
// (toolbars, X axis 0), what printing may change and must put back, and
// the print events. The plot component answers; the output needs nothing
// else of it.
#include <string>

#include "rtl/Types.h"

class TkCustomComponent;
class TkPlotAxis;
class TkPlotMasterManager;
class TkPlotObject;

class TkPlotOutputHost {
public:
    // Its size, lock, paint, update brackets and image file writers.
    virtual TkCustomComponent& OutputComponent() = 0;
    virtual TkPlotMasterManager& GetMasterManager() const = 0;
    virtual int GetToolBarCount() const = 0;
    virtual TkPlotObject* GetToolBar(int Index) const = 0;
    virtual TkPlotAxis* GetXAxis(int Index) const = 0;
    // Left, top, right and bottom, in pixels.
    virtual TRect GetOuterMargins() const = 0;
    virtual void SetOuterMargins(const TRect& Value) = 0;
    // Where the save-image dialog starts.
    virtual const std::string& GetSaveImageDirectory() const = 0;
    // The plot's OnBeforePrint, OnBeforePrintPage and OnAfterPrint.
    virtual void DoBeforePrint() = 0;
    virtual void DoBeforePrintPage(int Page, bool LastPage) = 0;
    virtual void DoAfterPrint() = 0;

protected:
    ~TkPlotOutputHost() = default;
};
