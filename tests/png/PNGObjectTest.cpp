#include "png/pngimage.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "png/PNGRowFilter.h"
#include "ui/Bitmap.h"
#include "ui/Brush.h"

namespace fs = std::filesystem;

namespace {

// A chart-like picture: background, grid, a trace and some noise.
std::vector<std::uint32_t> ChartPixels(int w, int h)
{
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h, 0x00F0F0F0);
    std::mt19937 rng(7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t& p = px[static_cast<std::size_t>(y) * w + x];
            if (x % 10 == 0 || y % 10 == 0)
                p = 0x00C0C0C0;
            if (y == (h / 2 + (x * 7) % (h / 3)) % h)
                p = 0x00FF0000;
            if (x < w / 4 && y < h / 4)
                p = rng() & 0x00FFFFFF;
            if (x >= w / 2 && y >= h / 2)
                p = static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | 0x40);
        }
    return px;
}

std::vector<std::uint8_t> ReadFile(const std::string& name)
{
    std::ifstream f(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::uint32_t Be32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

struct TChunk {
    std::string Type;
    std::vector<std::uint8_t> Data;
};

// Walks the chunks and checks each CRC on the way.
std::vector<TChunk> Chunks(const std::vector<std::uint8_t>& file)
{
    std::vector<TChunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::uint32_t len = Be32(&file[at]);
        EXPECT_LE(at + 12 + len, file.size());
        TChunk c;
        c.Type.assign(reinterpret_cast<const char*>(&file[at + 4]), 4);
        c.Data.assign(file.begin() + at + 8, file.begin() + at + 8 + len);
        const uLong crc = crc32(crc32(0, Z_NULL, 0), &file[at + 4], len + 4);
        EXPECT_EQ(Be32(&file[at + 8 + len]), static_cast<std::uint32_t>(crc)) << c.Type;
        chunks.push_back(std::move(c));
        at += 12 + len;
    }
    EXPECT_EQ(at, file.size());
    return chunks;
}

std::vector<std::uint8_t> Inflate(const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> out(64 << 20);
    uLongf size = out.size();
    EXPECT_EQ(uncompress(out.data(), &size, data.data(), data.size()), Z_OK);
    out.resize(size);
    return out;
}

// Undoes the row filters, written here apart from the encoder.
std::vector<std::uint8_t> Unfilter(const std::vector<std::uint8_t>& raw, int w, int h, std::set<int>& filters)
{
    const std::size_t rb = static_cast<std::size_t>(w) * 3;
    std::vector<std::uint8_t> px(rb * h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = &raw[y * (rb + 1)];
        const int f = in[0];
        filters.insert(f);
        std::uint8_t* row = &px[y * rb];
        const std::uint8_t* up = y ? row - rb : nullptr;
        for (std::size_t i = 0; i < rb; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0;
            const int b = up ? up[i] : 0;
            const int c = (up && i >= 3) ? up[i - 3] : 0;
            int pred = 0;
            switch (f) {
            case 1: pred = a; break;
            case 2: pred = b; break;
            case 3: pred = (a + b) / 2; break;
            case 4: {
                const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
                break;
            }
            default: break;
            }
            row[i] = std::uint8_t(in[1 + i] + pred);
        }
    }
    return px;
}

// The raw (filtered) scan lines of an encoded image: IDAT joined, inflated.
std::vector<std::uint8_t> RawRows(const std::vector<std::uint8_t>& file)
{
    std::vector<std::uint8_t> idat;
    for (const auto& c : Chunks(file))
        if (c.Type == "IDAT")
            idat.insert(idat.end(), c.Data.begin(), c.Data.end());
    return Inflate(idat);
}

int PaethOf(int a, int b, int c)
{
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

// Rows of five kinds, each one that a different filter suits best: all
// zero (None), a left-to-right ramp (Sub), a copy of the row above (Up), each
// byte the mean of its left and upper neighbours (Average) or their Paeth
// prediction (Paeth). Row 0 is noise; the kinds repeat below it.
void FillEveryFilterKind(TPNGObject& png, std::mt19937& rng)
{
    const std::size_t rb = static_cast<std::size_t>(png.Width()) * 3;
    for (int y = 0; y < png.Height(); ++y) {
        std::uint8_t* row = png.ScanLine(y);
        const std::uint8_t* up = y ? png.ScanLine(y - 1) : nullptr;
        const int kind = y == 0 ? -1 : (y - 1) % 5;
        for (std::size_t i = 0; i < rb; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0;
            const int b = up ? up[i] : 0;
            const int c = up && i >= 3 ? up[i - 3] : 0;
            const bool lead = i < 3;
            switch (kind) {
            case 0: row[i] = 0; break;
            case 1: row[i] = std::uint8_t(lead ? 40 * (i + 1) : a + 1); break;
            case 2: row[i] = std::uint8_t(b); break;
            case 3: row[i] = std::uint8_t(lead ? rng() : (a + b) / 2); break;
            case 4: row[i] = std::uint8_t(lead ? rng() : PaethOf(a, b, c)); break;
            default: row[i] = std::uint8_t(rng()); break;
            }
        }
    }
}

// Which filter a row should get: the smallest sum of the filtered bytes
// taken as signed values, the first of equal sums winning; the first row
// only considers None and Sub.
int ExpectedFilter(const std::uint8_t* row, const std::uint8_t* up, std::size_t rb)
{
    long best = -1;
    int bestFilter = 0;
    for (int f = 0; f <= (up ? 4 : 1); ++f) {
        long sum = 0;
        for (std::size_t i = 0; i < rb; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0;
            const int b = up ? up[i] : 0;
            const int c = up && i >= 3 ? up[i - 3] : 0;
            const int pred = f == 0 ? 0 : f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : PaethOf(a, b, c);
            sum += std::abs(static_cast<int>(static_cast<std::int8_t>(std::uint8_t(row[i] - pred))));
        }
        if (best < 0 || sum < best) {
            best = sum;
            bestFilter = f;
        }
    }
    return bestFilter;
}

class PNGObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dir = fs::temp_directory_path() / ("png_test_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }
    std::string Path(const std::string& name) const { return (Dir / name).string(); }

    fs::path Dir;
};

TEST_F(PNGObjectTest, AssignPixelsSplitsIntoRedGreenBlue)
{
    const std::uint32_t px[] = {0xFF123456, 0x00ABCDEF, 0, 0x00010203, 0x00FFFFFF, 0};
    TPNGObject png;
    png.AssignPixels(2, 2, px, 3);  // stride 3: the third value of each row is skipped
    ASSERT_EQ(png.Width(), 2);
    ASSERT_EQ(png.Height(), 2);
    const std::uint8_t* r0 = png.ScanLine(0);
    EXPECT_EQ(std::vector<int>(r0, r0 + 6), (std::vector<int>{0x12, 0x34, 0x56, 0xAB, 0xCD, 0xEF}));
    const std::uint8_t* r1 = png.ScanLine(1);
    EXPECT_EQ(std::vector<int>(r1, r1 + 6), (std::vector<int>{1, 2, 3, 255, 255, 255}));
    EXPECT_THROW(png.ScanLine(2), EPNGError);
    EXPECT_THROW(png.AssignPixels(4, 1, px, 3), EPNGError);
}

TEST_F(PNGObjectTest, CompressionLevelOutsideZeroToNineIsRefused)
{
    TPNGObject png;
    png.SetCompressionLevel(0);
    png.SetCompressionLevel(9);
    EXPECT_EQ(png.GetCompressionLevel(), 9);
    EXPECT_THROW(png.SetCompressionLevel(10), EPNGError);
    EXPECT_THROW(png.SetCompressionLevel(-1), EPNGError);
    EXPECT_EQ(png.GetCompressionLevel(), 9);
}

TEST_F(PNGObjectTest, AssignCopiesAnotherImageAndRefusesOthers)
{
    const auto px = ChartPixels(30, 20);
    TPNGObject a;
    a.AssignPixels(30, 20, px.data(), 30);
    a.SetCompressionLevel(2);
    TPNGObject b;
    b.Assign(&a);
    EXPECT_EQ(b.Width(), 30);
    EXPECT_EQ(b.GetCompressionLevel(), 2);
    EXPECT_EQ(b.Encode(), a.Encode());
    TPersistent other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST_F(PNGObjectTest, AssignFromABitmapWritesItsPixels)
{
    const int w = 53, h = 37;
    TBitmap bitmap(w, h);
    const auto px = ChartPixels(w, h);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = px[static_cast<std::size_t>(y) * w + x];
            row[4 * x] = std::uint8_t(p);            // blue
            row[4 * x + 1] = std::uint8_t(p >> 8);   // green
            row[4 * x + 2] = std::uint8_t(p >> 16);  // red
        }
    }
    // Painting still in progress must reach the image as well.
    bitmap.Canvas->Brush->SetColor(TColor(0x00336699));  // red 0x99, green 0x66, blue 0x33
    bitmap.Canvas->FillRect(TRect(40, 30, 50, 35));

    TPNGObject png;
    png.SetCompressionLevel(9);
    png.Assign(&bitmap);
    EXPECT_EQ(png.GetCompressionLevel(), 9);
    ASSERT_EQ(png.Width(), w);
    ASSERT_EQ(png.Height(), h);
    const std::string name = Path("bitmap.png");
    png.SaveToFile(name);
    QImage img(QString::fromStdString(name));
    ASSERT_FALSE(img.isNull());
    ASSERT_EQ(img.size(), QSize(w, h));
    img = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool painted = x >= 40 && x < 50 && y >= 30 && y < 35;
            const std::uint32_t want = painted ? 0x996633 : px[static_cast<std::size_t>(y) * w + x] & 0xFFFFFF;
            ASSERT_EQ(img.pixel(x, y) & 0xFFFFFF, want) << x << "," << y;
        }
}

