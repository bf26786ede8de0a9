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
#include "ui/DialogRequest.h"
#include "ui/Messages.h"

class QEventLoop;
class TForm;
class TApplicationLoop;

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;

// Handlers placed beside the application's own: they see every posted
// message before it is dispatched, and exceptions before OnException.
struct TApplicationHooks {
    TMessageEvent OnMessage;
    TExceptionEvent OnException;
};

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
        FormCreated(Reference, Reference);
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
    // Runs Loop, a modal form's, until it is quit; Terminate quits every
    // such loop.
    void RunModalLoop(QEventLoop& Loop);

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
    // One box at a time: an error raised while a box is open (its loop
    // keeps serving hand-overs and posted messages) is counted, and told in
    // a box of its own once the open one is closed.
    void ShowException(const Exception& E);

    // Message box through the dialog seam; returns IDOK, IDCANCEL, IDYES or
    // IDNO. Posted messages keep being delivered while it is open.
    int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags = MB_OK);

    TExceptionEvent OnException;
    TMessageEvent OnMessage;

    // Places Hooks after those placed before; Unhook takes them away, also
    // once the application is gone.
    void Hook(TApplicationHooks* Hooks);
    static void Unhook(TApplicationHooks* Hooks);

private:
    friend class TApplicationLoop;
    friend bool PostMessage(HWND, UINT, WPARAM, LPARAM);
    // AForm and AsComponent are the same new form.
    void FormCreated(TForm* AForm, TComponent* AsComponent);
    // Hands E to the OnException handlers, or shows it.
    void DeliverException(TObject* Sender, Exception& E);
    void DestroyComponents();
    // Offers the message to the hooks, then to the control's WndProc.
    void DispatchMessage(TMsg& Msg);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    std::unique_ptr<TApplicationLoop> FLoop;
    std::vector<TApplicationHooks*> FHooks;
    TForm* FMainForm = nullptr;
    // The main form as the component the application owns.
    TComponent* FMainComponent = nullptr;
    std::vector<QEventLoop*> FModalLoops;
    std::string FTitle;
    bool FShowingException = false;
    int FErrorsWhileShowing = 0;
    std::string FLastErrorWhileShowing;
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

// Runs Fn and hands any exception it raises to Application->HandleException
// with Sender; used at every boundary where Qt calls into our handlers.
void CallGuarded(TObject* Sender, const std::function<void()>& Fn);
