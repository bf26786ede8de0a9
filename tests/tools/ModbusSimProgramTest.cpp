#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "SimulatorTestSupport.h"
#include "comm/SerialPortList.h"

using namespace modbussim;
using namespace std::chrono_literals;

namespace {

// Runs the modbussim program with Args; its stdout and stderr are pipes.
class Program {
public:
    explicit Program(std::vector<std::string> Args)
    {
        std::string exe = MODBUSSIM_EXE;
        int out[2], err[2];
        if (::pipe(out) != 0 || ::pipe(err) != 0)
            throw std::runtime_error("pipe");
        FPid = ::fork();
        if (FPid == 0) {
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            std::vector<char*> argv{exe.data()};
            for (auto& a : Args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(exe.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        FOut = out[0];
        FErr = err[0];
    }
    ~Program()
    {
        if (FPid > 0 && !FReaped) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, nullptr, 0);
        }
        ::close(FOut);
        ::close(FErr);
    }

    std::string OutputLine() { return Line(FOut); }
    std::string ErrorLine() { return Line(FErr); }
    // Everything the program writes to stdout, once it has ended.
    std::string Output() { return All(FOut); }
    std::string Errors() { return All(FErr); }

    void Signal(int Number) { ::kill(FPid, Number); }

    // The counters' report on SIGUSR1 once it reads Expected, or the last
    // one within ten seconds: the line thread counts a reply once its write
    // returns, which may be just after the reply was read here.
    std::string CountersReaching(const std::string& Expected)
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        std::string report;
        do {
            Signal(SIGUSR1);
            report = ErrorLine();
        } while (report != Expected && std::chrono::steady_clock::now() < deadline);
        return report;
    }

