#include "ui/Form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/DialogKeyTarget.h"
#include "ui/Keys.h"

// A top-level window whose closing goes through the form's close rules.
class TFormWidget : public QWidget {
public:
    TFormWidget() : QWidget(nullptr, Qt::Window) {}

    void closeEvent(QCloseEvent* Event) override
    {
        auto* Form = dynamic_cast<TForm*>(TControl::FromWidget(this));
        if (!Form || Form->IsDestroying()) {
            Event->accept();
            return;
        }
        bool Closed = false;
        CallGuarded(Form, [&] { Closed = Form->HandleCloseRequest(); });
        // The form hides itself when it closes; Qt must not do more.
        Event->ignore();
        (void)Closed;
    }

    bool event(QEvent* Event) override
    {
        if (Event->type() == QEvent::WindowActivate)
            if (auto* Form = dynamic_cast<TForm*>(TControl::FromWidget(this)); Form && !Form->IsDestroying())
                CallGuarded(Form, [Form] {
                    if (Form->OnActivate)
                        Form->OnActivate(Form);
                });
        return QWidget::event(Event);
    }
};

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner, NewWidget<TFormWidget>())
{
    FVisible = false;
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm()
{
    DoDestroy();
    if (FModalLoop)
        FModalLoop->quit();
}

void TForm::DoCreate()
{
    FCreated = true;
    if (OnCreate)
        OnCreate(this);
}

void TForm::DoDestroy()
{
    if (!FCreated || FDestroyed)
        return;
    FDestroyed = true;
    if (OnDestroy)
        OnDestroy(this);
}

void TForm::SetVisible(bool Value)
{
    if (Value)
        Show();
    else
        Hide();
}

void TForm::Show()
{
    const bool WasVisible = FVisible && Widget()->isVisible();
    FVisible = true;
    if (GetParent()) {
        Widget()->show();
    } else {
        PlaceOnShow();
        Widget()->show();
        if (QGuiApplication::platformName() != "offscreen")
            Widget()->raise();
        Widget()->activateWindow();
    }
    if (!WasVisible)
        DoShow();
}

void TForm::Hide()
{
    const bool WasVisible = FVisible && Widget()->isVisible();
    FVisible = false;
    Widget()->hide();
    if (WasVisible)
        DoHide();
}

void TForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TForm::PlaceOnShow()
{
    if (FPlaced)
        return;
    FPlaced = true;
    QRect Area;
    if (FPosition == poScreenCenter || FPosition == poDesktopCenter) {
        if (QScreen* S = QGuiApplication::primaryScreen())
            Area = S->availableGeometry();
    } else if (FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) {
        TForm* Around = FPosition == poMainFormCenter ? Application->MainForm() : dynamic_cast<TForm*>(GetOwner());
        if (Around && Around != this)
            Area = Around->Widget()->geometry();
        else if (QScreen* S = QGuiApplication::primaryScreen())
            Area = S->availableGeometry();
    }
    if (!Area.isEmpty())
        SetBounds(Area.x() + (Area.width() - GetWidth()) / 2, Area.y() + (Area.height() - GetHeight()) / 2, GetWidth(),
                  GetHeight());
}

void TForm::SetModalResult(TModalResult Value)
{
    FModalResult = Value;
    if (Value != mrNone && FModalLoop)
        FModalLoop->quit();
}

TModalResult TForm::ShowModal()
{
    if (FModalLevel > 0 || (FVisible && Widget()->isVisible()))
        throw Exception("Cannot make a visible window modal");
    QPointer<QWidget> Guard(Widget());
    // A control still holding the mouse (pressed when the dialog was asked
    // for) would take every click meant for the dialog.
    ReleaseCapture();
    FModalResult = mrNone;
    Widget()->setWindowModality(Qt::ApplicationModal);
    ++FModalLevel;
    Show();
    TModalResult Result = mrNone;
    for (;;) {
        if (FModalResult == mrNone) {
            QEventLoop Loop;
            FModalLoop = &Loop;
            Application->RunModalLoop(Loop);
            if (!Guard)
                return mrCancel;  // freed while modal
            FModalLoop = nullptr;
        }
        if (Application->Terminated() && FModalResult == mrNone)
            FModalResult = mrCancel;
        if (FModalResult != mrNone) {
            if (CloseModal())
                break;
            FModalResult = mrNone;
        }
    }
    Result = FModalResult;
    --FModalLevel;
    Hide();
    Widget()->setWindowModality(Qt::NonModal);
    return Result;
}

bool TForm::CloseQuery()
{
    bool CanClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, CanClose);
    return CanClose;
}

