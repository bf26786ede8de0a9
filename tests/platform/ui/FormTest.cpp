// Forms: placement, window styles, show and hide events, the move and size
// system commands that let the user drag a control, the close message, and
// the keys a form sees for its default and cancel buttons.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Panel.h"

namespace {

void SendGlobalMouse(QWidget* W, QEvent::Type Type, QPoint Global, Qt::MouseButtons Buttons)
{
    const QPointF Local = W->mapFromGlobal(QPointF(Global));
    QMouseEvent E(Type, Local, QPointF(Global), Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Buttons,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(W, &E);
}

}  // namespace

TEST(FormPlacement, ScreenCenterPlacesTheFormInTheMiddleOnFirstShow)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 200, 100);
    Form.Position = poScreenCenter;
    Form.Show();
    const QRect Screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(Form.GetLeft(), Screen.x() + (Screen.width() - 200) / 2);
    EXPECT_EQ(Form.GetTop(), Screen.y() + (Screen.height() - 100) / 2);
    Form.Hide();
    Form.Left = 3;
    Form.Show();  // placed once only
    EXPECT_EQ(Form.GetLeft(), 3);
}

TEST(FormPlacement, MainFormCenterCentresOnTheMainForm)
{
    struct TMain : TForm {
        using TForm::TForm;
    };
    TForm* Main = Application->MainForm();
    TMain* Created = nullptr;
    if (!Main) {
        Application->CreateForm(Created);
        Main = Created;
    }
    Main->SetBounds(100, 100, 400, 300);
    TForm Dialog(nullptr);
    Dialog.SetBounds(0, 0, 100, 50);
    Dialog.Position = poMainFormCenter;
    Dialog.Show();
    EXPECT_EQ(Dialog.GetLeft(), 100 + (400 - 100) / 2);
    EXPECT_EQ(Dialog.GetTop(), 100 + (300 - 50) / 2);
    delete Created;
}

TEST(FormStyles, BorderAndStayOnTopBecomeWindowFlags)
{
    TForm Form(nullptr);
    Form.FormStyle = fsStayOnTop;
    EXPECT_TRUE(Form.Widget()->windowFlags() & Qt::WindowStaysOnTopHint);
    Form.BorderStyle = bsToolWindow;
    EXPECT_EQ(Form.Widget()->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(Form.Widget()->windowFlags() & Qt::WindowStaysOnTopHint);
    Form.BorderStyle = bsNone;
    EXPECT_TRUE(Form.Widget()->windowFlags() & Qt::FramelessWindowHint);
    Form.Caption = "设置";
    EXPECT_EQ(Form.Widget()->windowTitle().toStdString(), "设置");
}

TEST(FormStyles, TheWindowSystemCannotMakeAFormSmallerThanItsMinimum)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 800, 600);
    Form.SetMinimumSize(500, 300);
    Form.Widget()->resize(100, 400);
    EXPECT_EQ(Form.GetWidth(), 500);
    EXPECT_EQ(Form.GetHeight(), 400);
}

TEST(FormEvents, ShowAndHideFireOncePerChange)
{
    TForm Form(nullptr);
    int Shows = 0, Hides = 0;
    Form.OnShow = [&](TObject*) { ++Shows; };
    Form.OnHide = [&](TObject*) { ++Hides; };
    Form.Show();
    Form.Show();
    Form.Visible = false;
    Form.Hide();
    EXPECT_EQ(Shows, 1);
    EXPECT_EQ(Hides, 1);
}

TEST(FormEvents, OnActivateFiresEachTimeTheWindowBecomesActive)
{
    TForm Form(nullptr);
    int Activations = 0;
    Form.OnActivate = [&](TObject* Sender) { Activations += Sender == &Form; };
    Form.Show();
    const int before = Activations;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(Form.Widget(), &activate);
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(Form.Widget(), &deactivate);
    QCoreApplication::sendEvent(Form.Widget(), &activate);
    EXPECT_EQ(Activations - before, 2);
}

TEST(FormEvents, OnDestroyRunsOnceForACreatedForm)
{
    int Destroys = 0;
    auto* Form = new TForm(nullptr);
    Form->OnDestroy = [&](TObject*) { ++Destroys; };
    Form->DoCreate();
    Form->DoDestroy();
    delete Form;
    EXPECT_EQ(Destroys, 1);
}

TEST(FormEvents, ParentFormIsFoundThroughParentsAndOwners)
{
    TForm Form(nullptr);
    auto* Outer = new TPanel(&Form);
    Outer->Parent = &Form;
    auto* Inner = new TPanel(&Form);
    Inner->Parent = Outer;
    auto* Loose = new TPanel(&Form);
    EXPECT_EQ(GetParentForm(Inner), &Form);
    EXPECT_EQ(GetParentForm(Loose), &Form);
    EXPECT_EQ(GetParentForm(&Form), &Form);
}

