#include "plot/core/kComponent.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "plot/core/kGPFunctions.h"
#include "plot/core/kUpdateObject.h"
#include "rtl/Exception.h"
#include "rtl/StringList.h"
#include "ui/Bitmap.h"

namespace fs = std::filesystem;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "kComponentTest";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A component that fills itself in one colour, or fails when told to.
class TTestComponent : public TkComponent {
public:
    explicit TTestComponent(TComponent* AOwner) : TkComponent(AOwner) {}

    bool TimerActive() const override { return false; }
    void StartTimer(int, int) override {}
    void StopTimer() override {}
    void Lock() override { ++LockDepth, ++Locks; }
    void Unlock() override { --LockDepth; }
    void PaintToCanvas(TCanvas* ACanvas) override
    {
        ++Paints;
        EXPECT_GT(LockDepth, 0);
        if (!FailWith.empty())
            throw Exception(FailWith);
        if (LeaveToTheCanvas) {
            // Leans on what a new canvas starts with: pen, brush, font,
            // pen position, no clip and a white picture.
            ACanvas->LineTo(20, 20);
            ACanvas->Rectangle(30, 5, 50, 30);
            ACanvas->TextOut(2, 22, "Ag");
            return;
        }
        ACanvas->Brush->SetColor(Fill);
        ACanvas->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
    void HandleMouseDown(TMouseButton, TShiftState, int X, int) override
    {
        SawUserInput = GetUserInput();
        if (X == 13)
            throw Exception("mouse failed");
    }
    void SimulateMouseDown(int X) { MouseDown(mbLeft, 0, X, 5); }

    int GetLevel() const { return Level; }
    void SetLevel(int Value) { SetIntegerField(Level, Value, 0); }

    int Level = 3;
    int LockDepth = 0;
    int Locks = 0;
    int Paints = 0;
    bool SawUserInput = false;
    bool LeaveToTheCanvas = false;
    TColor Fill = clRed;
    std::string FailWith;
};

const bool Registered = [] {
    RegisterPublishedClass<TTestComponent, TkComponent>(
        "TTestComponent", TPropertyListBuilder<TTestComponent>()
                              .Integer(
                                  "Level", [](const TTestComponent& c) { return c.GetLevel(); },
                                  [](TTestComponent& c, std::int64_t v) { c.SetLevel(int(v)); }, 3)
                              .Take());
    return true;
}();

class kComponentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App(); }
    void SetUp() override
    {
        (void)Registered;
        TkUpdateObject::SetClock([this] { return Clock; });
        C = std::make_unique<TTestComponent>(nullptr);
        C->SetBounds(0, 0, 60, 40);
        Dir = fs::temp_directory_path() / ("kcomp_" + std::to_string(::getpid()));
        fs::create_directories(Dir);
    }
    void TearDown() override
    {
        C.reset();
        TkUpdateObject::SetClock(nullptr);
        fs::remove_all(Dir);
    }
    std::string Path(const std::string& n) const { return (Dir / n).string(); }

    double Clock = 1000.0;
    std::unique_ptr<TTestComponent> C;
    fs::path Dir;
};

TEST_F(kComponentTest, DefaultsAndCentrePoint)
{
    EXPECT_EQ(C->GetUpdateFrameRate(), 60);
    EXPECT_FALSE(C->GetAutoFrameRate());
    EXPECT_EQ(C->GetBackGroundColor(), clBtnFace);
    EXPECT_EQ(C->GetBorderStyle(), kbsNone);
    EXPECT_EQ(C->GetErrorText(), "Error");
    EXPECT_EQ(C->GetErrorFont()->GetColor(), clRed);
    EXPECT_TRUE(C->GetErrorFont()->GetStyle().Contains(fsBold));
    EXPECT_TRUE(C->GetBackGroundChanged());
    C->SetBounds(0, 0, 101, 51);
    EXPECT_EQ(C->GetCenterPoint(), Point(50, 25));
}

TEST_F(kComponentTest, RepaintsAreImmediateWithoutFrameRateLimit)
{
    Clock = 1001.0;
    C->InvalidateChange();
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1001.0);
}

TEST_F(kComponentTest, HeldUpdatesPaintOnceAtEndUpdate)
{
    C->BeginUpdate();
    EXPECT_TRUE(C->UpdateSkip());
    Clock = 1002.0;
    C->InvalidateChange();
    C->BackGroundChange();
    EXPECT_TRUE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1000.0);
    TkUpdateObject::Instance().Tick();  // the service skips a component holding updates
    EXPECT_TRUE(C->UpdatePending());
    C->EndUpdate();
    EXPECT_FALSE(C->UpdateSkip());
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1002.0);
}