    // Stops the program with Signal (0: let it end) and returns its exit code.
    int Finish(int Signal)
    {
        if (Signal)
            ::kill(FPid, Signal);
        int status = 0;
        ::waitpid(FPid, &status, 0);
        FReaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    static std::string Line(int Fd)
    {
        std::string line;
        char c;
        while (::read(Fd, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    static std::string All(int Fd)
    {
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = ::read(Fd, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }

    pid_t FPid = -1;
    int FOut = -1, FErr = -1;
    bool FReaped = false;
};

}  // namespace

TEST(ModbusSimProgram, PrintsThePortAndAnswersConfiguredStations)
{
    Program program({"-e", "station 4 rule 1 start 10 channels 1 values -2", "-e", "exception 4 2", "-e",
                     "station 5 rule 0 start 0 channels 2 values 9,8"});
    std::string path = program.OutputLine();
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    PtyMaster port(path);
    port.Write(BuildReadRequest(5, 0, 2));
    EXPECT_EQ(port.Read(9, 10000ms), BuildReadReply(5, {9, 8}));
    port.Write(BuildReadRequest(4, 10, 2));
    EXPECT_EQ(port.Read(5, 10000ms), BuildExceptionReply(4, 3, 2));
    EXPECT_EQ(program.Finish(SIGTERM), 0);
    EXPECT_EQ(program.ErrorLine(), "modbussim: 16 bytes received, 14 sent");
}

TEST(ModbusSimProgram, ReportsItsCountersOnSigusr1AndGoesOn)
{
    Program program({"-e", "station 5 rule 0 start 0 channels 2 values 9,8", "-e",
                     "station 6 rule 0 start 0 channels 1", "-e", "silent 6"});
    PtyMaster port(program.OutputLine());
    program.Signal(SIGUSR1);
    EXPECT_EQ(program.ErrorLine(), "modbussim: 0 requests, 0 bytes received, 0 sent");
    port.Write(BuildReadRequest(5, 0, 2));
    EXPECT_EQ(port.Read(9, 10000ms), BuildReadReply(5, {9, 8}));
    const std::string afterOne = "modbussim: 1 requests, 8 bytes received, 9 sent";
    EXPECT_EQ(program.CountersReaching(afterOne), afterOne);
    // A silent station's request counts too: it was seen, not answered, so
    // the reply to the request behind it is the first to come.
    port.Write(BuildReadRequest(6, 0, 1));
    port.Write(BuildReadRequest(5, 1, 1));
    EXPECT_EQ(port.Read(7, 10000ms), BuildReadReply(5, {8}));
    const std::string afterThree = "modbussim: 3 requests, 24 bytes received, 16 sent";
    EXPECT_EQ(program.CountersReaching(afterThree), afterThree);
    EXPECT_EQ(program.Finish(SIGTERM), 0);
    EXPECT_EQ(program.ErrorLine(), "modbussim: 24 bytes received, 16 sent");
}

TEST(ModbusSimProgram, DefaultStationsCoverTheThreeRules)
{
    Program program({});
    PtyMaster port(program.OutputLine());
    port.Write(BuildReadRequest(1, 0, 1));
    EXPECT_EQ(port.Read(7, 10000ms), BuildReadReply(1, {1234}));
    port.Write(BuildReadRequest(2, 0, 2));
    EXPECT_EQ(port.Read(9, 10000ms), BuildReadReply(2, {0x0001, 0xE240}));
    port.Write(BuildReadRequest(3, 0, 2));
    EXPECT_EQ(port.Read(9, 10000ms), BuildReadReply(3, {0x1170, 0x0001}));
    EXPECT_EQ(program.Finish(SIGINT), 0);
}

TEST(ModbusSimProgram, PublishesTheLineAsALinkInTmpThatThePortListShows)
{
    const std::string link = "/tmp/ttySimTest" + std::to_string(::getpid());
    std::filesystem::remove(link);
    Program program({"--link", link});
    EXPECT_EQ(program.OutputLine(), link);
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    auto ports = comm::ListSerialPorts();
    if (ports) {
        EXPECT_NE(std::find(ports->begin(), ports->end(), link), ports->end());
    }
    PtyMaster port(link);
    port.Write(BuildReadRequest(1, 0, 1));
    EXPECT_EQ(port.Read(7, 10000ms), BuildReadReply(1, {1234}));
    EXPECT_EQ(program.Finish(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(link));
}

TEST(ModbusSimProgram, ALinkThatARunningSimulatorHoldsIsRefusedWithAnotherPathToChoose)
{
    const std::string link = "/tmp/ttySimHeld" + std::to_string(::getpid());
    std::filesystem::remove(link);
    Program first({"--link", link});
    ASSERT_EQ(first.OutputLine(), link);
    const auto line = std::filesystem::read_symlink(link);

    Program second({"--link", link});
    ASSERT_EQ(second.OutputLine(), "") << "the second simulator took the link over";
    EXPECT_EQ(second.Finish(0), 1);
    const std::string refusal = second.ErrorLine();
    const std::string lead = "modbussim: the link " + link +
                             " is in use by a running simulator; choose another path, such as --link ";
    ASSERT_EQ(refusal.rfind(lead, 0), 0u) << refusal;
    // The first simulator keeps its link and answers through it.
    EXPECT_EQ(std::filesystem::read_symlink(link), line);
    PtyMaster port(link);
    port.Write(BuildReadRequest(1, 0, 1));
    EXPECT_EQ(port.Read(7, 10000ms), BuildReadReply(1, {1234}));

    // The path offered instead is free.
    const std::string other = refusal.substr(lead.size());
    Program third({"--link", other});
    EXPECT_EQ(third.OutputLine(), other);
    EXPECT_EQ(third.Finish(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(other));
    EXPECT_EQ(first.Finish(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(ModbusSimProgram, TheLinkOfAKilledSimulatorIsTakenOver)
{
    const std::string link = "/tmp/ttySimStale" + std::to_string(::getpid());
    std::filesystem::remove(link);
    Program killed({"--link", link});
    ASSERT_EQ(killed.OutputLine(), link);
    killed.Finish(SIGKILL);
    ASSERT_TRUE(std::filesystem::is_symlink(link));

    Program program({"--link", link});
    EXPECT_EQ(program.OutputLine(), link);
    PtyMaster port(link);
    port.Write(BuildReadRequest(1, 0, 1));
    EXPECT_EQ(port.Read(7, 10000ms), BuildReadReply(1, {1234}));
    EXPECT_EQ(program.Finish(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(ModbusSimProgram, ALinkThatCannotBeMadeNamesTheWayWithoutRoot)
{
    Program program({"--link", "/nonexistent-dir/ttyV0"});
    EXPECT_EQ(program.Finish(0), 1);
    EXPECT_EQ(program.ErrorLine(),
              "modbussim: cannot create the link /nonexistent-dir/ttyV0: No such file or "
              "directory (a link in /tmp, such as /tmp/ttyV0, needs no root)");
}

TEST(ModbusSimProgram, RejectsBadConfiguration)
{
    Program program({"-e", "station 1 rule 9 start 0 channels 1"});
    EXPECT_EQ(program.Finish(0), 1);
    EXPECT_EQ(program.ErrorLine(), "modbussim: 'station 1 rule 9 start 0 channels 1': '9' is not a number from 0 to 2");
    Program missing({"-c", "/nonexistent/sim.conf"});
    EXPECT_EQ(missing.Finish(0), 1);
    EXPECT_EQ(missing.ErrorLine(), "modbussim: cannot open /nonexistent/sim.conf");
    Program usage({"--what"});
    EXPECT_EQ(usage.Finish(0), 2);
    EXPECT_EQ(usage.ErrorLine().rfind("usage: modbussim", 0), 0u);
}

TEST(ModbusSimProgram, HelpGoesToStandardOutput)
{
    for (const char* option : {"-h", "--help"}) {
        Program program({option});
        std::string help = program.Output();
        EXPECT_EQ(program.Finish(0), 0) << option;
        EXPECT_EQ(program.Errors(), "") << option;
        EXPECT_EQ(help.rfind("usage: modbussim", 0), 0u) << help;
        for (const char* statement :
             {"station ID rule 0|1|2 start ADDRESS channels N [values V1,V2,...]", "value ID CHANNEL VALUE",
              "register ID ADDRESS VALUE", "silent ID", "badcrc ID", "exception ID CODE", "delay ID MS",
              "fragments ID SIZE GAP_MS", "noise ID HEX[,HEX...]",
              "ramp ID CHANNEL L1,L2,... ms|polls STEP [linear] [repeat]", "pacing BAUD [10|11]"})
            EXPECT_NE(help.find(statement), std::string::npos) << statement;
        for (const char* fact : {"Station ids run from 1 to 247", "channels count from 0",
                                 "station 1 rule 0 start 0 channels 4 values 1234,-56,0,789",
                                 "station 2 rule 1 start 0 channels 2 values 123456,-2",
                                 "station 3 rule 2 start 0 channels 2 values 70000,-70000"})
            EXPECT_NE(help.find(fact), std::string::npos) << fact;
    }
}

TEST(ModbusSimProgram, StatementsChangeTheDefaultStations)
{
    Program program({"-e", "silent 2", "-e", "value 1 3 -7"});
    PtyMaster port(program.OutputLine());
    // Station 2 stays quiet: the reply to the request behind its own comes first.
    port.Write(BuildReadRequest(2, 0, 2));
    port.Write(BuildReadRequest(1, 0, 4));
    EXPECT_EQ(port.Read(13, 10000ms), BuildReadReply(1, {1234, 0xFFC8, 0, 0xFFF9}));
    port.Write(BuildReadRequest(3, 0, 2));
    EXPECT_EQ(port.Read(9, 10000ms), BuildReadReply(3, {0x1170, 0x0001}));
    EXPECT_EQ(program.Finish(SIGTERM), 0);
}

TEST(ModbusSimProgram, OwnStationsReplaceTheDefaultOnes)
{
    const std::string file = "/tmp/modbussim-own-" + std::to_string(::getpid()) + ".conf";
    {
        std::ofstream out(file);
        out << "# one instrument\nstation 9 rule 0 start 0 channels 1 values 5\n";
    }
    Program program({"-c", file, "-e", "delay 9 0"});
    PtyMaster port(program.OutputLine());
    // No station 1 any more: the reply to the request behind its own comes first.
    port.Write(BuildReadRequest(1, 0, 1));
    port.Write(BuildReadRequest(9, 0, 1));
    EXPECT_EQ(port.Read(7, 10000ms), BuildReadReply(9, {5}));
    EXPECT_EQ(program.Finish(SIGTERM), 0);
    std::filesystem::remove(file);
}
