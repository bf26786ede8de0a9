#include <gtest/gtest.h>

#include <chrono>
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

        wait.Expect();
        start = TClock::now();
        EXPECT_EQ(TWake::Timeout, wait.WaitReply(start + asked, true));
        EXPECT_GE(TClock::now() - start, asked) << "reply wait " << i;
    }
}

// The user-interface thread's side of a reply: claim it, hand its outcome
// on, then release the waiter.
bool Answer(TSampleWait& Wait)
{
    if (!Wait.Claim())
        return false;
    Wait.Replied();
    return true;
}

TEST(SampleWait, AReplyEndsTheWaitAndIsTakenOnce)
{
    TSampleWait wait;
    wait.Expect();
    std::thread replier([&] {
        std::this_thread::sleep_for(milliseconds(20));
        EXPECT_TRUE(Answer(wait));
    });
    const auto start = TClock::now();
    EXPECT_EQ(TWake::Reply, wait.WaitReply(start + Long, true));
    EXPECT_LT(TClock::now() - start, Long / 2);
    replier.join();
    // Taken: the next wait finds none, and a second copy is not claimed.
    EXPECT_EQ(TWake::Timeout, wait.WaitReply(TClock::now() + milliseconds(5), true));
    EXPECT_FALSE(wait.Claim());

    // A reply that came before the wait began still counts...
    wait.Expect();
    EXPECT_TRUE(Answer(wait));
    EXPECT_FALSE(wait.Claim()) << "one reply per request";
    EXPECT_EQ(TWake::Reply, wait.WaitReply(TClock::now() + Long, true));
    // ...but not once the next request is out.
    wait.Expect();
    EXPECT_TRUE(Answer(wait));
    wait.Expect();
    EXPECT_EQ(TWake::Timeout, wait.WaitReply(TClock::now() + milliseconds(5), true));
}

TEST(SampleWait, AReplyIsEitherTheAnswerOrTooLate)
{
    // Claimed before the deadline: waited for however long its outcome
    // takes, even past the deadline and through a stop.
    TSampleWait wait;
    wait.Expect();
    ASSERT_TRUE(wait.Claim());
    std::thread replier([&] {
        std::this_thread::sleep_for(milliseconds(50));
        wait.Stop();
        std::this_thread::sleep_for(milliseconds(20));
        wait.Replied();
    });
    const auto start = TClock::now();
    EXPECT_EQ(TWake::Reply, wait.WaitReply(start + milliseconds(5), true));
    EXPECT_GE(TClock::now() - start, milliseconds(70));
    replier.join();

    // Once the wait has timed out, the request takes no reply.
    TSampleWait late;
    late.Expect();
    EXPECT_EQ(TWake::Timeout, late.WaitReply(TClock::now() + milliseconds(5), true));
    EXPECT_FALSE(late.Claim());
}

TEST(SampleWait, AStopEndsEveryWaitAtOnceAndStaysInForce)
{
    TSampleWait wait;
    wait.Expect();
    std::thread stopper([&] {
        std::this_thread::sleep_for(milliseconds(20));
        wait.Stop();
    });
    auto start = TClock::now();
    EXPECT_EQ(TWake::Stop, wait.WaitReply(start + Long, true));
    EXPECT_LT(TClock::now() - start, Long / 2);
    stopper.join();

    // Later waits find the stop at once.
    start = TClock::now();
    EXPECT_FALSE(wait.Sleep(start + Long));
    EXPECT_EQ(TWake::Stop, wait.WaitReply(start + Long, true));
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
    wait.Expect();
    wait.Stop();
    EXPECT_EQ(TWake::Stop, wait.WaitReply(TClock::now() + Long, true));
    std::thread replier([&] {
        std::this_thread::sleep_for(milliseconds(20));
        EXPECT_TRUE(Answer(wait));
    });
    EXPECT_EQ(TWake::Reply, wait.WaitReply(TClock::now() + Long, false));
    replier.join();
    // When the grace runs out, a reply still on its way is refused.
    wait.Expect();
    const auto start = TClock::now();
    EXPECT_EQ(TWake::Timeout, wait.WaitReply(start + milliseconds(30), false));
    EXPECT_GE(TClock::now() - start, milliseconds(30));
    EXPECT_FALSE(wait.Claim());
}

}  // namespace
