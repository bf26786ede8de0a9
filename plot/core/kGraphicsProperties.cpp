#include "plot/core/kGraphicsProperties.h"

#include "rtl/PublishedProperties.h"
#include "ui/Brush.h"
#include "ui/Font.h"
#include "ui/Pen.h"

void SetFontStyleBits(TFont& Font, std::int64_t Bits)
{
    TFontStyles s;
    for (int i = 0; i < 4; ++i)
        if (Bits & (1 << i))
            s << static_cast<TFontStyle>(i);
    Font.SetStyle(s);
}

void ApplyFontLook(TFont& Font, const TkFontLook& Look)
{
    if (Look.Name)
        Font.SetName(*Look.Name);
    if (Look.Size)
        Font.SetSize(*Look.Size);
    if (Look.Style)
        Font.SetStyle(*Look.Style);
    if (Look.Color)
        Font.SetColor(*Look.Color);
}

void RegisterGraphicsProperties()
{
    static const bool done = [] {
        TPropertyListBuilder<TFont> font;
        font.Property<TFontCharset>("Charset", &TFont::GetCharset, &TFont::SetCharset, std::nullopt, "TFontCharset")
            .Color("Color", &TFont::GetColor, &TFont::SetColor)
            .Integer("Height", &TFont::GetHeight, &TFont::SetHeight)
            .Range(-TFont::MaxHeight, TFont::MaxHeight)
            .String("Name", &TFont::GetName, &TFont::SetName)
            .Property<TFontPitch>("Pitch", &TFont::GetPitch, &TFont::SetPitch, fpDefault)
            .Integer("Size", &TFont::GetSize, &TFont::SetSize)
            .Range(-TFont::MaxSize, TFont::MaxSize);
        RegisterPublishedClass<TFont>("TFont", AddFontStyle(font).Take());
        RegisterPublishedClass<TPen>("TPen",
                                     TPropertyListBuilder<TPen>()
                                         .Color("Color", &TPen::GetColor, &TPen::SetColor, clBlack)
                                         .Property<TPenMode>("Mode", &TPen::GetMode, &TPen::SetMode, pmCopy)
                                         .Property<TPenStyle>("Style", &TPen::GetStyle, &TPen::SetStyle, psSolid)
                                         .Integer("Width", &TPen::GetWidth, &TPen::SetWidth, 1)
                                         .Take());
        RegisterPublishedClass<TBrush>(
            "TBrush", TPropertyListBuilder<TBrush>()
                          .Color("Color", &TBrush::GetColor, &TBrush::SetColor, clWhite)
                          .Property<TBrushStyle>("Style", &TBrush::GetStyle, &TBrush::SetStyle, bsSolid)
                          .Take());
        return true;
    }();
    (void)done;
}
