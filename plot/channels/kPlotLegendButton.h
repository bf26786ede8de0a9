#pragma once
// A scroll button of the legend: a square with a small triangle.
#include "plot/core/kPlotButton.h"

class TkPlotLegendButton : public TkPlotButton {
public:
    TkPlotLegendButton(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks, bool AUp);

    bool IsUp() const { return FUp; }
    void Draw(TCanvas* Canvas, TColor BackColor) override;

protected:
    ~TkPlotLegendButton() override = default;

private:
    bool FUp;
};
