// Controls: bounds, alignment, anchors, names, visibility, hints, mouse
// events and painting.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QWidget>
#include <climits>

#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/CustomControl.h"
#include "ui/Form.h"
#include "ui/Panel.h"

namespace {

struct TBox {
    int Left, Top, Width, Height;
    friend bool operator==(const TBox&, const TBox&) = default;
};

TBox BoxOf(const TControl& C)
{
    return {C.GetLeft(), C.GetTop(), C.GetWidth(), C.GetHeight()};
}

std::ostream& operator<<(std::ostream& S, const TBox& B)
{
    return S << "(" << B.Left << "," << B.Top << " " << B.Width << "x" << B.Height << ")";
}

TPanel* NewPanel(TWinControl* Parent, TAlign Align, int L, int T, int W, int H)
{
    auto* P = new TPanel(Parent);
    P->SetBounds(L, T, W, H);
    P->Parent = Parent;
    P->Align = Align;
    return P;
}

void SendMouse(QWidget* W, QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Buttons, QPointF P,
               Qt::KeyboardModifiers Mods = Qt::NoModifier)
{
    QMouseEvent E(Type, P, W->mapToGlobal(P), Button, Buttons, Mods);
    QCoreApplication::sendEvent(W, &E);
}

}  // namespace

TEST(Bounds, SetBoundsAndPropertiesAgree)
{
    TPanel Panel(nullptr);
    Panel.SetBounds(10, 20, 300, 200);
    EXPECT_EQ(BoxOf(Panel), (TBox{10, 20, 300, 200}));
    Panel.Left = 5;
    Panel.Width = 50;
    EXPECT_EQ(BoxOf(Panel), (TBox{5, 20, 50, 200}));
    EXPECT_EQ(int(Panel.ClientWidth), 50);
    EXPECT_EQ(Panel.GetBoundsRect(), Rect(5, 20, 55, 220));
    Panel.Height = -4;
    EXPECT_EQ(Panel.GetHeight(), 0);
}

TEST(Bounds, PlacesAndSizesOfAnySizeKeepTheirOrder)
{
    // A stored form may say anything; far places and sizes are taken as
    // far as a widget goes, the right and bottom edges staying beyond the
    // left and top ones.
    TPanel Panel(nullptr);
    for (const TBox& B :
         {TBox{INT_MAX, INT_MAX, 300, 200}, TBox{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, TBox{10, 20, INT_MAX, INT_MAX}}) {
        Panel.SetBounds(B.Left, B.Top, B.Width, B.Height);
        const TRect R = Panel.GetBoundsRect();
        EXPECT_GT(R.Right, R.Left) << B;
        EXPECT_GT(R.Bottom, R.Top) << B;
        EXPECT_EQ(R.Left > 0, B.Left > 0) << B;
    }
}

TEST(Alignment, TopBottomLeftRightAndClientShareTheParent)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 400, 300);
    TPanel* Top = NewPanel(&Form, alTop, 0, 0, 10, 30);
    TPanel* Bottom = NewPanel(&Form, alBottom, 0, 0, 10, 20);
    TPanel* Left = NewPanel(&Form, alLeft, 0, 0, 50, 10);
    TPanel* Right = NewPanel(&Form, alRight, 0, 0, 60, 10);
    TPanel* Client = NewPanel(&Form, alClient, 0, 0, 1, 1);

    EXPECT_EQ(BoxOf(*Top), (TBox{0, 0, 400, 30}));
    EXPECT_EQ(BoxOf(*Bottom), (TBox{0, 280, 400, 20}));
    EXPECT_EQ(BoxOf(*Left), (TBox{0, 30, 50, 250}));
    EXPECT_EQ(BoxOf(*Right), (TBox{340, 30, 60, 250}));
    EXPECT_EQ(BoxOf(*Client), (TBox{50, 30, 290, 250}));

    Form.SetBounds(0, 0, 500, 400);
    EXPECT_EQ(BoxOf(*Bottom), (TBox{0, 380, 500, 20}));
    EXPECT_EQ(BoxOf(*Client), (TBox{50, 30, 390, 350}));

    Top->Visible = false;
    EXPECT_EQ(BoxOf(*Client), (TBox{50, 0, 390, 380}));
}

