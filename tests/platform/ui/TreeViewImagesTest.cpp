// Pictures on controls: tree node and tool button images from an image
// list, bit button glyphs.
#include <gtest/gtest.h>

#include <QIcon>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "ui/BitBtn.h"
#include "ui/Bitmap.h"
#include "ui/ImageList.h"
#include "ui/ToolBar.h"
#include "ui/TreeView.h"

namespace {

void AddSolid(TImageList& List, TColor Color)
{
    TBitmap Image(16, 16);
    Image.Canvas->Brush->Color = Color;
    Image.Canvas->FillRect(Rect(0, 0, 16, 16));
    List.Add(&Image, nullptr);
}

QColor CentreOf(const QIcon& Icon)
{
    return Icon.pixmap(16, 16).toImage().pixelColor(8, 8);
}

}  // namespace

TEST(ControlImages, TreeNodesShowTheirImageFromTheList)
{
    TImageList Images(nullptr);
    AddSolid(Images, clRed);
    AddSolid(Images, clBlue);
    TTreeView Tree(nullptr);
    TTreeNode* Node = Tree.Items->Add(nullptr, "CH1");
    Node->ImageIndex = 1;  // before the list is set
    Tree.Images = &Images;
    const QIcon Icon = static_cast<QTreeWidget*>(Tree.Widget())->topLevelItem(0)->icon(0);
    ASSERT_FALSE(Icon.isNull());
    EXPECT_EQ(CentreOf(Icon), QColor(0, 0, 255));
    Node->ImageIndex = -1;
    EXPECT_TRUE(static_cast<QTreeWidget*>(Tree.Widget())->topLevelItem(0)->icon(0).isNull());
}

TEST(ControlImages, FreedImageListIsForgotten)
{
    auto* Images = new TImageList(nullptr);
    AddSolid(*Images, clRed);
    TTreeView Tree(nullptr);
    TTreeNode* Node = Tree.Items->Add(nullptr, "x");
    Tree.Images = Images;
    Node->ImageIndex = 0;
    delete Images;
    EXPECT_EQ(Tree.GetImages(), nullptr);
    EXPECT_TRUE(static_cast<QTreeWidget*>(Tree.Widget())->topLevelItem(0)->icon(0).isNull());
}

TEST(ControlImages, ToolButtonsShowTheirToolBarsImage)
{
    TImageList Images(nullptr);
    AddSolid(Images, clLime);
    TToolBar Bar(nullptr);
    Bar.Images = &Images;
    auto* Button = new TToolButton(&Bar);
    Button->Parent = &Bar;
    Button->ImageIndex = 0;
    const QIcon Icon = static_cast<QToolButton*>(Button->Widget())->icon();
    ASSERT_FALSE(Icon.isNull());
    EXPECT_EQ(CentreOf(Icon), QColor(0, 255, 0));
}

TEST(ControlImages, BitButtonGlyphLeavesOutItsTransparentColour)
{
    TBitmap Glyph(16, 16);
    Glyph.Canvas->Brush->Color = clFuchsia;  // bottom-left pixel: transparent
    Glyph.Canvas->FillRect(Rect(0, 0, 16, 16));
    Glyph.Canvas->Brush->Color = clNavy;
    Glyph.Canvas->FillRect(Rect(4, 4, 12, 12));
    TBitBtn Button(nullptr);
    Button.SetGlyph(&Glyph);
    const QImage Shown = static_cast<QPushButton*>(Button.Widget())->icon().pixmap(16, 16).toImage();
    EXPECT_EQ(Shown.pixelColor(8, 8), QColor(0, 0, 128));
    EXPECT_EQ(Shown.pixelColor(1, 1).alpha(), 0);
    EXPECT_EQ(Button.GetGlyph()->GetWidth(), 16);
}
