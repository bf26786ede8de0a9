#include "ui/Printer.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "ui/Application.h"
#include "ui/CanvasQt.h"
#include "ui/ControlQt.h"

TPrinter::TPrinter() : FPrinter(new QPrinter(QPrinter::HighResolution)), FCanvas(new TPainterCanvas) {}

TPrinter::~TPrinter()
{
    if (Printing())
        Abort();
}

std::vector<std::string> TPrinter::Printers() const
{
    std::vector<std::string> Names;
    for (const QString& N : QPrinterInfo::availablePrinterNames())
        Names.push_back(StdStr(N));
    return Names;
}

void TPrinter::SetPrinterIndex(int Value)
{
    if (Printing())
        throw EPrinter("Cannot change the printer while printing");
    const std::vector<std::string> Names = Printers();
    if (Value < -1 || Value >= int(Names.size()))
        throw EPrinter("Printer selected is not valid");
    FPrinterIndex = Value;
    FPrinter->setPrinterName(Value < 0 ? QPrinterInfo::defaultPrinterName() : QStr(Names[size_t(Value)]));
}

std::string TPrinter::PrinterName() const
{
    return StdStr(FPrinter->printerName());
}

TPrinterOrientation TPrinter::GetOrientation() const
{
    return FPrinter->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    FPrinter->setPageOrientation(Value == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TPrinter::BeginDoc()
{
    if (Printing())
        throw EPrinter("Printing in progress");
    Application.Get();  // painting needs the Qt application
    if (!OutputFileName.empty()) {
        FPrinter->setOutputFormat(QPrinter::PdfFormat);
        FPrinter->setOutputFileName(QStr(OutputFileName));
    } else {
        FPrinter->setOutputFormat(QPrinter::NativeFormat);
        FPrinter->setOutputFileName(QString());
    }
    FPrinter->setDocName(QStr(Title));
    auto Painter = std::make_unique<QPainter>();
    if (!Painter->begin(FPrinter.get()))
        throw EPrinter("Cannot open the printer " + PrinterName());
    FPainterOwner = std::move(Painter);
    FPainter = FPainterOwner.get();
    FAborted = false;
    FPageNumber = 1;
    static_cast<TPainterCanvas*>(FCanvas.get())->SetPainter(FPainter, TSize(PageWidth(), PageHeight()));
    FCanvas->Font->PixelsPerInch = YDpi();
}

void TPrinter::NewPage()
{
    if (!Printing())
        throw EPrinter("Printer is not currently printing");
    FPrinter->newPage();
    ++FPageNumber;
}

void TPrinter::EndDoc()
{
    if (!Printing())
        throw EPrinter("Printer is not currently printing");
    static_cast<TPainterCanvas*>(FCanvas.get())->SetPainter(nullptr);
    FCanvas->Font->PixelsPerInch = 96;
    const bool Ok = FPainter->end();
    FPainter = nullptr;
    FPainterOwner.reset();
    FPageNumber = 0;
    if (!Ok)
        throw EPrinter("Printing failed on " + PrinterName());
}

void TPrinter::Abort()
{
    if (!Printing())
        return;
    FAborted = true;
    FPrinter->abort();
    static_cast<TPainterCanvas*>(FCanvas.get())->SetPainter(nullptr);
    FCanvas->Font->PixelsPerInch = 96;
    FPainter->end();
    FPainter = nullptr;
    FPainterOwner.reset();
    FPageNumber = 0;
}

TCanvas* TPrinter::Canvas() const
{
    return FCanvas.get();
}
int TPrinter::PageWidth() const
{
    return FPrinter->width();
}
int TPrinter::PageHeight() const
{
    return FPrinter->height();
}
int TPrinter::XDpi() const
{
    return FPrinter->logicalDpiX();
}
int TPrinter::YDpi() const
{
    return FPrinter->logicalDpiY();
}

int TPrinter::PhysicalOffsetX() const
{
    return FPrinter->pageLayout().paintRectPixels(FPrinter->resolution()).left();
}

int TPrinter::PhysicalOffsetY() const
{
    return FPrinter->pageLayout().paintRectPixels(FPrinter->resolution()).top();
}

int TPrinter::PhysicalWidth() const
{
    return FPrinter->pageLayout().fullRectPixels(FPrinter->resolution()).width();
}
int TPrinter::PhysicalHeight() const
{
    return FPrinter->pageLayout().fullRectPixels(FPrinter->resolution()).height();
}

TPrinter* Printer()
{
    Application.Get();
    static TPrinter* The = new TPrinter;
    return The;
}