TEST(Alignment, TopAlignedControlsStackInTheOrderOfTheirPositions)
{
    TPanel Box(nullptr);
    Box.SetBevelOuter(bvNone);
    Box.SetBounds(0, 0, 200, 1000);
    // Created in one order, placed one under the other in another, then
    // aligned: the tops decide the stacking.
    TPanel* A = NewPanel(&Box, alNone, 0, 0, 10, 100);
    TPanel* B = NewPanel(&Box, alNone, 0, 0, 10, 50);
    TPanel* C = NewPanel(&Box, alNone, 0, 0, 10, 70);
    B->Top = 0;
    C->Top = 50;
    A->Top = 120;
    for (TPanel* P : {A, B, C})
        P->Align = alTop;
    EXPECT_EQ(BoxOf(*B), (TBox{0, 0, 200, 50}));
    EXPECT_EQ(BoxOf(*C), (TBox{0, 50, 200, 70}));
    EXPECT_EQ(BoxOf(*A), (TBox{0, 120, 200, 100}));

    C->Height = 90;  // an aligned control that grows pushes the next down
    EXPECT_EQ(BoxOf(*A), (TBox{0, 140, 200, 100}));
}

TEST(Alignment, TheControlJustAlignedWinsATie)
{
    TPanel Box(nullptr);
    Box.SetBevelOuter(bvNone);
    Box.SetBounds(0, 0, 200, 1000);
    TPanel* A = NewPanel(&Box, alTop, 0, 0, 10, 100);
    TPanel* B = NewPanel(&Box, alNone, 0, 0, 10, 50);
    B->Align = alTop;  // B's top 0 ties with A's: B goes first
    EXPECT_EQ(BoxOf(*B), (TBox{0, 0, 200, 50}));
    EXPECT_EQ(BoxOf(*A), (TBox{0, 50, 200, 100}));
}

TEST(Alignment, RaisedPanelKeepsItsBevelFree)
{
    TPanel Outer(nullptr);
    Outer.SetBounds(0, 0, 100, 100);
    Outer.SetBevelOuter(bvRaised);
    Outer.SetBevelInner(bvLowered);
    TPanel* Inner = NewPanel(&Outer, alClient, 0, 0, 1, 1);
    EXPECT_EQ(BoxOf(*Inner), (TBox{2, 2, 96, 96}));
}

TEST(Anchors, RightAndBottomAnchorsKeepTheirDistances)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 300, 200);
    TPanel* Corner = NewPanel(&Form, alNone, 250, 150, 40, 30);
    Corner->Anchors = akRight | akBottom;
    TPanel* Stretch = NewPanel(&Form, alNone, 10, 10, 200, 20);
    Stretch->Anchors = akLeft | akTop | akRight;
    TPanel* Fixed = NewPanel(&Form, alNone, 10, 50, 20, 20);

    Form.SetBounds(0, 0, 400, 260);
    EXPECT_EQ(BoxOf(*Corner), (TBox{350, 210, 40, 30}));
    EXPECT_EQ(BoxOf(*Stretch), (TBox{10, 10, 300, 20}));
    EXPECT_EQ(BoxOf(*Fixed), (TBox{10, 50, 20, 20}));
}

TEST(Identity, NameIsTheWidgetsObjectNameAndControlsAreFoundByIt)
{
    TForm Form(nullptr);
    auto* Panel = new TPanel(&Form);
    Panel->SetName("pnlToolBar");
    Panel->Parent = &Form;
    EXPECT_EQ(Panel->Widget()->objectName().toStdString(), "pnlToolBar");
    EXPECT_EQ(Form.Widget()->findChild<QWidget*>("pnlToolBar"), Panel->Widget());
    EXPECT_EQ(TControl::FromWidget(Panel->Widget()), Panel);
    EXPECT_EQ(Form.FindComponent("pnltoolbar"), Panel);
}

