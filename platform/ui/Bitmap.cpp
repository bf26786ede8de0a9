#include "ui/Bitmap.h"
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <fstream>
#include <iterator>
#include <istream>
#include <ostream>
#include "ui/CanvasQt.h"
#include "ui/GraphicsQt.h"

struct TBitmap::TData {
    QImage Image;
};

// The bitmap's canvas paints on its image through a painter opened on first
// use and closed whenever the image itself is read, written or resized.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* AOwner) : FOwner(AOwner) {}
    ~TBitmapCanvas() override { End(); }

    void End() { FPainter.reset(); }
    TSize GetSurfaceSize() const override { return TSize(FOwner->FData->Image.width(), FOwner->FData->Image.height()); }

protected:
    QPainter* Painter() override
    {
        QImage& I = FOwner->FData->Image;
        if (!FPainter && !I.isNull())
            FPainter = std::make_unique<QPainter>(&I);
        return FPainter.get();
    }
    QImage* Image() override
    {
        End();
        return FOwner->FData->Image.isNull() ? nullptr : &FOwner->FData->Image;
    }

private:
    TBitmap* FOwner;
    std::unique_ptr<QPainter> FPainter;
};

struct TBitmapAccess {
    static QImage& Image(TBitmap& B)
    {
        static_cast<TBitmapCanvas*>(B.Canvas)->End();
        return B.FData->Image;
    }
};

namespace {

void PutU16(std::string& Out, unsigned Value)
{
    Out += char(Value & 0xFF);
    Out += char((Value >> 8) & 0xFF);
}

void PutU32(std::string& Out, std::uint32_t Value)
{
    for (int I = 0; I < 4; ++I)
        Out += char((Value >> (8 * I)) & 0xFF);
}

}  // namespace

TBitmap::TBitmap() : Canvas(new TBitmapCanvas(this)), FData(std::make_unique<TData>()) {}

TBitmap::TBitmap(int AWidth, int AHeight) : TBitmap()
{
    SetSize(AWidth, AHeight);
}

TBitmap::~TBitmap()
{
    delete Canvas;
}

int TBitmap::GetWidth() const
{
    return FData->Image.width();
}

int TBitmap::GetHeight() const
{
    return FData->Image.height();
}

void TBitmap::SetWidth(int Value)
{
    SetSize(Value, GetHeight());
}

void TBitmap::SetHeight(int Value)
{
    SetSize(GetWidth(), Value);
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    QImage& Old = TBitmapAccess::Image(*this);
    if (AWidth == Old.width() && AHeight == Old.height())
        return;
    QImage New;
    if (AWidth > 0 && AHeight > 0) {
        // Beyond a gigabyte is taken as a mistake rather than attempted.
        if (static_cast<long long>(AWidth) * AHeight > (1LL << 28))
            throw EInvalidGraphicOperation("Out of system resources");
        New = QImage(AWidth, AHeight, Old.isNull() ? QImage::Format_RGB32 : Old.format());
        if (New.isNull())
            throw EInvalidGraphicOperation("Out of system resources");
        New.fill(Qt::white);
        if (!Old.isNull()) {
            QPainter P(&New);
            P.setCompositionMode(QPainter::CompositionMode_Source);
            P.drawImage(0, 0, Old);
        }
    }
    Old = New;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == FPixelFormat)
        return;
    FPixelFormat = Value;
    Changed();
}

TColor TBitmap::GetTransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
        return FTransparentColor;
    const QImage& I = FData->Image;
    if (I.isNull())
        return clDefault;
    static_cast<TBitmapCanvas*>(Canvas)->End();
    return FromQColor(I.pixelColor(0, I.height() - 1));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode)
        return;
    FTransparentMode = Value;
    if (Value == tmAuto)
        FTransparentColor = clDefault;
    Changed();
}

