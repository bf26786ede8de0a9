#pragma once
#include <string>

#include "plot/core/kPlotManagerObject.h"
#include "rtl/PublishedList.h"
#include "rtl/Types.h"

class TCanvas;

// An object that the layout manager places in rows and columns around the
// data view.
class TkPlotLayoutObject : public TkPlotManagerObject {
    PUBLISHED_CLASS(TkPlotLayoutObject);

public:
    TkPlotLayoutObject(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks,
                       const TkPlotKind& AKind = TkPlotObjectKind::Other);

    bool IsLayoutObject() const override { return true; }
    bool HitTest(const TkPlotMouseData& Mouse) override;
    void DoInsert() override;

    virtual bool IsHorizontal() const { return FHorizontal; }
    bool IsVertical() const { return !IsHorizontal(); }
    virtual int GetRequiredSize(TCanvas*) { return 0; }
    virtual int GetRequiredEndMargin(TCanvas*) { return 0; }

    // Each kept within 0..100 and at least 1 from the other, which gives
    // way when it must.
    double GetStopPercent() const { return FStopPercent; }
    void SetStopPercent(double Value);
    PUBLISHED_ACCESSORS(double, StopPercent);
    double GetStartPercent() const { return FStartPercent; }
    void SetStartPercent(double Value);
    PUBLISHED_ACCESSORS(double, StartPercent);
    // Both at once without clamping (the layout viewer's moves).
    void SetStartStopPercent(double Start, double Stop);
    PUBLISHED(int, ZOrder, 0, DoLayoutChange());
    PUBLISHED(bool, Horizontal, false, DoLayoutChange());
    bool GetForceStacking() const { return FForceStacking; }
    void SetForceStacking(bool Value);
    bool GetFarSide() const { return FFarSide; }
    void SetFarSide(bool Value);
    bool GetStartStacked() const { return FStartStacked; }
    void SetStartStacked(bool Value) { FStartStacked = Value; }
    bool GetEndStacked() const { return FEndStacked; }
    void SetEndStacked(bool Value) { FEndStacked = Value; }

    const TRect& GetDrawRect() const { return FDrawRect; }
    void SetDrawRect(const TRect& Value) { FDrawRect = Value; }
    int GetWidth() const { return FDrawRect.Width(); }
    int GetHeight() const { return FDrawRect.Height(); }
    const TRect& GetViewerRect() const { return FViewerRect; }
    void SetViewerRect(const TRect& Value) { FViewerRect = Value; }

    // Sort keys of the layout lists: the level as at least three digits,
    // and the start percent rounded, as at least three digits.
    std::string GetZOrderKey() const;
    std::string GetStartPercentKey() const;

protected:
    ~TkPlotLayoutObject() override = default;
    bool PopupCentre(TPoint& P) const override;

private:
    double FStopPercent = 100.0;
    double FStartPercent = 0.0;
    bool FFarSide = false;
    TRect FDrawRect;
    bool FStartStacked = false;
    bool FEndStacked = false;
    TRect FViewerRect;
    bool FForceStacking = false;
};