namespace {

// Counts the free notifications of the components it watches.
class TFreeWatch : public TComponent {
public:
    std::vector<TComponent*> Freed;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (Operation == TOperation::opRemove)
            Freed.push_back(AComponent);
    }
};

}  // namespace

TEST(Ownership, FreeingAParentFreesItsChildrenOnce)
{
    TFreeWatch Watch;
    auto* Form = new TForm(nullptr);
    auto* Owned = new TPanel(Form);
    Owned->Parent = Form;
    auto* Loose = new TPanel(nullptr);  // parented, not owned
    Loose->Parent = Owned;
    EXPECT_EQ(Form->ControlCount(), 1);
    EXPECT_EQ(Owned->ControlCount(), 1);
    Owned->FreeNotification(&Watch);
    Loose->FreeNotification(&Watch);
    delete Form;
    EXPECT_EQ(Watch.Freed, (std::vector<TComponent*>{Loose, Owned}));
}

TEST(Ownership, FreeingAChildRemovesItFromItsParent)
{
    TForm Form(nullptr);
    auto* A = new TPanel(&Form);
    A->Parent = &Form;
    auto* B = new TPanel(&Form);
    B->Parent = &Form;
    delete A;
    ASSERT_EQ(Form.ControlCount(), 1);
    EXPECT_EQ(Form.Controls(0), B);
    EXPECT_EQ(Form.ComponentCount(), 1);
    EXPECT_THROW(Form.Controls(1), EListError);
}

TEST(Visibility, ChildrenShowWithTheirFormAndHiddenOnesStayHidden)
{
    TForm Form(nullptr);
    TPanel* Shown = NewPanel(&Form, alNone, 0, 0, 10, 10);
    TPanel* Hidden = NewPanel(&Form, alNone, 0, 0, 10, 10);
    Hidden->Visible = false;
    EXPECT_FALSE(Shown->Showing());
    Form.Show();
    EXPECT_TRUE(Shown->Showing());
    EXPECT_FALSE(Hidden->Showing());
    EXPECT_FALSE(Hidden->GetVisible());
    EXPECT_TRUE(Shown->GetVisible());
}

TEST(Enabling, EnabledIsTheControlsOwnFlag)
{
    TForm Form(nullptr);
    TPanel* Outer = NewPanel(&Form, alNone, 0, 0, 50, 50);
    TPanel* Inner = NewPanel(Outer, alNone, 0, 0, 10, 10);
    Outer->Enabled = false;
    EXPECT_FALSE(Outer->GetEnabled());
    EXPECT_TRUE(Inner->GetEnabled());
    EXPECT_FALSE(Inner->Widget()->isEnabled());  // but it cannot be used
}

TEST(Hints, ShownOnlyWhenShowHintHoldsForTheControlOrItsParent)
{
    TForm Form(nullptr);
    TPanel* Panel = NewPanel(&Form, alNone, 0, 0, 10, 10);
    Panel->Hint = "测量值";
    EXPECT_FALSE(Panel->EffectiveShowHint());
    Form.ShowHint = true;
    EXPECT_TRUE(Panel->EffectiveShowHint());
    Panel->ShowHint = false;  // its own setting now wins
    EXPECT_FALSE(Panel->EffectiveShowHint());
    EXPECT_EQ(Panel->Widget()->toolTip().toStdString(), "测量值");
}

