// BMP and JPEG files, read back by Qt's own image readers.
#include <gtest/gtest.h>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include "GraphicsTestApp.h"
#include "ui/Bitmap.h"
#include "ui/JPEGImage.h"
extern "C" {
#include <jpeglib.h>
}

namespace {

namespace fs = std::filesystem;

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGraphicsTestApp();
        char Template[] = "/tmp/ui-images-XXXXXX";
        ASSERT_NE(mkdtemp(Template), nullptr);
        Dir = Template;
        // Four quadrants in known colours.
        Source.SetSize(64, 48);
        Fill(Rect(0, 0, 32, 24), clRed);
        Fill(Rect(32, 0, 64, 24), clLime);
        Fill(Rect(0, 24, 32, 48), clBlue);
        Fill(Rect(32, 24, 64, 48), RGB(0x40, 0x80, 0xC0));
    }
    void TearDown() override { fs::remove_all(Dir); }
    void Fill(const TRect& R, TColor C)
    {
        Source.Canvas->Brush->Color = C;
        Source.Canvas->FillRect(R);
    }
    static std::string ReadFile(const fs::path& P)
    {
        std::ifstream F(P, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(F), std::istreambuf_iterator<char>());
    }
    static void ExpectNear(const QImage& I, int X, int Y, int R, int G, int B, int Tolerance)
    {
        const QColor C = I.pixelColor(X, Y);
        EXPECT_NEAR(C.red(), R, Tolerance) << X << "," << Y;
        EXPECT_NEAR(C.green(), G, Tolerance) << X << "," << Y;
        EXPECT_NEAR(C.blue(), B, Tolerance) << X << "," << Y;
    }
    fs::path Dir;
    TBitmap Source;
};