TEST_F(PNGObjectTest, BitmapTooLargeForTheImageIsRefusedAndChangesNothing)
{
    const auto px = ChartPixels(8, 8);
    TPNGObject png;
    png.AssignPixels(8, 8, px.data(), 8);
    const std::vector<std::uint8_t> before = png.Encode();
    TBitmap wide(40000, 1);
    EXPECT_THROW(png.Assign(&wide), EPNGError);
    EXPECT_EQ(png.Width(), 8);
    EXPECT_EQ(png.Encode(), before);
    TBitmap empty;
    png.Assign(&empty);
    EXPECT_TRUE(png.Empty());
}

TEST_F(PNGObjectTest, FileHasTheChunksOfAnRgbImage)
{
    const int w = 97, h = 61;
    const auto px = ChartPixels(w, h);
    TPNGObject png;
    png.AssignPixels(w, h, px.data(), w);
    const auto file = png.Encode();
    const std::uint8_t sig[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(file.size(), 8u);
    EXPECT_TRUE(std::equal(sig, sig + 8, file.begin()));
    const auto chunks = Chunks(file);
    ASSERT_GE(chunks.size(), 3u);
    EXPECT_EQ(chunks.front().Type, "IHDR");
    ASSERT_EQ(chunks.front().Data.size(), 13u);
    EXPECT_EQ(Be32(&chunks.front().Data[0]), 97u);
    EXPECT_EQ(Be32(&chunks.front().Data[4]), 61u);
    EXPECT_EQ(std::vector<int>(chunks.front().Data.begin() + 8, chunks.front().Data.end()),
              (std::vector<int>{8, 2, 0, 0, 0}));
    EXPECT_EQ(chunks.back().Type, "IEND");
    EXPECT_TRUE(chunks.back().Data.empty());
    std::vector<std::uint8_t> idat;
    for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].Type, "IDAT");
        idat.insert(idat.end(), chunks[i].Data.begin(), chunks[i].Data.end());
    }
    std::set<int> filters;
    const auto pixels = Unfilter(Inflate(idat), w, h, filters);
    for (int y = 0; y < h; ++y)
        ASSERT_TRUE(std::equal(pixels.begin() + y * w * 3, pixels.begin() + (y + 1) * w * 3, png.ScanLine(y)))
            << "row " << y;
    // Adaptive filtering picks different filters for different rows.
    EXPECT_GT(filters.size(), 1u);
}

