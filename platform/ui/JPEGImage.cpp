#include "ui/JPEGImage.h"
#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <ostream>
#include "ui/Bitmap.h"
#include "ui/GraphicsQt.h"
extern "C" {
#include <jpeglib.h>
}

namespace {

struct TErrorManager {
    jpeg_error_mgr Public;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr Info)
{
    auto* Manager = reinterpret_cast<TErrorManager*>(Info->err);
    (*Info->err->format_message)(Info, Manager->Message);
    std::longjmp(Manager->Jump, 1);
}

// Collects the compressed bytes in a string.
struct TDestination {
    jpeg_destination_mgr Public;
    std::string* Output;
    JOCTET Buffer[4096];
};

void InitDestination(j_compress_ptr Info)
{
    auto* D = reinterpret_cast<TDestination*>(Info->dest);
    D->Public.next_output_byte = D->Buffer;
    D->Public.free_in_buffer = sizeof(D->Buffer);
}

boolean EmptyBuffer(j_compress_ptr Info)
{
    auto* D = reinterpret_cast<TDestination*>(Info->dest);
    D->Output->append(reinterpret_cast<const char*>(D->Buffer), sizeof(D->Buffer));
    D->Public.next_output_byte = D->Buffer;
    D->Public.free_in_buffer = sizeof(D->Buffer);
    return TRUE;
}

void TermDestination(j_compress_ptr Info)
{
    auto* D = reinterpret_cast<TDestination*>(Info->dest);
    D->Output->append(reinterpret_cast<const char*>(D->Buffer), sizeof(D->Buffer) - D->Public.free_in_buffer);
}

struct TSettings {
    int Quality;
    bool Progressive;
    bool Grayscale;
    bool BestQuality;
};

// Compresses 32-bit rows (blue, green, red, unused in memory, Stride bytes
// apart) as they are, with no copy; returns false with Error set when the
// library fails. Only plain data lives in this frame, so the library's long
// jump is safe.
bool Encode(const unsigned char* Pixels, std::size_t Stride, int Width, int Height, const TSettings& S,
            std::string& Output, char* Error)
{
    jpeg_compress_struct Info;
    TErrorManager Errors;
    TDestination Destination;
    Info.err = jpeg_std_error(&Errors.Public);
    Errors.Public.error_exit = ErrorExit;
    if (setjmp(Errors.Jump)) {
        std::snprintf(Error, JMSG_LENGTH_MAX, "%s", Errors.Message);
        jpeg_destroy_compress(&Info);
        return false;
    }
    jpeg_create_compress(&Info);
    Destination.Output = &Output;
    Destination.Public.init_destination = InitDestination;
    Destination.Public.empty_output_buffer = EmptyBuffer;
    Destination.Public.term_destination = TermDestination;
    Info.dest = &Destination.Public;
    Info.image_width = static_cast<JDIMENSION>(Width);
    Info.image_height = static_cast<JDIMENSION>(Height);
    Info.input_components = 4;
    Info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, S.Quality, TRUE);
    if (S.Grayscale)
        jpeg_set_colorspace(&Info, JCS_GRAYSCALE);
    if (S.Progressive)
        jpeg_simple_progression(&Info);
    Info.dct_method = S.BestQuality ? JDCT_ISLOW : JDCT_IFAST;
    jpeg_start_compress(&Info, TRUE);
    while (Info.next_scanline < Info.image_height) {
        JSAMPROW Row = const_cast<JSAMPROW>(Pixels + static_cast<std::size_t>(Info.next_scanline) * Stride);
        jpeg_write_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    return true;
}

}  // namespace

TJPEGImage::TJPEGImage() : FBitmap(std::make_unique<TBitmap>()) {}

TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::GetWidth() const
{
    return FBitmap->GetWidth();
}

int TJPEGImage::GetHeight() const
{
    return FBitmap->GetHeight();
}

void TJPEGImage::SetWidth(int)
{
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int)
{
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetCompressionQuality(int Value)
{
    if (Value < 1 || Value > 100)
        throw EJPEG("JPEG quality " + std::to_string(Value) + " is outside the range 1..100");
    if (Value == FQuality)
        return;
    FQuality = Value;
    FDataValid = false;
}

void TJPEGImage::SetProgressiveEncoding(bool Value)
{
    if (Value == FProgressive)
        return;
    FProgressive = Value;
    FDataValid = false;
}

void TJPEGImage::SetGrayscale(bool Value)
{
    if (Value == FGrayscale)
        return;
    FGrayscale = Value;
    FDataValid = false;
}

void TJPEGImage::SetPerformance(TJPEGPerformance Value)
{
    if (Value == FPerformance)
        return;
    FPerformance = Value;
    FDataValid = false;
}

void TJPEGImage::Assign(const TPersistent* Source)
{
    if (auto* Bitmap = dynamic_cast<const TBitmap*>(Source)) {
        FBitmap->Assign(Bitmap);
        FBitmap->SetTransparent(false);
        FDataValid = false;
        Changed();
        return;
    }
    if (auto* Other = dynamic_cast<const TJPEGImage*>(Source)) {
        if (Other == this)
            return;
        FBitmap->Assign(Other->FBitmap.get());
        FQuality = Other->FQuality;
        FProgressive = Other->FProgressive;
        FGrayscale = Other->FGrayscale;
        FPerformance = Other->FPerformance;
        FData = Other->FData;
        FDataValid = Other->FDataValid;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::Compress()
{
    CompressedData();
}

std::string TJPEGImage::CompressedData() const
{
    if (FDataValid)
        return FData;
    const QImage& Held = BitmapImage(*FBitmap);
    // The bitmap's own rows are fed to the library; only an image in another
    // layout is converted first. Alpha is ignored, as a JPEG has none.
    QImage Converted;
    if (Held.format() != QImage::Format_RGB32 && Held.format() != QImage::Format_ARGB32)
        Converted = Held.convertToFormat(QImage::Format_RGB32);
    const QImage& Image = Converted.isNull() ? Held : Converted;
    if (Image.isNull())
        throw EJPEG("JPEG image is empty");
    std::string Output;
    char Error[JMSG_LENGTH_MAX] = {};
    const TSettings Settings{FQuality, FProgressive, FGrayscale, FPerformance == jpBestQuality};
    if (!Encode(Image.constBits(), static_cast<std::size_t>(Image.bytesPerLine()), Image.width(), Image.height(),
                Settings, Output, Error))
        throw EJPEG(Error);
    FData = std::move(Output);
    FDataValid = true;
    return FData;
}

void TJPEGImage::SaveToStream(std::ostream& Stream) const
{
    const std::string Bytes = CompressedData();
    Stream.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    if (!Stream)
        throw EInOutError("Stream write error");
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    ACanvas->StretchDraw(Rect, FBitmap.get());
}
