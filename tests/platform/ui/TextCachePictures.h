#pragma once
// The picture a test paints with the canvas's text caches on and with them
// off: text taken from a cache must leave the pixels that drawing it anew
// leaves.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ui/Bitmap.h"
#include "ui/RotatedTextCache.h"
#include "ui/TextMaskCache.h"

inline constexpr int TextPictureSize = 160;

// Paint twice on a white picture (the first draw may fill a cache, the
// second takes from it), with the caches on and off; expects the same
// pixels and returns how many texts the on side wrote from their pixels.
inline std::int64_t ExpectSameTextPicture(const std::string& What, const std::function<void(TCanvas&)>& Paint)
{
    constexpr int Size = TextPictureSize;
    std::vector<std::uint32_t> pictures[2];
    std::int64_t hits = 0;
    for (bool cached : {true, false}) {
        TTextMaskCache::Local().SetEnabled(cached);
        TRotatedTextCache::Local().SetEnabled(cached);
        const std::int64_t before = TTextMaskCache::Local().Hits();
        TBitmap bitmap(Size, Size);
        TCanvas& c = *bitmap.Canvas;
        c.Brush->SetStyle(bsSolid);
        c.Brush->SetColor(clWhite);
        c.FillRect(TRect(0, 0, Size, Size));
        c.Brush->SetStyle(bsClear);
        for (int pass = 0; pass < 2; ++pass)
            Paint(c);
        std::vector<std::uint32_t>& p = pictures[cached];
        p.resize(std::size_t(Size) * Size);
        for (int y = 0; y < Size; ++y)
            std::memcpy(&p[std::size_t(y) * Size], bitmap.ScanLine(y), Size * sizeof(std::uint32_t));
        if (cached)
            hits = TTextMaskCache::Local().Hits() - before;
    }
    TTextMaskCache::Local().SetEnabled(true);
    TRotatedTextCache::Local().SetEnabled(true);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < pictures[0].size(); ++i)
        differing += pictures[0][i] != pictures[1][i];
    EXPECT_EQ(differing, 0u) << What;
    return hits;
}
