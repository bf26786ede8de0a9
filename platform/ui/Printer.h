#pragma once
// The printer: a document of pages drawn through a canvas. Output goes
// to the chosen printer, or to a PDF file when OutputFileName is set.
#include <memory>
#include <string>
#include <vector>

#include "ui/Graphics.h"

class QPrinter;
class QPainter;

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Names of the installed printers; PrinterIndex -1 is the default one.
    std::vector<std::string> Printers() const;
    int GetPrinterIndex() const { return FPrinterIndex; }
    void SetPrinterIndex(int Value);
    std::string PrinterName() const;

    TPrinterOrientation GetOrientation() const;
    void SetOrientation(TPrinterOrientation Value);
    std::string Title;
    // A PDF file to print into instead of a printer (tests, export).
    std::string OutputFileName;

    // Raises EPrinter when a document is already open or the device
    // cannot be opened.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Ends the document without finishing it.
    void Abort();
    bool Printing() const { return FPainter != nullptr; }
    bool Aborted() const { return FAborted; }
    int PageNumber() const { return FPageNumber; }

    // The page's canvas, in device pixels; valid between BeginDoc and
    // EndDoc.
    TCanvas* Canvas() const;
    // Printable area and resolution in device pixels.
    int PageWidth() const;
    int PageHeight() const;
    int XDpi() const;
    int YDpi() const;
    // Unprintable margin at the left and top, in device pixels.
    int PhysicalOffsetX() const;
    int PhysicalOffsetY() const;
    // Whole paper, in device pixels.
    int PhysicalWidth() const;
    int PhysicalHeight() const;

    QPrinter* Device() const { return FPrinter.get(); }

private:
    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<QPainter> FPainterOwner;
    QPainter* FPainter = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    int FPrinterIndex = -1;
    int FPageNumber = 0;
    bool FAborted = false;
};

class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// The process's printer.
TPrinter* Printer();
