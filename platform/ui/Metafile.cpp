#include "ui/Metafile.h"
#include <algorithm>
#include <cmath>
#include <ostream>
#include "ui/EmfWriter.h"

namespace {

int PixelsToMM(int Pixels)
{
    return static_cast<int>(std::lround(Pixels * 2540.0 / 96.0));
}

int MMToPixels(int MM)
{
    return static_cast<int>(std::lround(MM * 96.0 / 2540.0));
}

}  // namespace

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() = default;

void TMetafile::SetWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FWidth)
        return;
    FWidth = Value;
    Changed();
}

void TMetafile::SetHeight(int Value)
{
    Value = std::max(0, Value);
    if (Value == FHeight)
        return;
    FHeight = Value;
    Changed();
}

int TMetafile::GetMMWidth() const
{
    return PixelsToMM(FWidth);
}

void TMetafile::SetMMWidth(int Value)
{
    SetWidth(MMToPixels(Value));
}

int TMetafile::GetMMHeight() const
{
    return PixelsToMM(FHeight);
}

void TMetafile::SetMMHeight(int Value)
{
    SetHeight(MMToPixels(Value));
}

void TMetafile::Clear()
{
    FRecords.clear();
    FCreatedBy.clear();
    FDescription.clear();
    FWidth = 0;
    FHeight = 0;
    Changed();
}

void TMetafile::Assign(const TPersistent* Source)
{
    if (!Source) {
        Clear();
        return;
    }
    if (auto* Other = dynamic_cast<const TMetafile*>(Source)) {
        if (Other == this)
            return;
        FRecords = Other->FRecords;
        FCreatedBy = Other->FCreatedBy;
        FDescription = Other->FDescription;
        FWidth = Other->FWidth;
        FHeight = Other->FHeight;
        Enhanced = Other->Enhanced;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TMetafile::SaveToStream(std::ostream& Stream) const
{
    const std::string Bytes = TEmfWriter::Write(FRecords, TSize(GetMMWidth(), GetMMHeight()), FCreatedBy, FDescription);
    Stream.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    if (!Stream)
        throw EInOutError("Stream write error");
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    TRecordingCanvas::Play(FRecords, ACanvas, Rect, TSize(FWidth, FHeight));
}

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
