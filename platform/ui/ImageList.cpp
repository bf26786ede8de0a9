#include "ui/ImageList.h"
#include <QImage>
#include <QPainter>
#include <cstring>
#include "rtl/Exception.h"
#include "rtl/Stream.h"
#include "ui/Bitmap.h"
#include "ui/GraphicsQt.h"

struct TImageList::TData {
    std::vector<QImage> Images;  // ARGB32, transparent where masked
};

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner), FData(std::make_unique<TData>()) {}

TImageList::~TImageList() = default;

void TImageList::SetWidth(int Value)
{
    if (Value < 1 || Value == FWidth)
        return;
    FWidth = Value;
    Clear();
}

void TImageList::SetHeight(int Value)
{
    if (Value < 1 || Value == FHeight)
        return;
    FHeight = Value;
    Clear();
}

int TImageList::GetCount() const
{
    return static_cast<int>(FData->Images.size());
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}

namespace {

// Cuts a strip into images of the list's size (padding a short last one).
std::vector<QImage> Pieces(const QImage& Strip, int Width, int Height)
{
    std::vector<QImage> Result;
    const int Count = std::max(1, Strip.width() / Width);
    for (int I = 0; I < Count; ++I) {
        QImage Piece(Width, Height, QImage::Format_ARGB32);
        Piece.fill(Qt::transparent);
        QPainter P(&Piece);
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.drawImage(0, 0, Strip.convertToFormat(QImage::Format_ARGB32), I * Width, 0, Width, Height);
        P.end();
        Result.push_back(Piece);
    }
    return Result;
}

}  // namespace

int TImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image || Image->GetEmpty())
        throw EInvalidGraphic("Invalid image");
    const int First = GetCount();
    std::vector<QImage> Images = Pieces(BitmapImage(*Image), FWidth, FHeight);
    if (Mask && !Mask->GetEmpty()) {
        const std::vector<QImage> Masks = Pieces(BitmapImage(*Mask), FWidth, FHeight);
        for (std::size_t I = 0; I < Images.size() && I < Masks.size(); ++I)
            for (int Y = 0; Y < FHeight; ++Y)
                for (int X = 0; X < FWidth; ++X)
                    if ((Masks[I].pixel(X, Y) & 0xFFFFFF) != 0)
                        Images[I].setPixel(X, Y, 0);
    }
    FData->Images.insert(FData->Images.end(), Images.begin(), Images.end());
    Changed();
    return First;
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image || Image->GetEmpty())
        throw EInvalidGraphic("Invalid image");
    const TColor Key = MaskColor == clDefault ? Image->GetTransparentColor() : MaskColor;
    const QRgb KeyRgb = ToQColor(Key).rgb() & 0xFFFFFF;
    const int First = GetCount();
    std::vector<QImage> Images = Pieces(BitmapImage(*Image), FWidth, FHeight);
    for (QImage& I : Images)
        for (int Y = 0; Y < FHeight; ++Y)
            for (int X = 0; X < FWidth; ++X)
                if (qAlpha(I.pixel(X, Y)) != 0 && (I.pixel(X, Y) & 0xFFFFFF) == KeyRgb)
                    I.setPixel(X, Y, 0);
    FData->Images.insert(FData->Images.end(), Images.begin(), Images.end());
    Changed();
    return First;
}

void TImageList::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    FData->Images.erase(FData->Images.begin() + Index);
    Changed();
}

void TImageList::Clear()
{
    if (FData->Images.empty())
        return;
    FData->Images.clear();
    Changed();
}

