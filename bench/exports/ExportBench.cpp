// Saving a 1920 x 1080 picture as BMP and as JPEG, ours beside what a user
// would otherwise write: for BMP a plain writer that converts each 32-bit
// row to 24 bits and appends it; for JPEG libjpeg-turbo fed the same 32-bit
// rows directly. One chart-like and one photo-like picture.
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "common/Rounds.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/JPEGImage.h"
extern "C" {
#include <jpeglib.h>
}

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

void ChartLike(TBitmap& B)
{
    for (int y = 0; y < H; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(B.ScanLine(y));
        for (int x = 0; x < W; ++x) {
            std::uint32_t v = 0xFFF0F0F0;
            if (x >= 80 && y >= 80 && x < W - 40 && y < H - 60)
                v = ((x - 80) % 96 == 0 || (y - 80) % 94 == 0) ? 0xFF404040 : 0xFF000000;
            row[x] = v;
        }
    }
    const std::uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0080FF, 0xFFFFFF00};
    for (int t = 0; t < 4; ++t)
        for (int x = 80; x < W - 40; ++x) {
            const int y = 80 + (H - 140) / 2 + ((x * (t + 3)) % 400 - 200) / (t + 1);
            reinterpret_cast<std::uint32_t*>(B.ScanLine(y))[x] = colours[t];
        }
}

void PhotoLike(TBitmap& B)
{
    std::uint32_t seed = 1;
    for (int y = 0; y < H; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(B.ScanLine(y));
        for (int x = 0; x < W; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) & 15) - 8;
            auto c = [&](int v) { return static_cast<std::uint32_t>(std::clamp(v + noise, 0, 255)); };
            row[x] = 0xFF000000u | c(x * 255 / W) << 16 | c(y * 255 / H) << 8 | c((x + y) * 255 / (W + H));
        }
    }
}

std::string PlainBmp(TBitmap& B)
{
    const std::uint32_t rowSize = (W * 3 + 3) & ~3u, imageSize = rowSize * H;
    std::string out;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out += char(v >> (8 * i));
    };
    auto u16 = [&](std::uint16_t v) {
        out += char(v);
        out += char(v >> 8);
    };
    out += "BM";
    u32(54 + imageSize), u32(0), u32(54), u32(40), u32(W), u32(H), u16(1), u16(24), u32(0), u32(imageSize), u32(3780),
        u32(3780), u32(0), u32(0);
    std::vector<char> row(rowSize, 0);
    for (int y = H - 1; y >= 0; --y) {
        const std::uint8_t* src = B.ScanLine(y);
        for (int x = 0; x < W; ++x) {
            row[x * 3] = char(src[x * 4]);
            row[x * 3 + 1] = char(src[x * 4 + 1]);
            row[x * 3 + 2] = char(src[x * 4 + 2]);
        }
        out.append(row.data(), row.size());
    }
    std::ostringstream stream;
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    return stream.str();
}

std::string DirectJpeg(TBitmap& B, int Quality)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &memory, &size);
    info.image_width = W;
    info.image_height = H;
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, Quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = B.ScanLine(static_cast<int>(info.next_scanline));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<const char*>(memory), size);
    std::free(memory);
    return out;
}

}  // namespace

int main()
{
    Application->Initialize();
    std::printf("Saving a %d x %d picture: ours beside a plain BMP writer and libjpeg-turbo fed 32-bit rows.\n", W, H);
    for (int picture = 0; picture < 2; ++picture) {
        TBitmap source;
        source.SetSize(W, H);
        if (picture == 0)
            ChartLike(source);
        else
            PhotoLike(source);
        const std::string what = picture == 0 ? "chart-like" : "photo-like";
        std::size_t oursSize = 0, theirsSize = 0;
        bench::Compare(
            "BMP 24-bit, " + what, "TBitmap::SaveToStream",
            [&] {
                std::ostringstream s;
                source.SaveToStream(s);
                oursSize = s.str().size();
            },
            "plain row-by-row writer", [&] { theirsSize = PlainBmp(source).size(); });
        std::printf("  bytes: ours %zu, theirs %zu\n", oursSize, theirsSize);
        bench::Compare(
            "JPEG quality 90, " + what, "TJPEGImage (assign + save)",
            [&] {
                TJPEGImage jpeg;
                jpeg.CompressionQuality = 90;
                jpeg.Assign(&source);
                std::ostringstream s;
                jpeg.SaveToStream(s);
                oursSize = s.str().size();
            },
            "libjpeg-turbo, 32-bit rows", [&] { theirsSize = DirectJpeg(source, 90).size(); });
        std::printf("  bytes: ours %zu, theirs %zu\n", oursSize, theirsSize);
    }
    return 0;
}
