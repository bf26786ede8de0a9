// Encodes a 1920 x 1080 chart-like picture at deflate levels 1, 6 and 9 with
// our writer and with libpng; reports time and the encoded size.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "png/pngimage.h"

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

// Background, grid, axes text-like specks, a few traces and a gradient band.
const std::vector<std::uint32_t>& ChartPixels()
{
    static const std::vector<std::uint32_t> px = [] {
        std::vector<std::uint32_t> p(static_cast<std::size_t>(W) * H, 0x00F0F0F0);
        std::uint32_t seed = 1;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                std::uint32_t& v = p[static_cast<std::size_t>(y) * W + x];
                if (y < 60)
                    v = static_cast<std::uint32_t>((30 + y * 3) << 16 | (60 + y * 2) << 8 | 200);
                else if (x >= 80 && y >= 80 && x < W - 40 && y < H - 60)
                    v = 0x00000000;  // data view
                if (x >= 80 && y >= 80 && x < W - 40 && y < H - 60 && ((x - 80) % 96 == 0 || (y - 80) % 94 == 0))
                    v = 0x00404040;  // grid
                if (x < 70 && y > 80 && (y % 94) < 10 && (x % 7) < 5) {
                    seed = seed * 1103515245u + 12345u;
                    if (seed & 0x10000)
                        v = 0x00000000;  // label glyph specks
                }
            }
        const std::uint32_t colours[] = {0x00FF0000, 0x0000FF00, 0x000080FF, 0x00FFFF00};
        for (int t = 0; t < 4; ++t)
            for (int x = 80; x < W - 40; ++x) {
                const int y = 80 + (H - 140) / 2 + static_cast<int>(((x * (t + 3)) % 400) - 200) / (t + 1);
                for (int d = 0; d < 2; ++d)
                    p[static_cast<std::size_t>(y + d) * W + x] = colours[t];
            }
        return p;
    }();
    return px;
}

void BM_Ours(benchmark::State& state)
{
    TPNGObject png;
    png.AssignPixels(W, H, ChartPixels().data(), W);
    png.SetCompressionLevel(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        auto data = png.Encode();
        size = data.size();
        benchmark::DoNotOptimize(data.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}

struct TBuffer {
    std::vector<std::uint8_t> Data;
};

void WriteToBuffer(png_structp p, png_bytep data, png_size_t len)
{
    auto* b = static_cast<TBuffer*>(png_get_io_ptr(p));
    b->Data.insert(b->Data.end(), data, data + len);
}

void BM_Libpng(benchmark::State& state)
{
    // Same input rows as ours gets: 8-bit RGB.
    TPNGObject rows;
    rows.AssignPixels(W, H, ChartPixels().data(), W);
    std::vector<png_bytep> rowPointers(H);
    for (int y = 0; y < H; ++y)
        rowPointers[y] = rows.ScanLine(y);
    std::size_t size = 0;
    for (auto _ : state) {
        TBuffer buffer;
        png_structp p = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(p);
        if (setjmp(png_jmpbuf(p))) {
            png_destroy_write_struct(&p, &info);
            state.SkipWithError("libpng failed");
            return;
        }
        png_set_write_fn(p, &buffer, WriteToBuffer, nullptr);
        png_set_compression_level(p, static_cast<int>(state.range(0)));
        png_set_IHDR(p, info, W, H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(p, info);
        png_write_image(p, rowPointers.data());
        png_write_end(p, nullptr);
        png_destroy_write_struct(&p, &info);
        size = buffer.Data.size();
        benchmark::DoNotOptimize(buffer.Data.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}

}  // namespace

BENCHMARK(BM_Ours)->Arg(1)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libpng)->Arg(1)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
