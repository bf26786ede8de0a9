#include <gtest/gtest.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "rtl/Exception.h"
#include "rtl/Event.h"
#include "rtl/Thread.h"

namespace {

// A thread whose work is a function given by the test.
class LambdaThread : public TThread {
public:
    LambdaThread(std::function<int(LambdaThread&)> Work, bool CreateSuspended = true)
        : TThread(CreateSuspended),
          FWork(std::move(Work))
    {
        AfterConstruction();
    }
    ~LambdaThread() override
    {
        if (Destroyed)
            Destroyed->SetEvent();
    }

    using TThread::Queue;
    using TThread::Synchronize;
    using TThread::Terminated;

    TEvent* Destroyed = nullptr;

protected:
    void Execute() override { ReturnValue = FWork(*this); }

private:
    std::function<int(LambdaThread&)> FWork;
};

// Restores the default reporting after a test that sets a hook.
struct ExceptionHookReset {
    ~ExceptionHookReset() { SetThreadExceptionHook(nullptr); }
};

}  // namespace

TEST(Thread, TestRunsOnMainThread)
{
    EXPECT_TRUE(IsMainThread());
    EXPECT_EQ(MainThreadID(), GetCurrentThreadId());
    EXPECT_EQ(TThread::CurrentThread(), nullptr);
}

TEST(Thread, SuspendedThreadRunsOnlyAfterStart)
{
    std::atomic<int> runs{0};
    LambdaThread thread([&](LambdaThread&) { return ++runs; });
    EXPECT_TRUE(thread.Suspended());
    EXPECT_NE(thread.ThreadID(), 0u);
    EXPECT_NE(thread.ThreadID(), MainThreadID());
    EXPECT_THROW(thread.WaitFor(), EThread);
    EXPECT_EQ(runs.load(), 0);
    thread.Start();
    thread.Resume();  // already running: no second run
    EXPECT_FALSE(thread.Suspended());
    EXPECT_EQ(thread.WaitFor(), 1);
    EXPECT_TRUE(thread.Finished());
    EXPECT_EQ(runs.load(), 1);
}

TEST(Thread, NeverStartedThreadIsFreedWithoutRunning)
{
    std::atomic<int> runs{0};
    {
        LambdaThread thread([&](LambdaThread&) { return ++runs; });
    }
    EXPECT_EQ(runs.load(), 0);
}

TEST(Thread, NotSuspendedStartsAfterConstruction)
{
    LambdaThread thread([](LambdaThread&) { return 42; }, false);
    EXPECT_EQ(thread.WaitFor(), 42);
}

TEST(Thread, ExecuteSeesItselfAsCurrentThread)
{
    std::atomic<TThread*> seen{nullptr};
    std::atomic<TThreadID> id{0};
    LambdaThread thread([&](LambdaThread&) {
        seen = TThread::CurrentThread();
        id = GetCurrentThreadId();
        return IsMainThread() ? 1 : 0;
    });
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 0);
    EXPECT_EQ(seen.load(), &thread);
    EXPECT_EQ(id.load(), thread.ThreadID());
}

TEST(Thread, SynchronizeRunsOnMainWhileMainWaits)
{
    TThreadID ranOn = 0;
    LambdaThread thread([&](LambdaThread& self) {
        int total = 0;
        for (int i = 1; i <= 3; ++i)
            self.Synchronize([&] {
                ranOn = GetCurrentThreadId();
                total += i;
            });
        return total;
    });
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 6);
    EXPECT_EQ(ranOn, MainThreadID());
}

TEST(Thread, SynchronizeReraisesInCaller)
{
    std::string caught;
    LambdaThread thread([&](LambdaThread& self) {
        try {
            self.Synchronize([] { throw EConvertError("'x' is not a valid integer value"); });
        } catch (const EConvertError& e) {
            caught = e.Message;
            return 1;
        }
        return 0;
    });
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 1);
    EXPECT_EQ(caught, "'x' is not a valid integer value");
}

