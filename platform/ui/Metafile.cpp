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