TEST(MouseEvents, DownMoveUpAndClickWithButtonsShiftAndPosition)
{
    TForm Form(nullptr);
    TPanel* Panel = NewPanel(&Form, alNone, 0, 0, 100, 100);
    std::vector<std::string> Log;
    Panel->OnMouseDown = [&](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        EXPECT_EQ(S, Panel);
        Log.push_back("down " + std::to_string(B) + " " + std::to_string(Sh) + " " + std::to_string(X) + "," +
                      std::to_string(Y));
    };
    Panel->OnMouseMove = [&](TObject*, TShiftState Sh, int X, int Y) {
        Log.push_back("move " + std::to_string(Sh) + " " + std::to_string(X) + "," + std::to_string(Y));
    };
    Panel->OnMouseUp = [&](TObject*, TMouseButton B, TShiftState, int X, int Y) {
        Log.push_back("up " + std::to_string(B) + " " + std::to_string(X) + "," + std::to_string(Y));
    };
    Panel->OnClick = [&](TObject*) { Log.push_back("click"); };

    QWidget* W = Panel->Widget();
    SendMouse(W, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {10, 20}, Qt::ShiftModifier);
    SendMouse(W, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {12, 22});
    SendMouse(W, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {12, 22});
    SendMouse(W, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {1, 2});
    SendMouse(W, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {1, 2});

    const std::vector<std::string> Expected = {
        "down 0 " + std::to_string(ssShift | ssLeft) + " 10,20",
        "move " + std::to_string(ssLeft) + " 12,22",
        "up 0 12,22",
        "click",
        "down 1 " + std::to_string(ssRight) + " 1,2",
        "up 1 1,2",
    };
    EXPECT_EQ(Log, Expected);
}