TEST(Thread, SynchronizeWaitsForAHandOverServedLate)
{
    std::atomic<bool> handed{false};
    int value = 0;
    LambdaThread thread([&](LambdaThread& self) {
        handed = true;
        self.Synchronize([&] { value = 42; });
        // The call returns only after the main thread ran it.
        return value;
    });
    thread.Start();
    while (!handed)
        std::this_thread::yield();
    // Served long after the caller stopped looking and went to sleep.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(thread.WaitFor(), 42);
}

TEST(Thread, ConcurrentSynchronizeCallersEachGetTheirOwnAnswer)
{
    constexpr int Threads = 4, Calls = 300;
    int served = 0;  // main thread only
    std::vector<std::unique_ptr<LambdaThread>> threads;
    for (int t = 0; t < Threads; ++t)
        threads.push_back(std::make_unique<LambdaThread>([&, t](LambdaThread& self) {
            int answered = 0;
            for (int i = 0; i < Calls; ++i) {
                int answer = -1;
                try {
                    self.Synchronize([&] {
                        ++served;
                        if (i % 50 == 7)
                            throw EConvertError("call " + std::to_string(i));
                        answer = t * 1000 + i;
                    });
                } catch (const EConvertError& e) {
                    if (e.Message == "call " + std::to_string(i))
                        ++answered;
                    continue;
                }
                if (answer == t * 1000 + i)
                    ++answered;
            }
            return answered;
        }));
    for (auto& thread : threads)
        thread->Start();
    for (auto& thread : threads)
        EXPECT_EQ(thread->WaitFor(), Calls);
    EXPECT_EQ(served, Threads * Calls);
}

