#pragma once
// What the layout viewer shows and does, apart from drawing it: the
// schematic of the plot's layout levels around the data view, the blocks a
// dragged object can be dropped on, and the drag itself, which moves layout
// objects between levels, shares or swaps them within one, and resizes
// them. Kept apart from the control so that it runs without a display.
#include <vector>

#include "rtl/Types.h"

class TkPlotLayoutManager;
class TkPlotLayoutObject;

// A drop target: one level beside the data view, or the data view itself.
struct TBlockObject {
    TRect Rect;
    int ZOrder = 0;
    bool Horizontal = false;
    bool DataView = false;
    // The level at the very top, which takes drops only in its lower half.
    bool TopMost = false;
};

class TkPlotLayoutViewerModel {
public:
    enum TDragMode { dmIdle, dmMoving, dmResizing };
    // Which end of an object a press resizes.
    enum TResizeEnd { reNone, reStart, reStop };
    // The sizing cursor a hovered object's end asks for.
    enum TSizing { szNone, szVertical, szHorizontal };

    // The margin between the control's edge and the schematic.
    static constexpr int Margin = 5;
    // How near (in pixels, exclusive) the pointer must be to an end to
    // resize it.
    static constexpr int ResizeReach = 7;
    // Resizing moves an end in steps of this many percent.
    static constexpr double ResizeStep = 1.25;
    // The least span, in percent, resizing leaves an object.
    static constexpr double MinimumSpan = 1.0;

    TkPlotLayoutManager* GetLayoutManager() const { return FLayout; }
    // Ends any drag, which would name objects of the manager before.
    void SetLayoutManager(TkPlotLayoutManager* Value);

    // Lays the schematic out for a control of Width x Height whose levels
    // are BlockSize pixels deep; stores each layout object's ViewerRect.
    // The blocks stay as they were while a drag is in progress.
    void Arrange(int Width, int Height, int BlockSize);
    const TRect& OuterRect() const { return FOuter; }
    const TRect& DataViewRect() const { return FDataView; }
    int BlockSize() const { return FBlockSize; }
    const std::vector<TBlockObject>& Blocks() const { return FBlocks; }

    // The layout object drawn at P (never a data-view placeholder), or none.
    TkPlotLayoutObject* ObjectAt(TPoint P) const;
    // The index of the block that takes a drop at P, or -1.
    int BlockAt(TPoint P) const;
    // The object, other than the dragged one and the data views, that
    // stands in the level of that ZOrder and orientation, or none.
    TkPlotLayoutObject* SlotOccupant(int ZOrder, bool Horizontal) const;

    // LeftButton: the press is of the left button; any other press forgets
    // the insert position of the last drag.
    void MouseDown(TPoint P, bool LeftButton);
    // Answers the sizing cursor to show, if any.
    TSizing MouseMove(TPoint P, bool LeftButton);
    // Ends the drag; answers whether the layout changed.
    bool MouseUp();

    TDragMode Mode() const { return FMode; }
    TkPlotLayoutObject* DraggedObject() const { return FDragged; }
    TResizeEnd ArmedEnd() const { return FArmedEnd; }
    TkPlotLayoutObject* SwapTarget() const { return FSwapTarget; }
    // The index of the block a drop would go to, or -1.
    int DropBlock() const { return FDropBlock; }
    // 0 shares the drop block's level, 1 and 2 insert a level before or
    // after it.
    int InsertMode() const { return FInsertMode; }
    // Where the drag feedback is drawn; false when there is none.
    bool FeedbackRect(TRect& R) const;

private:
    bool IsPlaceholder(const TkPlotLayoutObject* Object) const;
    std::vector<TkPlotLayoutObject*> Objects() const;
    void EndDrag();
    // The editor may free an object while a gesture holds it (its popup
    // deletes what a right press picked up, and takes the release).
    void ForgetFreedObjects();
    void BuildBlocks(int LeftLevels, int RightLevels, int TopLevels, int BottomLevels);
    TRect ObjectRect(const TkPlotLayoutObject& Object) const;
    void Hover(TPoint P);
    void Drag(TPoint P);
    void Resize(TPoint P);
    // The objects of the block's level, the dragged one last, spread
    // evenly over it.
    void ShareLevel(const TBlockObject& Block, TkPlotLayoutObject* Occupant);
    bool Drop();

    TkPlotLayoutManager* FLayout = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TRect FOuter;
    TRect FDataView;
    int FBlockSize = 0;
    std::vector<TBlockObject> FBlocks;

    TDragMode FMode = dmIdle;
    TkPlotLayoutObject* FDragged = nullptr;
    TPoint FDownPoint;
    // The hovered object whose end FArmedEnd is; a press on it resizes
    // from the spans it had then.
    TkPlotLayoutObject* FArmedObject = nullptr;
    TResizeEnd FArmedEnd = reNone;
    double FDownStart = 0;
    double FDownStop = 100;
    TkPlotLayoutObject* FSwapTarget = nullptr;
    int FDropBlock = -1;
    int FInsertMode = 0;
};
