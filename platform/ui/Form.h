#pragma once
// Forms: top-level windows, modal or not.
#include "ui/ApplicationForm.h"
#include "ui/Control.h"

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 11;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsStayOnTop };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TWinControl, public TApplicationForm {
public:
    explicit TForm(TComponent* AOwner);
    // Fires OnDestroy when the form was created through CreateForm or
    // DoCreate ran; derived forms that handle their own teardown call
    // DoDestroy first in their destructor.
    ~TForm() override;

    // Fires OnCreate; CreateForm calls it once the form is fully built.
    void DoCreate() override;
    void DoDestroy() override;

    void Show() override;
    void Hide();
    // Runs a modal loop until ModalResult becomes non-zero or the form
    // closes; returns the ModalResult (mrCancel when closed otherwise).
    TModalResult ShowModal();
    // Asks OnCloseQuery, then OnClose; unless the action is caNone hides
    // the form (caFree: releases it) or ends the modal loop. Closing the
    // main form ends the application's loop.
    void Close();
    bool CloseQuery();
    // Frees the form once the events being handled are done (a form can
    // release itself from its own handlers).
    void Release();

    TModalResult GetModalResult() const { return FModalResult; }
    // A non-zero value ends a running ShowModal.
    void SetModalResult(TModalResult Value);
    bool Modal() const { return FModalLevel > 0; }

    TPosition GetPosition() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TFormStyle GetFormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    // The smallest size the user can give the form by dragging its edges.
    void SetMinimumSize(int Width, int Height);

    void SetVisible(bool Value) override;
    // WM_CLOSE closes the form as Close does.
    void WndProc(TMessage& Message) override;

    TProperty<TForm, TModalResult, &TForm::GetModalResult, &TForm::SetModalResult> ModalResult{this};
    TProperty<TForm, TPosition, &TForm::GetPosition, &TForm::SetPosition> Position{this};
    TProperty<TForm, TFormBorderStyle, &TForm::GetBorderStyle, &TForm::SetBorderStyle> BorderStyle{this};
    TProperty<TForm, TFormStyle, &TForm::GetFormStyle, &TForm::SetFormStyle> FormStyle{this};

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    // The form's window became the active one.
    TNotifyEvent OnActivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;

protected:
    virtual void DoShow();
    virtual void DoHide();
    // Key preview of Escape for modal dialogs: sets mrCancel.
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    bool PreviewsChildKeys() const override { return true; }

private:
    friend class TFormWidget;
    // A close request from the window system (or Close): true when the
    // form really closed.
    bool HandleCloseRequest();
    // The modal loop's closing: OnCloseQuery, then OnClose.
    bool CloseModal();
    void ApplyWindowFlags();
    void PlaceOnShow();

    TModalResult FModalResult = mrNone;
    int FModalLevel = 0;
    TPosition FPosition = poDesigned;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    bool FCreated = false;
    bool FDestroyed = false;
    bool FPlaced = false;
    class QEventLoop* FModalLoop = nullptr;
};

// The form that owns (directly or through its owners) or holds the control.
TForm* GetParentForm(const TControl* Control);
