#pragma once
// The plot's output, kept beside the plot component: copying its image to
// the clipboard, printing it, handing a printout to the preview and saving
// its image to a file. Every output is the plot's one paint drawn onto
// another canvas, and the image file writers are the component base's;
// what lives here is how the plot prints, copies and saves. The plot
// component owns it and publishes these settings as its own.
#include <array>
#include <string>

#include "ui/Printer.h"

enum TkPlotExportFormat { kpefMetaFile, kpefBitmap, kpefJPEG };
enum TkPlotImageFormatStyle { kpifBitmap, kpifEnhancedMetaFile, kpifJPEG, kpifPNG };

class TkPlotOutput {
public:
    TPrinterOrientation PrintOrientation = poLandscape;
    // Left, top, right and bottom, in inches.
    std::array<double, 4> PrintMargins{1.0, 1.0, 1.0, 1.0};
    bool PrintShowDialog = true;
    std::string PrintDocumentName = "Untitled";
    // Empty: the printer that is selected.
    std::string PrinterName;
    TkPlotExportFormat CopyToClipBoardFormat = kpefMetaFile;
    // What the save-image dialog offers first.
    TkPlotImageFormatStyle DefaultSaveImageFormat = kpifBitmap;
};
