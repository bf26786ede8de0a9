#pragma once
// Publishes the properties of the drawing tools (font, pen, brush), so that
// property files and dotted names such as Font.Color reach them.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rtl/PublishedList.h"
#include "ui/Brush.h"
#include "ui/Font.h"
#include "ui/Pen.h"

void RegisterGraphicsProperties();

PUBLISHED_ENUM_NAMES(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
PUBLISHED_ENUM_NAMES(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                     bsDiagCross);
PUBLISHED_ENUM_NAMES(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                     pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor);
PUBLISHED_ENUM_NAMES(TFontPitch, fpDefault, fpVariable, fpFixed);

// How a published font starts; what is left unset keeps the font's own.
struct TkFontLook {
    std::optional<std::string> Name = std::nullopt;
    std::optional<int> Size = std::nullopt;
    std::optional<TFontStyles> Style = std::nullopt;
    std::optional<TColor> Color = std::nullopt;
};
void ApplyFontLook(TFont& Font, const TkFontLook& Look);

// A font of class F with its look, which then calls Changed, when given, on
// every change (the look itself is no change: its holder is still being made).
template <class F = TFont>
std::unique_ptr<TFont> MakePublishedFont(const TkFontLook& Look, std::function<void()> Changed = {})
{
    auto font = std::make_unique<F>();
    ApplyFontLook(*font, Look);
    if (Changed)
        font->OnChange = [Changed = std::move(Changed)](TObject*) { Changed(); };
    return font;
}

// A font the class owns and publishes, declared in one line (see
// PUBLISHED in rtl/PublishedList.h): F<Name>, Get<Name>, its look, and
// Changed run on each change of the font.
//     PUBLISHED_FONT(Font, (TkFontLook{.Size = 14, .Color = clWhite}), DoLayoutChange());
#define PUBLISHED_FONT(Name, Look, Changed) PUBLISHED_FONT_OF(TFont, Name, Look, Changed)
#define PUBLISHED_FONT_OF(Class, Name, Look, Changed) \
    PUBLISHED_OBJECT(TFont, Name, MakePublishedFont<Class>(Look, [this] { Changed; }))

// Gives a font the style whose bits are set (bit n for TFontStyle n).
void SetFontStyleBits(TFont& Font, std::int64_t Bits);

// Adds a font's Style, published as a set of its style bits; a font whose
// style is Default leaves it out of a stream.
template <class F> TPropertyListBuilder<F>& AddFontStyle(TPropertyListBuilder<F>& Builder,
                                                         std::optional<std::int64_t> Default = std::nullopt)
{
    return Builder.Set(
        "Style", "TFontStyles", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
        [](const TFont& f) { return f.GetStyle().Bits(); }, &SetFontStyleBits, Default);
}