TEST_F(kComponentTest, FrameRateLimitLeavesRepaintsToTheService)
{
    C->SetAutoFrameRate(true);  // a background change: repaints if due
    Clock = 1010.0;
    C->InvalidateNow();
    Clock = 1010.005;
    C->InvalidateChange();
    EXPECT_TRUE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1010.0);
    Clock = 1010.010;
    TkUpdateObject::Instance().Tick();
    EXPECT_TRUE(C->UpdatePending());
    Clock = 1010.020;
    TkUpdateObject::Instance().Tick();
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1010.020);
    // a request after the frame has passed paints at once
    Clock = 1010.050;
    C->InvalidateChange();
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1010.050);
}

TEST_F(kComponentTest, FrameRateZeroAndAClockSetBackNeverHoldRepaints)
{
    C->SetAutoFrameRate(true);
    C->SetUpdateFrameRate(0);
    Clock = 1020.0;
    C->InvalidateChange();
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1020.0);

    C->SetUpdateFrameRate(60);
    Clock = 1030.0;
    C->InvalidateNow();
    Clock = 500.0;  // the clock went back
    C->InvalidateChange();
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 500.0);
}

TEST_F(kComponentTest, TheServiceTimerFlushesAPendingRepaint)
{
    TkUpdateObject::SetClock(nullptr);  // the real monotonic clock
    C->SetAutoFrameRate(true);
    C->SetUpdateFrameRate(1);  // one frame a second: the request must wait
    C->InvalidateNow();
    C->InvalidateChange();
    ASSERT_TRUE(C->UpdatePending());
    EXPECT_TRUE(TkUpdateObject::Instance().TimerEnabled());
    const double start = TkUpdateObject::Now();
    while (C->UpdatePending() && TkUpdateObject::Now() - start < 30)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_GE(C->GetLastPaintTime() - start, 0.9);
}

TEST_F(kComponentTest, SwitchingAutoFrameRateOffPaintsWhatTheFrameLimitHeld)
{
    C->SetAutoFrameRate(true);
    C->InvalidateNow();
    C->InvalidateChange();  // within the frame: left pending
    EXPECT_TRUE(C->UpdatePending());
    Clock = 1000.001;
    C->SetAutoFrameRate(false);
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1000.001);
}

TEST_F(kComponentTest, SwitchingAutoFrameRateOffLeavesABracketHolding)
{
    C->SetAutoFrameRate(true);
    C->BeginUpdate();
    C->InvalidateChange();
    Clock = 1040.0;
    C->SetAutoFrameRate(false);
    EXPECT_TRUE(C->UpdateSkip());
    EXPECT_TRUE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1000.0);
    C->EndUpdate();
    EXPECT_FALSE(C->UpdateSkip());
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1040.0);
}

TEST_F(kComponentTest, OnlyTheOutermostEndUpdateReleasesNestedBrackets)
{
    C->BeginUpdate();
    C->BeginUpdate();
    Clock = 1050.0;
    C->InvalidateChange();
    C->EndUpdate();
    EXPECT_TRUE(C->UpdateSkip());
    EXPECT_TRUE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1000.0);
    C->EndUpdate();
    EXPECT_FALSE(C->UpdateSkip());
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1050.0);

    // An EndUpdate without its BeginUpdate cannot open the next bracket early.
    C->EndUpdate();
    C->BeginUpdate();
    C->InvalidateChange();
    EXPECT_TRUE(C->UpdateSkip());
    EXPECT_TRUE(C->UpdatePending());
    C->EndUpdate();
    EXPECT_FALSE(C->UpdateSkip());
}

TEST_F(kComponentTest, LoadingPropertiesInsideABracketKeepsItsHold)
{
    const std::string good = Path("good.txt");
    const std::string bad = Path("bad.txt");
    {
        std::ofstream(good) << "Level = 8\r\nAutoFrameRate = 1\r\n";
        std::ofstream(bad) << "Level = 9\r\nUpdateFrameRate = fast\r\n";
    }
    C->BeginUpdate();
    Clock = 1060.0;
    C->LoadPropertiesFromFile(good);
    EXPECT_THROW(C->LoadPropertiesFromFile(bad), Exception);
    EXPECT_EQ(C->Level, 9);
    EXPECT_TRUE(C->UpdateSkip());
    EXPECT_TRUE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1000.0);
    C->EndUpdate();
    EXPECT_FALSE(C->UpdateSkip());
    EXPECT_FALSE(C->UpdatePending());
    EXPECT_EQ(C->GetLastPaintTime(), 1060.0);
}

TEST_F(kComponentTest, FieldSettersSignalByChangeKind)
{
    C->BeginUpdate();
    C->SetLevel(3);  // unchanged: nothing
    EXPECT_FALSE(C->UpdatePending());
    C->SetLevel(4);
    EXPECT_TRUE(C->UpdatePending());
    C->EndUpdate();
    C->DrawBackGround(C->Canvas, clWhite);
    EXPECT_FALSE(C->GetBackGroundChanged());
    C->SetBorderStyle(kbsLowered);
    EXPECT_TRUE(C->GetBackGroundChanged());
}

