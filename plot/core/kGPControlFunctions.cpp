// The routines of kGPFunctions that deal with controls, the keyboard and
// the printer.
#include <utility>

#include "plot/core/kGPFunctions.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Keys.h"
#include "ui/PageControl.h"
#include "ui/Printer.h"

void GetPrinterPaperSize(const TPrinter& Printer, double& Width, double& Height)
{
    const int xdpi = Printer.XDpi(), ydpi = Printer.YDpi();
    if (xdpi <= 0 || ydpi <= 0) {
        GetPaperSizeInches(DMPAPER_LETTER, Width, Height);
        if (Printer.GetOrientation() == poLandscape)
            std::swap(Width, Height);
        return;
    }
    Width = static_cast<double>(Printer.PhysicalWidth()) / xdpi;
    Height = static_cast<double>(Printer.PhysicalHeight()) / ydpi;
}

bool ShiftKeyDown()
{
    return GetKeyState(VK_SHIFT) < 0;
}

bool ControlKeyDown()
{
    return GetKeyState(VK_CONTROL) < 0;
}

void SetFocusToControl(TWinControl* Control)
{
    if (Control && Control->CanFocus())
        Control->SetFocus();
}

TWinControl* GetParentForm(TControl* Control)
{
    if (!Control)
        return nullptr;
    TControl* c = Control;
    while (!dynamic_cast<TForm*>(c) && c->GetParent())
        c = c->GetParent();
    if (auto* form = dynamic_cast<TForm*>(c))
        return form;
    return c != Control ? dynamic_cast<TWinControl*>(c) : nullptr;
}

void SetActivePageIndex(TPageControl* PageControl, int Index)
{
    if (PageControl && Index >= 0 && Index < PageControl->PageCount())
        PageControl->SetActivePageIndex(Index);
}

int GetActivePageIndex(TPageControl* PageControl)
{
    return PageControl ? PageControl->GetActivePageIndex() : -1;
}