TEST(Thread, SynchronizeOnMainRunsDirectly)
{
    int calls = 0;
    TThread::Synchronize(nullptr, [&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_THROW(TThread::Synchronize(nullptr, [] { throw EAbort(""); }), EAbort);
}

TEST(Thread, ForeignThreadSynchronizesThroughCheckSynchronize)
{
    std::atomic<bool> done{false};
    TThreadID ranOn = 0;
    std::thread foreign([&] {
        TThread::Synchronize(nullptr, [&] { ranOn = GetCurrentThreadId(); });
        done = true;
    });
    for (int i = 0; i < 600 && ranOn == 0; ++i)
        CheckSynchronize(100);
    foreign.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(ranOn, MainThreadID());
}

TEST(Thread, CheckSynchronizeReportsWhetherItRan)
{
    EXPECT_FALSE(CheckSynchronize(0));
    TEvent queued(true, false);
    int ran = 0;
    std::thread foreign([&] {
        TThread::Queue(nullptr, [&] { ++ran; });
        queued.SetEvent();
    });
    ASSERT_EQ(queued.WaitFor(30000), wrSignaled);
    foreign.join();
    EXPECT_EQ(ran, 0);
    EXPECT_TRUE(CheckSynchronize(0));
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(CheckSynchronize(0));
}

TEST(Thread, CheckSynchronizeRefusesOtherThreads)
{
    bool raised = false;
    std::thread([&] {
        try {
            CheckSynchronize(0);
        } catch (const EThread&) {
            raised = true;
        }
    }).join();
    EXPECT_TRUE(raised);
}

TEST(Thread, WakeHookFiresForEachHandOver)
{
    std::atomic<int> wakes{0};
    SetWakeMainThreadHook([&] { ++wakes; });
    LambdaThread thread([](LambdaThread& self) {
        self.Synchronize([] {});
        self.Queue([] {});
        return 0;
    });
    thread.Start();
    thread.WaitFor();
    SetWakeMainThreadHook(nullptr);
    CheckSynchronize(0);
    EXPECT_EQ(wakes.load(), 2);
}

TEST(Thread, QueuedCallsRunOnMainInOrder)
{
    std::string order;
    TEvent queued(true, false);
    LambdaThread thread([&](LambdaThread& self) {
        self.Queue([&] { order += 'a'; });
        self.Queue([&] { order += 'b'; });
        queued.SetEvent();
        return 0;
    });
    thread.Start();
    ASSERT_EQ(queued.WaitFor(30000), wrSignaled);
    thread.WaitFor();
    CheckSynchronize(0);
    EXPECT_EQ(order, "ab");
}

TEST(Thread, RemoveQueuedEventsDropsOnlyThatThreadsCalls)
{
    int mine = 0, foreign = 0;
    TEvent queued(true, false);
    LambdaThread thread([&](LambdaThread& self) {
        self.Queue([&] { ++mine; });
        TThread::Queue(nullptr, [&] { ++foreign; });
        queued.SetEvent();
        return 0;
    });
    thread.Start();
    ASSERT_EQ(queued.WaitFor(30000), wrSignaled);
    TThread::RemoveQueuedEvents(&thread);
    thread.WaitFor();
    CheckSynchronize(0);
    EXPECT_EQ(mine, 0);
    EXPECT_EQ(foreign, 1);
}

TEST(Thread, TerminateEndsLoopAndWaitForReturnsValue)
{
    TEvent running(true, false);
    LambdaThread thread([&](LambdaThread& self) {
        int rounds = 0;
        running.SetEvent();
        TEvent idle(true, false);
        while (!self.Terminated()) {
            idle.WaitFor(5);
            ++rounds;
        }
        return rounds >= 0 ? 7 : -1;
    });
    thread.Start();
    ASSERT_EQ(running.WaitFor(30000), wrSignaled);
    EXPECT_FALSE(thread.Finished());
    thread.Terminate();
    EXPECT_TRUE(thread.CheckTerminated());
    EXPECT_EQ(thread.WaitFor(), 7);
    EXPECT_TRUE(thread.Finished());
    EXPECT_EQ(thread.WaitFor(), 7) << "waiting again returns at once";
}

// A thread that sleeps on a wait of its own, woken by TerminatedSet.
class StopEventThread : public TThread {
public:
    StopEventThread() : TThread(true) {}
    ~StopEventThread() override
    {
        Terminate();
        WaitFor();
    }

    TEvent Stop{true, false};
    std::atomic<bool> Woken{false};
    std::atomic<bool> SawTerminated{false};

protected:
    void Execute() override
    {
        Woken = Stop.WaitFor(20000) == wrSignaled;
        SawTerminated = Terminated();
    }
    void TerminatedSet() override { Stop.SetEvent(); }
};

TEST(Thread, TerminateWakesAWaitThroughTerminatedSet)
{
    StopEventThread thread;
    thread.Start();
    thread.Terminate();
    thread.WaitFor();
    EXPECT_TRUE(thread.Woken) << "the wait ended by its time-out, not by the stop";
    EXPECT_TRUE(thread.SawTerminated) << "Terminated is set before TerminatedSet runs";
}

TEST(Thread, DestructorTerminatesAndWaitsForRunningThread)
{
    TEvent running(true, false);
    std::atomic<bool> left{false};
    {
        LambdaThread thread([&](LambdaThread& self) {
            running.SetEvent();
            while (!self.Terminated())
                TThread::Sleep(1);
            left = true;
            return 0;
        });
        thread.Start();
        ASSERT_EQ(running.WaitFor(30000), wrSignaled);
    }
    EXPECT_TRUE(left);
}

TEST(Thread, OnTerminateRunsOnMainAfterExecute)
{
    std::atomic<bool> executeDone{false};
    TThreadID ranOn = 0;
    TObject* sender = nullptr;
    bool sawExecuteDone = false;
    LambdaThread thread([&](LambdaThread&) {
        executeDone = true;
        return 3;
    });
    thread.OnTerminate = [&](TObject* Sender) {
        ranOn = GetCurrentThreadId();
        sender = Sender;
        sawExecuteDone = executeDone;
    };
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 3);
    EXPECT_EQ(ranOn, MainThreadID());
    EXPECT_EQ(sender, &thread);
    EXPECT_TRUE(sawExecuteDone);
}

TEST(Thread, FreeOnTerminateFreesItselfAfterOnTerminate)
{
    TEvent destroyed(true, false);
    std::atomic<bool> terminated{false};
    auto* thread = new LambdaThread([](LambdaThread&) { return 0; });
    thread->Destroyed = &destroyed;
    thread->FreeOnTerminate = true;
    thread->OnTerminate = [&](TObject*) { terminated = true; };
    EXPECT_THROW(thread->WaitFor(), EThread);
    thread->Start();
    // OnTerminate needs the main thread: serve hand-overs until freed.
    for (int i = 0; i < 600 && destroyed.WaitFor(0) != wrSignaled; ++i)
        CheckSynchronize(50);
    EXPECT_EQ(destroyed.WaitFor(0), wrSignaled);
    EXPECT_TRUE(terminated);
}

TEST(Thread, ExecuteExceptionIsKeptAndReportedOnMain)
{
    ExceptionHookReset reset;
    TThread* reportedThread = nullptr;
    std::string reportedMessage;
    TThreadID reportedOn = 0;
    SetThreadExceptionHook([&](TThread* AThread, const std::exception& E) {
        reportedThread = AThread;
        reportedMessage = E.what();
        reportedOn = GetCurrentThreadId();
    });
    LambdaThread thread([](LambdaThread&) -> int { throw EInOutError("I/O error 5"); });
    thread.Start();
    thread.WaitFor();
    EXPECT_EQ(reportedThread, &thread);
    EXPECT_EQ(reportedMessage, "I/O error 5");
    EXPECT_EQ(reportedOn, MainThreadID());
    EXPECT_EQ(thread.FatalExceptionMessage(), "I/O error 5");
    ASSERT_TRUE(thread.FatalException());
    EXPECT_THROW(std::rethrow_exception(thread.FatalException()), EInOutError);
}

TEST(Thread, NormalEndLeavesNoFatalException)
{
    LambdaThread thread([](LambdaThread&) { return 0; });
    thread.Start();
    thread.WaitFor();
    EXPECT_FALSE(thread.FatalException());
    EXPECT_EQ(thread.FatalExceptionMessage(), "");
}

TEST(Thread, QueuedCallExceptionGoesToHook)
{
    ExceptionHookReset reset;
    std::string reported;
    TThread* reportedThread = reinterpret_cast<TThread*>(1);
    SetThreadExceptionHook([&](TThread* AThread, const std::exception& E) {
        reportedThread = AThread;
        reported = E.what();
    });
    LambdaThread thread([](LambdaThread& self) {
        self.Queue([] { throw Exception("queued failure"); });
        return 0;
    });
    thread.Start();
    thread.WaitFor();
    CheckSynchronize(0);  // in case it ended before the wait served the call
    EXPECT_EQ(reported, "queued failure");
    EXPECT_EQ(reportedThread, &thread);
}

TEST(Thread, OnTerminateExceptionIsReported)
{
    ExceptionHookReset reset;
    std::string reported;
    SetThreadExceptionHook([&](TThread*, const std::exception& E) { reported = E.what(); });
    LambdaThread thread([](LambdaThread&) { return 5; });
    thread.OnTerminate = [](TObject*) { throw Exception("handler failed"); };
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 5);
    EXPECT_EQ(reported, "handler failed");
}

