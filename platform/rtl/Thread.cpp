#include "rtl/Thread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>

#include "rtl/Exception.h"

namespace {

struct HandOver {
    HandOver(TThreadMethod AMethod, TThread* AOwner, bool ASynchronous)
        : Method(std::move(AMethod)),
          Owner(AOwner),
          Synchronous(ASynchronous)
    {
    }

    TThreadMethod Method;
    TThread* Owner;
    bool Synchronous;
    // Set under the hand-over lock.
    bool Done = false;
    // Wakes the caller of this synchronous hand-over and no one else.
    std::condition_variable DoneCond;
    std::exception_ptr Error;
};

// One lock and one condition guard the hand-over queue and every thread's
// start and finish state, so the main thread can wait for "a hand-over or
// the end of the thread" without polling.
struct HandOverState {
    std::mutex Mutex;
    std::condition_variable Cond;
    std::deque<std::shared_ptr<HandOver>> Pending;
    std::function<void()> WakeHook;
    std::function<void(TThread*, const std::exception&)> ExceptionHook;
};

// Never destroyed: a thread that frees itself may still be leaving while
// the process shuts down.
HandOverState& State()
{
    static HandOverState& state = *new HandOverState;
    return state;
}

struct MainThreadInfo {
    std::atomic<std::thread::id> Id{std::this_thread::get_id()};
    std::atomic<TThreadID> Tid{static_cast<TThreadID>(::gettid())};
};

MainThreadInfo& MainInfo()
{
    static MainThreadInfo info;
    return info;
}

// Static initialisation runs on the thread that loads the program.
const bool MainThreadCaptured = (MainInfo(), true);

thread_local TThread* CurrentThreadObject = nullptr;

std::string MessageOf(const std::exception_ptr& Error)
{
    try {
        std::rethrow_exception(Error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

// Never throws: it runs at the end of a thread and inside hand-over loops.
void ReportException(TThread* AThread, const std::exception_ptr& Error)
{
    std::function<void(TThread*, const std::exception&)> hook;
    {
        std::lock_guard lock(State().Mutex);
        hook = State().ExceptionHook;
    }
    try {
        try {
            std::rethrow_exception(Error);
        } catch (const std::exception& e) {
            if (hook)
                hook(AThread, e);
            else if (!dynamic_cast<const EAbort*>(&e))
                std::fprintf(stderr, "Exception in thread %u: %s\n",
                             AThread ? AThread->ThreadID() : GetCurrentThreadId(), e.what());
        } catch (...) {
            Exception unknown("Unknown exception");
            if (hook)
                hook(AThread, unknown);
            else
                std::fprintf(stderr, "Exception in thread %u: %s\n",
                             AThread ? AThread->ThreadID() : GetCurrentThreadId(), unknown.what());
        }
    } catch (...) {
        std::fprintf(stderr, "Exception in the thread exception hook: %s\n",
                     MessageOf(std::current_exception()).c_str());
    }
}

void Enqueue(const std::shared_ptr<HandOver>& Item)
{
    std::function<void()> wake;
    {
        std::lock_guard lock(State().Mutex);
        State().Pending.push_back(Item);
        wake = State().WakeHook;
    }
    State().Cond.notify_all();
    if (wake)
        wake();
}

// Takes the item by value so that, for a synchronous call, the last
// references held by this thread are dropped under the lock before the
// caller wakes: the caller then owns the item and its exception alone.
void RunHandOver(std::shared_ptr<HandOver> Item)
{
    std::exception_ptr error;
    try {
        Item->Method();
    } catch (...) {
        error = std::current_exception();
    }
    if (!Item->Synchronous) {
        if (error)
            ReportException(Item->Owner, error);
        return;
    }
    std::lock_guard lock(State().Mutex);
    Item->Error = std::move(error);
    Item->Done = true;
    Item->DoneCond.notify_one();
    Item.reset();
}

// Runs the hand-overs queued so far, one at a time so that a hand-over may
// remove later ones (a thread freed by one drops its queued calls).
bool ServePending()
{
    std::size_t count;
    {
        std::lock_guard lock(State().Mutex);
        count = State().Pending.size();
    }
    bool ran = false;
    for (; count > 0; --count) {
        std::shared_ptr<HandOver> item;
        {
            std::lock_guard lock(State().Mutex);
            if (State().Pending.empty())
                break;
            item = State().Pending.front();
            State().Pending.pop_front();
        }
        RunHandOver(std::move(item));
        ran = true;
    }
    return ran;
}

int NiceOf(TThreadPriority Priority)
{
    static const int nice[] = {19, 10, 5, 0, -5, -10, -20};
    return nice[Priority];
}

}  // namespace

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended)
{
    try {
        FHandle = std::thread([this] { Run(); });
    } catch (const std::system_error& e) {
        throw EThread(std::string("Thread creation error: ") + e.what());
    }
    std::unique_lock lock(State().Mutex);
    State().Cond.wait(lock, [this] { return FHasID; });
}

TThread::~TThread()
{
    bool ownThread = std::this_thread::get_id() == FHandle.get_id();
    bool running;
    {
        std::lock_guard lock(State().Mutex);
        FDestroying = true;
        running = FStarted && !FFinished;
    }
    State().Cond.notify_all();
    if (ownThread) {
        FHandle.detach();
    } else {
        if (running) {
            Terminate();
            WaitUntilFinished();
        }
        FHandle.join();
    }
    RemoveQueuedEvents(this);
}

void TThread::Run()
{
    {
        std::unique_lock lock(State().Mutex);
        FThreadID = static_cast<TThreadID>(::gettid());
        FHasID = true;
        State().Cond.notify_all();
        State().Cond.wait(lock, [this] { return FStarted || FDestroying; });
        if (!FStarted)
            return;
    }
    CurrentThreadObject = this;
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
        FFatalMessage = MessageOf(FFatalException);
    }
    Finish();
}

void TThread::Finish()
{
    if (FFatalException || OnTerminate) {
        try {
            Synchronize(this, [this] {
                if (FFatalException)
                    ReportException(this, FFatalException);
                if (OnTerminate)
                    OnTerminate(this);
            });
        } catch (...) {
            std::exception_ptr error = std::current_exception();
            Synchronize(this, [this, error] { ReportException(this, error); });
        }
    }
    bool freeSelf;
    {
        std::lock_guard lock(State().Mutex);
        freeSelf = FreeOnTerminate.load() && !FDestroying;
        FFinished = true;
    }
    State().Cond.notify_all();
    // Once finished, a waiter may free this object: touch nothing after.
    if (freeSelf)
        delete this;
}

void TThread::AfterConstruction()
{
    if (!FCreateSuspended)
        Start();
}

void TThread::Start()
{
    {
        std::lock_guard lock(State().Mutex);
        if (FStarted)
            return;
        FStarted = true;
    }
    State().Cond.notify_all();
}

void TThread::Resume()
{
    Start();
}

bool TThread::Suspended() const
{
    std::lock_guard lock(State().Mutex);
    return !FStarted;
}

void TThread::Terminate()
{
    FTerminated = true;
    TerminatedSet();
}

bool TThread::Finished() const
{
    std::lock_guard lock(State().Mutex);
    return FFinished;
}

int TThread::WaitFor()
{
    if (FreeOnTerminate)
        throw EThread("Cannot call WaitFor on a thread that frees itself");
    if (std::this_thread::get_id() == FHandle.get_id())
        throw EThread("A thread cannot wait for itself");
    {
        std::lock_guard lock(State().Mutex);
        if (!FStarted)
            throw EThread("Cannot wait for a thread that was never started");
    }
    WaitUntilFinished();
    return ReturnValue;
}

void TThread::WaitUntilFinished()
{
    std::unique_lock lock(State().Mutex);
    if (!IsMainThread()) {
        State().Cond.wait(lock, [this] { return FFinished; });
        return;
    }
    while (!FFinished) {
        if (!State().Pending.empty()) {
            lock.unlock();
            ServePending();
            lock.lock();
            continue;
        }
        State().Cond.wait(lock);
    }
}

void TThread::SetPriority(TThreadPriority Value)
{
    if (::setpriority(PRIO_PROCESS, static_cast<id_t>(FThreadID), NiceOf(Value)) == 0)
        FPriority = Value;
}

void TThread::Synchronize(TThread* AThread, const TThreadMethod& Method)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    auto item = std::make_shared<HandOver>(Method, AThread, true);
    Enqueue(item);
    std::exception_ptr error;
    {
        std::unique_lock lock(State().Mutex);
        item->DoneCond.wait(lock, [&] { return item->Done; });
        error = std::move(item->Error);
    }
    if (error)
        std::rethrow_exception(error);
}

