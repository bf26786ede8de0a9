#pragma once
// The plot's output, kept beside the plot component: copying its image to
// the clipboard, printing it, handing a printout to the preview and saving
// its image to a file. Every output is the plot's one paint drawn onto
// another canvas, and the image file writers are the component base's;
// what lives here is how the plot prints, copies and saves. The plot
// component owns it and publishes these settings as its own.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "plot/core/kPlotOutputHost.h"
#include "plot/core/kPlotPreview.h"
#include "rtl/PublishedEnum.h"
#include "ui/Printer.h"

class TCanvas;
class TkCustomComponent;
class TkPlotComponent;
class TkSaveDialog;
class TMetafile;

PUBLISHED_ENUM(TkPlotExportFormat, kpefMetaFile, kpefBitmap, kpefJPEG);
PUBLISHED_ENUM(TkPlotImageFormatStyle, kpifBitmap, kpifEnhancedMetaFile, kpifJPEG, kpifPNG);

class TkPlotOutput {
public:
    explicit TkPlotOutput(TkPlotOutputHost& Plot);
    ~TkPlotOutput();
    TkPlotOutput(const TkPlotOutput&) = delete;
    TkPlotOutput& operator=(const TkPlotOutput&) = delete;

    static void SetPreviewFactory(TkPlotPreviewFactory Factory);

    // Puts the plot's image, without toolbars, on the clipboard in
    // CopyToClipBoardFormat: a metafile is offered with a bitmap of it, a
    // JPEG with its decoded bitmap.
    void CopyToClipboard();
    // The plot drawn into the kept metafile, at the plot's size.
    TMetafile* GetMetafilePicture();
    // Prints X axis 0's range, one span per page, scaled into the print
    // margins. Failures are raised as "Error Printing : " and the cause;
    // the job is then aborted. Printer and plot are left as they were.
    void PrintPlot();
    // Shows Plot, the plot of this output, in the preview that the preview
    // form's library registered.
    void PrintPreview(TkPlotComponent* Plot);
    // Asks for a file and saves the plot's image in it (see SaveImage).
    void SaveImageDialog();
    // Saves the plot's image in the format the extension names, in any
    // case: ".bmp", ".emf", ".jpg" or ".jpeg", ".png". Any other name
    // raises, saving nothing.
    void SaveImage(const std::string& FileName);

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

private:
    TkCustomComponent& Control() const { return FPlot.OutputComponent(); }
    // Paints the plot under its lock.
    void Paint(TCanvas* Canvas);
    // The metafile the clipboard and the preview get, made on first use.
    TMetafile& KeptMetafile();
    void DrawMetafile(TMetafile& Metafile, const std::string& Description);
    void PrintPages(TPrinter& Printer);
    void PrintPage(TPrinter& Printer);

    TkPlotOutputHost& FPlot;
    std::unique_ptr<TMetafile> FMetafile;
    std::unique_ptr<TkSaveDialog> FSaveDialog;
};
