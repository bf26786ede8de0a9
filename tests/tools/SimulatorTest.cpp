#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <thread>

#include "SimulatorTestSupport.h"
#include "tools/modbussim/Simulator.h"

using namespace modbussim;
using namespace std::chrono_literals;

namespace {

// Generous: the machine is shared with many builds.
constexpr auto ReplyWait = 10000ms;

StationConfig MakeStation(int Id, int Rule, int Channels, std::vector<std::int32_t> Values)
{
    StationConfig c;
    c.Id = Id;
    c.Rule = Rule;
    c.ChannelCount = Channels;
    c.Values = std::move(Values);
    return c;
}

// A process that opens the port and makes it exclusive, as the program
// does, then waits to be killed.
class ExclusiveHolder {
public:
    explicit ExclusiveHolder(const std::string& Path)
    {
        int ready[2];
        if (::pipe2(ready, O_CLOEXEC) != 0)
            return;
        FPid = ::fork();
        if (FPid == 0) {
            ::close(ready[0]);
            const int fd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            const char ok = fd >= 0 && ::ioctl(fd, TIOCEXCL) == 0 ? 1 : 0;
            [[maybe_unused]] auto n = ::write(ready[1], &ok, 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char ok = 0;
        FReady = FPid > 0 && ::read(ready[0], &ok, 1) == 1 && ok == 1;
        ::close(ready[0]);
    }
    ~ExclusiveHolder() { Kill(); }
    ExclusiveHolder(const ExclusiveHolder&) = delete;
    ExclusiveHolder& operator=(const ExclusiveHolder&) = delete;

    bool Ready() const { return FReady; }
    void Kill()
    {
        if (FPid <= 0)
            return;
        ::kill(FPid, SIGKILL);
        ::waitpid(FPid, nullptr, 0);
        FPid = -1;
    }

private:
    pid_t FPid = -1;
    bool FReady = false;
};

bool Eventually(const std::function<bool()>& Condition)
{
    const auto deadline = std::chrono::steady_clock::now() + ReplyWait;
    while (!Condition() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    return Condition();
}

}  // namespace

TEST(Simulator, AnswersOverThePseudoTerminal)
{
    Simulator sim;
    sim.Slave().AddStation(MakeStation(1, 0, 2, {300, -300}));
    sim.Slave().AddStation(MakeStation(2, 1, 1, {123456}));
    sim.Start();
    ASSERT_EQ(sim.PortPath().rfind("/dev/pts/", 0), 0u) << sim.PortPath();

    PtyMaster port(sim.PortPath());
    port.Write(BuildReadRequest(1, 0, 2));
    EXPECT_EQ(port.Read(9, ReplyWait), BuildReadReply(1, {300, static_cast<std::uint16_t>(-300)}));
    port.Write(BuildReadRequest(2, 0, 2));
    EXPECT_EQ(port.Read(9, ReplyWait), BuildReadReply(2, {0x0001, 0xE240}));

    sim.Slave().SetChannelValue(1, 0, 301);
    port.Write(BuildReadRequest(1, 0, 1));
    EXPECT_EQ(port.Read(7, ReplyWait), BuildReadReply(1, {301}));
    EXPECT_EQ(sim.BytesReceived(), 24u);
    // The line thread counts an answer once its write returns, which may
    // be just after the reply has been read here.
    const auto deadline = std::chrono::steady_clock::now() + ReplyWait;
    while (sim.BytesSent() < 25u && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(sim.BytesSent(), 25u);
}

TEST(Simulator, TestsCanWaitForAndInspectRequests)
{
    Simulator sim;
    sim.Slave().AddStation(MakeStation(6, 0, 4, {}));
    sim.Start();
    EXPECT_FALSE(sim.Slave().WaitForRequests(6, 1, 50ms));
    EXPECT_TRUE(sim.Slave().LastRequest(6).empty());
    PtyMaster port(sim.PortPath());
    port.Write(BuildReadRequest(6, 2, 2));
    port.Write(BuildReadRequest(6, 0, 4));
    EXPECT_TRUE(sim.Slave().WaitForRequests(6, 2, ReplyWait));
    EXPECT_EQ(sim.Slave().RequestCount(6), 2u);
    EXPECT_EQ(sim.Slave().LastRequest(6), BuildReadRequest(6, 0, 4));
}

TEST(Simulator, SurvivesTheMasterReopeningThePort)
{
    Simulator sim;
    sim.Slave().AddStation(MakeStation(7, 0, 1, {77}));
    sim.Start();
    for (int round = 0; round < 3; ++round) {
        PtyMaster port(sim.PortPath());
        port.Write(BuildReadRequest(7, 0, 1));
        EXPECT_EQ(port.Read(7, ReplyWait), BuildReadReply(7, {77})) << "round " << round;
    }
}

TEST(Simulator, SilentStationLetsTheNextOneAnswer)
{
    Simulator sim;
    sim.Slave().AddStation(MakeStation(1, 0, 1, {1}));
    sim.Slave().AddStation(MakeStation(2, 0, 1, {2}));
    Behaviour silent;
    silent.Silent = true;
    sim.Slave().SetBehaviour(1, silent);
    sim.Start();
    PtyMaster port(sim.PortPath());
    port.Write(BuildReadRequest(1, 0, 1));
    port.Write(BuildReadRequest(2, 0, 1));
    // Only station 2's answers arrive: nothing comes between the first and
    // the reply to a request sent after it.
    EXPECT_EQ(port.Read(7, ReplyWait), BuildReadReply(2, {2}));
    port.Write(BuildReadRequest(2, 0, 1));
    EXPECT_EQ(port.Read(7, ReplyWait), BuildReadReply(2, {2}));
    EXPECT_EQ(sim.Slave().RequestCount(1), 1u);
}

TEST(Simulator, LateAnswerDoesNotHoldUpOthers)
{
    Simulator sim;
    sim.Slave().AddStation(MakeStation(1, 0, 1, {1}));
    sim.Slave().AddStation(MakeStation(2, 0, 1, {2}));
    Behaviour late;
    late.DelayMs = 400;
    sim.Slave().SetBehaviour(1, late);
    sim.Start();
    PtyMaster port(sim.PortPath());
    auto start = std::chrono::steady_clock::now();
    port.Write(BuildReadRequest(1, 0, 1));
    port.Write(BuildReadRequest(2, 0, 1));
    Bytes expected = BuildReadReply(2, {2});
    Bytes first = BuildReadReply(1, {1});
    expected.insert(expected.end(), first.begin(), first.end());
    EXPECT_EQ(port.Read(14, ReplyWait), expected);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 400ms);
}

TEST(Simulator, FragmentsArriveSeparately)
{
    Simulator sim;
    sim.Slave().AddStation(MakeStation(3, 2, 2, {70000, -70000}));
    Behaviour pieces;
    pieces.FragmentSize = 4;
    pieces.FragmentGapMs = 60;
    sim.Slave().SetBehaviour(3, pieces);
    sim.Start();
    PtyMaster port(sim.PortPath());
    port.Write(BuildReadRequest(3, 0, 4));
    int reads = 0;
    Bytes reply = port.Read(13, ReplyWait, &reads);
    EXPECT_EQ(reply, BuildReadReply(3, {0x1170, 0x0001, 0xEE90, 0xFFFE}));
    EXPECT_GE(reads, 4) << "13 bytes in pieces of 4 with pauses";
}

TEST(Simulator, PacingSpendsTheWireTime)
{
    Simulator sim;
    sim.Slave().AddStation(MakeStation(1, 0, 4, {1, 2, 3, 4}));
    LineTiming timing;
    timing.Pacing = true;
    timing.BaudRate = 1200;
    timing.BitsPerChar = 11;
    sim.SetTiming(timing);
    EXPECT_EQ(timing.CharTime(), std::chrono::nanoseconds(9'166'666));
    sim.Start();
    PtyMaster port(sim.PortPath());
    auto start = std::chrono::steady_clock::now();
    port.Write(BuildReadRequest(1, 0, 4));
    int reads = 0;
    EXPECT_EQ(port.Read(13, ReplyWait, &reads), BuildReadReply(1, {1, 2, 3, 4}));
    // 3.5 characters of silence, then 13 characters.
    EXPECT_GE(std::chrono::steady_clock::now() - start, timing.CharTime() * 33 / 2);
    EXPECT_GE(reads, 2);
}

TEST(Simulator, RefusesImpossibleTiming)
{
    Simulator sim;
    LineTiming timing;
    timing.BitsPerChar = 9;
    EXPECT_THROW(sim.SetTiming(timing), std::invalid_argument);
    timing.BitsPerChar = 10;
    timing.BaudRate = 0;
    EXPECT_THROW(sim.SetTiming(timing), std::invalid_argument);
}

TEST(Simulator, ALineLeftExclusiveByAKilledProgramIsFreedAgain)
{
    Simulator sim;
    sim.Slave().AddStation(MakeStation(4, 0, 1, {44}));
    sim.Start();
    ExclusiveHolder holder(sim.PortPath());
    ASSERT_TRUE(holder.Ready());
    ASSERT_TRUE(sim.Exclusive());
    holder.Kill();
    // Nobody has the port open any more: like a real port closed by its
    // last user, the line drops the exclusive hold and opens again.
    EXPECT_TRUE(Eventually([&] { return !sim.Exclusive(); }));
    PtyMaster port(sim.PortPath());
    port.Write(BuildReadRequest(4, 0, 1));
    EXPECT_EQ(port.Read(7, ReplyWait), BuildReadReply(4, {44}));
}

TEST(Simulator, ALineStaysExclusiveWhileAnotherOpenerLives)
{
    Simulator sim;
    sim.Start();
    auto stillExclusiveAfterTwoChecks = [&sim] {
        const std::uint64_t seen = sim.ExclusiveChecks();
        return Eventually([&] { return sim.ExclusiveChecks() >= seen + 2; }) && sim.Exclusive();
    };
    {
        ExclusiveHolder holder(sim.PortPath());
        ASSERT_TRUE(holder.Ready());
        EXPECT_TRUE(stillExclusiveAfterTwoChecks());
        if (::geteuid() != 0) {  // root opens an exclusive line anyway
            errno = 0;
            EXPECT_LT(::open(sim.PortPath().c_str(), O_RDWR | O_NOCTTY), 0);
            EXPECT_EQ(errno, EBUSY);
        }
    }
    // The simulator's own process counts too when it holds the port beside
    // the simulator's own hold on the line.
    EXPECT_TRUE(Eventually([&] { return !sim.Exclusive(); }));
    PtyMaster port(sim.PortPath());
    ExclusiveHolder holder(sim.PortPath());
    ASSERT_TRUE(holder.Ready());
    holder.Kill();
    EXPECT_TRUE(stillExclusiveAfterTwoChecks());
}
