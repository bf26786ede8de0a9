// Panels, group boxes and scroll boxes.
#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>

#include "ui/AlignPause.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/GroupBox.h"
#include "ui/ScrollBox.h"

TEST(Panel, CaptionAndBevelSettings)
{
    TPanel Panel(nullptr);
    Panel.Caption = "打开设备管理添加新设备";
    EXPECT_EQ(Panel.GetText(), "打开设备管理添加新设备");
    EXPECT_EQ(Panel.GetBevelOuter(), bvRaised);
    Panel.BevelOuter = bvNone;
    EXPECT_EQ(Panel.GetBevelOuter(), bvNone);
    EXPECT_EQ(Panel.GetAlignment(), taCenter);
}

TEST(GroupBox, AlignedChildrenStayBelowTheTitle)
{
    TGroupBox Box(nullptr);
    Box.Caption = "记录间隔";
    Box.SetBounds(0, 0, 200, 100);
    auto* Inside = new TPanel(&Box);
    Inside->Parent = &Box;
    Inside->Align = alClient;
    EXPECT_GT(Inside->GetTop(), 0);
    EXPECT_LT(Inside->GetTop() + Inside->GetHeight(), 100);
    EXPECT_EQ(Box.GetText(), "记录间隔");
}

TEST(ScrollBox, TopAlignedFramesStackAndTheScrollRangeFollowsThem)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 400, 300);
    auto* Box = new TScrollBox(&Form);
    Box->Parent = &Form;
    Box->Align = alClient;
    Box->Color = clWhite;
    Form.Show();
    std::vector<TPanel*> Frames;
    for (int I = 0; I < 3; ++I) {
        auto* Frame = new TPanel(&Form);
        Frame->SetBounds(0, I * 210, 100, 210);
        Frame->Parent = Box;
        Frame->Align = alTop;
        Frames.push_back(Frame);
    }
    EXPECT_EQ(Frames[0]->GetTop(), 0);
    EXPECT_EQ(Frames[1]->GetTop(), 210);
    EXPECT_EQ(Frames[2]->GetTop(), 420);
    EXPECT_EQ(Frames[0]->GetWidth(), Box->GetClientWidth());
    auto* Area = static_cast<QScrollArea*>(Box->Widget());
    EXPECT_EQ(Area->widget()->height(), 630);
    EXPECT_GT(Area->verticalScrollBar()->maximum(), 0);

    Box->ScrollInView(Frames[2]);
    EXPECT_GT(Box->GetVertPosition(), 0);

    delete Frames[2];
    delete Frames[1];
    EXPECT_EQ(Area->widget()->height(), Box->GetClientHeight());
}

TEST(ScrollBox, WithAlignmentPausedFramesArePlacedOnceAtTheEnd)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 400, 300);
    auto* Box = new TScrollBox(&Form);
    Box->Parent = &Form;
    Box->Align = alClient;
    Form.Show();
    auto* Area = static_cast<QScrollArea*>(Box->Widget());
    std::vector<TPanel*> Frames;
    {
        TAlignPause Pause(Box);
        // Added bottom-up with equal tops for two of them: the tops decide
        // the order, ties keep the order of adding.
        const int Tops[] = {500, 0, 0};
        for (int Top : Tops) {
            auto* Frame = new TPanel(&Form);
            Frame->SetBounds(0, Top, 100, 210);
            Frame->Parent = Box;
            Frame->Align = alTop;
            Frames.push_back(Frame);
        }
        EXPECT_EQ(Frames[0]->GetTop(), 500);  // not placed yet
        EXPECT_TRUE(Box->AlignDisabled());
    }
    EXPECT_FALSE(Box->AlignDisabled());
    EXPECT_EQ(Frames[1]->GetTop(), 0);
    EXPECT_EQ(Frames[2]->GetTop(), 210);
    EXPECT_EQ(Frames[0]->GetTop(), 420);
    EXPECT_EQ(Frames[0]->GetWidth(), Box->GetClientWidth());
    EXPECT_EQ(Area->widget()->height(), 630);
    {
        TAlignPause Pause(Box);
        delete Frames[2];
        delete Frames[1];
    }
    EXPECT_EQ(Frames[0]->GetTop(), 0);
    EXPECT_EQ(Area->widget()->height(), Box->GetClientHeight());
}

TEST(ScrollBox, ChildrenLiveOnThePageWidget)
{
    TScrollBox Box(nullptr);
    auto* Child = new TPanel(&Box);
    Child->Parent = &Box;
    EXPECT_EQ(Child->Widget()->parentWidget(), Box.ClientWidget());
    EXPECT_EQ(Box.ControlCount(), 1);
}