void TThread::Queue(TThread* AThread, TThreadMethod Method)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    Enqueue(std::make_shared<HandOver>(std::move(Method), AThread, false));
}

void TThread::RemoveQueuedEvents(TThread* AThread)
{
    std::lock_guard lock(State().Mutex);
    std::erase_if(State().Pending, [AThread](const std::shared_ptr<HandOver>& item) {
        return !item->Synchronous && item->Owner == AThread;
    });
}

TThread* TThread::CurrentThread()
{
    return CurrentThreadObject;
}

void TThread::Sleep(int Milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

bool CheckSynchronize(int TimeoutMs)
{
    if (!IsMainThread())
        throw EThread("CheckSynchronize called from thread " + std::to_string(GetCurrentThreadId()) +
                      ", which is not the main thread");
    if (TimeoutMs > 0) {
        std::unique_lock lock(State().Mutex);
        State().Cond.wait_for(lock, std::chrono::milliseconds(TimeoutMs), [] { return !State().Pending.empty(); });
    }
    return ServePending();
}

void SetWakeMainThreadHook(std::function<void()> Hook)
{
    std::lock_guard lock(State().Mutex);
    State().WakeHook = std::move(Hook);
}

void SetThreadExceptionHook(std::function<void(TThread*, const std::exception&)> Hook)
{
    std::lock_guard lock(State().Mutex);
    State().ExceptionHook = std::move(Hook);
}

void SetMainThread()
{
    MainInfo().Id = std::this_thread::get_id();
    MainInfo().Tid = GetCurrentThreadId();
}

bool IsMainThread()
{
    return std::this_thread::get_id() == MainInfo().Id.load();
}

TThreadID MainThreadID()
{
    return MainInfo().Tid.load();
}

TThreadID GetCurrentThreadId()
{
    return static_cast<TThreadID>(::gettid());
}