TEST(MouseEvents, ReleaseOutsideTheControlIsNoClick)
{
    TPanel Panel(nullptr);
    Panel.SetBounds(0, 0, 50, 50);
    int Clicks = 0;
    Panel.OnClick = [&](TObject*) { ++Clicks; };
    SendMouse(Panel.Widget(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    SendMouse(Panel.Widget(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {80, 5});
    EXPECT_EQ(Clicks, 0);
}

TEST(MouseEvents, DoubleClickFiresOnDblClickAndADownWithSsDouble)
{
    TPanel Panel(nullptr);
    Panel.SetBounds(0, 0, 50, 50);
    int Doubles = 0;
    TShiftState LastDown = 0;
    Panel.OnDblClick = [&](TObject*) { ++Doubles; };
    Panel.OnMouseDown = [&](TObject*, TMouseButton, TShiftState S, int, int) { LastDown = S; };
    SendMouse(Panel.Widget(), QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {5, 5});
    EXPECT_EQ(Doubles, 1);
    EXPECT_TRUE(LastDown & ssDouble);
}

// Qt judges a double click by the time between two presses, and reports
// the second press as one wherever it lands when no mouse move came in
// between; a double click is two presses on one control, close together,
// and anything else is a plain press of the control it lands on.
TEST(MouseEvents, APressOnAnotherControlOrFarAwayIsNoDoubleClick)
{
    TPanel Host(nullptr);
    Host.SetBounds(0, 0, 200, 100);
    TPanel* A = NewPanel(&Host, alNone, 0, 0, 90, 90);
    TPanel* B = NewPanel(&Host, alNone, 100, 0, 90, 90);
    std::vector<std::string> Seen;
    for (TPanel* P : {A, B}) {
        const std::string Name = P == A ? "A" : "B";
        P->OnDblClick = [&Seen, Name](TObject*) { Seen.push_back(Name + " double"); };
        P->OnMouseDown = [&Seen, Name](TObject*, TMouseButton, TShiftState S, int X, int) {
            Seen.push_back(Name + " down " + std::to_string(X) + ((S & ssDouble) ? " double" : ""));
        };
    }
    SendMouse(A->Widget(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    SendMouse(A->Widget(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {5, 5});
    SendMouse(B->Widget(), QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {6, 5});
    SendMouse(B->Widget(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {6, 5});
    SendMouse(B->Widget(), QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {60, 5});
    SendMouse(B->Widget(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {60, 5});
    SendMouse(B->Widget(), QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {62, 6});
    EXPECT_EQ(Seen, (std::vector<std::string>{"A down 5", "B down 6", "B down 60", "B double", "B down 62 double"}));
}

namespace {

class TSquare : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        Canvas->Brush->Color = clRed;
        Canvas->FillRect(Rect(0, 0, GetWidth() / 2, GetHeight()));
    }
};

}  // namespace

TEST(Painting, CustomControlPaintsOnItsCanvasOverItsColour)
{
    TSquare Square(nullptr);
    Square.SetBounds(0, 0, 40, 20);
    Square.Color = clWhite;
    const QImage Image = Square.Widget()->grab().toImage();
    EXPECT_EQ(Square.Paints, 1);
    EXPECT_EQ(Image.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(Image.pixelColor(30, 5), QColor(255, 255, 255));
}

TEST(Painting, ExceptionInPaintGoesToTheApplicationNotQt)
{
    Application.Get();
    TCustomControl Control(nullptr);
    Control.SetBounds(0, 0, 10, 10);
    Control.OnPaint = [](TObject*) { throw Exception("paint failed"); };
    std::vector<std::string> Seen;
    Application->OnException = [&](TObject*, Exception& E) { Seen.push_back(E.Message); };
    Control.Widget()->grab();
    Application->OnException = nullptr;
    EXPECT_EQ(Seen, std::vector<std::string>{"paint failed"});
}

TEST(MouseEvents, AHandlerMayFreeItsOwnControl)
{
    TForm Form(nullptr);
    TPanel* Panel = NewPanel(&Form, alNone, 0, 0, 50, 50);
    TFreeWatch Watch;
    Panel->FreeNotification(&Watch);
    int Ups = 0;
    Panel->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++Ups; };
    Panel->OnClick = [&](TObject*) { delete Panel; };
    QWidget* W = Panel->Widget();
    SendMouse(W, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    SendMouse(W, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {5, 5});
    EXPECT_EQ(Ups, 1);
    EXPECT_EQ(Watch.Freed, std::vector<TComponent*>{Panel});
    EXPECT_EQ(Form.ControlCount(), 0);

    TPanel* Other = NewPanel(&Form, alNone, 0, 0, 50, 50);
    int Clicks = 0;
    Other->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { delete Other; };
    Other->OnClick = [&](TObject*) { ++Clicks; };
    SendMouse(Other->Widget(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    EXPECT_EQ(Form.ControlCount(), 0);
    EXPECT_EQ(Clicks, 0);
}

#include <QEventLoop>
#include <QTimer>
#include <thread>

TEST(Painting, InvalidateFromAnotherThreadPaintsInTheUserInterfaceThread)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 100, 100);
    auto* Square = new TSquare(&Form);
    Square->Parent = &Form;
    Square->SetBounds(0, 0, 40, 40);
    Form.Show();
    Application->ProcessMessages();
    const int Before = Square->Paints;
    std::thread Worker([&] { Square->Invalidate(); });
    Worker.join();
    QEventLoop Loop;
    QTimer Poll;
    QObject::connect(&Poll, &QTimer::timeout, [&] {
        if (Square->Paints > Before)
            Loop.quit();
    });
    Poll.start(1);
    QTimer::singleShot(20000, &Loop, &QEventLoop::quit);
    Loop.exec();
    EXPECT_GT(Square->Paints, Before);
}

namespace {

// Counts the placements of its children it is told about.
class TPlacementWatcher : public TPanel {
public:
    using TPanel::TPanel;
    int Placed = 0;

protected:
    void ControlPlaced() override { ++Placed; }
};

}  // namespace

TEST(ControlPlacement, AParentHearsOfEveryMoveResizeShowAndHideOfAChild)
{
    TPlacementWatcher Parent(nullptr);
    Parent.SetBounds(0, 0, 300, 200);
    auto* Child = new TPanel(&Parent);
    Child->SetParent(&Parent);
    Child->SetBounds(10, 10, 50, 50);
    Parent.Placed = 0;

    Child->SetBounds(10, 10, 50, 50);
    EXPECT_EQ(Parent.Placed, 0) << "nothing changed";
    Child->SetLeft(40);
    EXPECT_EQ(Parent.Placed, 1);
    Child->SetWidth(80);
    EXPECT_EQ(Parent.Placed, 2);
    Child->SetVisible(false);
    EXPECT_EQ(Parent.Placed, 3);
    Child->SetVisible(true);
    EXPECT_EQ(Parent.Placed, 4);
}