TEST_F(PNGObjectTest, EveryLevelPassesTheCheckerAndDecodesToTheSamePixels)
{
    const int w = 320, h = 200;
    const auto px = ChartPixels(w, h);
    TPNGObject png;
    png.AssignPixels(w, h, px.data(), w);
    std::size_t size0 = 0, size9 = 0;
    for (int level = 0; level <= 9; ++level) {
        png.SetCompressionLevel(level);
        const std::string name = Path("chart" + std::to_string(level) + ".png");
        png.SaveToFile(name);
        EXPECT_EQ(std::system(("pngcheck -q '" + name + "' >/dev/null").c_str()), 0) << "level " << level;
        QImage img(QString::fromStdString(name));
        ASSERT_FALSE(img.isNull()) << "level " << level;
        ASSERT_EQ(img.width(), w);
        ASSERT_EQ(img.height(), h);
        img = img.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(img.pixel(x, y) & 0xFFFFFF, px[y * w + x] & 0xFFFFFF)
                    << "level " << level << " at " << x << "," << y;
        const std::size_t size = fs::file_size(name);
        if (level == 0)
            size0 = size;
        if (level == 9)
            size9 = size;
    }
    EXPECT_GE(size0, static_cast<std::size_t>(w) * h * 3);  // stored, not compressed
    EXPECT_LT(size9, size0 / 4);
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 10);  // no temporaries left
}

