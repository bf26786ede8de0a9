// Encoding a 1920 x 1080 picture as PNG at deflate levels 1, 6 and 9, ours
// beside libpng. Both start from the same bitmap, whose rows are 32-bit
// pixels (blue, green, red, unused): ours assigns the bitmap to a
// TPNGObject and encodes it, as the chart's PNG export does; libpng is fed
// the bitmap's rows directly, told to drop the fourth byte and swap to
// red, green, blue, at the same level with the same filter choice
// (adaptive: all five filters tried per row) and the same deflate
// strategy. One chart-like and one photo-like picture; both file sizes are
// printed.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/Rounds.h"
#include "png/pngimage.h"
#include "ui/Bitmap.h"

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

using TPixels = std::vector<std::uint32_t>;

// Title band, background, data view with grid, label specks and traces.
TPixels ChartLike()
{
    TPixels p(static_cast<std::size_t>(W) * H, 0x00F0F0F0);
    std::uint32_t seed = 1;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            std::uint32_t& v = p[static_cast<std::size_t>(y) * W + x];
            const bool inView = x >= 80 && y >= 80 && x < W - 40 && y < H - 60;
            if (y < 60)
                v = static_cast<std::uint32_t>((30 + y * 3) << 16 | (60 + y * 2) << 8 | 200);
            else if (inView)
                v = ((x - 80) % 96 == 0 || (y - 80) % 94 == 0) ? 0x00404040 : 0x00000000;
            if (x < 70 && y > 80 && (y % 94) < 10 && (x % 7) < 5) {
                seed = seed * 1103515245u + 12345u;
                if (seed & 0x10000)
                    v = 0x00000000;
            }
        }
    const std::uint32_t colours[] = {0x00FF0000, 0x0000FF00, 0x000080FF, 0x00FFFF00};
    for (int t = 0; t < 4; ++t)
        for (int x = 80; x < W - 40; ++x) {
            const int y = 80 + (H - 140) / 2 + ((x * (t + 3)) % 400 - 200) / (t + 1);
            for (int d = 0; d < 2; ++d)
                p[static_cast<std::size_t>(y + d) * W + x] = colours[t];
        }
    return p;
}

// Smooth gradients with a little noise, as a photograph has.
TPixels PhotoLike()
{
    TPixels p(static_cast<std::size_t>(W) * H);
    std::uint32_t seed = 1;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) & 15) - 8;
            auto c = [&](int v) { return static_cast<std::uint32_t>(std::clamp(v + noise, 0, 255)); };
            p[static_cast<std::size_t>(y) * W + x] = c(x * 255 / W) << 16 | c(y * 255 / H) << 8 |
                                                     c((x + y) * 255 / (W + H));
        }
    return p;
}

void Fill(TBitmap& Bitmap, const TPixels& Pixels)
{
    Bitmap.SetSize(W, H);
    for (int y = 0; y < H; ++y)
        std::memcpy(Bitmap.ScanLine(y), Pixels.data() + static_cast<std::size_t>(y) * W, W * 4);
}

std::size_t Ours(const TBitmap& Bitmap, int Level)
{
    TPNGObject png;
    png.SetCompressionLevel(Level);
    png.Assign(&Bitmap);
    return png.Encode().size();
}

void Append(png_structp Png, png_bytep Data, png_size_t Size)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(Png));
    out->insert(out->end(), Data, Data + Size);
}

void Flush(png_structp) {}

std::size_t Libpng(const TBitmap& Bitmap, int Level)
{
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fprintf(stderr, "libpng failed\n");
        return 0;
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_compression_level(png, Level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_IHDR(png, info, W, H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < H; ++y)
        png_write_row(png, Bitmap.PixelRow(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out.size();
}

}  // namespace

int main()
{
    std::printf(
        "Encoding a %d x %d bitmap as PNG: TPNGObject (assigned the bitmap, then encoded) beside libpng\n"
        "fed the bitmap's 32-bit rows, at the same level, with the same filter choice (adaptive) and\n"
        "strategy.\n",
        W, H);
    for (int picture = 0; picture < 2; ++picture) {
        TBitmap bitmap;
        Fill(bitmap, picture == 0 ? ChartLike() : PhotoLike());
        const std::string what = picture == 0 ? "chart-like" : "photo-like";
        for (int level : {1, 6, 9}) {
            std::size_t oursSize = 0, theirsSize = 0;
            bench::Compare(
                "PNG level " + std::to_string(level) + ", " + what, "TPNGObject (assign + encode)",
                [&] { oursSize = Ours(bitmap, level); }, "libpng, same 32-bit rows",
                [&] { theirsSize = Libpng(bitmap, level); });
            std::printf("  bytes: ours %zu, libpng %zu (ours / libpng %.4f)\n", oursSize, theirsSize,
                        double(oursSize) / double(theirsSize));
        }
    }
    return 0;
}
