#pragma once
// The font a canvas writes text with.
#include <cstdint>
#include <string>
#include "ui/Color.h"
#include "ui/FontStyles.h"
#include "ui/GraphicsObject.h"
#include "ui/Property.h"

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset GB2312_CHARSET = 134;

class TFont : public TGraphicsObject {
public:
    // Heights go no further than this many pixels either way, however they
    // are set: no screen or page shows a taller character, and sizes in
    // points convert to heights and back without overflowing.
    static constexpr int MaxHeight = 32767;
    // The sizes in points whose heights at the screen's 96 pixels per inch
    // stay within MaxHeight.
    static constexpr int MaxSize = MaxHeight * 72 / 96;

    TFont() = default;

    const std::string& GetName() const { return FName; }
    void SetName(const std::string& Value);
    // Size in points; Height in pixels, negative for the character height
    // without internal leading (the usual form), positive for the cell.
    // Both stop at MaxHeight pixels. Setting the size the font already has
    // keeps its height.
    int GetSize() const;
    void SetSize(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles GetStyle() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TFontPitch GetPitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    TFontCharset GetCharset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    // Text direction in tenths of a degree, counter-clockwise (900 writes
    // bottom to top).
    int GetOrientation() const { return FOrientation; }
    void SetOrientation(int Value);

    TProperty<TFont, std::string, &TFont::GetName, &TFont::SetName> Name{this};
    TProperty<TFont, int, &TFont::GetSize, &TFont::SetSize> Size{this};
    TProperty<TFont, int, &TFont::GetHeight, &TFont::SetHeight> Height{this};
    TProperty<TFont, TColor, &TFont::GetColor, &TFont::SetColor> Color{this};
    TProperty<TFont, TFontStyles, &TFont::GetStyle, &TFont::SetStyle> Style{this};
    TProperty<TFont, TFontPitch, &TFont::GetPitch, &TFont::SetPitch> Pitch{this};
    TProperty<TFont, TFontCharset, &TFont::GetCharset, &TFont::SetCharset> Charset{this};
    TProperty<TFont, int, &TFont::GetOrientation, &TFont::SetOrientation> Orientation{this};

    // Resolution that Size converts through: the screen's 96, or a
    // printer's when its canvas owns the font. Height stays as it is.
    int PixelsPerInch = 96;

    void Assign(const TPersistent* Source) override;

private:
    // Pixels as the platform rounds them (halves away from zero), held
    // within MaxHeight: every way a height is set passes through here.
    static int LimitedHeight(double Pixels);

    std::string FName = "MS Sans Serif";
    int FHeight = -11;  // 8 points at 96 pixels per inch
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    TFontPitch FPitch = fpDefault;
    TFontCharset FCharset = DEFAULT_CHARSET;
    int FOrientation = 0;
};
