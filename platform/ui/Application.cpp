#include "ui/Application.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QObject>
#include <QTranslator>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <utility>
#include <unistd.h>

#include "rtl/Thread.h"
#include "ui/ApplicationForm.h"
#include "ui/MessageTarget.h"

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

TApplicationRef Application;

namespace {

const QEvent::Type PostedMessageEvent = QEvent::Type(QEvent::User + 1);
const QEvent::Type WakeEvent = QEvent::Type(QEvent::User + 2);

// Qt's event queue hands a posted event from the posting thread to the
// user-interface thread under a lock of its own, which the thread sanitizer
// cannot see in Qt's uninstrumented library. Telling it keeps the sanitizer
// quiet about exactly that hand-over and about nothing else.
void HandOver(QEvent* Event)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(Event);
#else
    (void)Event;
#endif
}

void TakeOver(QEvent* Event)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(Event);
#else
    (void)Event;
#endif
}

void Post(QObject* Target, QEvent* Event)
{
    HandOver(Event);
    QCoreApplication::postEvent(Target, Event);
}

class TPostedMessage : public QEvent {
public:
    explicit TPostedMessage(const TMsg& AMsg) : QEvent(PostedMessageEvent), Msg(AMsg) {}
    TMsg Msg;
};

TApplication* TheApplication = nullptr;
std::atomic<QObject*> LoopObject{nullptr};
std::atomic<bool> WakePending{false};

// At program end the forms are freed (their OnDestroy runs) while Qt is
// still whole; the Qt application itself is left to the system. Qt
// registers the clean-up of its own state when it first uses that state
// (a hint, a message box or a file dialog does), and exit handlers run
// newest first: so the handler is registered again when the message loop
// has ended, after everything the session made. The first handler to run
// frees the application; the others find nothing left.
void FreeApplicationAtExit()
{
    std::atexit([] { delete TheApplication; });
}

int QtArgc = 1;
char QtArg0[] = "kalvodaq";
char* QtArgv[] = {QtArg0, nullptr};

// The program speaks Chinese, so Qt's own dialogs and buttons ("Save As",
// "Cancel", Yes/No) must too, whatever the machine's language. Without the
// catalogue installed they stay in English.
void InstallQtTranslation()
{
    auto* Translator = new QTranslator(QCoreApplication::instance());
    if (Translator->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(Translator);
    else
        delete Translator;
}

}  // namespace

// Receives the posted messages and the hand-over wake-ups in the
// user-interface thread, and owns the running message loop.
class TApplicationLoop : public QObject {
public:
    bool event(QEvent* Event) override
    {
        TakeOver(Event);
        if (Event->type() == PostedMessageEvent) {
            TMsg Msg = static_cast<TPostedMessage*>(Event)->Msg;
            CallGuarded(TheApplication, [&] { TheApplication->DispatchMessage(Msg); });
            return true;
        }
        if (Event->type() == WakeEvent) {
            WakePending = false;
            CallGuarded(TheApplication, [] { CheckSynchronize(); });
            return true;
        }
        return QObject::event(Event);
    }

    QEventLoop* RunLoop = nullptr;
};

TApplication* TApplicationRef::Get()
{
    if (!TheApplication) {
        if (!QApplication::instance())
            new QApplication(QtArgc, QtArgv);
        TheApplication = new TApplication;
        FreeApplicationAtExit();
    }
    return TheApplication;
}

TApplication::TApplication() : FLoop(new TApplicationLoop)
{
    TheApplication = this;
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQtTranslation();
    // Like the original, the title starts as the program's name.
    const std::string Exe = ExeName();
    FTitle = Exe.substr(Exe.find_last_of('/') + 1);
    LoopObject = FLoop.get();
    SetMainThread();
    SetWakeMainThreadHook([] {
        QObject* Target = LoopObject.load();
        if (Target && !WakePending.exchange(true))
            Post(Target, new QEvent(WakeEvent));
    });
    SetThreadExceptionHook([](TThread*, const std::exception& E) {
        if (dynamic_cast<const EAbort*>(&E))
            return;
        if (auto* Ex = dynamic_cast<const Exception*>(&E)) {
            Exception Copy(*Ex);
            TheApplication->DeliverException(TheApplication, Copy);
        } else {
            Exception Wrapped(E.what());
            TheApplication->DeliverException(TheApplication, Wrapped);
        }
    });
}

TApplication::~TApplication()
{
    SetWakeMainThreadHook(nullptr);
    SetThreadExceptionHook(nullptr);
    LoopObject = nullptr;
    DestroyComponents();
    if (TheApplication == this)
        TheApplication = nullptr;
}

void TApplication::DestroyComponents()
{
    while (ComponentCount() > 0) {
        TComponent* C = Components(ComponentCount() - 1);
        if (auto* Form = dynamic_cast<TApplicationForm*>(C))
            Form->DoDestroy();
        RemoveComponent(C);
        delete C;
    }
}

void TApplication::FormCreated(TForm* AForm, TComponent* AsComponent)
{
    if (!FMainForm) {
        FMainForm = AForm;
        FMainComponent = AsComponent;
    }
    dynamic_cast<TApplicationForm&>(*AsComponent).DoCreate();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FMainComponent) {
        FMainForm = nullptr;
        FMainComponent = nullptr;
    }
}

