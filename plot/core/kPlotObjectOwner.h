#pragma once
// The plot component as its objects see it: the per-kind events that
// objects fire and the few services they ask of their plot. The plot
// component implements it; tests give a fake.
#include <string>
#include <vector>

#include "rtl/Types.h"
#include "ui/Control.h"

class TImageList;
class TkPlotAxis;
class TkPlotObject;
struct TkPlotKind;

class TkPlotObjectOwner {
public:
    virtual ~TkPlotObjectOwner() = default;

    virtual void DoObjectMouseDown(TkPlotObject*, TMouseButton, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoObjectMouseMove(TkPlotObject*, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoObjectMouseUp(TkPlotObject*, TMouseButton, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoObjectMouseWheel(TkPlotObject*, int /*WheelDelta*/, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoObjectPopupMenu(TkPlotObject*, bool& /*Cancel*/, int /*ScreenX*/, int /*ScreenY*/) {}
    virtual void DoObjectGotFocus(TkPlotObject*) {}
    virtual void DoObjectLostFocus(TkPlotObject*) {}
    // Toolbar events (ButtonType is the button's type as an integer): the
    // plot knows the toolbar's index and fires OnBeforeToolBarButtonClick,
    // OnToolBarButtonClick and OnToolBarCustomizeHint.
    virtual void DoBeforeToolBarButtonClick(TkPlotObject*, int /*ButtonType*/, bool& /*Cancel*/) {}
    virtual void DoToolBarButtonClick(TkPlotObject*, int /*ButtonType*/) {}
    virtual void DoToolBarCustomizeHint(TkPlotObject*, std::string& /*Text*/) {}
    // The size of a hint's text as the plot draws its hints.
    virtual TSize HintTextExtent(const std::string& /*Text*/) { return TSize(0, 0); }
    // A point was added to an object that holds data (the plot's log
    // takes it from there).
    virtual void DataPointAdded(TkPlotObject*) {}
    // A log that met trouble (a file it cannot write, a file gone) has the
    // user told, later and once: it is met while points are added, which
    // must go on.
    virtual void DoLogNotice(const std::string& /*Text*/) {}
    // The plot's own commands that toolbar buttons run.
    virtual void ShowEditor() {}
    virtual void CopyToClipBoard() {}
    virtual void SaveImageDialog() {}
    virtual void PrintPlot() {}
    virtual void PrintPreview() {}
    // Image list 0, 1 or 2 of the plot, whose images labels show; none
    // when the plot has no such list.
    virtual TImageList* GetImageList(int /*Index*/) const { return nullptr; }

    // Axis events. The plot knows the axis's kind and its index among the
    // axes of that kind, and fires its OnXAxis.../OnYAxis... events.
    virtual void DoAxisMinChange(TkPlotAxis*, double /*OldValue*/, double /*NewValue*/) {}
    virtual void DoAxisSpanChange(TkPlotAxis*, double /*OldValue*/, double /*NewValue*/) {}
    virtual void DoAxisMinSpanChange(TkPlotAxis*, double /*OldMin*/, double /*OldSpan*/, double /*NewMin*/,
                                     double /*NewSpan*/)
    {
    }
    // The end of a drag or key gesture that changed an axis's range.
    virtual void DoAxisMinSpanChangeFinished(TkPlotAxis*, double /*OldMin*/, double /*OldSpan*/, double /*NewMin*/,
                                             double /*NewSpan*/)
    {
    }
    // The application's chance to replace the text of an axis value.
    virtual void DoAxisCustomizeLabel(TkPlotAxis*, double /*Value*/, std::string& /*Label*/) {}
    // The application's chance to replace the hint of an axis.
    virtual void DoAxisCustomizeHint(TkPlotAxis*, std::string& /*Text*/) {}
    // Areas already drawn on by axes that cross the data view, so that
    // their labels do not overwrite each other. TryOccupyRect takes the
    // area and answers true only when it is still free.
    virtual void AddOccupiedRect(const TRect&) {}
    virtual bool TryOccupyRect(const TRect&) { return true; }
    // A release that completes a click on an object; the plot fires its
    // click or, with a double click pending, its double-click event.
    virtual void DoObjectClick(TkPlotObject*) {}
    // A double click is waiting for its release; drags pause meanwhile.
    virtual bool DoubleClickPending() const { return false; }

    // The axes of one kind (XAxis or YAxis), in their order.
    virtual std::vector<TkPlotAxis*> GetAxes(const TkPlotKind&) { return {}; }
    // The smallest and largest value the channels drawn against the axis
    // hold: with Running, of every value they were ever given; otherwise
    // of the points they hold now (Y values in the visible range for a Y
    // axis). Minimum and Maximum come in as 1e300 and -1e300 and are only
    // narrowed, so that no channel leaves them as they were.
    virtual void GetAxisDataExtent(TkPlotAxis*, bool /*Running*/, double& /*Minimum*/, double& /*Maximum*/) {}
    // The down state of the first toolbar's zoom-box and select buttons.
    virtual bool GetZoomBoxMode() const { return false; }
    virtual bool GetSelectMode() const { return false; }
    // Before the axes zoom to a box drawn in the data view: the handler
    // may change the box or cancel the zoom.
    virtual void DoBeforeZoomBox(TRect& /*ZoomRect*/, bool& /*Cancel*/) {}

    // The changes of one point added (its channel's, and its axes' as they
    // follow it) come between these: the plot weighs them against its frame
    // rate with one reading of the clock. ChangesTookTime tells it that
    // something in between took its time (a log written).
    virtual void BeginPointChanges() {}
    virtual void EndPointChanges() {}
    virtual void ChangesTookTime() {}

    // True for the published plot, whose X axes scroll by default.
    virtual bool IsPublishedPlot() const { return false; }

    // A fixed caption passed through the plot's translation table.
    virtual std::string TranslateText(const std::string& Text) { return Text; }
    // Client pixel of the plot to screen coordinates (popup menus).
    virtual TPoint ClientToScreen(const TPoint& P) { return P; }

    // The column separator of data and log files: tab or comma.
    virtual char GetDataFileSeparatorChar() const { return '\t'; }
    // Data cursor events: before a cursor asks its channels for a readout,
    // and when its readout changed. The plot knows the cursor's index.
    virtual void DoBeforeDataCursorUpdate(TkPlotObject*) {}
    virtual void DoDataCursorChange(TkPlotObject*) {}
    // The application may change the text of a data cursor's hint box.
    virtual void DoDataCursorCustomizeHint(TkPlotObject*, std::string& /*Text*/) {}

    // A limit's line 1 or 2 moved; the plot fires OnLimitLine1PositionChange
    // or OnLimitLine2PositionChange with the limit's index.
    virtual void DoLimitLinePositionChange(TkPlotObject*, int /*Line*/, double /*OldValue*/, double /*NewValue*/) {}
    // An annotation's event; the plot knows its index.
    enum class TAnnotationEvent { CoordinatesChange, MoveUser, ResizeUser, CoordinatesChangeFinished };
    virtual void DoAnnotationEvent(TkPlotObject*, TAnnotationEvent) {}
    // Annotations placed on a channel's axes keep inside those axes.
    virtual bool ClipsAnnotationsToAxes() const { return false; }

    // Data point events of a channel; DataIndex is -1 when no point is hit.
    virtual void DoMouseDownDataPoint(TkPlotObject*, int /*DataIndex*/, TMouseButton, TShiftState, int /*X*/, int /*Y*/)
    {
    }
    virtual void DoMouseMoveDataPoint(TkPlotObject*, int /*DataIndex*/, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoMouseUpDataPoint(TkPlotObject*, int /*DataIndex*/, TMouseButton, TShiftState, int /*X*/, int /*Y*/)
    {
    }
    virtual void DoDataPointClick(TkPlotObject*, int /*DataIndex*/) {}
    virtual void DoDataPointMoved(TkPlotObject*, int /*DataIndex*/, double /*OldX*/, double /*OldY*/, double /*NewX*/,
                                  double /*NewY*/)
    {
    }
    // A data point's hint: the application may change its text, which the
    // plot measures in its hint font; the hint is kept inside the first
    // data view (an empty rectangle without one).
    virtual void DoDataPointCustomizeHint(TkPlotObject*, int /*DataIndex*/, std::string& /*Text*/) {}
    virtual TRect GetDataViewRect() const { return TRect(); }
};