std::uint8_t* TBitmap::ScanLine(int Y)
{
    QImage& I = TBitmapAccess::Image(*this);
    if (Y < 0 || Y >= I.height())
        throw EInvalidGraphicOperation("Scan line index out of range");
    if (I.format() != QImage::Format_RGB32 && I.format() != QImage::Format_ARGB32)
        I = I.convertToFormat(QImage::Format_RGB32);
    return I.scanLine(Y);
}

const std::uint8_t* TBitmap::PixelRow(int Y) const
{
    // Reading ends any painting in progress, which changes no pixel.
    return const_cast<TBitmap*>(this)->ScanLine(Y);
}

void TBitmap::Assign(const TPersistent* Source)
{
    if (!Source) {
        SetSize(0, 0);
        return;
    }
    if (auto* Other = dynamic_cast<const TBitmap*>(Source)) {
        if (Other == this)
            return;
        // Shared until either side draws or writes a row: painting and row
        // access detach the image first, so a copy costs nothing until then.
        TBitmapAccess::Image(*this) = TBitmapAccess::Image(const_cast<TBitmap&>(*Other));
        FPixelFormat = Other->FPixelFormat;
        FTransparentMode = Other->FTransparentMode;
        FTransparentColor = Other->FTransparentColor;
        SetTransparent(Other->GetTransparent());
        Changed();
        return;
    }
    if (auto* Picture = dynamic_cast<const TGraphic*>(Source)) {
        // Any other picture is drawn onto a white bitmap of its size.
        auto* Graphic = const_cast<TGraphic*>(Picture);
        SetSize(0, 0);
        SetSize(Graphic->GetWidth(), Graphic->GetHeight());
        Canvas->Draw(0, 0, Graphic);
        static_cast<TBitmapCanvas*>(Canvas)->End();
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::SaveToStream(std::ostream& Stream) const
{
    const QImage& Held = TBitmapAccess::Image(const_cast<TBitmap&>(*this));
    QImage Converted;
    if (Held.format() != QImage::Format_RGB32 && Held.format() != QImage::Format_ARGB32)
        Converted = Held.convertToFormat(QImage::Format_ARGB32);
    const QImage& I = Converted.isNull() ? Held : Converted;
    const bool Bits32 = FPixelFormat == pf32bit;
    const int BytesPerPixel = Bits32 ? 4 : 3;
    const std::uint32_t RowSize = (static_cast<std::uint32_t>(I.width()) * BytesPerPixel + 3) & ~3u;
    const std::uint32_t ImageSize = RowSize * static_cast<std::uint32_t>(I.height());
    std::string Out;
    Out.reserve(54 + ImageSize);
    Out += "BM";
    PutU32(Out, 54 + ImageSize);
    PutU32(Out, 0);
    PutU32(Out, 54);
    PutU32(Out, 40);
    PutU32(Out, static_cast<std::uint32_t>(I.width()));
    PutU32(Out, static_cast<std::uint32_t>(I.height()));
    PutU16(Out, 1);
    PutU16(Out, Bits32 ? 32 : 24);
    PutU32(Out, 0);  // uncompressed
    PutU32(Out, ImageSize);
    PutU32(Out, 3780);  // 96 pixels per inch
    PutU32(Out, 3780);
    PutU32(Out, 0);
    PutU32(Out, 0);
    // Rows bottom-up, straight from the image's 32-bit rows (blue, green,
    // red, alpha in memory); padding bytes stay zero.
    const std::size_t HeaderSize = Out.size();
    Out.resize(HeaderSize + ImageSize, '\0');
    char* Row = Out.data() + HeaderSize;
    const int Width = I.width();
    for (int Y = I.height() - 1; Y >= 0; --Y, Row += RowSize) {
        const auto* Pixels = reinterpret_cast<const QRgb*>(I.constScanLine(Y));
        if (Bits32) {
            char* P = Row;
            for (int X = 0; X < Width; ++X, P += 4) {
                const QRgb Pixel = Pixels[X];
                P[0] = char(qBlue(Pixel));
                P[1] = char(qGreen(Pixel));
                P[2] = char(qRed(Pixel));
                P[3] = char(qAlpha(Pixel));
            }
        } else {
            char* P = Row;
            for (int X = 0; X < Width; ++X, P += 3) {
                const QRgb Pixel = Pixels[X];
                P[0] = char(qBlue(Pixel));
                P[1] = char(qGreen(Pixel));
                P[2] = char(qRed(Pixel));
            }
        }
    }
    Stream.write(Out.data(), static_cast<std::streamsize>(Out.size()));
    if (!Stream)
        throw EInOutError("Stream write error");
}

void TBitmap::LoadFromStream(std::istream& Stream)
{
    const std::string Bytes((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
    QImage Loaded;
    if (Bytes.size() >= 30 && Bytes[0] == 'B' && Bytes[1] == 'M')
        Loaded.loadFromData(QByteArray::fromRawData(Bytes.data(), static_cast<qsizetype>(Bytes.size())), "BMP");
    if (Loaded.isNull())
        throw EInvalidGraphic("Bitmap image is not valid");
    const int BitCount = static_cast<unsigned char>(Bytes[28]) | (static_cast<unsigned char>(Bytes[29]) << 8);
    switch (BitCount) {
    case 1: FPixelFormat = pf1bit; break;
    case 4: FPixelFormat = pf4bit; break;
    case 8: FPixelFormat = pf8bit; break;
    case 16: FPixelFormat = pf16bit; break;
    case 32: FPixelFormat = pf32bit; break;
    default: FPixelFormat = pf24bit; break;
    }
    TBitmapAccess::Image(*this) = Loaded.convertToFormat(QImage::Format_RGB32);
    Changed();
}

void TBitmap::LoadFromFile(const std::string& FileName)
{
    std::ifstream File(FileName, std::ios::binary);
    if (!File)
        throw EInOutError("Cannot open file \"" + FileName + "\"");
    LoadFromStream(File);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    QImage I = TBitmapAccess::Image(*this);
    if (I.isNull())
        return;
    if (GetTransparent()) {
        const QRgb Key = ToQColor(GetTransparentColor()).rgb() & 0xFFFFFF;
        I = I.convertToFormat(QImage::Format_ARGB32);
        for (int Y = 0; Y < I.height(); ++Y) {
            auto* Row = reinterpret_cast<QRgb*>(I.scanLine(Y));
            for (int X = 0; X < I.width(); ++X)
                if ((Row[X] & 0xFFFFFF) == Key)
                    Row[X] = 0;
        }
    } else if (ACanvas == Canvas) {
        I = I.copy();
    }
    DrawImageOnCanvas(ACanvas, Rect, I);
}

const QImage& BitmapImage(const TBitmap& Bitmap)
{
    return TBitmapAccess::Image(const_cast<TBitmap&>(Bitmap));
}

void SetBitmapImage(TBitmap& Bitmap, const QImage& Image)
{
    QImage Converted = Image;
    if (Image.format() != QImage::Format_RGB32 && Image.format() != QImage::Format_ARGB32)
        Converted = Image.convertToFormat(Image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    TBitmapAccess::Image(Bitmap) = Converted;
}

bool TCanvas::CopyToBitmap(TCanvas* Source, const TRect& SourceRect, TBitmap& Dest)
{
    QImage* I = Source ? Source->Image() : nullptr;
    if (!I)
        return false;
    const TRect R(std::min(SourceRect.Left, SourceRect.Right), std::min(SourceRect.Top, SourceRect.Bottom),
                  std::max(SourceRect.Left, SourceRect.Right), std::max(SourceRect.Top, SourceRect.Bottom));
    SetBitmapImage(Dest, I->copy(QRect(R.Left, R.Top, R.Width(), R.Height())));
    return true;
}