TEST_F(ImageFiles, BitmapSavesA24BitBmpThatQtReads)
{
    const fs::path File = Dir / "quadrants.bmp";
    Source.SaveToFile(File.string());
    const std::string Bytes = ReadFile(File);
    ASSERT_EQ(Bytes.size(), 54u + 64 * 3 * 48);
    EXPECT_EQ(Bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(Bytes[28]), 24);
    // Rows are stored bottom-up: the first pixel is the bottom-left (blue).
    EXPECT_EQ(static_cast<unsigned char>(Bytes[54]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(Bytes[56]), 0x00);

    QImage Read(QString::fromStdString(File.string()), "BMP");
    ASSERT_FALSE(Read.isNull());
    EXPECT_EQ(Read.width(), 64);
    EXPECT_EQ(Read.height(), 48);
    ExpectNear(Read, 5, 5, 255, 0, 0, 0);
    ExpectNear(Read, 40, 5, 0, 255, 0, 0);
    ExpectNear(Read, 5, 40, 0, 0, 255, 0);
    ExpectNear(Read, 63, 47, 0x40, 0x80, 0xC0, 0);
}

TEST_F(ImageFiles, Bitmap32BitRoundTripsThroughLoadFromFile)
{
    Source.PixelFormat = pf32bit;
    const fs::path File = Dir / "q32.bmp";
    Source.SaveToFile(File.string());
    EXPECT_EQ(static_cast<unsigned char>(ReadFile(File)[28]), 32);
    TBitmap Loaded;
    Loaded.LoadFromFile(File.string());
    EXPECT_EQ(Loaded.Width(), 64);
    EXPECT_EQ(Loaded.Height(), 48);
    EXPECT_EQ(Loaded.PixelFormat(), pf32bit);
    EXPECT_EQ(Loaded.Canvas->Pixels[40][5], clLime);
    EXPECT_EQ(Loaded.Canvas->Pixels[33][30], RGB(0x40, 0x80, 0xC0));
}

TEST_F(ImageFiles, NotABitmapIsRefused)
{
    std::istringstream Garbage("BMthis is not a bitmap at all, not even close......");
    TBitmap B;
    EXPECT_THROW(B.LoadFromStream(Garbage), EInvalidGraphic);
    EXPECT_EQ(B.Width(), 0);
}

TEST_F(ImageFiles, FailedSaveRaisesAndLeavesNothing)
{
    const fs::path File = Dir / "missing" / "x.bmp";
    EXPECT_THROW(Source.SaveToFile(File.string()), EInOutError);
    EXPECT_FALSE(fs::exists(Dir / "missing"));
}

TEST_F(ImageFiles, SavingThroughALinkReplacesTheFileItPointsTo)
{
    fs::create_directories(Dir / "images");
    fs::create_symlink("images/chart.bmp", Dir / "chart.bmp");
    Source.SaveToFile((Dir / "chart.bmp").string());
    EXPECT_TRUE(fs::is_symlink(Dir / "chart.bmp"));
    EXPECT_EQ(ReadFile(Dir / "images" / "chart.bmp").substr(0, 2), "BM");
}

TEST_F(ImageFiles, ResizingKeepsContentAndFillsNewAreaWhite)
{
    Source.SetSize(80, 50);
    EXPECT_EQ(Source.Canvas->Pixels[5][5], clRed);
    EXPECT_EQ(Source.Canvas->Pixels[70][5], clWhite);
    EXPECT_EQ(Source.Canvas->Pixels[5][49], clWhite);
    std::uint8_t* Row = Source.ScanLine(0);
    EXPECT_EQ(Row[2], 0xFF);  // red, stored blue-green-red
    EXPECT_EQ(Row[0], 0x00);
    EXPECT_THROW(Source.ScanLine(50), EInvalidGraphicOperation);
    // A size that cannot be allocated is refused, not silently emptied.
    EXPECT_THROW(Source.SetSize(1 << 20, 1 << 20), EInvalidGraphicOperation);
    EXPECT_EQ(Source.Width(), 80);
    EXPECT_EQ(Source.Canvas->Pixels[5][5], clRed);
}

TEST_F(ImageFiles, JpegFromBitmapDecodesToItsSizeAndColours)
{
    TJPEGImage Jpeg;
    Jpeg.CompressionQuality = 95;
    Jpeg.Assign(&Source);
    EXPECT_EQ(Jpeg.Width(), 64);
    EXPECT_EQ(Jpeg.Height(), 48);
    const fs::path File = Dir / "quadrants.jpg";
    Jpeg.SaveToFile(File.string());
    const std::string Bytes = ReadFile(File);
    ASSERT_GT(Bytes.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(Bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(Bytes[1]), 0xD8);

    QImage Read(QString::fromStdString(File.string()), "JPEG");
    ASSERT_FALSE(Read.isNull());
    EXPECT_EQ(Read.width(), 64);
    EXPECT_EQ(Read.height(), 48);
    ExpectNear(Read, 8, 8, 255, 0, 0, 12);
    ExpectNear(Read, 48, 8, 0, 255, 0, 12);
    ExpectNear(Read, 8, 40, 0, 0, 255, 12);
    ExpectNear(Read, 48, 40, 0x40, 0x80, 0xC0, 12);
}

// An assigned copy shares the picture until one side changes it; a change
// on either side, by canvas or by row, never shows on the other.
TEST_F(ImageFiles, AnAssignedBitmapIsIndependentOfItsSource)
{
    auto Pixel = [](TBitmap& B, int X, int Y) {
        return reinterpret_cast<const std::uint32_t*>(B.ScanLine(Y))[X] & 0xFFFFFF;
    };
    TBitmap Copy;
    Copy.Assign(&Source);
    Copy.Canvas->Brush->Color = clYellow;
    Copy.Canvas->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(Pixel(Source, 5, 5), 0xFF0000u) << "the source keeps its red";
    EXPECT_EQ(Pixel(Copy, 5, 5), 0xFFFF00u);

    TBitmap Second;
    Second.Assign(&Source);
    Fill(Rect(0, 0, 10, 10), clBlack);
    EXPECT_EQ(Pixel(Second, 5, 5), 0xFF0000u) << "drawing on the source after the copy";

    TBitmap Third;
    Third.Assign(&Source);
    reinterpret_cast<std::uint32_t*>(Third.ScanLine(40))[40] = 0xFF123456;
    EXPECT_EQ(Pixel(Source, 40, 40), 0x4080C0u) << "a row written in the copy";
    reinterpret_cast<std::uint32_t*>(Source.ScanLine(41))[41] = 0xFF654321;
    EXPECT_EQ(Pixel(Third, 41, 41), 0x4080C0u) << "a row written in the source";
}

// Every pixel of a 5 x 3 picture (odd width: rows padded to 4 bytes), with
// the exact bytes a BMP reader expects, for both depths.
TEST_F(ImageFiles, BitmapRowsAreWrittenBottomUpWithTheirPadding)
{
    TBitmap B;
    B.SetSize(5, 3);
    for (int Y = 0; Y < 3; ++Y) {
        auto* Row = reinterpret_cast<std::uint32_t*>(B.ScanLine(Y));
        for (int X = 0; X < 5; ++X)
            Row[X] = 0xFF000000u | static_cast<std::uint32_t>((X * 40) << 16 | (Y * 90) << 8 | (X + Y * 5));
    }
    std::ostringstream Out24;
    B.SaveToStream(Out24);
    const std::string Bytes24 = Out24.str();
    ASSERT_EQ(Bytes24.size(), 54u + 16 * 3);
    for (int Y = 0; Y < 3; ++Y) {
        const std::size_t Row = 54 + static_cast<std::size_t>(2 - Y) * 16;
        for (int X = 0; X < 5; ++X) {
            EXPECT_EQ(static_cast<unsigned char>(Bytes24[Row + X * 3]), X + Y * 5) << X << "," << Y;
            EXPECT_EQ(static_cast<unsigned char>(Bytes24[Row + X * 3 + 1]), Y * 90) << X << "," << Y;
            EXPECT_EQ(static_cast<unsigned char>(Bytes24[Row + X * 3 + 2]), X * 40) << X << "," << Y;
        }
        EXPECT_EQ(Bytes24[Row + 15], '\0');
    }
    B.PixelFormat = pf32bit;
    std::ostringstream Out32;
    B.SaveToStream(Out32);
    const std::string Bytes32 = Out32.str();
    ASSERT_EQ(Bytes32.size(), 54u + 20 * 3);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 5; ++X) {
            const std::size_t At = 54 + static_cast<std::size_t>(2 - Y) * 20 + X * 4;
            EXPECT_EQ(static_cast<unsigned char>(Bytes32[At]), X + Y * 5);
            EXPECT_EQ(static_cast<unsigned char>(Bytes32[At + 2]), X * 40);
            EXPECT_EQ(static_cast<unsigned char>(Bytes32[At + 3]), 0xFF);
        }
}

// The file is exactly what the JPEG library makes from the picture's plain
// red-green-blue rows at the same settings: no channel swapped, no row
// shifted, alpha ignored.
TEST_F(ImageFiles, JpegIsTheLibrarysOwnEncodingOfThePicture)
{
    TBitmap B;
    B.SetSize(37, 23);
    std::vector<unsigned char> Rgb;
    std::uint32_t Seed = 7;
    for (int Y = 0; Y < 23; ++Y) {
        auto* Row = reinterpret_cast<std::uint32_t*>(B.ScanLine(Y));
        for (int X = 0; X < 37; ++X) {
            Seed = Seed * 1103515245u + 12345u;
            const unsigned R = (Seed >> 8) & 0xFF, G = (X * 7) & 0xFF, Bl = (Y * 11) & 0xFF;
            Row[X] = 0xFF000000u | R << 16 | G << 8 | Bl;
            Rgb.insert(Rgb.end(),
                       {static_cast<unsigned char>(R), static_cast<unsigned char>(G), static_cast<unsigned char>(Bl)});
        }
    }
    TJPEGImage Jpeg;
    Jpeg.CompressionQuality = 90;
    Jpeg.Assign(&B);
    std::ostringstream Ours;
    Jpeg.SaveToStream(Ours);

    jpeg_compress_struct Info;
    jpeg_error_mgr Errors;
    Info.err = jpeg_std_error(&Errors);
    jpeg_create_compress(&Info);
    unsigned char* Memory = nullptr;
    unsigned long Size = 0;
    jpeg_mem_dest(&Info, &Memory, &Size);
    Info.image_width = 37;
    Info.image_height = 23;
    Info.input_components = 3;
    Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, 90, TRUE);
    Info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&Info, TRUE);
    while (Info.next_scanline < Info.image_height) {
        JSAMPROW Row = Rgb.data() + static_cast<std::size_t>(Info.next_scanline) * 37 * 3;
        jpeg_write_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    const std::string Theirs(reinterpret_cast<const char*>(Memory), Size);
    std::free(Memory);
    EXPECT_EQ(Ours.str(), Theirs);
}