bool TForm::CloseModal()
{
    if (!CloseQuery())
        return false;
    TCloseAction Action = caHide;
    if (OnClose)
        OnClose(this, Action);
    return Action != caNone;
}

void TForm::Close()
{
    HandleCloseRequest();
}

bool TForm::HandleCloseRequest()
{
    if (FModalLevel > 0) {
        // The modal loop runs the close rules once it sees the result.
        SetModalResult(mrCancel);
        return true;
    }
    if (!CloseQuery())
        return false;
    TCloseAction Action = caHide;
    if (OnClose)
        OnClose(this, Action);
    if (Action == caNone)
        return false;
    if (Application->MainForm() == this) {
        Hide();
        Application->Terminate();
    } else if (Action == caMinimize) {
        Widget()->showMinimized();
    } else {
        Hide();
        if (Action == caFree)
            Release();
    }
    return true;
}

void TForm::Release()
{
    const HWND Self = Handle();
    QTimer::singleShot(0, [Self] { delete dynamic_cast<TForm*>(TWinControl::FindControl(Self)); });
}

void TForm::SetBorderStyle(TFormBorderStyle Value)
{
    FBorderStyle = Value;
    ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle Value)
{
    FFormStyle = Value;
    ApplyWindowFlags();
}

void TForm::SetMinimumSize(int Width, int Height)
{
    Widget()->setMinimumSize(Width, Height);
}

void TForm::ApplyWindowFlags()
{
    if (GetParent())
        return;
    Qt::WindowFlags Flags = Qt::Window;
    switch (FBorderStyle) {
    case bsNone: Flags |= Qt::FramelessWindowHint; break;
    case bsDialog: Flags = Qt::Dialog; break;
    case bsToolWindow:
    case bsSizeToolWin: Flags = Qt::Tool; break;
    default: break;
    }
    if (FFormStyle == fsStayOnTop)
        Flags |= Qt::WindowStaysOnTopHint;
    const bool Shown = Widget()->isVisible();
    Widget()->setWindowFlags(Flags);
    if (Shown)
        Widget()->show();
}

namespace {

TDialogKeyTarget* FindDialogKeyTarget(const TWinControl* Parent, std::uint16_t Key)
{
    for (int I = 0; I < Parent->ControlCount(); ++I) {
        TControl* C = Parent->Controls(I);
        if (auto* Target = dynamic_cast<TDialogKeyTarget*>(C)) {
            if (Target->TakesDialogKey(Key))
                return Target;
        } else if (auto* W = dynamic_cast<TWinControl*>(C)) {
            if (TDialogKeyTarget* Found = FindDialogKeyTarget(W, Key))
                return Found;
        }
    }
    return nullptr;
}

}  // namespace

void TForm::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_CLOSE)
        Close();
    else
        TWinControl::WndProc(Message);
}

void TForm::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    TWinControl::KeyDown(Key, Shift);
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
        if (TDialogKeyTarget* Target = FindDialogKeyTarget(this, Key)) {
            Key = 0;
            Target->Click();
        }
    }
}

TForm* GetParentForm(const TControl* Control)
{
    const TControl* C = Control;
    while (C && C->GetParent())
        C = C->GetParent();
    if (auto* Form = dynamic_cast<const TForm*>(C))
        return const_cast<TForm*>(Form);
    for (TComponent* O = Control ? Control->GetOwner() : nullptr; O; O = O->GetOwner())
        if (auto* Form = dynamic_cast<TForm*>(O))
            return Form;
    return nullptr;
}
