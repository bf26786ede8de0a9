// Posted messages, the message hook inside modal loops, hand-overs from
// worker threads and exceptions escaping event handlers.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "rtl/Thread.h"
#include "ui/Application.h"
#include "ui/ApplicationEvents.h"
#include "ui/Button.h"
#include "ui/DialogRequest.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"

namespace {

// Records every dialog asked for and answers with a fixed result.
struct TDialogLog {
    std::vector<TDialogRequest> Requests;
    int Answer = IDOK;
    std::function<void()> OnAsked;

    TDialogLog()
    {
        Application.Get();
        SetDialogResponder([this](const TDialogRequest& R) {
            Requests.push_back(R);
            if (OnAsked)
                OnAsked();
            TDialogAnswer A;
            A.Result = Answer;
            return A;
        });
    }
    ~TDialogLog() { SetDialogResponder(nullptr); }
};

// Runs the message loop until Done() or the (generous) time limit.
bool RunLoopUntil(const std::function<bool()>& Done, int TimeoutMs = 20000)
{
    QEventLoop Loop;
    QTimer Poll;
    QObject::connect(&Poll, &QTimer::timeout, [&] {
        if (Done())
            Loop.quit();
    });
    Poll.start(1);
    QTimer::singleShot(TimeoutMs, &Loop, &QEventLoop::quit);
    if (!Done())
        Loop.exec();
    return Done();
}

class TRecordingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<TMessage> Received;
    void WndProc(TMessage& Message) override
    {
        Received.push_back(Message);
        TForm::WndProc(Message);
    }
};

void ClickWidget(QWidget* W)
{
    const QPointF P(W->width() / 2.0, W->height() / 2.0);
    QMouseEvent Press(QEvent::MouseButtonPress, P, W->mapToGlobal(P), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent Release(QEvent::MouseButtonRelease, P, W->mapToGlobal(P), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(W, &Press);
    QCoreApplication::sendEvent(W, &Release);
}

}  // namespace

TEST(PostedMessages, HookSeesMessageWhileModalFormRunsAndCanEndIt)
{
    TForm Form(nullptr);
    TApplicationEvents Events(nullptr);
    std::vector<TMsg> Seen;
    Events.OnMessage = [&](TMsg& M, bool& Handled) {
        if (M.message != WM_USER + 101)
            return;
        Seen.push_back(M);
        Handled = true;
        Form.ModalResult = mrOk;
    };
    QTimer::singleShot(0, [&] { EXPECT_TRUE(PostMessage(&Form, WM_USER + 101, 7, -3)); });

    EXPECT_EQ(Form.ShowModal(), mrOk);
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen[0].hwnd, Form.Handle());
    EXPECT_EQ(Seen[0].message, 0x465u);
    EXPECT_EQ(Seen[0].wParam, 7u);
    EXPECT_EQ(Seen[0].lParam, -3);
    EXPECT_FALSE(Form.GetVisible());
}

TEST(PostedMessages, UnhandledMessageReachesTheControlsWindowProcedure)
{
    TRecordingForm Form(nullptr);
    TApplicationEvents Events(nullptr);
    int HookCalls = 0;
    Events.OnMessage = [&](TMsg&, bool&) { ++HookCalls; };

    ASSERT_TRUE(PostMessage(Form.Handle(), WM_USER + 5, 11, 22));
    EXPECT_TRUE(Form.Received.empty()) << "posting must not deliver at once";
    Application->ProcessMessages();

    EXPECT_EQ(HookCalls, 1);
    ASSERT_EQ(Form.Received.size(), 1u);
    EXPECT_EQ(Form.Received[0].Msg, WM_USER + 5);
    EXPECT_EQ(Form.Received[0].WParam, 11u);
    EXPECT_EQ(Form.Received[0].LParam, 22);
}

