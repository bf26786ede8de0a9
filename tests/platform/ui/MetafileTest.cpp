// Enhanced metafiles: the EMF bytes walked by a small reader, and playback
// of the recording onto other canvases.
#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <sstream>
#include "EmfReaderSupport.h"
#include "GraphicsTestApp.h"
#include "ui/Bitmap.h"
#include "ui/Metafile.h"
#include "ui/MetafileCanvas.h"

namespace {

std::string Save(const TMetafile& Mf)
{
    std::ostringstream Out;
    Mf.SaveToStream(Out);
    return Out.str();
}

class Metafiles : public ::testing::Test {
protected:
    void SetUp() override { EnsureGraphicsTestApp(); }
};

TEST_F(Metafiles, HeaderBoundsAndRecordsDescribeTheDrawing)
{
    TMetafile Mf;
    Mf.Width = 100;
    Mf.Height = 80;
    int HiWidth = 0, HiHeight = 0;
    {
        TMetafileCanvas C(&Mf, nullptr, "Ombrix", "kPlot");
        C.Pen->Color = clRed;
        C.Brush->Color = clYellow;
        C.Rectangle(10, 12, 50, 40);
        C.MoveTo(5, 5);
        C.LineTo(30, 5);
        C.Pen->Width = 3;
        C.Polyline({Point(60, 10), Point(70, 20), Point(80, 10)});
        C.Pen->Width = 1;
        C.Pen->Style = psDot;
        C.Brush->Color = clLime;
        C.MoveTo(5, 45);
        C.LineTo(15, 45);
        C.Brush->Style = bsClear;
        C.Font->Height = -12;
        C.TextOut(20, 50, "Hi");
        HiWidth = C.TextWidth("Hi");
        HiHeight = C.TextHeight("Hi");
        C.SetClipRect(Rect(0, 0, 90, 70));
        C.RemoveClipRect();
    }
    const std::string Bytes = Save(Mf);
    const auto Records = Walk(Bytes);
    ASSERT_GE(Records.size(), 10u);

    const TEmfRecord& H = Records.front();
    ASSERT_EQ(H.Type, HEADER);
    EXPECT_EQ(H.U32(40), 0x464D4520u);  // " EMF"
    EXPECT_EQ(H.U32(44), 0x10000u);
    EXPECT_EQ(H.U32(48), Bytes.size());
    EXPECT_EQ(H.U32(52), Records.size());
    const unsigned Handles = H.U32(56) & 0xFFFF;
    // Bounds in pixels (inclusive), from the line at (5, 5) to the wide
    // polyline's end and the text cell's bottom.
    EXPECT_EQ(H.RectAt(8), Rect(5, 5, 81, 50 + HiHeight - 1));
    // Frame in hundredths of a millimetre at 96 pixels per inch.
    EXPECT_EQ(H.RectAt(24), Rect(0, 0, 2646, 2117));
    const std::u16string Description = H.Utf16At(H.U32(64), H.U32(60));
    EXPECT_EQ(Description, std::u16string(u"Ombrix\0kPlot\0\0", 14));
    EXPECT_EQ(H.I32(72), 1920);  // reference device in pixels and millimetres
    EXPECT_EQ(H.I32(80), 508);

    const TEmfRecord& Last = Records.back();
    EXPECT_EQ(Last.Type, EOF_);
    EXPECT_EQ(Last.Data.size(), 20u);

    // Objects: created before selected, never deleted while selected.
    std::map<std::uint32_t, std::uint32_t> Created;   // handle -> kind
    std::map<std::uint32_t, std::uint32_t> Selected;  // kind -> handle
    std::map<std::uint32_t, std::string> ObjectOf;    // handle -> creation record
    std::vector<std::uint32_t> Order;
    bool SawRectangle = false, SawLine = false, SawPolyline = false, SawText = false, SawClip = false;
    std::uint32_t BkMode = 0, BkColor = 0;
    for (std::size_t I = 1; I + 1 < Records.size(); ++I) {
        const TEmfRecord& R = Records[I];
        switch (R.Type) {
        case CREATEPEN:
        case CREATEBRUSH:
        case CREATEFONT:
            EXPECT_LT(R.U32(8), Handles);
            EXPECT_EQ(Created.count(R.U32(8)), 0u) << "handle in use";
            Created[R.U32(8)] = R.Type;
            ObjectOf[R.U32(8)] = R.Data;
            break;
        case SELECTOBJECT:
            ASSERT_EQ(Created.count(R.U32(8)), 1u) << "selecting an object never created";
            Selected[Created[R.U32(8)]] = R.U32(8);
            break;
        case DELETEOBJECT:
            ASSERT_EQ(Created.count(R.U32(8)), 1u);
            EXPECT_NE(Selected[Created[R.U32(8)]], R.U32(8)) << "deleting the selected object";
            Created.erase(R.U32(8));
            break;
        case SETBKMODE: BkMode = R.U32(8); break;
        case SETBKCOLOR: BkColor = R.U32(8); break;
        case RECTANGLE: {
            SawRectangle = true;
            EXPECT_EQ(R.RectAt(8), Rect(10, 12, 50, 40));
            TEmfRecord Pen{CREATEPEN, ObjectOf[Selected[CREATEPEN]]};
            EXPECT_EQ(Pen.U32(12), 0u);         // solid
            EXPECT_EQ(Pen.I32(16), 1);          // width
            EXPECT_EQ(Pen.U32(24), 0x0000FFu);  // red
            TEmfRecord Brush{CREATEBRUSH, ObjectOf[Selected[CREATEBRUSH]]};
            EXPECT_EQ(Brush.U32(12), 0u);         // solid
            EXPECT_EQ(Brush.U32(16), 0x00FFFFu);  // yellow
            break;
        }
        case LINETO:
            if (R.I32(8) == 15) {
                // Dotted: its gaps take the solid brush's colour.
                EXPECT_EQ(BkMode, 2u);
                EXPECT_EQ(BkColor, 0x00FF00u);
                break;
            }
            SawLine = true;
            EXPECT_EQ(R.I32(8), 30);
            EXPECT_EQ(R.I32(12), 5);
            ASSERT_GT(I, 0u);
            EXPECT_TRUE(std::find(Order.begin(), Order.end(), MOVETOEX) != Order.end());
            break;
        case POLYLINE16: {
            SawPolyline = true;
            EXPECT_EQ(R.RectAt(8), Rect(59, 9, 81, 21));
            ASSERT_EQ(R.U32(24), 3u);
            EXPECT_EQ(R.I16(28), 60);
            EXPECT_EQ(R.I16(30), 10);
            EXPECT_EQ(R.I16(36), 80);
            TEmfRecord Pen{CREATEPEN, ObjectOf[Selected[CREATEPEN]]};
            EXPECT_EQ(Pen.I32(16), 3);
            break;
        }
        case EXTTEXTOUTW: {
            SawText = true;
            EXPECT_EQ(BkMode, 1u);  // transparent: the brush was clear
            EXPECT_EQ(R.I32(36), 20);
            EXPECT_EQ(R.I32(40), 50);
            ASSERT_EQ(R.U32(44), 2u);
            EXPECT_EQ(R.Utf16At(R.U32(48), 2), u"Hi");
            const std::uint32_t Dx = R.U32(72);
            EXPECT_EQ(R.I32(Dx) + R.I32(Dx + 4), HiWidth);
            TEmfRecord Font{CREATEFONT, ObjectOf[Selected[CREATEFONT]]};
            EXPECT_EQ(Font.I32(12), -12);
            break;
        }
        case INTERSECTCLIPRECT:
            SawClip = true;
            EXPECT_EQ(Order.back(), EXTSELECTCLIPRGN);
            EXPECT_EQ(R.RectAt(8), Rect(0, 0, 90, 70));
            break;
        default: break;
        }
        Order.push_back(R.Type);
    }
    EXPECT_TRUE(SawRectangle && SawLine && SawPolyline && SawText && SawClip);
    EXPECT_EQ(Order.back(), EXTSELECTCLIPRGN);  // the clip removed again
}

// A hatch given a colour for its gaps fills them in the file (opaque
// background in that colour) and when played back; one without leaves
// them see-through, and text over a hatch stays transparent either way.
TEST_F(Metafiles, AHatchsGapColourFillsItsGapsInTheFileAndOnPlayback)
{
    TMetafile Mf;
    Mf.Width = 100;
    Mf.Height = 60;
    {
        TMetafileCanvas C(&Mf, nullptr, "", "");
        C.Pen->Style = psClear;
        C.Brush->Color = clRed;
        C.Brush->Style = bsDiagCross;
        C.Brush->SetHatchBackColor(clNavy);
        C.Rectangle(0, 0, 50, 60);
        C.TextOut(5, 5, "Hi");
        C.Brush->SetHatchBackColor(clNone);
        C.Rectangle(50, 0, 100, 60);
    }
    std::vector<std::uint32_t> Modes, Colours;
    std::uint32_t BkMode = 0, BkColor = 0;
    for (const TEmfRecord& R : Walk(Save(Mf))) {
        if (R.Type == SETBKMODE)
            BkMode = R.U32(8);
        else if (R.Type == SETBKCOLOR)
            BkColor = R.U32(8);
        else if (R.Type == RECTANGLE || R.Type == EXTTEXTOUTW) {
            Modes.push_back(BkMode);
            Colours.push_back(BkColor);
        }
    }
    EXPECT_EQ(Modes, (std::vector<std::uint32_t>{2, 1, 1}));  // opaque, transparent text, see-through
    ASSERT_EQ(Colours.size(), 3u);
    EXPECT_EQ(Colours[0], 0x800000u);  // navy

    TBitmap B(100, 60);
    B.Canvas->Brush->Color = clLime;
    B.Canvas->FillRect(Rect(0, 0, 100, 60));
    B.Canvas->Draw(0, 0, &Mf);
    std::map<TColor, int> Left, Right;
    // Without a pen a rectangle leaves out its last column and row.
    for (int Y = 20; Y < 59; ++Y)
        for (int X = 0; X < 49; ++X) {
            ++Left[B.Canvas->Pixels[X][Y]];
            ++Right[B.Canvas->Pixels[X + 50][Y]];
        }
    EXPECT_EQ(Left[clLime], 0);
    EXPECT_GT(Left[clNavy], 100);
    EXPECT_GT(Left[clRed], 100);
    EXPECT_GT(Right[clLime], 100);
    EXPECT_EQ(Right[clNavy], 0);
}

// The same drawing, straight onto a bitmap and through a metafile.
void Scene(TCanvas* C)
{
    C->Pen->Color = clBlack;
    C->Pen->Width = 1;
    C->Brush->Color = clYellow;
    C->Font->Height = -13;
    C->Font->Color = clNavy;
    C->Rectangle(5, 5, 40, 30);
    C->Brush->Color = clAqua;
    C->Ellipse(45, 5, 90, 35);
    C->Pen->Color = clRed;
    C->Polygon({Point(10, 40), Point(40, 40), Point(25, 70)});
    C->MoveTo(50, 40);
    C->LineTo(95, 75);
    C->Brush->Color = clGreen;
    C->FrameRect(Rect(60, 60, 80, 75));
    C->Brush->Style = bsClear;
    C->TextOut(45, 40, "Ab");
    C->SetClipRect(Rect(0, 0, 20, 80));
    C->Brush->Color = clMaroon;
    C->FillRect(Rect(0, 72, 50, 80));
    C->RemoveClipRect();
    C->Pixels[99][0] = clFuchsia;
}

TEST_F(Metafiles, PlaybackDrawsWhatWasRecorded)
{
    TBitmap Direct(100, 80);
    Scene(Direct.Canvas);

    TMetafile Mf;
    Mf.Width = 100;
    Mf.Height = 80;
    {
        TMetafileCanvas C(&Mf, Direct.Canvas);
        Scene(&C);
    }
    TBitmap Played(100, 80);
    Played.Canvas->Draw(0, 0, &Mf);

    int Differences = 0;
    for (int Y = 0; Y < 80; ++Y)
        for (int X = 0; X < 100; ++X)
            if (Direct.Canvas->GetPixel(X, Y) != Played.Canvas->GetPixel(X, Y))
                ++Differences;
    EXPECT_EQ(Differences, 0);
    EXPECT_EQ(Played.Canvas->Pixels[10][75], clMaroon);
    EXPECT_EQ(Played.Canvas->Pixels[30][75], clWhite);
    // The target canvas gets its own tools back.
    EXPECT_EQ(Played.Canvas->Brush->Color(), clWhite);
    EXPECT_FALSE(Played.Canvas->HasClipRect());
}

TEST_F(Metafiles, StretchedPlaybackScalesCoordinates)
{
    TMetafile Mf;
    Mf.Width = 50;
    Mf.Height = 40;
    {
        TMetafileCanvas C(&Mf, nullptr);
        C.Brush->Color = clRed;
        C.FillRect(Rect(10, 10, 20, 20));
    }
    TBitmap Target(100, 80);
    Target.Canvas->StretchDraw(Rect(0, 0, 100, 80), &Mf);
    EXPECT_EQ(Target.Canvas->Pixels[20][20], clRed);
    EXPECT_EQ(Target.Canvas->Pixels[39][39], clRed);
    EXPECT_EQ(Target.Canvas->Pixels[40][40], clWhite);
    EXPECT_EQ(Target.Canvas->Pixels[19][19], clWhite);
}

TEST_F(Metafiles, StretchedPlaybackScalesPensButNotTheCosmeticOne)
{
    TMetafile Mf;
    Mf.Width = 20;
    Mf.Height = 20;
    {
        TMetafileCanvas C(&Mf, nullptr);
        C.Pen->Width = 1;
        C.MoveTo(0, 5);
        C.LineTo(20, 5);
        C.Pen->Width = 0;
        C.MoveTo(0, 15);
        C.LineTo(20, 15);
    }
    TRecordingCanvas Target;
    Target.StretchDraw(Rect(0, 0, 80, 80), &Mf);
    std::vector<int> Widths;
    for (const TCanvasRecord& R : Target.Records)
        if (R.Op == TCanvasOp::LineTo)
            Widths.push_back(R.Pen.Width);
    EXPECT_EQ(Widths, (std::vector<int>{4, 0}));
}

TEST_F(Metafiles, UnsizedMetafileTakesTheDrawnExtent)
{
    TMetafile Mf;
    {
        TMetafileCanvas C(&Mf, nullptr);
        C.Rectangle(2, 3, 30, 20);
        C.MoveTo(0, 0);
        C.LineTo(10, 25);
    }
    EXPECT_EQ(Mf.Width(), 30);
    EXPECT_EQ(Mf.Height(), 26);
    EXPECT_EQ(Mf.MMWidth(), 794);  // 30 pixels at 96 per inch
}

TEST_F(Metafiles, BitmapsBecomeDeviceIndependentBitmapRecords)
{
    TBitmap Picture(3, 2);
    Picture.Canvas->Pixels[0][0] = clRed;
    Picture.Canvas->Pixels[2][1] = clBlue;
    TMetafile Mf;
    Mf.Width = 20;
    Mf.Height = 20;
    {
        TMetafileCanvas C(&Mf, nullptr);
        C.StretchDraw(Rect(4, 5, 10, 9), &Picture);
    }
    const auto Records = Walk(Save(Mf));
    auto It = std::find_if(Records.begin(), Records.end(), [](const TEmfRecord& R) { return R.Type == STRETCHDIBITS; });
    ASSERT_NE(It, Records.end());
    const TEmfRecord& R = *It;
    EXPECT_EQ(R.I32(24), 4);  // destination x, y
    EXPECT_EQ(R.I32(28), 5);
    EXPECT_EQ(R.I32(40), 3);  // source size
    EXPECT_EQ(R.I32(44), 2);
    EXPECT_EQ(R.I32(72), 6);  // destination size
    EXPECT_EQ(R.I32(76), 4);
    const std::uint32_t Bmi = R.U32(48);
    EXPECT_EQ(R.I32(Bmi + 4), 3);  // BITMAPINFOHEADER width, height, 24 bits
    EXPECT_EQ(R.I32(Bmi + 8), 2);
    EXPECT_EQ(R.U32(Bmi + 12) >> 16, 24u);
    const std::uint32_t Bits = R.U32(56);
    // Bottom-up rows of 12 bytes: the first row holds (2, 1) in blue last.
    EXPECT_EQ(static_cast<unsigned char>(R.Data[Bits + 6]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(R.Data[Bits + 8]), 0x00);
    EXPECT_EQ(static_cast<unsigned char>(R.Data[Bits + 12 + 2]), 0xFF);  // (0, 0) red

    TBitmap Played(20, 20);
    Played.Canvas->Draw(0, 0, &Mf);
    EXPECT_EQ(Played.Canvas->Pixels[4][5], clRed);
    EXPECT_EQ(Played.Canvas->Pixels[9][8], clBlue);
    EXPECT_EQ(Played.Canvas->Pixels[10][8], clWhite);
}

TEST_F(Metafiles, RecordingCanvasKeepsCallsWithTheirTools)
{
    TRecordingCanvas C(TSize(200, 100));
    C.Pen->Color = clRed;
    C.Pen->Width = 2;
    C.Brush->Style = bsClear;
    C.MoveTo(1, 2);
    C.LineTo(3, 4);
    C.Font->Orientation = 900;
    C.TextOut(7, 8, "up");
    ASSERT_EQ(C.Records.size(), 3u);
    EXPECT_STREQ(C.Records[1].Name(), "LineTo");
    EXPECT_EQ(C.Records[1].Args, (std::vector<int>{3, 4}));
    EXPECT_EQ(C.Records[1].Points, (std::vector<TPoint>{Point(1, 2)}));
    EXPECT_EQ(C.Records[1].Pen, (TPenData{clRed, 2, psSolid, pmCopy}));
    EXPECT_EQ(C.Records[2].Text, "up");
    EXPECT_EQ(C.Records[2].Font.Orientation, 900);
    EXPECT_EQ(C.Records[2].Brush.Style, bsClear);
    EXPECT_EQ(C.ClipRect(), Rect(0, 0, 200, 100));

    // A metafile drawn onto a recording canvas arrives as its calls, moved.
    TMetafile Mf;
    Mf.Width = 10;
    Mf.Height = 10;
    {
        TMetafileCanvas M(&Mf, nullptr);
        M.Rectangle(1, 1, 5, 5);
    }
    TRecordingCanvas Target;
    Target.Draw(100, 50, &Mf);
    ASSERT_FALSE(Target.Records.empty());
    auto It = std::find_if(Target.Records.begin(), Target.Records.end(),
                           [](const TCanvasRecord& R) { return R.Op == TCanvasOp::Rectangle; });
    ASSERT_NE(It, Target.Records.end());
    EXPECT_EQ(It->Args, (std::vector<int>{101, 51, 105, 55}));
}

TEST_F(Metafiles, AssignCopiesTheRecordingAndBitmapsRenderIt)
{
    TMetafile Mf;
    Mf.Width = 8;
    Mf.Height = 6;
    {
        TMetafileCanvas C(&Mf, nullptr, "me", "");
        C.Brush->Color = clBlue;
        C.FillRect(Rect(0, 0, 4, 6));
    }
    TMetafile Copy;
    Copy.Assign(&Mf);
    EXPECT_EQ(Save(Copy), Save(Mf));
    TBitmap Bmp;
    Bmp.Assign(&Copy);
    EXPECT_EQ(Bmp.Width(), 8);
    EXPECT_EQ(Bmp.Canvas->Pixels[3][5], clBlue);
    EXPECT_EQ(Bmp.Canvas->Pixels[4][5], clWhite);
}

// A bitmap drawn with a transparent colour lets through what lies beneath:
// its record blends it, the transparent pixels without effect, and a
// mirrored place is drawn from mirrored pixels.
TEST_F(Metafiles, ATransparentBitmapBlendsOverWhatIsDrawn)
{
    TBitmap Picture(3, 2);
    Picture.Canvas->Brush->Color = clTeal;
    Picture.Canvas->FillRect(Rect(0, 0, 3, 2));
    Picture.Canvas->Pixels[0][0] = clRed;
    Picture.SetTransparentColor(clTeal);
    Picture.SetTransparent(true);
    TMetafile Mf;
    Mf.Width = 20;
    Mf.Height = 20;
    {
        TMetafileCanvas C(&Mf, nullptr);
        C.StretchDraw(Rect(4, 5, 7, 7), &Picture);
        C.StretchDraw(Rect(13, 5, 10, 7), &Picture);  // mirrored left to right
    }
    std::vector<TEmfPicture> Pictures;
    for (const TEmfRecord& R : Walk(Save(Mf))) {
        TEmfPicture P;
        if (ReadPicture(R, P)) {
            EXPECT_EQ(R.Type, ALPHABLEND);
            Pictures.push_back(P);
        }
    }
    ASSERT_EQ(Pictures.size(), 2u);
    EXPECT_EQ(Pictures[0].Dest, Rect(4, 5, 7, 7));
    EXPECT_EQ(Pictures[0].Pixels, (std::vector<std::uint32_t>{0xFFFF0000u, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Pictures[1].Dest, Rect(10, 5, 13, 7));
    EXPECT_EQ(Pictures[1].Pixels, (std::vector<std::uint32_t>{0, 0, 0xFFFF0000u, 0, 0, 0}));
}

}  // namespace
