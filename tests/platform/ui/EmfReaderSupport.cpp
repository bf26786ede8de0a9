#include "EmfReaderSupport.h"

#include <gtest/gtest.h>

std::vector<TEmfRecord> Walk(const std::string& Bytes)
{
    std::vector<TEmfRecord> Records;
    std::size_t Offset = 0;
    while (Offset < Bytes.size()) {
        EXPECT_LE(Offset + 8, Bytes.size());
        if (Offset + 8 > Bytes.size())
            break;
        std::uint32_t Type, Size;
        std::memcpy(&Type, Bytes.data() + Offset, 4);
        std::memcpy(&Size, Bytes.data() + Offset + 4, 4);
        EXPECT_GE(Size, 8u);
        EXPECT_EQ(Size % 4, 0u) << "record type " << Type;
        EXPECT_LE(Offset + Size, Bytes.size());
        if (Size < 8 || Offset + Size > Bytes.size())
            break;
        Records.push_back({Type, Bytes.substr(Offset, Size)});
        Offset += Size;
    }
    return Records;
}

bool ReadPicture(const TEmfRecord& R, TEmfPicture& Picture)
{
    // Only the fields of a picture record are read, and only within it.
    std::size_t Bmi, Bits;
    int Width, Height;
    if ((R.Type != STRETCHDIBITS && R.Type != ALPHABLEND) || R.Data.size() < 96)
        return false;
    const int Left = R.I32(24), Top = R.I32(28);
    if (R.Type == STRETCHDIBITS) {
        Bmi = R.U32(48);
        Bits = R.U32(56);
        Width = R.I32(72);
        Height = R.I32(76);
    } else {
        Width = R.I32(32);
        Height = R.I32(36);
        Bmi = R.U32(84);
        Bits = R.U32(92);
    }
    if (Bmi + 16 > R.Data.size())
        return false;
    const int W = R.I32(Bmi + 4), H = R.I32(Bmi + 8), Depth = R.U32(Bmi + 12) >> 16;
    if ((Depth != 24 && Depth != 32) || W <= 0 || H <= 0)
        return false;
    const std::size_t Row = (std::size_t(W) * (Depth / 8) + 3) & ~std::size_t(3);
    EXPECT_LE(Bits + Row * H, R.Data.size());
    if (Bits + Row * H > R.Data.size())
        return false;
    Picture.Dest = TRect(Left, Top, Left + Width, Top + Height);
    Picture.Width = W;
    Picture.Height = H;
    Picture.Pixels.assign(std::size_t(W) * H, 0);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const auto* P = reinterpret_cast<const unsigned char*>(R.Data.data() + Bits + Row * (H - 1 - Y)) +
                            X * (Depth / 8);
            const std::uint32_t Alpha = Depth == 32 && R.Type == ALPHABLEND ? P[3] : 0xFF;
            Picture.Pixels[std::size_t(Y) * W + X] = Alpha << 24 | std::uint32_t(P[2]) << 16 | P[1] << 8 | P[0];
        }
    return true;
}