TEST_F(kComponentTest, FontChangesRequestARepaint)
{
    C->BeginUpdate();
    C->Font->SetSize(14);
    EXPECT_TRUE(C->UpdatePending());
    C->EndUpdate();
    C->BeginUpdate();
    C->GetErrorFont()->SetColor(clBlue);
    EXPECT_TRUE(C->UpdatePending());
    C->EndUpdate();
}

TEST_F(kComponentTest, BufferedPaintCopiesThePictureUnderTheLock)
{
    TBitmap target(60, 40);
    TCanvas* seen = nullptr;
    C->OnAfterPaint = [&](TObject* Sender, TCanvas* Canvas) {
        EXPECT_EQ(Sender, C.get());
        seen = Canvas;
        Canvas->Pixels[0][0] = clBlue;
    };
    C->PaintBuffered(target.Canvas);
    EXPECT_EQ(C->Paints, 1);
    EXPECT_NE(seen, nullptr);
    EXPECT_NE(seen, target.Canvas);  // drawn off-screen first
    EXPECT_EQ(TColor(target.Canvas->Pixels[30][20]), clRed);
    EXPECT_EQ(TColor(target.Canvas->Pixels[0][0]), clBlue);
    EXPECT_EQ(C->LockDepth, 0);
}

TEST_F(kComponentTest, EveryBufferedPaintStartsFromANewCanvasWhateverTheLastOneLeft)
{
    auto picture = [](TBitmap& B) {
        std::vector<TColor> pixels;
        for (int y = 0; y < B.GetHeight(); ++y)
            for (int x = 0; x < B.GetWidth(); ++x)
                pixels.push_back(B.Canvas->Pixels[x][y]);
        return pixels;
    };
    C->LeaveToTheCanvas = true;
    TBitmap first(60, 40);
    C->PaintBuffered(first.Canvas);

    // A paint that leaves its canvas changed in every way, and paints once
    // more from inside itself.
    TBitmap inner(60, 40);
    C->OnAfterPaint = [&](TObject*, TCanvas* Canvas) {
        Canvas->Pen->SetColor(clLime);
        Canvas->Pen->SetWidth(5);
        Canvas->Brush->SetColor(clNavy);
        Canvas->Brush->SetStyle(bsDiagCross);
        Canvas->Font->SetSize(30);
        Canvas->Font->SetColor(clRed);
        Canvas->MoveTo(59, 39);
        Canvas->Pixels[10][5] = clFuchsia;
        Canvas->SetClipRect(TRect(40, 30, 45, 35));
        if (C->Paints == 2)
            C->PaintBuffered(inner.Canvas);
    };
    TBitmap second(60, 40);
    C->PaintBuffered(second.Canvas);
    C->OnAfterPaint = nullptr;
    TBitmap third(60, 40);
    C->PaintBuffered(third.Canvas);

    EXPECT_EQ(C->Paints, 4);
    EXPECT_EQ(picture(third), picture(first));
    EXPECT_EQ(TColor(second.Canvas->Pixels[10][5]), clFuchsia);
    EXPECT_EQ(TColor(inner.Canvas->Pixels[10][5]), clFuchsia);
    EXPECT_NE(picture(first), std::vector<TColor>(60 * 40, clWhite));
}

TEST_F(kComponentTest, AFailingPaintShowsItsMessageAndTheNextPaintWorks)
{
    C->SetBounds(0, 0, 200, 40);
    TBitmap target(200, 40);
    C->FailWith = "Axis not found";
    EXPECT_NO_THROW(C->PaintBuffered(target.Canvas));
    EXPECT_EQ(C->LockDepth, 0);
    EXPECT_EQ(TColor(target.Canvas->Pixels[199][39]), clBlack);
    int white = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            white += TColor(target.Canvas->Pixels[x][y]) == clWhite;
    EXPECT_GT(white, 10);  // the message in white

    C->FailWith.clear();
    C->PaintBuffered(target.Canvas);
    EXPECT_EQ(TColor(target.Canvas->Pixels[199][39]), clRed);
    EXPECT_EQ(C->LockDepth, 0);
}

TEST_F(kComponentTest, AnEmptyControlPaintsAndExportsWithoutFailing)
{
    C->SetBounds(0, 0, 0, 0);
    TBitmap target(10, 10);
    EXPECT_NO_THROW(C->PaintBuffered(target.Canvas));
    C->FailWith = "no room";
    EXPECT_NO_THROW(C->PaintBuffered(target.Canvas));
    EXPECT_EQ(C->LockDepth, 0);
    C->FailWith.clear();
    EXPECT_NO_THROW(C->SaveImageToBitmap(Path("empty.bmp")));
    EXPECT_TRUE(fs::exists(Path("empty.bmp")));
}