TEST(SystemCommands, MoveCommandDragsTheControlUntilTheButtonIsReleased)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 300, 300);
    auto* Meter = new TPanel(&Form);
    Meter->Parent = &Form;
    Meter->SetBounds(10, 10, 50, 50);
    Form.Show();
    const QPoint Start = QCursor::pos();
    PostMessage(Meter, WM_SYSCOMMAND, 0xF011, 0);
    Application->ProcessMessages();

    SendGlobalMouse(Meter->Widget(), QEvent::MouseMove, Start + QPoint(30, 40), Qt::LeftButton);
    EXPECT_EQ(Meter->GetLeft(), 40);
    EXPECT_EQ(Meter->GetTop(), 50);
    SendGlobalMouse(Meter->Widget(), QEvent::MouseButtonRelease, Start + QPoint(30, 40), Qt::NoButton);
    SendGlobalMouse(Meter->Widget(), QEvent::MouseMove, Start + QPoint(90, 90), Qt::NoButton);
    EXPECT_EQ(Meter->GetLeft(), 40);
    EXPECT_EQ(Meter->GetWidth(), 50);
}

TEST(SystemCommands, BottomSizeCommandChangesOnlyTheHeight)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 300, 300);
    auto* Frame = new TPanel(&Form);
    Frame->Parent = &Form;
    Frame->SetBounds(0, 0, 200, 100);
    Form.Show();
    const QPoint Start = QCursor::pos();
    SendMessage(Frame->Handle(), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOM, 0);
    SendGlobalMouse(Frame->Widget(), QEvent::MouseMove, Start + QPoint(15, 25), Qt::LeftButton);
    SendGlobalMouse(Frame->Widget(), QEvent::MouseButtonRelease, Start + QPoint(15, 25), Qt::NoButton);
    EXPECT_EQ(Frame->GetBoundsRect(), Rect(0, 0, 200, 125));
}

TEST(FormEvents, CloseWithCaFreeReleasesTheFormAfterTheHandlerReturns)
{
    auto* Form = new TForm(nullptr);
    const HWND Handle = Form->Handle();
    Form->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    Form->Show();
    Form->Close();
    EXPECT_EQ(TWinControl::FindControl(Handle), Form);  // still alive inside the event
    Application->ProcessMessages();
    EXPECT_EQ(TWinControl::FindControl(Handle), nullptr);
}

TEST(SystemCommands, MoveCommandAfterTheButtonWentUpDragsNothing)
{
    TForm Form(nullptr);
    auto* Meter = new TPanel(&Form);
    Meter->Parent = &Form;
    Meter->SetBounds(10, 10, 50, 50);
    Form.Show();
    const QPoint Start = QCursor::pos();
    SendMessage(Meter->Handle(), WM_SYSCOMMAND, 0xF011, 0);
    SendGlobalMouse(Meter->Widget(), QEvent::MouseMove, Start + QPoint(30, 40), Qt::NoButton);
    SendGlobalMouse(Meter->Widget(), QEvent::MouseMove, Start + QPoint(60, 60), Qt::LeftButton);
    EXPECT_EQ(Meter->GetLeft(), 10);
    EXPECT_EQ(Meter->GetTop(), 10);
}

TEST(Resizing, OnCanResizeMayRefuseOrAdjustANewSize)
{
    TPanel Frame(nullptr);
    Frame.SetBounds(0, 0, 100, 300);
    Frame.OnCanResize = [](TObject*, int&, int& NewHeight, bool& Resize) { Resize = NewHeight >= 210; };
    Frame.Height = 200;
    EXPECT_EQ(Frame.GetHeight(), 300);
    Frame.SetBounds(5, 6, 100, 250);
    EXPECT_EQ(Frame.GetBoundsRect(), Rect(5, 6, 105, 256));
    Frame.OnCanResize = [](TObject*, int& NewWidth, int&, bool&) { NewWidth = 77; };
    Frame.Width = 10;
    EXPECT_EQ(Frame.GetWidth(), 77);
}

TEST(SystemCommands, TheCloseMessageClosesAFormAndNothingElse)
{
    TForm Form(nullptr);
    auto* Panel = new TPanel(&Form);
    Panel->Parent = &Form;
    int Closes = 0;
    Form.OnClose = [&](TObject*, TCloseAction&) { ++Closes; };
    Form.Show();
    Panel->Perform(WM_CLOSE, 0, 0);
    EXPECT_EQ(Closes, 0);
    EXPECT_TRUE(Form.GetVisible());
    Form.Perform(WM_CLOSE, 0, 0);
    EXPECT_EQ(Closes, 1);
    EXPECT_FALSE(Form.GetVisible());
}

// Escape pressed in an edit, which does not use it, reaches the form, which
// presses its cancel button; a panel holding the edit takes no key.
TEST(KeyPreview, EscapeInAChildPressesTheFormsCancelButton)
{
    TForm Form(nullptr);
    auto* Holder = new TPanel(&Form);
    Holder->Parent = &Form;
    auto* Edit = new TEdit(&Form);
    Edit->Parent = Holder;
    auto* Cancel = new TButton(&Form);
    Cancel->Parent = &Form;
    Cancel->SetCancel(true);
    int Cancels = 0, PanelKeys = 0;
    Cancel->OnClick = [&](TObject*) { ++Cancels; };
    Holder->OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState) { ++PanelKeys; };
    Form.Show();
    Edit->SetFocus();
    QKeyEvent Escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(Edit->Widget(), &Escape);
    EXPECT_EQ(Cancels, 1);
    EXPECT_EQ(PanelKeys, 0);
}
