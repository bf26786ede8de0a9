#include <gtest/gtest.h>

#include <filesystem>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "SimulatorTestSupport.h"

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

    pid_t FPid = -1;
    int FOut = -1, FErr = -1;
    bool FReaped = false;
};

} // namespace

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

TEST(ModbusSimProgram, PublishesTheLineAsALinkWhileItRuns)
{
    const std::string link = "/tmp/modbussim-link-test-" + std::to_string(::getpid());
    std::filesystem::remove(link);
    Program program({"--link", link});
    EXPECT_EQ(program.OutputLine(), link);
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    PtyMaster port(link);
    port.Write(BuildReadRequest(1, 0, 1));
    EXPECT_EQ(port.Read(7, 10000ms), BuildReadReply(1, {1234}));
    EXPECT_EQ(program.Finish(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(link));
}

TEST(ModbusSimProgram, RejectsBadConfiguration)
{
    Program program({"-e", "station 1 rule 9 start 0 channels 1"});
    EXPECT_EQ(program.Finish(0), 1);
    EXPECT_EQ(program.ErrorLine(),
              "modbussim: 'station 1 rule 9 start 0 channels 1': '9' is not a number from 0 to 2");
    Program missing({"-c", "/nonexistent/sim.conf"});
    EXPECT_EQ(missing.Finish(0), 1);
    EXPECT_EQ(missing.ErrorLine(), "modbussim: cannot open /nonexistent/sim.conf");
    Program usage({"--what"});
    EXPECT_EQ(usage.Finish(0), 2);
    EXPECT_EQ(usage.ErrorLine().rfind("usage: modbussim", 0), 0u);
}
