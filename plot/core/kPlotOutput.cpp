#include "plot/core/kPlotOutput.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "plot/core/kCustomComponent.h"
#include "plot/core/kGPFunctions.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kSaveDialog.h"
#include "rtl/FileUtils.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "ui/Bitmap.h"
#include "ui/Clipboard.h"
#include "ui/MetafileCanvas.h"
#include "ui/PrintDialog.h"
#include "ui/JPEGImage.h"
#include "ui/Metafile.h"

namespace {

TkPlotPreviewFactory& PreviewFactory()
{
    static TkPlotPreviewFactory factory;
    return factory;
}

const char* const MetafileCreator = "Ombrix";

// Toolbars are left out of every picture of the plot that leaves it, and
// nothing shows as selected. Each toolbar gets its own visibility back,
// however the drawing ends.
class TToolBarsHidden {
public:
    explicit TToolBarsHidden(TkPlotOutputHost& Plot) : FPlot(Plot)
    {
        for (int i = 0; i < Plot.GetToolBarCount(); ++i)
            FVisible.push_back(Plot.GetToolBar(i)->GetVisible());
        Plot.GetMasterManager().ClearFocus();
        Plot.GetMasterManager().SetToolBarsVisible(false);
    }
    ~TToolBarsHidden()
    {
        for (int i = 0; i < FPlot.GetToolBarCount() && i < static_cast<int>(FVisible.size()); ++i)
            FPlot.GetToolBar(i)->SetVisible(FVisible[static_cast<std::size_t>(i)]);
    }
    TToolBarsHidden(const TToolBarsHidden&) = delete;
    TToolBarsHidden& operator=(const TToolBarsHidden&) = delete;

private:
    TkPlotOutputHost& FPlot;
    std::vector<bool> FVisible;
};

// The process's printer is shared by every plot: a job that did not finish
// is aborted, and the printer, orientation and title one plot chose do not
// stay for the next.
class TPrinterKept {
public:
    explicit TPrinterKept(TPrinter& Printer)
        : FPrinter(Printer),
          FIndex(Printer.GetPrinterIndex()),
          FOrientation(Printer.GetOrientation()),
          FTitle(Printer.Title)
    {
    }
    ~TPrinterKept()
    {
        FPrinter.Abort();
        FPrinter.SetOrientation(FOrientation);
        FPrinter.Title = FTitle;
        if (FPrinter.GetPrinterIndex() == FIndex)
            return;
        try {
            FPrinter.SetPrinterIndex(FIndex);
        } catch (const EPrinter&) {
            // That printer has gone meanwhile: the one chosen stays.
        }
    }
    TPrinterKept(const TPrinterKept&) = delete;
    TPrinterKept& operator=(const TPrinterKept&) = delete;

private:
    TPrinter& FPrinter;
    int FIndex;
    TPrinterOrientation FOrientation;
    std::string FTitle;
};

// What printing changes on the plot, put back however it ends.
class TPlotKept {
public:
    explicit TPlotKept(TkPlotOutputHost& Plot)
        : FPlot(Plot),
          FControl(Plot.OutputComponent()),
          FAxis(Plot.GetXAxis(0)),
          FMin(FAxis ? FAxis->GetMin() : 0),
          FSpan(FAxis ? FAxis->GetSpan() : 0),
          FWidth(FControl.GetWidth()),
          FHeight(FControl.GetHeight()),
          FMargins(Plot.GetOuterMargins())
    {
    }
    ~TPlotKept()
    {
        if (FAxis)
            FAxis->SetMinSpan(FMin, FSpan);
        if (FControl.GetWidth() != FWidth || FControl.GetHeight() != FHeight)
            FControl.SetBounds(FControl.GetLeft(), FControl.GetTop(), FWidth, FHeight);
        FPlot.SetOuterMargins(FMargins);
    }
    TPlotKept(const TPlotKept&) = delete;
    TPlotKept& operator=(const TPlotKept&) = delete;

private:
    TkPlotOutputHost& FPlot;
    TkCustomComponent& FControl;
    TkPlotAxis* FAxis;
    double FMin;
    double FSpan;
    int FWidth;
    int FHeight;
    TRect FMargins;
};

// The bitmap a picture shows, for programs that cannot read the picture.
void AddBitmapOf(TGraphic& Picture)
{
    TBitmap bitmap(std::max(Picture.GetWidth(), 1), std::max(Picture.GetHeight(), 1));
    bitmap.Canvas->Draw(0, 0, &Picture);
    Clipboard()->Assign(bitmap);
}

std::string BytesOf(const TGraphic& Picture)
{
    std::ostringstream stream;
    Picture.SaveToStream(stream);
    return stream.str();
}

// Puts several formats of one picture on the clipboard, as one copy.
class TClipboardCopy {
public:
    TClipboardCopy() { Clipboard()->Open(); }
    ~TClipboardCopy() { Clipboard()->Close(); }
    TClipboardCopy(const TClipboardCopy&) = delete;
    TClipboardCopy& operator=(const TClipboardCopy&) = delete;
};

}  // namespace

