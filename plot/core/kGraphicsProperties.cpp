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

std::vector<std::string> PenStyleNames()
{
    return PublishedEnumNames<TPenStyle>();
}

std::vector<std::string> BrushStyleNames()
{
    return PublishedEnumNames<TBrushStyle>();
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
        font.Integer(
                "Charset", [](const TFont& f) { return f.GetCharset(); },
                [](TFont& f, std::int64_t v) { f.SetCharset(static_cast<TFontCharset>(v)); }, std::nullopt,
                "TFontCharset")
            .Color(
                "Color", [](const TFont& f) { return f.GetColor(); },
                [](TFont& f, std::int64_t v) { f.SetColor(static_cast<TColor>(v)); })
            .Integer(
                "Height", [](const TFont& f) { return f.GetHeight(); },
                [](TFont& f, std::int64_t v) { f.SetHeight(static_cast<int>(v)); })
            .Range(-TFont::MaxHeight, TFont::MaxHeight)
            .String(
                "Name", [](const TFont& f) { return f.GetName(); },
                [](TFont& f, const std::string& v) { f.SetName(v); })
            .Enumeration(
                "Pitch", "TFontPitch", {"fpDefault", "fpVariable", "fpFixed"},
                [](const TFont& f) { return f.GetPitch(); },
                [](TFont& f, std::int64_t v) { f.SetPitch(static_cast<TFontPitch>(v)); }, fpDefault)
            .Integer(
                "Size", [](const TFont& f) { return f.GetSize(); },
                [](TFont& f, std::int64_t v) { f.SetSize(static_cast<int>(v)); })
            .Range(-TFont::MaxSize, TFont::MaxSize);
        RegisterPublishedClass<TFont>("TFont", AddFontStyle(font).Take());
        RegisterPublishedClass<TPen>(
            "TPen", TPropertyListBuilder<TPen>()
                        .Color(
                            "Color", [](const TPen& p) { return p.GetColor(); },
                            [](TPen& p, std::int64_t v) { p.SetColor(static_cast<TColor>(v)); }, clBlack)
                        .Enumeration(
                            "Mode", "TPenMode",
                            {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
                             "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
                             "pmNotMask", "pmXor", "pmNotXor"},
                            [](const TPen& p) { return p.GetMode(); },
                            [](TPen& p, std::int64_t v) { p.SetMode(static_cast<TPenMode>(v)); }, pmCopy)
                        .Enumeration(
                            "Style", "TPenStyle", PenStyleNames(), [](const TPen& p) { return p.GetStyle(); },
                            [](TPen& p, std::int64_t v) { p.SetStyle(static_cast<TPenStyle>(v)); }, psSolid)
                        .Integer(
                            "Width", [](const TPen& p) { return p.GetWidth(); },
                            [](TPen& p, std::int64_t v) { p.SetWidth(static_cast<int>(v)); }, 1)
                        .Take());
        RegisterPublishedClass<TBrush>(
            "TBrush", TPropertyListBuilder<TBrush>()
                          .Color(
                              "Color", [](const TBrush& b) { return b.GetColor(); },
                              [](TBrush& b, std::int64_t v) { b.SetColor(static_cast<TColor>(v)); }, clWhite)
                          .Enumeration(
                              "Style", "TBrushStyle", BrushStyleNames(), [](const TBrush& b) { return b.GetStyle(); },
                              [](TBrush& b, std::int64_t v) { b.SetStyle(static_cast<TBrushStyle>(v)); }, bsSolid)
                          .Take());
        return true;
    }();
    (void)done;
}