void TImageList::GetBitmap(int Index, TBitmap* Image) const
{
    if (!Image || Index < 0 || Index >= GetCount())
        return;
    Image->SetSize(0, 0);
    Image->SetSize(FWidth, FHeight);
    Image->Canvas->Brush->Color = clBtnFace;
    Image->Canvas->FillRect(Rect(0, 0, FWidth, FHeight));
    Draw(Image->Canvas, 0, 0, Index, true);
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const
{
    if (!Canvas || Index < 0 || Index >= GetCount())
        return;
    const QImage& Source = FData->Images[static_cast<std::size_t>(Index)];
    TBitmap Picture;
    if (Enabled) {
        SetBitmapImage(Picture, Source);
        Canvas->Draw(X, Y, &Picture);
        return;
    }
    // Greyed: the image's shape (every visible pixel that is not white)
    // once in the highlight colour one pixel down and right, then in the
    // shadow colour in place.
    auto Shape = [&](TColor Color) {
        const QRgb Value = ToQColor(Color).rgb();
        QImage Result(Source.size(), QImage::Format_ARGB32);
        Result.fill(Qt::transparent);
        for (int PY = 0; PY < Source.height(); ++PY)
            for (int PX = 0; PX < Source.width(); ++PX) {
                const QRgb P = Source.pixel(PX, PY);
                if (qAlpha(P) != 0 && (P & 0xFFFFFF) != 0xFFFFFF)
                    Result.setPixel(PX, PY, Value);
            }
        return Result;
    };
    SetBitmapImage(Picture, Shape(clBtnHighlight));
    Canvas->Draw(X + 1, Y + 1, &Picture);
    SetBitmapImage(Picture, Shape(clBtnShadow));
    Canvas->Draw(X, Y, &Picture);
}

namespace {

constexpr char ImageListSignature[3] = {'K', 'I', 'L'};
constexpr std::uint8_t ImageListVersion = 1;
// More pixels than any image list of a form holds: a bigger header is a
// broken stream, not a reason to allocate.
constexpr std::uint64_t MaxImageListPixels = 64u * 1024u * 1024u;

}  // namespace

void TImageList::WriteData(TStream& Stream) const
{
    Stream.WriteBuffer(ImageListSignature, 3);
    Stream.WriteBuffer(&ImageListVersion, 1);
    WriteLittleEndian<std::uint32_t>(Stream, static_cast<std::uint32_t>(FWidth));
    WriteLittleEndian<std::uint32_t>(Stream, static_cast<std::uint32_t>(FHeight));
    WriteLittleEndian<std::uint32_t>(Stream, static_cast<std::uint32_t>(GetCount()));
    for (const QImage& Image : FData->Images)
        for (int Y = 0; Y < FHeight; ++Y)
            for (int X = 0; X < FWidth; ++X)
                WriteLittleEndian<std::uint32_t>(Stream, Image.pixel(X, Y));
}

void TImageList::ReadData(TStream& Stream)
{
    char Signature[4];
    if (Stream.Read(Signature, 4) != 4 || std::memcmp(Signature, ImageListSignature, 3) != 0 ||
        static_cast<std::uint8_t>(Signature[3]) != ImageListVersion)
        throw EReadError("Not image list data");
    // Short data is found before anything is read from it.
    if (Stream.Remaining() < 12)
        throw EReadError("Image list data ends early");
    const auto Width = ReadLittleEndian<std::uint32_t>(Stream);
    const auto Height = ReadLittleEndian<std::uint32_t>(Stream);
    const auto Count = ReadLittleEndian<std::uint32_t>(Stream);
    const std::uint64_t Pixels = std::uint64_t(Width) * Height * Count;
    if (Width < 1 || Height < 1 || Width > 4096 || Height > 4096 || Pixels > MaxImageListPixels)
        throw EReadError("Invalid image list size");
    if (std::uint64_t(Stream.Remaining()) < Pixels * 4)
        throw EReadError("Image list data ends early");
    std::vector<QImage> Images;
    for (std::uint32_t I = 0; I < Count; ++I) {
        QImage Image(int(Width), int(Height), QImage::Format_ARGB32);
        for (std::uint32_t Y = 0; Y < Height; ++Y)
            for (std::uint32_t X = 0; X < Width; ++X)
                Image.setPixel(int(X), int(Y), ReadLittleEndian<std::uint32_t>(Stream));
        Images.push_back(Image);
    }
    FWidth = int(Width);
    FHeight = int(Height);
    FData->Images = std::move(Images);
    Changed();
}