TEST_F(kComponentTest, MouseHandlerExceptionsAreNotSwallowed)
{
    C->SimulateMouseDown(5);
    EXPECT_TRUE(C->SawUserInput);
    EXPECT_FALSE(C->GetUserInput());
    try {
        C->SimulateMouseDown(13);
        FAIL() << "swallowed";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "mouse failed");
    }
    EXPECT_FALSE(C->GetUserInput());
}

TEST_F(kComponentTest, SavedPropertiesLeaveOutPlacementUnlessAllAreWanted)
{
    C->SetName("Chart1");
    C->SetAutoFrameRate(true);
    C->SetUpdateFrameRate(25);
    const std::string file = Path("props.txt");
    C->SavePropertiesToFile(file);
    TStringList lines;
    lines.LoadFromFile(file);
    std::vector<std::string> got;
    for (int i = 0; i < lines.Count(); ++i)
        got.push_back(lines[i]);
    EXPECT_EQ(got, (std::vector<std::string>{"File Type = TTestComponent", "Anchors = 3", "OptionSaveAllProperties = 0",
                                             "AutoFrameRate = 1", "UpdateFrameRate = 25", "Level = 3"}));

    C->SetOptionSaveAllProperties(true);
    C->SetHint("Pressure");
    C->SetCursor(crCross);
    C->SavePropertiesToFile(file);
    lines.LoadFromFile(file);
    EXPECT_EQ(lines.IndexOfName("Name"), -1);
    std::string value;
    EXPECT_TRUE(ExtractValueByName("Hint", lines, value));
    EXPECT_EQ(value, "Pressure");
    EXPECT_TRUE(ExtractValueByName("Cursor", lines, value));
    EXPECT_EQ(value, std::to_string(crCross));
    EXPECT_TRUE(ExtractValueByName("Width", lines, value));
    EXPECT_EQ(value, "60");
    EXPECT_TRUE(ExtractValueByName("Visible", lines, value));
    EXPECT_EQ(value, "1");
}

TEST_F(kComponentTest, LoadedPropertiesApplyAndBadValuesAreReported)
{
    const std::string file = Path("in.txt");
    {
        std::ofstream f(file);
        f << "File Type = Something Else\r\nLevel=7\r\nUpdateFrameRate = 30\r\nUnknown = 1\r\nAutoFrameRate = 1\r\n";
    }
    C->LoadPropertiesFromFile(file);
    EXPECT_EQ(C->Level, 7);
    EXPECT_EQ(C->GetUpdateFrameRate(), 30);
    EXPECT_TRUE(C->GetAutoFrameRate());
    EXPECT_FALSE(C->UpdateSkip());

    {
        std::ofstream f(file);
        f << "Level = 9\r\nUpdateFrameRate = fast\r\nLevel = 11\r\n";
    }
    try {
        C->LoadPropertiesFromFile(file);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message.rfind("Error Loading Properties - ", 0), 0u) << e.Message;
        EXPECT_NE(e.Message.find("fast"), std::string::npos) << e.Message;
    }
    EXPECT_EQ(C->Level, 9);         // what came before the bad line stays
    EXPECT_FALSE(C->UpdateSkip());  // the update bracket was closed

    try {
        C->LoadPropertiesFromFile(Path("missing.txt"));
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message.rfind("Error Loading Properties - ", 0), 0u);
    }
    try {
        C->SavePropertiesToFile(Path("no/such/dir/x.txt"));
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message.rfind("Error Saving Properties - ", 0), 0u);
    }
}

TEST_F(kComponentTest, PropertyKindByDottedName)
{
    EXPECT_EQ(C->GetPropertyKind("updateframerate"), TTypeKind::tkInteger);
    EXPECT_EQ(C->GetPropertyKind("AutoFrameRate"), TTypeKind::tkEnumeration);
    EXPECT_EQ(C->GetPropertyKind("Nothing"), TTypeKind::tkUnknown);
    EXPECT_EQ(C->GetPropertyKind("PopupMenu"), TTypeKind::tkUnknown);
    EXPECT_EQ(C->GetPropertyKind("PopupMenu.AutoPopup"), TTypeKind::tkUnknown);
}

TEST_F(kComponentTest, BitmapExportPaintsUnderTheLock)
{
    const std::string file = Path("c.bmp");
    C->SaveImageToBitmap(file);
    EXPECT_EQ(C->Locks, 1);
    EXPECT_EQ(C->LockDepth, 0);
    TBitmap back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.GetWidth(), 60);
    EXPECT_EQ(TColor(back.Canvas->Pixels[10][10]), clRed);
}

}  // namespace