TEST(PostedMessages, HandledMessageDoesNotReachTheControl)
{
    TRecordingForm Form(nullptr);
    TApplicationEvents Events(nullptr);
    Events.OnMessage = [&](TMsg&, bool& Handled) { Handled = true; };
    PostMessage(&Form, WM_USER + 1, 0, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(Form.Received.empty());
}

TEST(PostedMessages, MessageForAFreedControlIsDroppedAndHandlesAreNotReused)
{
    auto* Form = new TRecordingForm(nullptr);
    const HWND Old = Form->Handle();
    PostMessage(Form, WM_USER + 1, 0, 0);
    delete Form;
    TRecordingForm Next(nullptr);
    EXPECT_NE(Next.Handle(), Old);
    Application->ProcessMessages();
    EXPECT_TRUE(Next.Received.empty());
    EXPECT_FALSE(PostMessage(Old, WM_USER + 1, 0, 0));
    EXPECT_EQ(SendMessage(Old, WM_USER + 1, 0, 0), 0);
}

TEST(PostedMessages, PostedFromAWorkerThreadArrivesInTheUserInterfaceThread)
{
    TRecordingForm Form(nullptr);
    std::thread Worker([&] { PostMessage(&Form, WM_USER + 101, 1, 2); });
    Worker.join();
    EXPECT_TRUE(RunLoopUntil([&] { return !Form.Received.empty(); }));
    ASSERT_EQ(Form.Received.size(), 1u);
    EXPECT_EQ(Form.Received[0].Msg, WM_USER + 101);
}

TEST(PostedMessages, HookAlsoRunsInsideAMessageBox)
{
    TDialogLog Log;
    TForm Form(nullptr);
    TApplicationEvents Events(nullptr);
    int Seen = 0;
    Events.OnMessage = [&](TMsg& M, bool& Handled) {
        Seen += M.message == WM_USER + 101;
        Handled = true;
    };
    // A message box runs a nested loop; the answering seam stands in for
    // the user and lets the loop run while the box is "open".
    Log.OnAsked = [&] { Application->ProcessMessages(); };
    PostMessage(&Form, WM_USER + 101, 0, 0);
    Application->MessageBox("running", "title", MB_OK);
    EXPECT_EQ(Seen, 1);
}

TEST(ModalForms, ButtonModalResultEndsShowModal)
{
    TForm Form(nullptr);
    auto* Cancel = new TButton(&Form);
    Cancel->Parent = &Form;
    Cancel->ModalResult = mrCancel;
    int Clicks = 0;
    Cancel->OnClick = [&](TObject*) { ++Clicks; };
    QTimer::singleShot(0, [&] { ClickWidget(Cancel->Widget()); });
    EXPECT_EQ(Form.ShowModal(), mrCancel);
    EXPECT_EQ(Clicks, 1);
}

TEST(ModalForms, CloseQueryRefusalKeepsTheDialogOpen)
{
    TForm Form(nullptr);
    int Queries = 0;
    std::vector<TCloseAction> Closes;
    Form.OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++Queries >= 2; };
    Form.OnClose = [&](TObject*, TCloseAction& Action) { Closes.push_back(Action); };
    QTimer::singleShot(0, [&] {
        Form.ModalResult = mrOk;  // refused
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(Form.GetVisible());
            Form.Close();  // accepted: closing a modal form cancels it
        });
    });
    EXPECT_EQ(Form.ShowModal(), mrCancel);
    EXPECT_EQ(Queries, 2);
    ASSERT_EQ(Closes.size(), 1u);
    EXPECT_EQ(Closes[0], caHide);
}

// A chart takes the mouse on a right press and lets it go on the release;
// a menu or a dialog opened in between must get the mouse all the same.
TEST(ModalForms, AModalFormOrAPopupMenuTakesTheMouseFromTheControlHoldingIt)
{
    TForm Owner(nullptr);
    auto* Holder = new TButton(&Owner);
    Holder->Parent = &Owner;
    Owner.Show();

    Holder->SetMouseCapture(true);
    ASSERT_EQ(QWidget::mouseGrabber(), Holder->Widget());
    TForm Dialog(nullptr);
    QWidget* GrabberWhileModal = Holder->Widget();
    QTimer::singleShot(0, [&] {
        GrabberWhileModal = QWidget::mouseGrabber();
        Dialog.ModalResult = mrOk;
    });
    EXPECT_EQ(Dialog.ShowModal(), mrOk);
    EXPECT_EQ(GrabberWhileModal, nullptr);
    EXPECT_FALSE(Holder->GetMouseCapture());

    Holder->SetMouseCapture(true);
    TPopupMenu Menu(nullptr);
    Menu.Items->Add(NewMenuItem(&Menu, "Edit...", nullptr));
    bool HolderHadTheMouse = true;
    QTimer::singleShot(0, [&] {
        HolderHadTheMouse = Holder->GetMouseCapture() || QWidget::mouseGrabber() == Holder->Widget();
        Menu.Menu()->close();
    });
    Menu.Popup(10, 10);
    EXPECT_FALSE(HolderHadTheMouse);
    EXPECT_NE(QWidget::mouseGrabber(), Holder->Widget());
}

