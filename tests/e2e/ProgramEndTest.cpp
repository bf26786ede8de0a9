// The built program, run as a process: however a session that showed a
// hint, a file dialog and a message box is closed, the program ends with
// status 0. The session is played by the session-driver plugin loaded
// into the program's Qt application.
#include "../app/ScratchDir.h"
#include "PtyPair.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TProgramEnd {
    int Status = -1;  // the exit status, or 128 + the signal that ended it
    std::string Output;
};

class ProgramEndTest : public ::testing::Test {
protected:
    // Runs a copy of the program beside its own config.ini and Devices.db
    // (one device) and plays Script in it.
    TProgramEnd Run(const std::string& CommPort, const std::string& Script)
    {
        const std::string Exe = Dir.File("kalvodaq");
        fs::copy_file(KALVODAQ_EXE, Exe);
        TScratchDir::Write(Dir.File("config.ini"), "[System Parameters]\r\nComm Port=" + CommPort +
                                                       "\r\nPoll Delay=5\r\nPoll Timeout=100\r\n"
                                                       "[Log Parameters]\r\nLogFilenameMode=0\r\n");
        TScratchDir::Write(Dir.File("Devices.db"),
                           "[Device1]\r\nDeviceName=Press\r\nDeviceModel=KRN\r\n"
                           "ChannelCount=1\r\nValueRule=0\r\nDVRBeginAddr=0\r\n"
                           "StationId=1\r\n");
        const std::string OutFile = Dir.File("output.txt");
        const pid_t Pid = ::fork();
        if (Pid == 0) {
            const int Out = ::open(OutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(Out, 1);
            ::dup2(Out, 2);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("QT_PLUGIN_PATH", SESSION_DRIVER_PLUGINS, 1);
            ::setenv("QT_QPA_GENERIC_PLUGINS", ("sessiondriver:" + Script).c_str(), 1);
            ::execl(Exe.c_str(), Exe.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        TProgramEnd End;
        int WaitStatus = 0;
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (::waitpid(Pid, &WaitStatus, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > Deadline) {
                ::kill(Pid, SIGKILL);
                ::waitpid(Pid, &WaitStatus, 0);
                ADD_FAILURE() << "the program did not end";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        End.Status = WIFEXITED(WaitStatus) ? WEXITSTATUS(WaitStatus) : 128 + WTERMSIG(WaitStatus);
        End.Output = TScratchDir::Read(OutFile);
        return End;
    }

    static void ExpectShown(const TProgramEnd& End, const std::string& Answer)
    {
        EXPECT_NE(End.Output.find("driver: hint done"), std::string::npos) << End.Output;
        EXPECT_NE(End.Output.find("driver: file done"), std::string::npos) << End.Output;
        EXPECT_NE(End.Output.find("driver: " + Answer + " done"), std::string::npos) << End.Output;
    }

    TScratchDir Dir;
};

TEST_F(ProgramEndTest, TheExitButtonEndsWithStatusZero)
{
    // The port cannot be opened: the start is refused in a message box.
    const TProgramEnd End = Run(Dir.File("no-such-port"), "hint+record+file+ok+exit");
    ExpectShown(End, "ok");
    EXPECT_EQ(End.Status, 0) << End.Output;
}

TEST_F(ProgramEndTest, ClosingTheMainWindowEndsWithStatusZero)
{
    const TProgramEnd End = Run(Dir.File("no-such-port"), "hint+record+file+ok+close");
    ExpectShown(End, "ok");
    EXPECT_EQ(End.Status, 0) << End.Output;
}

TEST_F(ProgramEndTest, ClosingDuringARunAfterConfirmingEndsWithStatusZero)
{
    TPtyPair Line;
    const TProgramEnd End = Run(Line.SlavePath(), "hint+record+file+running+close+yes");
    ExpectShown(End, "yes");
    EXPECT_NE(End.Output.find("driver: message box: 正在记录中, 确认要退出吗？"), std::string::npos) << End.Output;
    EXPECT_EQ(End.Status, 0) << End.Output;
}

}  // namespace
