#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ui/Printer.h"

class TkPlotComponent;

// What the print preview is handed when it opens.
struct TkPlotPreviewRequest {
    TkPlotComponent* Plot = nullptr;
    // Left, top, right and bottom, in inches.
    std::array<double, 4> PrintMargins{};
    TPrinterOrientation Orientation = poLandscape;
    // The selected printer's paper, in inches, as the orientation turns it.
    double PaperWidth = 0;
    double PaperHeight = 0;
    std::string Caption;
};

// The print preview as the plot sees it; the preview form's library makes
// it through the factory it registers (a plot works without one).
class TkPlotPreview {
public:
    virtual ~TkPlotPreview() = default;
    // Lays out the page before the preview shows.
    virtual void Prepare() = 0;
    // Returns when the user closed the preview.
    virtual void ShowModal() = 0;
};

using TkPlotPreviewFactory = std::function<std::unique_ptr<TkPlotPreview>(const TkPlotPreviewRequest& Request)>;