TEST(ModalForms, OnCloseWithCaNoneKeepsAModelessFormShown)
{
    TForm Form(nullptr);
    Form.OnClose = [](TObject*, TCloseAction& Action) { Action = caNone; };
    Form.Show();
    Form.Close();
    EXPECT_TRUE(Form.GetVisible());
    Form.OnClose = nullptr;
    Form.Close();
    EXPECT_FALSE(Form.GetVisible());
}

TEST(Exceptions, ThrowInAClickHandlerIsShownThroughTheDialogSeam)
{
    TDialogLog Log;
    Application->SetTitle("KALVO");
    TForm Form(nullptr);
    auto* Button = new TButton(&Form);
    Button->Parent = &Form;
    Button->OnClick = [](TObject*) { throw EConvertError("'abc' is not a valid integer value"); };
    Form.Show();

    ClickWidget(Button->Widget());

    ASSERT_EQ(Log.Requests.size(), 1u);
    EXPECT_EQ(Log.Requests[0].Kind, TDialogKind::MessageBox);
    EXPECT_EQ(Log.Requests[0].Text, "'abc' is not a valid integer value");
    EXPECT_EQ(Log.Requests[0].Caption, "KALVO");
    EXPECT_EQ(Log.Requests[0].Flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_EQ(Log.Requests[0].Flags & MB_TYPEMASK, MB_OK);
}

TEST(Exceptions, OnExceptionReplacesTheMessageBoxAndEAbortIsSilent)
{
    TDialogLog Log;
    TForm Form(nullptr);
    auto* Button = new TButton(&Form);
    Button->Parent = &Form;
    std::vector<std::string> Handled;
    TObject* Sender = nullptr;
    Application->OnException = [&](TObject* S, Exception& E) {
        Sender = S;
        Handled.push_back(E.Message);
    };
    Button->OnClick = [](TObject*) { throw EAbort("quiet"); };
    ClickWidget(Button->Widget());
    Button->OnClick = [](TObject*) { throw std::runtime_error("plain"); };
    ClickWidget(Button->Widget());
    Application->OnException = nullptr;

    EXPECT_TRUE(Log.Requests.empty());
    EXPECT_EQ(Handled, std::vector<std::string>{"plain"});
    EXPECT_EQ(Sender, Button);
}

TEST(Exceptions, ThrowInAPostedMessageHandlerDoesNotLeaveTheLoop)
{
    TDialogLog Log;
    TForm Form(nullptr);
    TApplicationEvents Events(nullptr);
    Events.OnMessage = [](TMsg&, bool&) { throw Exception("hook failed"); };
    PostMessage(&Form, WM_USER + 1, 0, 0);
    Application->ProcessMessages();
    ASSERT_EQ(Log.Requests.size(), 1u);
    EXPECT_EQ(Log.Requests[0].Text, "hook failed");
}

namespace {

class TSyncThread : public TThread {
public:
    explicit TSyncThread(std::function<void()> AWork) : TThread(true), FWork(std::move(AWork)) {}
    ~TSyncThread() override
    {
        Terminate();
        if (!Finished())
            WaitFor();
    }
    std::thread::id RanOn;
    std::atomic<bool> Done{false};

protected:
    void Execute() override
    {
        Synchronize([this] {
            RanOn = std::this_thread::get_id();
            if (FWork)
                FWork();
        });
        Done = true;
    }

private:
    std::function<void()> FWork;
};

class TFailingThread : public TThread {
public:
    TFailingThread() : TThread(true) {}

protected:
    void Execute() override { throw Exception("worker failed"); }
};

}  // namespace

TEST(HandOver, SynchronizeRunsInTheUserInterfaceThreadWhileTheLoopRuns)
{
    Application.Get();
    TSyncThread Thread(nullptr);
    Thread.Start();
    EXPECT_TRUE(RunLoopUntil([&] { return Thread.Done.load(); }));
    EXPECT_EQ(Thread.RanOn, std::this_thread::get_id());
    Thread.WaitFor();
}

TEST(HandOver, SynchronizeFinishesWhileTheUserInterfaceThreadWaitsInWaitFor)
{
    Application.Get();
    int Calls = 0;
    TSyncThread Thread([&] { ++Calls; });
    Thread.Start();
    Thread.WaitFor();
    EXPECT_TRUE(Thread.Done.load());
    EXPECT_EQ(Calls, 1);
    EXPECT_EQ(Thread.RanOn, std::this_thread::get_id());
}

TEST(HandOver, ExceptionEndingAThreadIsShownThroughTheSeam)
{
    TDialogLog Log;
    TFailingThread Thread;
    Thread.Start();
    Thread.WaitFor();
    EXPECT_TRUE(RunLoopUntil([&] { return !Log.Requests.empty(); }));
    ASSERT_EQ(Log.Requests.size(), 1u);
    EXPECT_EQ(Log.Requests[0].Text, "worker failed");
    EXPECT_EQ(Log.Requests[0].Flags & MB_ICONMASK, MB_ICONERROR);
}

TEST(ApplicationObject, CreateFormMakesTheFirstFormMainAndFiresOnCreateInOrder)
{
    struct TOrderForm : TForm {
        explicit TOrderForm(TComponent* AOwner) : TForm(AOwner)
        {
            OnCreate = [this](TObject*) { Order().push_back(this); };
        }
        static std::vector<TForm*>& Order()
        {
            static std::vector<TForm*> List;
            return List;
        }
    };
    TOrderForm* A = nullptr;
    TOrderForm* B = nullptr;
    TForm* PreviousMain = Application->MainForm();
    Application->CreateForm(A);
    Application->CreateForm(B);
    if (!PreviousMain) {
        EXPECT_EQ(Application->MainForm(), A);
    }
    EXPECT_EQ(TOrderForm::Order(), (std::vector<TForm*>{A, B}));
    EXPECT_EQ(A->GetOwner(), static_cast<TComponent*>(Application));
    delete B;
    delete A;
    EXPECT_NE(Application->MainForm(), A);
}

TEST(ApplicationObject, RunShowsTheMainFormAndEndsWhenItCloses)
{
    if (Application->MainForm())
        GTEST_SKIP() << "a main form exists already";
    struct TMain : TForm {
        using TForm::TForm;
    };
    TMain* Main = nullptr;
    Application->CreateForm(Main);
    bool Shown = false;
    Main->OnShow = [&](TObject*) {
        Shown = true;
        QTimer::singleShot(0, [Main] { Main->Close(); });
    };
    Application->Run();
    EXPECT_TRUE(Shown);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Main->GetVisible());
    delete Main;
}