TkPlotOutput::TkPlotOutput(TkPlotOutputHost& Plot) : FPlot(Plot) {}

TkPlotOutput::~TkPlotOutput() = default;

void TkPlotOutput::SetPreviewFactory(TkPlotPreviewFactory Factory)
{
    PreviewFactory() = std::move(Factory);
}

void TkPlotOutput::Paint(TCanvas* Canvas)
{
    TkCustomComponent& control = Control();
    control.Lock();
    try {
        control.PaintToCanvas(Canvas);
    } catch (...) {
        control.Unlock();
        throw;
    }
    control.Unlock();
}

void TkPlotOutput::DrawMetafile(TMetafile& Metafile, const std::string& Description)
{
    Metafile.SetWidth(Control().GetWidth());
    Metafile.SetHeight(Control().GetHeight());
    TMetafileCanvas canvas(&Metafile, nullptr, MetafileCreator, Description);
    Paint(&canvas);
}

void TkPlotOutput::CopyToClipboard()
{
    const TToolBarsHidden hidden(FPlot);
    switch (CopyToClipBoardFormat) {
    case kpefMetaFile: {
        DrawMetafile(KeptMetafile(), "Strip Chart");
        const TClipboardCopy copy;
        Clipboard()->SetBuffer(CF_ENHMETAFILE, BytesOf(*FMetafile));
        AddBitmapOf(*FMetafile);
        break;
    }
    case kpefBitmap: {
        TBitmap bitmap(Control().GetWidth(), Control().GetHeight());
        Paint(bitmap.Canvas);
        Clipboard()->Assign(bitmap);
        break;
    }
    case kpefJPEG: {
        const std::unique_ptr<TJPEGImage> jpeg = Control().GetJPEGImage(100, false);
        const TClipboardCopy copy;
        Clipboard()->SetBuffer(RegisterClipboardFormat("image/jpeg"), BytesOf(*jpeg));
        AddBitmapOf(*jpeg);
        break;
    }
    }
}

TMetafile& TkPlotOutput::KeptMetafile()
{
    if (!FMetafile)
        FMetafile = std::make_unique<TMetafile>();
    return *FMetafile;
}

TMetafile* TkPlotOutput::GetMetafilePicture()
{
    DrawMetafile(KeptMetafile(), "kPlot");
    return FMetafile.get();
}

void TkPlotOutput::PrintPlot()
{
    TPrinter& printer = *Printer();
    if (printer.Printing())
        printer.EndDoc();
    const TPrinterKept kept(printer);
    printer.SetOrientation(PrintOrientation);
    printer.Title = PrintDocumentName;
    if (PrintShowDialog && !TPrintDialog(nullptr).Execute())
        return;
    Control().BeginUpdate();
    try {
        PrintPages(printer);
    } catch (const std::exception& e) {
        Control().EndUpdate();
        throw Exception("Error Printing : " + std::string(e.what()));
    }
    Control().EndUpdate();
}

