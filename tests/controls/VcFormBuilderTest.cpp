#include "controls/VcEdit.h"
#include "controls/VcFormBuilder.h"
#include "controls/VcPageControl.h"
#include "controls/VcPanel.h"
#include "controls/VcToolbar.h"
#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Form.h"
#include "ui/ImageList.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <string>

namespace {

class VcFormBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetName("frmTest");
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
    }
    void TearDown() override { delete Form; }

    // Shows the form with the focus on From, presses Tab and answers the
    // control that has the focus then.
    TWinControl* TabFrom(TWinControl* From)
    {
        From->SetFocus();
        Application->ProcessMessages();
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &Press);
        Application->ProcessMessages();
        return dynamic_cast<TWinControl*>(TControl::FromWidget(QApplication::focusWidget()));
    }

    TForm* Form = nullptr;
};

TEST_F(VcFormBuilderTest, AddCreatesANamedControlOwnedByTheOwnerOnTheParent)
{
    TVcFormBuilder Build(Form, Form);
    const int Before = Form->ComponentCount();
    auto* Edit = Build.Add<TVcEdit>("leName", 10, 20, 150, 22);

    EXPECT_EQ(Edit->GetName(), "leName");
    EXPECT_EQ(Edit->Widget()->objectName().toStdString(), "leName");
    EXPECT_EQ(Edit->GetOwner(), Form);
    ASSERT_EQ(Form->ComponentCount(), Before + 1);
    EXPECT_EQ(Form->Components(Before), Edit);
    EXPECT_EQ(Form->FindComponent("leName"), Edit);
    EXPECT_EQ(Edit->GetParent(), Form);
    EXPECT_EQ(Form->Controls(Form->ControlCount() - 1), Edit);
    EXPECT_EQ(Edit->GetBoundsRect(), Rect(10, 20, 160, 42));

    // Without bounds the control keeps the size it is created with.
    auto* Other = Build.Add<TVcEdit>("leOther");
    TVcEdit Plain(nullptr);
    EXPECT_EQ(Other->GetParent(), Form);
    EXPECT_EQ(Other->GetWidth(), Plain.GetWidth());
    EXPECT_EQ(Other->GetHeight(), Plain.GetHeight());
}

TEST_F(VcFormBuilderTest, OnPlacesOnAnotherParentForTheSameOwner)
{
    TVcFormBuilder Build(Form, Form);
    auto* Panel = Build.Add<TVcPanel>("pnlInner", 0, 0, 200, 100);
    TVcFormBuilder Inner = Build.On(Panel);
    auto* Edit = Inner.Add<TVcEdit>("leInner", 5, 6, 50, 22);

    EXPECT_EQ(Inner.Owner(), Form);
    EXPECT_EQ(Inner.Parent(), Panel);
    EXPECT_EQ(Edit->GetParent(), Panel);
    EXPECT_EQ(Edit->GetOwner(), Form);
    EXPECT_EQ(Edit->GetLeft(), 5);
    EXPECT_EQ(Edit->GetTop(), 6);
    // The first builder still places on the form.
    EXPECT_EQ(Build.Parent(), Form);
    EXPECT_EQ(Build.Add<TVcEdit>("leOuter")->GetParent(), Form);

    // The owner frees what was built for it, wherever it was placed.
    bool Freed = false;
    struct TWatch : TComponent {
        explicit TWatch(bool& F) : TComponent(nullptr), Flag(F) {}
        void Notification(TComponent* C, TOperation Op) override
        {
            if (C && C->GetName() == "leInner" && Op == TOperation::opRemove)
                Flag = true;
        }
        bool& Flag;
    } Watch(Freed);
    Edit->FreeNotification(&Watch);
    delete Form;
    Form = nullptr;
    EXPECT_TRUE(Freed);
}

TEST_F(VcFormBuilderTest, LabelIsPlacedAtItsCornerAndSizedToItsCaption)
{
    TVcFormBuilder Build(Form, Form);
    auto* Short = Build.Label("lblShort", "通道", 16, 48);
    auto* Long = Build.Label("lblLong", "测量值寄存器首地址", 16, 80);

    EXPECT_EQ(Short->GetName(), "lblShort");
    EXPECT_EQ(Short->GetParent(), Form);
    EXPECT_EQ(Short->GetOwner(), Form);
    EXPECT_EQ(Short->GetText(), "通道");
    EXPECT_EQ(Short->GetLeft(), 16);
    EXPECT_EQ(Short->GetTop(), 48);
    EXPECT_TRUE(Short->GetAutoSize());
    EXPECT_GT(Short->GetWidth(), 0);
    EXPECT_GT(Long->GetWidth(), 2 * Short->GetWidth());
    EXPECT_EQ(Long->GetTop(), 80);
}

