#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "app/SampleWait.h"

namespace {

using namespace std::chrono;
using TClock = TSampleWait::TClock;
using TWake = TSampleWait::TWake;

// Long enough for any machine to run the other side first; short enough
// that a wait of this length ending is a failure, not a slow machine.
constexpr auto Long = seconds(30);

TEST(SampleWait, WaitsNeverEndBeforeTheirDeadline)
{
    // Waits of more than one old 50 ms slice, measured on the same clock
    // the deadline is set on: none may come back even a little early.
    TSampleWait wait;
    const auto asked = milliseconds(51);
    for (int i = 0; i < 20; ++i) {
        auto start = TClock::now();
        EXPECT_TRUE(wait.Sleep(start + asked));
        EXPECT_GE(TClock::now() - start, asked) << "pause " << i;

        start = TClock::now();
        wait.Expect(start + asked);
        EXPECT_EQ(TWake::Timeout, wait.WaitReply(true));
        EXPECT_GE(TClock::now() - start, asked) << "reply wait " << i;
    }
}

// The user-interface thread's side of a reply: claim it, hand its outcome
// on, then release the waiter.
bool Answer(TSampleWait& Wait)
{
    if (!Wait.Claim())
        return false;
    Wait.HandBack();
    return true;
}

TEST(SampleWait, AReplyEndsTheWaitAndIsTakenOnce)
{
    TSampleWait wait;
    const auto start = TClock::now();
    wait.Expect(start + Long);
    std::thread replier([&] {
        std::this_thread::sleep_for(milliseconds(20));
        EXPECT_TRUE(Answer(wait));
    });
    EXPECT_EQ(TWake::HandedBack, wait.WaitReply(true));
    EXPECT_LT(TClock::now() - start, Long / 2);
    replier.join();
    // Taken: nothing more is awaited, and a second copy is not claimed.
    EXPECT_EQ(TWake::Timeout, wait.WaitReply(true));
    EXPECT_FALSE(wait.Claim());

    // A reply that came before the wait began still counts...
    wait.Expect(TClock::now() + Long);
    EXPECT_TRUE(Answer(wait));
    EXPECT_FALSE(wait.Claim()) << "one reply per request";
    EXPECT_EQ(TWake::HandedBack, wait.WaitReply(true));
    // ...but not once the next request is out.
    wait.Expect(TClock::now() + Long);
    EXPECT_TRUE(Answer(wait));
    wait.Expect(TClock::now() + milliseconds(5));
    EXPECT_EQ(TWake::Timeout, wait.WaitReply(true));
}

TEST(SampleWait, AReplyIsEitherTheAnswerOrTooLate)
{
    // Claimed before the deadline: waited for however long its outcome
    // takes, even past the deadline and through a stop.
    TSampleWait wait;
    const auto start = TClock::now();
    wait.Expect(start + milliseconds(5));
    ASSERT_TRUE(wait.Claim());
    std::thread replier([&] {
        std::this_thread::sleep_for(milliseconds(50));
        wait.Stop();
        std::this_thread::sleep_for(milliseconds(20));
        wait.HandBack();
    });
    EXPECT_EQ(TWake::HandedBack, wait.WaitReply(true));
    EXPECT_GE(TClock::now() - start, milliseconds(70));
    replier.join();

    // Once the wait has timed out, the request takes no reply.
    TSampleWait late;
    late.Expect(TClock::now() + milliseconds(5));
    EXPECT_EQ(TWake::Timeout, late.WaitReply(true));
    EXPECT_FALSE(late.Claim());
}

TEST(SampleWait, AStopEndsEveryWaitAtOnceAndStaysInForce)
{
    TSampleWait wait;
    auto start = TClock::now();
    wait.Expect(start + Long);
    std::thread stopper([&] {
        std::this_thread::sleep_for(milliseconds(20));
        wait.Stop();
    });
    EXPECT_EQ(TWake::Stop, wait.WaitReply(true));
    EXPECT_LT(TClock::now() - start, Long / 2);
    stopper.join();
    EXPECT_TRUE(wait.Stopped());

    // Later waits find the stop at once.
    start = TClock::now();
    EXPECT_FALSE(wait.Sleep(start + Long));
    wait.Expect(start + Long);
    EXPECT_EQ(TWake::Stop, wait.WaitReply(true));
    EXPECT_LT(TClock::now() - start, Long / 2);

    // A sleep already under way is woken too.
    TSampleWait sleeping;
    std::thread stopper2([&] {
        std::this_thread::sleep_for(milliseconds(20));
        sleeping.Stop();
    });
    start = TClock::now();
    EXPECT_FALSE(sleeping.Sleep(start + Long));
    EXPECT_LT(TClock::now() - start, Long / 2);
    stopper2.join();
}

TEST(SampleWait, AfterAStopAReplyOnItsWayIsStillAwaited)
{
    // The grace a stopped run gives the reply in flight: the stop no longer
    // ends the wait, the reply or the (short) deadline does.
    TSampleWait wait;
    wait.Expect(TClock::now() + Long);
    wait.Stop();
    EXPECT_EQ(TWake::Stop, wait.WaitReply(true));
    std::thread replier([&] {
        std::this_thread::sleep_for(milliseconds(20));
        EXPECT_TRUE(Answer(wait));
    });
    EXPECT_EQ(TWake::HandedBack, wait.WaitReply(false));
    replier.join();
    // When the grace runs out, a reply still on its way is refused; a grace
    // never lengthens the request's own deadline.
    const auto start = TClock::now();
    wait.Expect(start + Long);
    wait.CutDeadline(start + milliseconds(30));
    wait.CutDeadline(start + Long * 2);
    EXPECT_EQ(TWake::Timeout, wait.WaitReply(false));
    EXPECT_GE(TClock::now() - start, milliseconds(30));
    EXPECT_LT(TClock::now() - start, Long / 2);
    EXPECT_FALSE(wait.Claim());
}

TEST(SampleWait, AStopWhileTheNextRequestIsNotOutHasNoReplyToWaitFor)
{
    // A reply taken, the next request held back by the poll delay for
    // longer than the waiter's deadline: a stop ends the grace at once,
    // since nothing can answer.
    TSampleWait wait;
    wait.Expect(TClock::now() + Long);
    ASSERT_TRUE(wait.Claim());
    wait.ExpectSoon(TClock::now() - milliseconds(1));
    wait.Stop();
    EXPECT_EQ(TWake::Stop, wait.WaitReply(true));
    auto grace = std::async(std::launch::async, [&] { return wait.WaitReply(false); });
    const bool ended = grace.wait_for(Long) == std::future_status::ready;
    if (!ended)
        wait.HandBack();  // lets the waiter go, so the test can end
    EXPECT_TRUE(ended);
    EXPECT_EQ(TWake::Stop, grace.get());
}

TEST(SampleWait, ARequestSentWhereItsPredecessorsReplyArrivedMovesTheWaitOn)
{
    // The user-interface thread takes a reply and sends the next request
    // there and then: the waiter sleeps on, now for the new request, and
    // times out only at the new request's deadline.
    TSampleWait wait;
    const auto start = TClock::now();
    wait.Expect(start + milliseconds(20));
    std::thread sender([&] {
        EXPECT_TRUE(wait.Claim());
        wait.Expect(TClock::now() + milliseconds(150));
    });
    sender.join();
    EXPECT_EQ(TWake::Timeout, wait.WaitReply(true));
    EXPECT_GE(TClock::now() - start, milliseconds(150));

    // The same while the waiter already sleeps on the claimed reply, past
    // the first deadline: the new request wakes it to wait for its reply.
    const auto again = TClock::now();
    wait.Expect(again + milliseconds(5));
    ASSERT_TRUE(wait.Claim());
    std::thread late([&] {
        std::this_thread::sleep_for(milliseconds(40));
        wait.Expect(TClock::now() + Long);
        std::this_thread::sleep_for(milliseconds(40));
        EXPECT_TRUE(Answer(wait));
    });
    EXPECT_EQ(TWake::HandedBack, wait.WaitReply(true));
    EXPECT_GE(TClock::now() - again, milliseconds(80));
    EXPECT_LT(TClock::now() - again, Long / 2);
    late.join();
}

}  // namespace
