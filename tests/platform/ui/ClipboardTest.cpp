// The clipboard: text, pictures and formats held as bytes.
#include <gtest/gtest.h>

#include "ui/Bitmap.h"
#include "ui/Clipboard.h"

TEST(Clipboard, TextRoundTrip)
{
    Clipboard()->SetAsText("仪表 1.5");
    EXPECT_EQ(Clipboard()->GetAsText(), "仪表 1.5");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
}

TEST(Clipboard, BitmapRoundTripKeepsSizeAndPixels)
{
    TBitmap Picture(30, 20);
    Picture.Canvas->Brush->Color = clBlue;
    Picture.Canvas->FillRect(Rect(0, 0, 30, 20));
    Picture.Canvas->Pixels[3][4] = clRed;
    Clipboard()->Assign(Picture);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    TBitmap Back;
    ASSERT_TRUE(Clipboard()->GetBitmap(Back));
    EXPECT_EQ(Back.GetWidth(), 30);
    EXPECT_EQ(Back.GetHeight(), 20);
    EXPECT_EQ(TColor(Back.Canvas->Pixels[3][4]), clRed);
    EXPECT_EQ(TColor(Back.Canvas->Pixels[10][10]), clBlue);
}

TEST(Clipboard, RegisteredFormatsKeepTheirBytes)
{
    const unsigned Format = RegisterClipboardFormat("Kalvo Plot");
    EXPECT_EQ(RegisterClipboardFormat("Kalvo Plot"), Format);
    EXPECT_NE(RegisterClipboardFormat("Other"), Format);
    const std::string Bytes("\x01\x00\x00\x00 EMF\xff", 10);
    Clipboard()->SetBuffer(Format, Bytes);
    EXPECT_TRUE(Clipboard()->HasFormat(Format));
    EXPECT_EQ(Clipboard()->GetBuffer(Format), Bytes);
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));  // a new copy replaces the old one
}

TEST(Clipboard, OpenAndCloseBracketSeveralFormatsOfOneCopy)
{
    TBitmap Picture(4, 4);
    Clipboard()->Open();
    Clipboard()->SetBuffer(CF_ENHMETAFILE, std::string("EMF-bytes"));
    Clipboard()->Assign(Picture);
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->GetBuffer(CF_ENHMETAFILE), "EMF-bytes");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_ENHMETAFILE));
}
