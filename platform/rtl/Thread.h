#pragma once
// Threads and the process-wide hand-over to the main (user-interface)
// thread.
//
// Worker threads hand work to the main thread with Synchronize (blocking)
// or Queue (asynchronous). The main thread runs the hand-overs when its
// message loop calls CheckSynchronize, and while it waits in
// TThread::WaitFor, so a worker blocked in Synchronize can always finish.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <thread>

#include "rtl/Component.h"

using TThreadID = std::uint32_t;
using TThreadMethod = std::function<void()>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
    // The operating-system thread exists from here on (ThreadID is valid)
    // but runs Execute only once started. A base class cannot start the
    // thread before the derived part is built, so a class created with
    // CreateSuspended = false calls AfterConstruction() as the last step of
    // its constructor; Start and Resume do the same from outside.
    explicit TThread(bool CreateSuspended);
    // A thread still running is terminated and waited for. Execute must not
    // touch members of a derived class by then: such classes call
    // Terminate and WaitFor in their own destructor.
    ~TThread() override;

    void AfterConstruction();
    void Start();
    void Resume();
    bool Suspended() const;

    // Sets Terminated, then calls TerminatedSet in the calling thread.
    void Terminate();
    bool CheckTerminated() const { return FTerminated.load(); }
    bool Finished() const;

    // Waits until Execute and OnTerminate have run and returns ReturnValue.
    // On the main thread the hand-over queue is served meanwhile. Raises
    // EThread for a thread that frees itself, that was never started, or
    // when a thread waits for itself.
    int WaitFor();

    TThreadID ThreadID() const { return FThreadID; }
    TThreadPriority Priority() const { return FPriority; }
    // Lowering the priority always works; raising it may need privileges,
    // and a refusal leaves the thread at its current priority.
    void SetPriority(TThreadPriority Value);

    // Set before the thread ends; the thread then frees itself after
    // OnTerminate.
    std::atomic<bool> FreeOnTerminate{false};
    // Runs on the main thread after Execute.
    TNotifyEvent OnTerminate;

    // The exception that ended Execute, empty when it ended normally.
    std::exception_ptr FatalException() const { return FFatalException; }
    const std::string& FatalExceptionMessage() const { return FFatalMessage; }

    // Runs Method on the main thread and returns when it has run; an
    // exception raised by Method is raised again here. On the main thread
    // Method runs directly. AThread may be null (any thread may call it).
    static void Synchronize(TThread* AThread, const TThreadMethod& Method);
    // Hands Method to the main thread without waiting. Pending calls queued
    // by a thread are dropped when that thread object is freed. Exceptions
    // go to the thread exception hook. On the main thread Method runs
    // directly.
    static void Queue(TThread* AThread, TThreadMethod Method);
    static void RemoveQueuedEvents(TThread* AThread);

    // The TThread object running the calling thread, null for threads not
    // made by this class.
    static TThread* CurrentThread();
    static void Sleep(int Milliseconds);

protected:
    virtual void Execute() = 0;
    // Called by Terminate once Terminated is set, in the thread that
    // terminates: a thread asleep in a wait of its own wakes itself here
    // rather than looking at Terminated again and again.
    virtual void TerminatedSet() {}
    bool Terminated() const { return FTerminated.load(); }
    void Synchronize(const TThreadMethod& Method) { Synchronize(this, Method); }
    void Queue(TThreadMethod Method) { Queue(this, std::move(Method)); }

    int ReturnValue = 0;

private:
    void Run();
    void Finish();
    void WaitUntilFinished();

    std::thread FHandle;
    TThreadID FThreadID = 0;
    TThreadPriority FPriority = tpNormal;
    std::atomic<bool> FTerminated{false};
    // Guarded by the hand-over lock.
    bool FStarted = false;
    bool FFinished = false;
    bool FDestroying = false;
    bool FHasID = false;
    bool FCreateSuspended;
    std::exception_ptr FFatalException;
    std::string FFatalMessage;
};

// Runs the hand-overs pending for the main thread, waiting up to TimeoutMs
// for one to arrive; returns whether any ran. Raises EThread when called
// from another thread.
bool CheckSynchronize(int TimeoutMs = 0);

// Called (from the handing-over thread) each time a hand-over is queued, so
// that the user interface can wake its event loop and call CheckSynchronize.
void SetWakeMainThreadHook(std::function<void()> Hook);

// Reports an exception that ended a thread's Execute or its OnTerminate,
// or escaped a queued call (AThread is then the queuing thread, possibly
// null). Runs on the main thread. Without a hook the
// message goes to stderr; EAbort is silent.
void SetThreadExceptionHook(std::function<void(TThread* AThread, const std::exception& E)> Hook);

// The main thread is the one that loaded this layer, unless SetMainThread
// names the calling thread instead.
void SetMainThread();
bool IsMainThread();
TThreadID MainThreadID();
TThreadID GetCurrentThreadId();