TEST(ApplicationObject, ExeNameIsThisExecutable)
{
    const std::string Name = Application->ExeName();
    EXPECT_NE(Name.find("test_ui_ApplicationTest"), std::string::npos) << Name;
}

TEST(ApplicationObject, TitleStartsAsTheProgramName)
{
    // Other tests of this program may have set it already.
    const std::string Exe = Application->ExeName();
    const std::string Name = Exe.substr(Exe.find_last_of('/') + 1);
    if (Application->GetTitle() != Name)
        GTEST_SKIP() << "title changed by an earlier test";
    EXPECT_EQ(Name, "test_ui_ApplicationTest");
}

TEST(ApplicationObject, FormsGetOnDestroyWhenTheProgramEnds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            struct TEnding : TForm {
                explicit TEnding(TComponent* AOwner) : TForm(AOwner)
                {
                    OnDestroy = [](TObject*) { std::fputs("form destroyed\n", stderr); };
                }
            };
            TEnding* Form = nullptr;
            Application->CreateForm(Form);
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "form destroyed");
}

// Last: the application stays terminated for the rest of this program.
TEST(ApplicationObject, TerminateEndsAModalFormWithCancel)
{
    TForm Form(nullptr);
    QTimer::singleShot(0, [] { Application->Terminate(); });
    EXPECT_EQ(Form.ShowModal(), mrCancel);
    EXPECT_TRUE(Application->Terminated());
}
