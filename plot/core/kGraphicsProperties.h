#pragma once
// Publishes the properties of the drawing tools (font, pen, brush), so that
// property files and dotted names such as Font.Color reach them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rtl/PublishedProperties.h"
#include "ui/Font.h"

void RegisterGraphicsProperties();

// The published names of the pen and brush styles, in their order.
std::vector<std::string> PenStyleNames();
std::vector<std::string> BrushStyleNames();

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
