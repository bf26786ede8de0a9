#pragma once
// The editor's "Layout" page: the plot's layout drawn as named blocks in
// their levels around the data view, which the user drags to move objects
// between levels, to share or swap them within one, and by their ends to
// resize them. Every completed change fires OnChange.
#include <memory>

#include "plot/core/kCustomComponent.h"
#include "plot/editor/kPlotLayoutViewerModel.h"
#include "rtl/PublishedList.h"

class TFont;
class TkPlotTranslationManager;

class TkPlotLayoutViewer : public TkCustomComponent {
    PUBLISHED_CLASS(TkPlotLayoutViewer);

public:
    explicit TkPlotLayoutViewer(TComponent* AOwner);
    ~TkPlotLayoutViewer() override;

    // Set by the editor's opener before the first paint.
    TkPlotLayoutManager* GetLayoutManager() const { return FModel.GetLayoutManager(); }
    void SetLayoutManager(TkPlotLayoutManager* Value);
    // Names are shown through it when there is one.
    void SetTranslationManager(TkPlotTranslationManager* Value) { FTranslation = Value; }

    // The layout object at a point of the control, as last painted.
    TkPlotLayoutObject* ObjectAt(TPoint P) const { return FModel.ObjectAt(P); }
    const TkPlotLayoutViewerModel& Model() const { return FModel; }
    TFont* GetFont() const { return FFont.get(); }

    TNotifyEvent OnChange;
    PUBLISHED_EVENT(TNotifyEvent, OnChange);

    void PaintToCanvas(TCanvas* Canvas) override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void DrawObjects(TCanvas* Canvas);

    TkPlotLayoutViewerModel FModel;
    std::unique_ptr<TFont> FFont;
    TkPlotTranslationManager* FTranslation = nullptr;
};
