// A small form with a tool bar, a status bar, a tree and a painted control,
// shown and captured offscreen.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/CustomControl.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/GraphicsQt.h"
#include "ui/Screenshot.h"
#include "ui/StatusBar.h"
#include "ui/ToolBar.h"
#include "ui/TreeView.h"

namespace {

// Fills its left half with a colour and frames itself in black.
class TSwatch : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TColor Fill = clRed;

protected:
    void Paint() override
    {
        Canvas->Brush->Color = Fill;
        Canvas->FillRect(Rect(0, 0, GetWidth() / 2, GetHeight()));
        Canvas->Brush->Color = clBlack;
        Canvas->FrameRect(GetClientRect());
    }
};

struct TSmallForm {
    TForm Form{nullptr};
    TToolBar* Tools;
    TStatusBar* Status;
    TTreeView* Tree;
    TSwatch* Swatch;

    TSmallForm()
    {
        Form.SetBounds(0, 0, 320, 240);
        Form.Caption = "screenshot";
        Tools = new TToolBar(&Form);
        Tools->Parent = &Form;
        for (int I = 0; I < 3; ++I) {
            auto* B = new TToolButton(&Form);
            B->Parent = Tools;
            B->Caption = "b" + std::to_string(I);
        }
        Status = new TStatusBar(&Form);
        Status->Parent = &Form;
        Status->AddPanel()->Text = "COM1";
        Tree = new TTreeView(&Form);
        Tree->Parent = &Form;
        Tree->Align = alLeft;
        Tree->Width = 100;
        TTreeNode* Root = Tree->Items->Add(nullptr, "设备1");
        Tree->Items->AddChild(Root, "CH1");
        Root->Expand(true);
        Swatch = new TSwatch(&Form);
        Swatch->SetName("swatch");
        Swatch->Parent = &Form;
        Swatch->Align = alClient;
        Swatch->Color = clWhite;
        Form.Show();
    }
};

}  // namespace

TEST(Screenshot, FormWithToolbarStatusBarTreeAndPaintedControl)
{
    TSmallForm F;
    // The layout: tool bar on top, status bar at the bottom, tree at the
    // left, the painted control in the rest.
    EXPECT_EQ(F.Tools->GetTop(), 0);
    EXPECT_EQ(F.Status->GetTop() + F.Status->GetHeight(), 240);
    EXPECT_EQ(F.Tree->GetTop(), F.Tools->GetHeight());
    EXPECT_EQ(F.Swatch->GetLeft(), 100);
    EXPECT_EQ(F.Swatch->GetWidth(), 220);
    EXPECT_EQ(F.Swatch->GetHeight(), 240 - F.Tools->GetHeight() - F.Status->GetHeight());

    TBitmap Shot;
    GrabControl(&F.Form, Shot);
    ASSERT_EQ(Shot.GetWidth(), 320);
    ASSERT_EQ(Shot.GetHeight(), 240);
    const QImage& Image = BitmapImage(Shot);
    const int Y = F.Swatch->GetTop() + F.Swatch->GetHeight() / 2;
    EXPECT_EQ(Image.pixelColor(100 + 40, Y), QColor(255, 0, 0));
    EXPECT_EQ(Image.pixelColor(100 + 200, Y), QColor(255, 255, 255));
    EXPECT_EQ(Image.pixelColor(100, Y), QColor(0, 0, 0));  // the frame's left edge
    EXPECT_EQ(Image.pixelColor(319, Y), QColor(0, 0, 0));  // and its right edge
}

TEST(Screenshot, RepaintAfterAChangeShowsTheNewPicture)
{
    TSmallForm F;
    F.Swatch->Fill = clLime;
    F.Swatch->Invalidate();
    TBitmap Shot;
    GrabControl(F.Swatch, Shot);
    EXPECT_EQ(Shot.GetWidth(), F.Swatch->GetWidth());
    EXPECT_EQ(BitmapImage(Shot).pixelColor(20, 20), QColor(0, 255, 0));
}

TEST(Screenshot, SavesAPngFileOfTheForm)
{
    TSmallForm F;
    const std::string Path =
        (std::filesystem::temp_directory_path() / ("ui-shot-" + std::to_string(::getpid()) + ".png")).string();
    SaveScreenshot(&F.Form, Path);
    QImage Loaded(QString::fromStdString(Path));
    std::filesystem::remove(Path);
    ASSERT_FALSE(Loaded.isNull());
    EXPECT_EQ(Loaded.size(), QSize(320, 240));
    EXPECT_THROW(SaveScreenshot(&F.Form, "/nonexistent-dir/x.png"), EInOutError);
}

TEST(Screenshot, ImageShowsItsPictureAndClearsIt)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 40, 40);
    Form.Color = clWhite;
    auto* Image = new TImage(&Form);
    Image->Parent = &Form;
    Image->SetBounds(0, 0, 16, 16);
    TBitmap Icon(16, 16);
    Icon.Canvas->Brush->Color = clRed;
    Icon.Canvas->FillRect(Rect(0, 0, 16, 16));
    Image->SetPicture(&Icon);
    Form.Show();
    TBitmap Shot;
    GrabControl(&Form, Shot);
    EXPECT_EQ(BitmapImage(Shot).pixelColor(8, 8), QColor(255, 0, 0));
    Image->SetPicture(nullptr);
    GrabControl(&Form, Shot);
    EXPECT_EQ(BitmapImage(Shot).pixelColor(8, 8), QColor(255, 255, 255));
}
