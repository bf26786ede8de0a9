#pragma once
// A JPEG image compressed from a bitmap with the JPEG library.
#include <iosfwd>
#include <memory>
#include <string>
#include "ui/Graphic.h"

class TBitmap;

class EJPEG : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
};

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    int GetWidth() const override;
    int GetHeight() const override;
    // The size comes from the picture: setting it raises EInvalidGraphicOperation.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    // 1..100; other values raise EJPEG and keep the old quality.
    int GetCompressionQuality() const { return FQuality; }
    void SetCompressionQuality(int Value);
    bool GetProgressiveEncoding() const { return FProgressive; }
    void SetProgressiveEncoding(bool Value);
    bool GetGrayscale() const { return FGrayscale; }
    void SetGrayscale(bool Value);
    TJPEGPerformance GetPerformance() const { return FPerformance; }
    void SetPerformance(TJPEGPerformance Value);

    TProperty<TJPEGImage, int, &TJPEGImage::GetCompressionQuality, &TJPEGImage::SetCompressionQuality>
        CompressionQuality{this};
    TProperty<TJPEGImage, bool, &TJPEGImage::GetProgressiveEncoding, &TJPEGImage::SetProgressiveEncoding>
        ProgressiveEncoding{this};
    TProperty<TJPEGImage, bool, &TJPEGImage::GetGrayscale, &TJPEGImage::SetGrayscale> Grayscale{this};
    TProperty<TJPEGImage, TJPEGPerformance, &TJPEGImage::GetPerformance, &TJPEGImage::SetPerformance> Performance{this};

    // Takes the picture of a TBitmap or another TJPEGImage.
    void Assign(const TPersistent* Source) override;
    // Compresses the picture with the current settings (done by the savers
    // when the settings changed since the last compression).
    void Compress();
    void SaveToStream(std::ostream& Stream) const override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    std::string CompressedData() const;
    std::unique_ptr<TBitmap> FBitmap;
    mutable std::string FData;
    mutable bool FDataValid = false;
    int FQuality = 90;
    bool FProgressive = false;
    bool FGrayscale = false;
    TJPEGPerformance FPerformance = jpBestQuality;
};