TEST_F(VcFormBuilderTest, ToolButtonsFollowOneAnotherOnTheToolBar)
{
    TVcFormBuilder Build(Form, Form);
    auto* Bar = Build.Add<TVcToolbar>("toolTest");
    Bar->SetShowCaptions(true);
    Bar->SetButtonWidth(64);
    auto* Images = new TImageList(Form);
    Images->SetWidth(16);
    Images->SetHeight(16);
    TBitmap Picture(16, 16);
    Images->Add(&Picture, nullptr);
    Bar->SetImages(Images);

    TVcFormBuilder OnBar = Build.On(Bar);
    auto* First = OnBar.ToolButton("btnFirst", "开始", 0);
    auto* Second = OnBar.ToolButton("btnSecond", "停止");

    ASSERT_EQ(Bar->ButtonCount(), 2);
    EXPECT_EQ(Bar->Buttons(0), First);
    EXPECT_EQ(Bar->Buttons(1), Second);
    EXPECT_EQ(First->GetOwner(), Form);
    EXPECT_EQ(First->GetText(), "开始");
    EXPECT_EQ(First->GetImageIndex(), 0);
    EXPECT_FALSE(First->Widget()->property("icon").value<QIcon>().isNull());
    EXPECT_EQ(Second->GetImageIndex(), -1);
    EXPECT_EQ(Second->GetLeft(), First->GetLeft() + First->GetWidth());
    EXPECT_EQ(Second->GetWidth(), 64);
}

TEST_F(VcFormBuilderTest, PagesAreAppendedToThePageControl)
{
    TVcFormBuilder Build(Form, Form);
    auto* Pages = Build.Add<TVcPageControl>("pgcTest");
    Pages->SetAlign(alClient);
    auto* First = Build.On(Pages).Page("tsFirst", "通讯参数");
    auto* Second = Build.On(Pages).Page("tsSecond", "显示参数");

    ASSERT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->Pages(0), First);
    EXPECT_EQ(Pages->Pages(1), Second);
    EXPECT_EQ(First->GetPageControl(), Pages);
    EXPECT_EQ(First->GetParent(), Pages);
    EXPECT_EQ(First->GetOwner(), Form);
    EXPECT_EQ(First->GetName(), "tsFirst");
    EXPECT_EQ(Second->GetText(), "显示参数");
    EXPECT_EQ(Second->PageIndex(), 1);

    // A page needs a page control: nothing is made on anything else.
    const int Count = Form->ComponentCount();
    try {
        Build.Page("tsLost", "记录参数");
        FAIL() << "a page was placed on a form";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "The page tsLost needs a page control to be placed on");
    }
    EXPECT_EQ(Form->ComponentCount(), Count);
    EXPECT_EQ(Form->FindComponent("tsLost"), nullptr);
}

TEST_F(VcFormBuilderTest, DialogButtonsCarryTheirCaptionsAlongTheBottom)
{
    TVcFormBuilder Build(Form, Form);
    auto* Buttons = Build.DialogButtons("EditButtons", "应用修改(&A)", "取消修改(&C)");

    EXPECT_EQ(Buttons->GetName(), "EditButtons");
    EXPECT_EQ(Buttons->GetOwner(), Form);
    EXPECT_EQ(Buttons->GetParent(), Form);
    EXPECT_EQ(Buttons->GetAlign(), alBottom);
    EXPECT_EQ(Buttons->GetCaptionOk(), "应用修改(&A)");
    EXPECT_EQ(Buttons->GetCaptionCancel(), "取消修改(&C)");
    EXPECT_EQ(Buttons->GetTop() + Buttons->GetHeight(), Form->GetClientHeight());
}

TEST_F(VcFormBuilderTest, ANameTheOwnerAlreadyUsesIsRefused)
{
    TVcFormBuilder Build(Form, Form);
    auto* Panel = Build.Add<TVcPanel>("pnlInner", 0, 0, 200, 100);
    auto* Edit = Build.Add<TVcEdit>("leName");
    const int Count = Form->ComponentCount();
    const int OnPanel = Panel->ControlCount();

    // Names compare ignoring case, and the parent does not matter.
    for (const char* Name : {"leName", "LENAME"}) {
        try {
            Build.On(Panel).Add<TVcEdit>(Name);
            FAIL() << Name << " was taken twice";
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message, std::string("A component named ") + Name + " already exists");
        }
    }
    EXPECT_THROW(Build.Label("leName", "x", 0, 0), Exception);
    EXPECT_THROW(Build.On(Panel).DialogButtons("pnlInner", "a", "b"), Exception);
    EXPECT_EQ(Form->ComponentCount(), Count);
    EXPECT_EQ(Panel->ControlCount(), OnPanel);
    EXPECT_EQ(Form->FindComponent("leName"), Edit);

    // Another owner has names of its own.
    TVcPanel Elsewhere(nullptr);
    EXPECT_EQ(TVcFormBuilder(&Elsewhere, &Elsewhere).Add<TVcEdit>("leName")->GetOwner(), &Elsewhere);
}

TEST_F(VcFormBuilderTest, TabVisitsControlsInTheOrderTheyWereAdded)
{
    TVcFormBuilder Build(Form, Form);
    // Placed right to left and bottom to top: the order of adding counts.
    auto* First = Build.Add<TVcEdit>("leFirst", 300, 200, 80, 22);
    auto* Second = Build.Add<TVcEdit>("leSecond", 10, 10, 80, 22);
    auto* Panel = Build.Add<TVcPanel>("pnlInner", 10, 100, 200, 60);
    auto* Inner = Build.On(Panel).Add<TVcEdit>("leInner", 5, 5, 80, 22);
    auto* Last = Build.Add<TVcEdit>("leLast", 10, 40, 80, 22);
    Form->Show();
    Application->ProcessMessages();

    EXPECT_EQ(TabFrom(First), Second);
    EXPECT_EQ(TabFrom(Second), Panel);
    EXPECT_EQ(TabFrom(Panel), Inner);
    EXPECT_EQ(TabFrom(Inner), Last);
    EXPECT_EQ(TabFrom(Last), First);
}

}  // namespace