TEST_F(ImageFiles, JpegQualityOutsideOneToHundredIsRefused)
{
    TJPEGImage Jpeg;
    Jpeg.CompressionQuality = 40;
    EXPECT_THROW(Jpeg.CompressionQuality = 0, EJPEG);
    EXPECT_THROW(Jpeg.CompressionQuality = 101, EJPEG);
    EXPECT_EQ(Jpeg.CompressionQuality(), 40);
    Jpeg.CompressionQuality = 1;
    Jpeg.CompressionQuality = 100;
    EXPECT_EQ(Jpeg.CompressionQuality(), 100);
    EXPECT_THROW(Jpeg.Width = 10, EInvalidGraphicOperation);
}

TEST_F(ImageFiles, JpegSettingsShowInTheFile)
{
    // A noisy picture so that quality changes the size.
    TBitmap Noise(64, 64);
    unsigned Seed = 12345;
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 64; ++X) {
            Seed = Seed * 1103515245u + 12345u;
            Noise.Canvas->Pixels[X][Y] = TColor((Seed >> 8) & 0xFFFFFF);
        }
    TJPEGImage Jpeg;
    Jpeg.Assign(&Noise);
    auto Encoded = [&] {
        std::ostringstream Out;
        Jpeg.SaveToStream(Out);
        return Out.str();
    };
    Jpeg.CompressionQuality = 10;
    const std::string Low = Encoded();
    Jpeg.CompressionQuality = 100;
    const std::string High = Encoded();
    EXPECT_LT(Low.size(), High.size());
    const std::string Baseline("\xFF\xC0", 2), Progressive("\xFF\xC2", 2);
    EXPECT_NE(High.find(Baseline), std::string::npos);
    EXPECT_EQ(High.find(Progressive), std::string::npos);
    Jpeg.ProgressiveEncoding = true;
    const std::string Prog = Encoded();
    EXPECT_NE(Prog.find(Progressive), std::string::npos);
    Jpeg.Grayscale = true;
    const std::string Grey = Encoded();
    QImage Read;
    ASSERT_TRUE(Read.loadFromData(reinterpret_cast<const uchar*>(Grey.data()), static_cast<int>(Grey.size()), "JPEG"));
    EXPECT_TRUE(Read.isGrayscale());
}

TEST_F(ImageFiles, EmptyJpegCannotBeSaved)
{
    TJPEGImage Jpeg;
    std::ostringstream Out;
    EXPECT_THROW(Jpeg.SaveToStream(Out), EJPEG);
    EXPECT_TRUE(Out.str().empty());
}

}  // namespace
