#include "ui/MetafileCanvas.h"
#include <algorithm>

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, TCanvas* ReferenceDevice)
    : TMetafileCanvas(AMetafile, ReferenceDevice, "", "")
{
}

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, TCanvas* ReferenceDevice, const std::string& CreatedBy,
                                 const std::string& Description)
    : TRecordingCanvas(TSize(AMetafile ? AMetafile->GetWidth() : 0, AMetafile ? AMetafile->GetHeight() : 0)),
      FMetafile(AMetafile),
      FCreatedBy(CreatedBy),
      FDescription(Description)
{
    // Text is measured as on the reference device.
    if (ReferenceDevice)
        Font->PixelsPerInch = ReferenceDevice->Font->PixelsPerInch;
}

TMetafileCanvas::~TMetafileCanvas()
{
    if (!FMetafile)
        return;
    FMetafile->FRecords = std::move(Records);
    FMetafile->FCreatedBy = FCreatedBy;
    FMetafile->FDescription = FDescription;
    if (FMetafile->FWidth == 0 || FMetafile->FHeight == 0) {
        // Without a size the picture spans what was drawn, from the origin.
        int Right = 0, Bottom = 0;
        auto Extend = [&](int X, int Y) {
            Right = std::max(Right, X);
            Bottom = std::max(Bottom, Y);
        };
        for (const TCanvasRecord& R : FMetafile->FRecords) {
            for (const TPoint& P : R.Points)
                Extend(P.X + 1, P.Y + 1);
            switch (R.Op) {
            case TCanvasOp::MoveTo:
            case TCanvasOp::LineTo:
            case TCanvasOp::SetPixel: Extend(R.Args[0] + 1, R.Args[1] + 1); break;
            case TCanvasOp::TextOut: {
                TRecordingCanvas Measure;
                Measure.Font->Name = R.Font.Name;
                Measure.Font->Height = R.Font.Height;
                Measure.Font->Style = R.Font.Style;
                const TSize Size = Measure.TextExtent(R.Text);
                Extend(R.Args[0] + Size.cx, R.Args[1] + Size.cy);
                break;
            }
            case TCanvasOp::SetClip:
            case TCanvasOp::RemoveClip:
            case TCanvasOp::Polygon:
            case TCanvasOp::Polyline: break;
            default: Extend(std::max(R.Args[0], R.Args[2]), std::max(R.Args[1], R.Args[3])); break;
            }
        }
        FMetafile->FWidth = Right;
        FMetafile->FHeight = Bottom;
    }
    FMetafile->Changed();
}