void TkPlotOutput::PrintPages(TPrinter& Printer)
{
    const std::string name = Trim(PrinterName);
    if (!name.empty()) {
        const std::vector<std::string> names = Printer.Printers();
        const auto found = std::find(names.begin(), names.end(), name);
        if (found != names.end())
            Printer.SetPrinterIndex(static_cast<int>(found - names.begin()));
    }
    Printer.BeginDoc();
    TkPlotAxis* axis = FPlot.GetXAxis(0);
    const double end = axis ? axis->GetMax() : 0;
    {
        const TPlotKept kept(FPlot);
        const TToolBarsHidden hidden(FPlot);
        FPlot.DoBeforePrint();
        try {
            if (!axis) {
                PrintPage(Printer);
            } else {
                for (int page = 1; axis->GetMin() < end; ++page) {
                    FPlot.DoBeforePrintPage(page, axis->GetMax() >= end);
                    PrintPage(Printer);
                    const double min = axis->GetMin();
                    const double next = min + axis->GetSpan();
                    if (next <= min || axis->GetMax() >= end)
                        break;
                    Printer.NewPage();
                    axis->SetMin(next);
                }
            }
        } catch (...) {
            // Whoever prepared the plot for printing gets to undo it.
            try {
                FPlot.DoAfterPrint();
            } catch (...) {
            }
            throw;
        }
        FPlot.DoAfterPrint();
    }
    Printer.EndDoc();
}

void TkPlotOutput::PrintPage(TPrinter& Printer)
{
    const int width = std::max(Control().GetWidth(), 1);
    const int height = std::max(Control().GetHeight(), 1);
    const double xdpi = Printer.XDpi(), ydpi = Printer.YDpi();
    const double sx = (Printer.PageWidth() - (PrintMargins[0] + PrintMargins[2]) * xdpi) / width;
    const double sy = (Printer.PageHeight() - (PrintMargins[1] + PrintMargins[3]) * ydpi) / height;
    const double scale = std::min(sx, sy);
    const double left = PrintMargins[0] * xdpi - Printer.PhysicalOffsetX();
    const double top = PrintMargins[1] * ydpi - Printer.PhysicalOffsetY();
    const TRect target(RoundToInt(left), RoundToInt(top), RoundToInt(left + width * scale),
                       RoundToInt(top + height * scale));
    {
        // The layout takes its measures from a screen canvas, not from the
        // metafile's.
        TBitmap scratch(width, height);
        Paint(scratch.Canvas);
    }
    TMetafile metafile;
    DrawMetafile(metafile, "");
    Printer.Canvas()->StretchDraw(target, &metafile);
}

void TkPlotOutput::PrintPreview(TkPlotComponent* Plot)
{
    if (!PreviewFactory())
        return;
    TkPlotPreviewRequest request;
    request.Plot = Plot;
    request.PrintMargins = PrintMargins;
    request.Orientation = PrintOrientation;
    GetPrinterPaperSize(*Printer(), request.PaperWidth, request.PaperHeight);
    request.Caption = PrintDocumentName + " (Preview)";
    const std::unique_ptr<TkPlotPreview> preview = PreviewFactory()(request);
    if (!preview)
        return;
    preview->Prepare();
    preview->ShowModal();
}

void TkPlotOutput::SaveImageDialog()
{
    if (!FSaveDialog) {
        FSaveDialog = std::make_unique<TkSaveDialog>(&Control());
        FSaveDialog->KeptExtensions = {".bmp", ".emf", ".jpg", ".jpeg", ".png"};
    }
    TkSaveDialog& dialog = *FSaveDialog;
    dialog.SetDefaultDir(FPlot.GetSaveImageDirectory());
    dialog.SetFilter("Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png");
    dialog.SetFileName("Untitled");
    dialog.SetFilterIndex(static_cast<int>(DefaultSaveImageFormat) + 1);
    if (!dialog.Execute())
        return;
    FPlot.GetMasterManager().ClearFocus();
    SaveImage(dialog.GetFileName());
}

void TkPlotOutput::SaveImage(const std::string& FileName)
{
    const std::string extension = LowerCase(ExtractFileExt(FileName));
    if (extension == ".bmp")
        Control().SaveImageToBitmap(FileName);
    else if (extension == ".emf")
        Control().SaveImageToMetafile(FileName);
    else if (extension == ".jpg" || extension == ".jpeg")
        Control().SaveImageToJPEG(FileName, 100, true);
    else if (extension == ".png")
        Control().SaveImageToPNG(FileName, 9);
    else
        throw Exception("The image was not saved: \"" + ExtractFileName(FileName) +
                        "\" does not end in .bmp, .emf, .jpg, .jpeg or .png");
}
