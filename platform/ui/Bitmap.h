#pragma once
// A bitmap in memory with its own canvas; saved and loaded as BMP files.
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include "ui/Canvas.h"
#include "rtl/PixelSource.h"
#include "ui/Graphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

class TBitmap : public TGraphic, public TPixelSource {
public:
    TBitmap();
    TBitmap(int AWidth, int AHeight);
    ~TBitmap() override;

    // Drawing on the bitmap. New area from resizing is white.
    TCanvas* const Canvas;

    int GetWidth() const override;
    void SetWidth(int Value) override;
    int GetHeight() const override;
    void SetHeight(int Value) override;
    // Raises EInvalidGraphicOperation, keeping the old picture, when the
    // memory for the new size cannot be had (or would pass a gigabyte).
    void SetSize(int AWidth, int AHeight);

    // The depth the bitmap is saved with: pf24bit (also for pfDevice) or
    // pf32bit. In memory every pixel has 32 bits.
    TPixelFormat GetPixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    TProperty<TBitmap, TPixelFormat, &TBitmap::GetPixelFormat, &TBitmap::SetPixelFormat> PixelFormat{this};

    // With tmAuto the transparent colour is the bottom-left pixel's.
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor Value);
    TProperty<TBitmap, TColor, &TBitmap::GetTransparentColor, &TBitmap::SetTransparentColor> TransparentColor{this};
    TTransparentMode GetTransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);
    TProperty<TBitmap, TTransparentMode, &TBitmap::GetTransparentMode, &TBitmap::SetTransparentMode> TransparentMode{
        this};

    // Row Y as 32-bit pixels, bytes blue, green, red, unused.
    std::uint8_t* ScanLine(int Y);

    // The rows as ScanLine gives them, for readers outside the user
    // interface (the PNG image).
    int PixelWidth() const override { return GetWidth(); }
    int PixelHeight() const override { return GetHeight(); }
    const std::uint8_t* PixelRow(int Y) const override;

    void Assign(const TPersistent* Source) override;
    void SaveToStream(std::ostream& Stream) const override;
    // Reads a BMP file; raises EInvalidGraphic when it is not one.
    void LoadFromStream(std::istream& Stream);
    void LoadFromFile(const std::string& FileName);

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    friend class TBitmapCanvas;
    friend struct TBitmapAccess;
    struct TData;
    std::unique_ptr<TData> FData;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
};
