#pragma once
// The application object: forms, the message loop, posted messages,
// unhandled exceptions and message boxes.
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Exception.h"
#include "ui/Messages.h"

class TForm;
class TApplicationEvents;
class TApplicationLoop;

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;

// Message box flags and answers.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONSTOP = MB_ICONERROR;
constexpr unsigned MB_ICONHAND = MB_ICONERROR;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_TYPEMASK = 0x0F;
constexpr unsigned MB_ICONMASK = 0xF0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize() {}

    // Creates a form owned by the application; the first one becomes the
    // main form. OnCreate runs once the form is fully built.
    template <class TFormClass> void CreateForm(TFormClass*& Reference)
    {
        Reference = new TFormClass(this);
        FormCreated(Reference);
    }

    // Shows the main form and runs the message loop until it closes or
    // Terminate is called. The forms stay until the program ends, and are
    // then freed before Qt's own clean-up.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles every pending event (posted messages and hand-overs from
    // other threads included) and returns.
    void ProcessMessages();

    TForm* MainForm() const { return FMainForm; }
    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    // Full path of the running executable.
    std::string ExeName() const;

    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }

    // Call inside a catch block: hands the exception being handled to
    // OnException, or shows its message in a message box. EAbort is
    // silent.
    void HandleException(TObject* Sender);
    void ShowException(const Exception& E);

    // Message box through the dialog seam; returns IDOK, IDCANCEL, IDYES or
    // IDNO. Posted messages keep being delivered while it is open.
    int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags = MB_OK);

    TExceptionEvent OnException;
    TMessageEvent OnMessage;

private:
    friend class TApplicationEvents;
    friend class TApplicationLoop;
    friend bool PostMessage(HWND, UINT, WPARAM, LPARAM);
    void FormCreated(TForm* AForm);
    // Hands E to the OnException handlers, or shows it.
    void DeliverException(TObject* Sender, Exception& E);
    void DestroyComponents();
    // Offers the message to the hooks, then to the control's WndProc.
    void DispatchMessage(TMsg& Msg);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    std::unique_ptr<TApplicationLoop> FLoop;
    std::vector<TApplicationEvents*> FEvents;
    TForm* FMainForm = nullptr;
    std::string FTitle;
    bool FTerminated = false;
    bool FShowHint = true;
};

// The global application object, made (with the Qt application under it)
// on first use.
class TApplicationRef {
public:
    TApplication* operator->() const { return Get(); }
    operator TApplication*() const { return Get(); }
    static TApplication* Get();
};
extern TApplicationRef Application;

// Application-level hooks a form can place: sees every posted message
// before it is dispatched, also inside modal loops and message boxes.
class TApplicationEvents : public TComponent {
public:
    explicit TApplicationEvents(TComponent* AOwner);
    ~TApplicationEvents() override;

    TMessageEvent OnMessage;
    TExceptionEvent OnException;
};

// Posts a message to a control (see Messages.h); convenience overload.
class TWinControl;
bool PostMessage(TWinControl* Control, UINT Msg, WPARAM wParam, LPARAM lParam);

// Runs Fn and hands any exception it raises to Application->HandleException
// with Sender; used at every boundary where Qt calls into our handlers.
void CallGuarded(TObject* Sender, const std::function<void()>& Fn);
