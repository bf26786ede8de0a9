#include "ui/CustomControl.h"

#include "ui/CanvasQt.h"
#include "ui/ControlQt.h"
#include "ui/PaintedControlWidget.h"

namespace {

void PreparePaint(TControl* C, TCanvas* Canvas, QPainter* Painter)
{
    static_cast<TPainterCanvas*>(Canvas)->SetPainter(Painter, TSize(C->GetWidth(), C->GetHeight()));
    Canvas->Font->Assign(C->Font);
    Canvas->Brush->SetColor(C->GetColor());
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->FillRect(C->GetClientRect());
}

}  // namespace

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner, NewWidget<TPaintedControlWidget>()),
      Canvas(new TPainterCanvas)
{
    Widget()->setFocusPolicy(Qt::StrongFocus);
    SetBounds(0, 0, 100, 100);
}

TCustomControl::~TCustomControl()
{
    delete Canvas;
}

void TCustomControl::PaintOn(QPainter* Painter)
{
    PreparePaint(this, Canvas, Painter);
    struct TRelease {
        TCanvas* C;
        ~TRelease() { static_cast<TPainterCanvas*>(C)->SetPainter(nullptr); }
    } Release{Canvas};
    Paint();
}

void TCustomControl::Paint()
{
    if (OnPaint)
        OnPaint(this);
}
