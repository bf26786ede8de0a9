// Image lists: strips, masks, and greyed drawing of disabled images.
#include <gtest/gtest.h>
#include "GraphicsTestApp.h"
#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "ui/Bitmap.h"
#include "ui/ImageList.h"

namespace {

class ImageLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGraphicsTestApp();
        List.Width = 4;
        List.Height = 4;
        // Two 4x4 images side by side on a fuchsia background: a red dot
        // and a blue dot, each at (1, 1).
        Strip.SetSize(8, 4);
        Strip.Canvas->Brush->Color = clFuchsia;
        Strip.Canvas->FillRect(Rect(0, 0, 8, 4));
        Strip.Canvas->Pixels[1][1] = clRed;
        Strip.Canvas->Pixels[5][1] = clBlue;
        Target.SetSize(10, 10);
    }
    TImageList List;
    TBitmap Strip;
    TBitmap Target;
};

TEST_F(ImageLists, AddMaskedCutsTheStripAndLeavesTheMaskColourOut)
{
    EXPECT_EQ(List.AddMasked(&Strip, clFuchsia), 0);
    EXPECT_EQ(List.Count(), 2);
    List.Draw(Target.Canvas, 2, 3, 1);
    EXPECT_EQ(Target.Canvas->Pixels[3][4], clBlue);
    EXPECT_EQ(Target.Canvas->Pixels[2][3], clWhite);
    EXPECT_EQ(Target.Canvas->Pixels[5][6], clWhite);
    EXPECT_EQ(List.AddMasked(&Strip, clFuchsia), 2);
    EXPECT_EQ(List.Count(), 4);
}

TEST_F(ImageLists, AddWithAMaskBitmapHidesItsWhitePixels)
{
    TBitmap Mask(4, 4);  // white: transparent everywhere but (1, 1) and (2, 1)
    Mask.Canvas->Pixels[1][1] = clBlack;
    Mask.Canvas->Pixels[2][1] = clBlack;
    TBitmap Image(4, 4);
    Image.Canvas->Brush->Color = clGreen;
    Image.Canvas->FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(List.Add(&Image, &Mask), 0);
    EXPECT_EQ(List.Count(), 1);
    List.Draw(Target.Canvas, 0, 0, 0);
    EXPECT_EQ(Target.Canvas->Pixels[1][1], clGreen);
    EXPECT_EQ(Target.Canvas->Pixels[2][1], clGreen);
    EXPECT_EQ(Target.Canvas->Pixels[0][0], clWhite);
    EXPECT_EQ(Target.Canvas->Pixels[3][3], clWhite);
}

TEST_F(ImageLists, DisabledImagesAreEmbossedInHighlightAndShadow)
{
    List.AddMasked(&Strip, clFuchsia);
    Target.Canvas->Brush->Color = clBlack;
    Target.Canvas->FillRect(Rect(0, 0, 10, 10));
    List.Draw(Target.Canvas, 2, 2, 0, false);
    EXPECT_EQ(Target.Canvas->Pixels[3][3], ColorToRGB(clBtnShadow));
    EXPECT_EQ(Target.Canvas->Pixels[4][4], ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Target.Canvas->Pixels[2][2], clBlack);
}

TEST_F(ImageLists, BadIndexDrawsNothingAndResizingEmptiesTheList)
{
    List.AddMasked(&Strip, clFuchsia);
    List.Draw(Target.Canvas, 0, 0, 5);
    List.Draw(Target.Canvas, 0, 0, -1);
    for (int Y = 0; Y < 10; ++Y)
        for (int X = 0; X < 10; ++X)
            ASSERT_EQ(Target.Canvas->GetPixel(X, Y), clWhite);
    EXPECT_THROW(List.Delete(2), EListError);
    List.Delete(0);
    EXPECT_EQ(List.Count(), 1);
    List.Width = 16;
    EXPECT_EQ(List.Count(), 0);
}

TEST_F(ImageLists, GetBitmapShowsTransparentPartsInButtonFace)
{
    List.AddMasked(&Strip, clFuchsia);
    TBitmap Out;
    List.GetBitmap(0, &Out);
    EXPECT_EQ(Out.Width(), 4);
    EXPECT_EQ(Out.Canvas->Pixels[1][1], clRed);
    EXPECT_EQ(Out.Canvas->Pixels[0][0], ColorToRGB(clBtnFace));
}

// The stream data is little-endian whatever the machine: "KIL", version 1,
// width, height and count, then each pixel as ARGB. Data cut short is
// refused with its own message and leaves the list as it was.
TEST_F(ImageLists, StreamDataIsLittleEndianAndShortDataIsRefused)
{
    List.AddMasked(&Strip, clFuchsia);
    TMemoryStream Stream;
    List.WriteData(Stream);
    const std::string Bytes = Stream.Bytes();
    ASSERT_EQ(Bytes.size(), 16u + 2 * 4 * 4 * 4);
    EXPECT_EQ(Bytes.substr(0, 16), std::string("KIL\x01\x04\0\0\0\x04\0\0\0\x02\0\0\0", 16));
    // Pixel (1, 1) of the first image: red, opaque, lowest byte first.
    EXPECT_EQ(Bytes.substr(16 + (1 * 4 + 1) * 4, 4), std::string("\0\0\xff\xff", 4));

    TImageList Copy;
    TMemoryStream Whole(Bytes);
    Copy.ReadData(Whole);
    EXPECT_EQ(Copy.Count(), 2);
    EXPECT_EQ(Copy.Width(), 4);

    for (const std::size_t Cut : {std::size_t(10), Bytes.size() - 1}) {
        TImageList Other;
        TMemoryStream Short(Bytes.substr(0, Cut));
        try {
            Other.ReadData(Short);
            ADD_FAILURE() << "data cut at " << Cut << " was read";
        } catch (const EReadError& E) {
            EXPECT_STREQ(E.what(), "Image list data ends early");
        }
        EXPECT_EQ(Other.Count(), 0);
        EXPECT_EQ(Other.Width(), 16);
    }
}

}  // namespace
