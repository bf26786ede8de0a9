#include "ui/GraphicControl.h"

#include "ui/CanvasQt.h"
#include "ui/ControlQt.h"
#include "ui/PaintedControlWidget.h"

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner, NewWidget<TPaintedControlWidget>()),
      Canvas(new TPainterCanvas)
{
    Widget()->setAttribute(Qt::WA_OpaquePaintEvent, false);
    SetBounds(0, 0, 100, 100);
}

TGraphicControl::~TGraphicControl()
{
    delete Canvas;
}

void TGraphicControl::PaintOn(QPainter* Painter)
{
    static_cast<TPainterCanvas*>(Canvas)->SetPainter(Painter, TSize(GetWidth(), GetHeight()));
    Canvas->Font->Assign(Font);
    struct TRelease {
        TCanvas* C;
        ~TRelease() { static_cast<TPainterCanvas*>(C)->SetPainter(nullptr); }
    } Release{Canvas};
    Paint();
}

void TGraphicControl::Paint()
{
    if (OnPaint)
        OnPaint(this);
}