void TApplication::Run()
{
    if (FMainComponent)
        CallGuarded(FMainComponent, [this] { dynamic_cast<TApplicationForm&>(*FMainComponent).Show(); });
    if (!FTerminated) {
        QEventLoop Loop;
        FLoop->RunLoop = &Loop;
        Loop.exec();
        FLoop->RunLoop = nullptr;
    }
    FreeApplicationAtExit();
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (FLoop->RunLoop)
        FLoop->RunLoop->quit();
    // Modal forms end with mrCancel.
    for (QEventLoop* Loop : FModalLoops)
        Loop->quit();
}

void TApplication::RunModalLoop(QEventLoop& Loop)
{
    FModalLoops.push_back(&Loop);
    Loop.exec();
    FModalLoops.erase(std::find(FModalLoops.begin(), FModalLoops.end(), &Loop));
}

void TApplication::ProcessMessages()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

std::string TApplication::ExeName() const
{
    char Buffer[4096];
    const ssize_t N = readlink("/proc/self/exe", Buffer, sizeof Buffer - 1);
    return N > 0 ? std::string(Buffer, size_t(N)) : std::string();
}

void TApplication::HandleException(TObject* Sender)
{
    std::exception_ptr Current = std::current_exception();
    if (!Current)
        return;
    try {
        std::rethrow_exception(Current);
    } catch (const EAbort&) {
    } catch (Exception& E) {
        DeliverException(Sender, E);
    } catch (const std::exception& E) {
        Exception Wrapped(E.what());
        DeliverException(Sender, Wrapped);
    } catch (...) {
        Exception Wrapped("Unknown exception");
        DeliverException(Sender, Wrapped);
    }
}

void TApplication::DeliverException(TObject* Sender, Exception& E)
{
    try {
        bool Handled = false;
        for (TApplicationHooks* Hooks : std::vector<TApplicationHooks*>(FHooks))
            if (Hooks->OnException) {
                Hooks->OnException(Sender, E);
                Handled = true;
            }
        if (!Handled && OnException) {
            OnException(Sender, E);
            Handled = true;
        }
        if (!Handled)
            ShowException(E);
    } catch (const EAbort&) {
    } catch (const std::exception& Inner) {
        // A failing exception handler must not take the loop down.
        ShowException(Exception(Inner.what()));
    }
}

void TApplication::ShowException(const Exception& E)
{
    // A source that fails at every value (a device polled many times a
    // second) would otherwise stack one box inside the other, each opened
    // by the loop of the box under it.
    if (FShowingException) {
        ++FErrorsWhileShowing;
        FLastErrorWhileShowing = E.Message;
        return;
    }
    FShowingException = true;
    try {
        MessageBox(E.Message, FTitle, MB_OK | MB_ICONSTOP);
        while (FErrorsWhileShowing > 0) {
            const int Count = std::exchange(FErrorsWhileShowing, 0);
            const std::string Last = std::exchange(FLastErrorWhileShowing, std::string());
            const std::string Text =
                Count == 1 ? "1 more error occurred while the previous message was shown:\n\n" + Last
                           : std::to_string(Count) +
                                 " more errors occurred while the previous message was shown; the last was:\n\n" + Last;
            MessageBox(Text, FTitle, MB_OK | MB_ICONSTOP);
        }
    } catch (...) {
        FShowingException = false;
        throw;
    }
    FShowingException = false;
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags)
{
    TDialogRequest Request;
    Request.Kind = TDialogKind::MessageBox;
    Request.Caption = Caption;
    Request.Text = Text;
    Request.Flags = Flags;
    return RunDialog(Request).Result;
}

void TApplication::DispatchMessage(TMsg& Msg)
{
    bool Handled = false;
    for (TApplicationHooks* Hooks : std::vector<TApplicationHooks*>(FHooks)) {
        if (Hooks->OnMessage)
            Hooks->OnMessage(Msg, Handled);
        if (Handled)
            return;
    }
    if (OnMessage)
        OnMessage(Msg, Handled);
    if (Handled)
        return;
    if (TMessageTarget* Target = TMessageTarget::Find(Msg.hwnd))
        Target->Perform(Msg.message, Msg.wParam, Msg.lParam);
}

void TApplication::Hook(TApplicationHooks* Hooks)
{
    FHooks.push_back(Hooks);
}

void TApplication::Unhook(TApplicationHooks* Hooks)
{
    if (TheApplication) {
        auto& List = TheApplication->FHooks;
        List.erase(std::remove(List.begin(), List.end(), Hooks), List.end());
    }
}

bool PostMessage(HWND hwnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    QObject* Target = LoopObject.load();
    if (!Target || hwnd == 0 || !TMessageTarget::Find(hwnd))
        return false;
    Post(Target, new TPostedMessage(TMsg{hwnd, Msg, wParam, lParam}));
    return true;
}

void CallGuarded(TObject* Sender, const std::function<void()>& Fn)
{
    try {
        Fn();
    } catch (...) {
        Application->HandleException(Sender);
    }
}
