#include "app/RecordingControl.h"
#include "app/SysOption.h"

#include "ScratchDir.h"
#include "controls/VcRegIniFile.h"
#include "rtl/Gbk.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(RecordingOptionsTest, TakenFromTheOptions)
{
    TScratchDir dir;
    std::ofstream(dir / "config.ini", std::ios::binary) << Gbk::ToGbk(
        "[System Parameters]\r\nComm Port=/dev/ttyUSB3\r\nBaud Rate=19200\r\nParity=2\r\n"
        "Poll Delay=7\r\nPoll Timeout=321\r\n"
        "[Log Parameters]\r\nLogFilenameMode=1\r\nStartMode=1\r\nStopMode=1\r\nLogDuration=2.5\r\n"
        "TimeBaseLog=2\r\nStartTriggerLogic=1\r\nStopTriggerLogic=1\r\nMaxRecordPerFile=100\r\n"
        "LogInterval=0.5\r\n[Display Parameters]\r\nAxisFormat=1\r\n");
    TVcRegIniFile store;
    store.SetPath(dir / "config.ini");
    SetOptionStore(&store);
    auto options = std::make_unique<TOptionList>(&store);
    const TRecordingOptions o = TRecordingOptions::FromOptions(dir.Path());
    options.reset();

    EXPECT_EQ(dir.Path(), o.AppDir);
    EXPECT_EQ(1, o.LogFilenameMode);
    EXPECT_EQ("/dev/ttyUSB3", o.Line.PortName);
    EXPECT_EQ(19200, o.Line.BaudRate);
    EXPECT_EQ(2, o.Line.Parity);
    EXPECT_EQ(7, o.Settings.PollDelay);
    EXPECT_EQ(321, o.Settings.PollTimeout);
    EXPECT_EQ(0.5, o.Settings.LogInterval);
    EXPECT_EQ(1, o.Settings.AxisFormat);
    EXPECT_EQ(100, o.Settings.MaxRecordPerFile);
    EXPECT_EQ(1, o.Settings.StartMode);
    EXPECT_EQ(1, o.Settings.StopMode);
    EXPECT_EQ(1, o.Settings.StartTriggerLogic);
    EXPECT_EQ(1, o.Settings.StopTriggerLogic);
    EXPECT_EQ(2.5, o.LogDuration);
    EXPECT_EQ(2, o.TimeBaseLog);
    EXPECT_EQ(2.5 * 3600, o.Settings.LogDuration);
}

}  // namespace
