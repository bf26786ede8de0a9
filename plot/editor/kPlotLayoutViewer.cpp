#include "plot/editor/kPlotLayoutViewer.h"

#include "plot/core/kGPFunctions.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotLayoutManager.h"
#include "plot/core/kPlotTranslation.h"
#include "rtl/NumberFormat.h"
#include "ui/Canvas.h"
#include "ui/Font.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotLayoutViewer, TkCustomComponent>("TkPlotLayoutViewer");
    return true;
}();

}  // namespace

TkPlotLayoutViewer::TkPlotLayoutViewer(TComponent* AOwner) : TkCustomComponent(AOwner), FFont(std::make_unique<TFont>())
{
    (void)Registered;
    FFont->SetName("Arial");
    FFont->SetSize(10);
}

TkPlotLayoutViewer::~TkPlotLayoutViewer() = default;

void TkPlotLayoutViewer::SetLayoutManager(TkPlotLayoutManager* Value)
{
    FModel.SetLayoutManager(Value);
    Invalidate();
}

void TkPlotLayoutViewer::PaintToCanvas(TCanvas* Canvas)
{
    Canvas->Font->Assign(FFont.get());
    const int blockSize = RoundToInt(1.1 * Canvas->TextHeight("ABC"));
    FModel.Arrange(GetWidth(), GetHeight(), blockSize);
    Canvas->Pen->SetStyle(psClear);
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(clBlue);
    Canvas->FillRect(GetClientRect());
    Canvas->Brush->SetColor(clWhite);
    Canvas->FillRect(FModel.OuterRect());
    if (!FModel.GetLayoutManager())
        return;
    DrawObjects(Canvas);
    TRect feedback;
    if (FModel.FeedbackRect(feedback)) {
        Canvas->Pen->SetStyle(psSolid);
        Canvas->Pen->SetColor(clBlack);
        Canvas->Pen->SetWidth(2);
        Canvas->Brush->SetStyle(bsClear);
        Canvas->Rectangle(feedback);
    }
}

void TkPlotLayoutViewer::DrawObjects(TCanvas* Canvas)
{
    const TkPlotLayoutManager* layout = FModel.GetLayoutManager();
    for (int i = 0; i < layout->GetCount(); ++i) {
        const TkPlotLayoutObject* o = layout->GetItem(i);
        // The vertical placeholder covers the same rectangle as the
        // horizontal one, which stands for the data view in the drawing.
        if (o->Kind() == TkPlotObjectKind::DataView || o == layout->VertDataView())
            continue;
        const TRect& r = o->GetViewerRect();
        Canvas->Brush->SetColor(o == FModel.DraggedObject() ? clYellow : clSilver);
        Canvas->Brush->SetStyle(o->GetVisible() ? bsSolid : bsDiagCross);
        Canvas->FillRect(r);
        Canvas->Brush->SetStyle(bsClear);
        const std::string name = FTranslation ? FTranslation->Translate(o->GetName()) : o->GetName();
        TRect covered;
        DrawRotatedText(Canvas, name, r, covered, o->GetHorizontal() ? 0 : 1);
    }
}

void TkPlotLayoutViewer::HandleMouseDown(TMouseButton, TShiftState Shift, int X, int Y)
{
    FModel.MouseDown(TPoint(X, Y), Shift & ssLeft);
    Invalidate();
}

void TkPlotLayoutViewer::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    switch (FModel.MouseMove(TPoint(X, Y), Shift & ssLeft)) {
    case TkPlotLayoutViewerModel::szNone: SetCursor(crDefault); break;
    case TkPlotLayoutViewerModel::szVertical: SetCursor(crSizeNS); break;
    case TkPlotLayoutViewerModel::szHorizontal: SetCursor(crSizeWE); break;
    }
    Invalidate();
}

void TkPlotLayoutViewer::HandleMouseUp(TMouseButton, TShiftState, int, int)
{
    const bool changed = FModel.MouseUp();
    SetCursor(crDefault);
    if (changed && OnChange)
        OnChange(this);
    Invalidate();
}