TEST(Thread, ThreadCannotWaitForItself)
{
    std::string message;
    LambdaThread thread([&](LambdaThread& self) {
        try {
            self.WaitFor();
        } catch (const EThread& e) {
            message = e.Message;
        }
        return 0;
    });
    thread.Start();
    thread.WaitFor();
    EXPECT_EQ(message, "A thread cannot wait for itself");
}

TEST(Thread, WaitFromAnotherThreadDoesNotServeQueue)
{
    // A non-main waiter must still see the thread end once the main thread
    // serves the hand-over.
    LambdaThread worker([](LambdaThread& self) {
        int v = 0;
        self.Synchronize([&] { v = 9; });
        return v;
    });
    worker.Start();
    std::atomic<int> result{-1};
    std::thread waiter([&] { result = worker.WaitFor(); });
    for (int i = 0; i < 600 && result == -1; ++i)
        CheckSynchronize(50);
    waiter.join();
    EXPECT_EQ(result.load(), 9);
}

TEST(Thread, LowestPriorityReachesTheSystemThread)
{
    LambdaThread thread([](LambdaThread&) { return 0; });
    EXPECT_EQ(thread.Priority(), tpNormal);
    thread.SetPriority(tpIdle);  // a lower priority never needs privileges
    EXPECT_EQ(thread.Priority(), tpIdle);
    EXPECT_EQ(::getpriority(PRIO_PROCESS, thread.ThreadID()), 19);
    EXPECT_NE(::getpriority(PRIO_PROCESS, GetCurrentThreadId()), 19) << "only that thread changed";
}