TEST_F(PNGObjectTest, SingleRowSingleColumnAndWideImagesAreValid)
{
    for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 50}, std::pair{2000, 1}, std::pair{4000, 40}}) {
        const auto px = ChartPixels(w, std::max(h, 4));
        TPNGObject png;
        png.AssignPixels(w, h, px.data(), w);
        const std::string name = Path("odd.png");
        png.SaveToFile(name);
        EXPECT_EQ(std::system(("pngcheck -q '" + name + "' >/dev/null").c_str()), 0) << w << "x" << h;
        QImage img(QString::fromStdString(name));
        ASSERT_EQ(img.width(), w);
        ASSERT_EQ(img.height(), h);
        EXPECT_EQ(img.pixel(w - 1, h - 1) & 0xFFFFFF, px[(h - 1) * w + w - 1] & 0xFFFFFF);
    }
}

TEST_F(PNGObjectTest, FailedSaveRaisesAndKeepsTheOldFile)
{
    const auto px = ChartPixels(16, 16);
    TPNGObject good;
    good.AssignPixels(16, 16, px.data(), 16);
    const std::string name = Path("keep.png");
    good.SaveToFile(name);
    const auto before = ReadFile(name);

    TPNGObject empty;
    EXPECT_THROW(empty.SaveToFile(name), EPNGError);
    EXPECT_EQ(ReadFile(name), before);

    EXPECT_THROW(good.SaveToFile(Path("missing/dir/x.png")), EPNGError);
    EXPECT_FALSE(fs::exists(Path("missing")));
    // a directory in the way of the target: the rename fails, no temporary stays
    fs::create_directories(Path("taken.png/inner"));
    EXPECT_THROW(good.SaveToFile(Path("taken.png")), EPNGError);
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 2);
}

