#pragma once
// The plot's layout pass: divides the client area among the layout
// objects. The data view takes the middle; axes, legends, tables, labels
// and toolbars take bands along the four edges, one band per level
// (ZOrder), and their percent ranges along it. The results are stored in
// the objects' rectangles and stacking flags only.
#include <map>
#include <vector>

#include "rtl/Types.h"

class TCanvas;
class TkPlotLayoutObject;
class TkPlotMasterManager;

struct TkPlotLayoutFrame {
    int Width = 0;
    int Height = 0;
    int Border = 0;  // 2 with a border, else 0
    int MarginLeft = 5;
    int MarginTop = 5;
    int MarginRight = 5;
    int MarginBottom = 5;
    bool XYAxesReverse = false;

    bool operator==(const TkPlotLayoutFrame&) const = default;
};

class TkPlotLayoutPass {
public:
    void Run(TkPlotMasterManager& Master, TCanvas* Canvas, const TkPlotLayoutFrame& Frame);

    // The data area of the last pass, before the axes' scales trimmed it.
    const TRect& InnerArea() const { return FInner; }

private:
    using TList = std::vector<TkPlotLayoutObject*>;

    void CopyVisible(const TList& From, TList& To) const;
    static void SetStackingFlags(const TList& List);
    int EndMargin(const TList& List, bool AtStart, TCanvas* Canvas) const;
    static int LevelSize(const TList& List, int ZOrder, TCanvas* Canvas);
    static int Thickness(const TList& List, TCanvas* Canvas);
    // Walks a list outward from the data area (Side 0 left, 1 top, 2 right,
    // 3 bottom), giving each object its band across the edge.
    void PlaceBands(const TList& List, int Side, bool Backward, int Edge, int VertEndMargin, TCanvas* Canvas,
                    int Border) const;
    // What the end margins of stacked axes take from each object's length
    // along its edge (see ShareStackedEnds).
    struct TStackedEnds {
        int Before = 0;  // kept by the objects before it on its level
        int Own = 0;     // kept at its own ends
        int Level = 0;   // kept by its whole level
    };
    void ShareStackedEnds(TCanvas* Canvas);
    TStackedEnds StackedEndsOf(const TkPlotLayoutObject* Object) const;
    void PlaceAlongEdges(TkPlotMasterManager& Master, const TkPlotLayoutFrame& Frame) const;
    void PlaceCartesianAxes(TkPlotMasterManager& Master) const;
    void AlignAxes(TkPlotMasterManager& Master, TCanvas* Canvas) const;
    void FitDataViewToScales(TkPlotMasterManager& Master, TCanvas* Canvas, const TkPlotLayoutFrame& Frame);

    TList FTop, FBottom, FLeft, FRight;
    std::map<const TkPlotLayoutObject*, TStackedEnds> FStackedEnds;
    TRect FInner;
};