TEST_F(PNGObjectTest, SavingThroughALinkReplacesTheFileItPointsTo)
{
    const auto px = ChartPixels(16, 16);
    TPNGObject png;
    png.AssignPixels(16, 16, px.data(), 16);
    fs::create_directories(Path("images"));
    fs::create_symlink("images/chart.png", Path("chart.png"));
    png.SaveToFile(Path("chart.png"));
    EXPECT_TRUE(fs::is_symlink(Path("chart.png")));
    const auto bytes = ReadFile(Path("images/chart.png"));
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
}

TEST_F(PNGObjectTest, EachRowFilterIsUndoneByItsPredictor)
{
    std::mt19937 rng(3);
    std::vector<std::uint8_t> prior(30), row(30), out(30);
    for (auto& b : prior)
        b = std::uint8_t(rng());
    for (auto& b : row)
        b = std::uint8_t(rng());
    std::vector<std::uint8_t> raw;
    for (int f = 0; f <= 4; ++f) {
        raw.clear();
        raw.push_back(0);
        raw.insert(raw.end(), prior.begin(), prior.end());
        TPNGRowFilter::Apply(static_cast<TPNGFilter>(f), row.data(), prior.data(), 30, 3, out.data());
        raw.push_back(std::uint8_t(f));
        raw.insert(raw.end(), out.begin(), out.end());
        std::set<int> seen;
        const auto back = Unfilter(raw, 10, 2, seen);
        EXPECT_TRUE(std::equal(row.begin(), row.end(), back.begin() + 30)) << "filter " << f;
    }
}

TEST_F(PNGObjectTest, RowsSuitedToEachFilterGetItAndReadBackThroughQt)
{
    std::mt19937 rng(11);
    for (int level : {1, 6, 9}) {
        TPNGObject png;
        png.SetSize(203, 41);
        FillEveryFilterKind(png, rng);
        png.SetCompressionLevel(level);
        const std::string name = Path("filters" + std::to_string(level) + ".png");
        png.SaveToFile(name);

        const auto raw = RawRows(ReadFile(name));
        const std::size_t rb = 203 * 3;
        ASSERT_EQ(raw.size(), (rb + 1) * 41);
        for (int y = 1; y < 41; ++y)
            EXPECT_EQ(raw[y * (rb + 1)], (y - 1) % 5) << "row " << y << " level " << level;

        QImage img(QString::fromStdString(name));
        ASSERT_FALSE(img.isNull());
        img = img.convertToFormat(QImage::Format_RGB888);
        ASSERT_EQ(img.width(), 203);
        ASSERT_EQ(img.height(), 41);
        for (int y = 0; y < 41; ++y)
            ASSERT_TRUE(std::equal(png.ScanLine(y), png.ScanLine(y) + rb, img.constScanLine(y)))
                << "row " << y << " level " << level;
    }
}

// The filter of every row is the one with the smallest sum, the first of
// equal sums winning: the same choice as other encoders make, and the file
// size depends on it. Widths from below one pixel's lead to long rows.
TEST_F(PNGObjectTest, EachRowGetsTheFilterWithTheSmallestSum)
{
    std::mt19937 rng(5);
    for (int w : {1, 2, 3, 7, 64, 85, 86, 300, 1921}) {
        const int h = 60;
        TPNGObject png;
        png.SetSize(w, h);
        FillEveryFilterKind(png, rng);
        // Blend in damage so that near-ties and mixed rows occur too.
        for (int y = 0; y < h; ++y)
            for (int k = 0; k < w / 8 + 1; ++k)
                png.ScanLine(y)[rng() % (w * 3)] ^= std::uint8_t(rng() % 4 == 0 ? rng() : 1);
        const auto raw = RawRows(png.Encode());
        const std::size_t rb = static_cast<std::size_t>(w) * 3;
        ASSERT_EQ(raw.size(), (rb + 1) * h);
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(raw[y * (rb + 1)], ExpectedFilter(png.ScanLine(y), y ? png.ScanLine(y - 1) : nullptr, rb))
                << "width " << w << " row " << y;
    }
}

}  // namespace
