#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "ChannelTestSupport.h"
#include "FileSizeLimitSupport.h"
#include "TempDirSupport.h"
#include "rtl/FileUtils.h"
#include "rtl/Exception.h"
#include "ui/Font.h"

namespace {

using ChannelCore = ChannelTest;

TEST_F(ChannelCore, AnEmptyChannelAnswersMinusOneForItsEnds)
{
    TkPlotChannel* c = AddChannel();
    EXPECT_EQ(c->GetFirstIndex(), -1);
    EXPECT_EQ(c->GetLastIndex(), -1);
    EXPECT_EQ(c->GetFirstX(), -1.0);
    EXPECT_EQ(c->GetLastX(), -1.0);
    EXPECT_EQ(c->GetLastY(), -1.0);
}

TEST_F(ChannelCore, ARingOfThreeFedOneToFiveKeepsTheNewestThreeAndTheStatisticsOfAll)
{
    TkPlotChannel* c = AddChannel();
    c->SetRingBufferSize(3);
    for (int v = 1; v <= 5; ++v)
        c->AddXY(v, v * 10);
    ASSERT_EQ(c->GetCount(), 3);
    EXPECT_EQ(c->GetDataX(0), 3);
    EXPECT_EQ(c->GetDataY(2), 50);
    // The running statistics keep the dropped points until recomputed.
    EXPECT_EQ(c->GetStatsCount(), 5);
    EXPECT_EQ(c->GetYMin(), 10);
    EXPECT_EQ(c->GetYMean(), 30);
    c->CalcStats();
    EXPECT_EQ(c->GetStatsCount(), 3);
    EXPECT_EQ(c->GetYMin(), 30);
    EXPECT_EQ(c->GetYMean(), 40);
    EXPECT_EQ(c->GetXMax(), 5);
}

TEST_F(ChannelCore, RunningStatisticsSkipNullAndEmptyPointsAsCalcStatsDoes)
{
    TkPlotChannel* c = AddChannel();
    c->AddXY(1, 2);
    c->AddPointCore(2, -500, true, false);
    c->AddPointCore(3, 900, false, true);
    c->AddXY(4, 6);
    const double running[] = {c->GetXMin(), c->GetXMax(), c->GetXMean(), c->GetYMin(), c->GetYMax(), c->GetYMean()};
    const int runningCount = c->GetStatsCount();
    c->CalcStats();
    const double recomputed[] = {c->GetXMin(), c->GetXMax(), c->GetXMean(), c->GetYMin(), c->GetYMax(), c->GetYMean()};
    EXPECT_EQ(runningCount, c->GetStatsCount());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(running[i], recomputed[i]) << i;
    EXPECT_EQ(c->GetYMin(), 2);
    EXPECT_EQ(c->GetYMax(), 6);
    EXPECT_EQ(c->GetYMean(), 4);
    EXPECT_EQ(c->GetXMean(), 2.5);
}

TEST_F(ChannelCore, RunningStatisticsOfManyPointsMatchThoseRecomputedWhenReadBetweenPoints)
{
    TkPlotChannel* c = AddChannel();
    const auto statistics = [c] {
        return std::vector<double>{double(c->GetStatsCount()),
                                   c->GetXMin(),
                                   c->GetXMax(),
                                   c->GetXMean(),
                                   c->GetYMin(),
                                   c->GetYMax(),
                                   c->GetYMean()};
    };
    // The running figures, and those CalcStats works out over the points.
    const auto recomputed = [c, &statistics] {
        const std::vector<double> running = statistics();
        c->CalcStats();
        return std::pair{running, statistics()};
    };
    double y = 0.1;
    for (int i = 1; i <= 300; ++i) {
        y = y * 3.7 * (1 - y);  // values without a pattern
        if (i % 50 == 0)
            c->AddPointCore(i, 1e6, true, false);
        else
            c->AddXY(i, y * 100 - 40 + i);
        if (i == 7 || i == 64 || i == 65 || i == 200) {
            const auto [running, again] = recomputed();
            EXPECT_EQ(running, again) << i;
        }
    }
    const auto [running, again] = recomputed();
    EXPECT_EQ(running, again);
    EXPECT_EQ(c->GetStatsCount(), 294);
    EXPECT_EQ(c->GetXMin(), 1);
    EXPECT_EQ(c->GetXMax(), 299);
    // Points added after a Clear count alone.
    c->AddXY(5, 5);
    c->Clear();
    c->AddXY(1, 8);
    c->AddXY(3, 2);
    EXPECT_EQ(c->GetStatsCount(), 2);
    EXPECT_EQ(c->GetXMean(), 2);
    EXPECT_EQ(c->GetYMin(), 2);
    EXPECT_EQ(c->GetYMax(), 8);
}

TEST_F(ChannelCore, ClearResetsStatisticsAndKeepsTheRing)
{
    TkPlotChannel* c = AddChannel();
    c->SetRingBufferSize(4);
    c->AddXY(1, 1);
    c->Clear();
    EXPECT_EQ(c->GetCount(), 0);
    EXPECT_EQ(c->GetStatsCount(), 0);
    EXPECT_EQ(c->GetYMin(), 1e300);
    EXPECT_EQ(c->GetYMax(), -1e300);
    EXPECT_EQ(c->GetRingBufferSize(), 4);
}

TEST_F(ChannelCore, NewPointsAreTrackedByTheAxesNullOnesOnlyInX)
{
    TkPlotChannel* c = AddChannel();
    c->AddXY(1, 5);
    c->AddPointCore(2, 7, true, false);
    EXPECT_EQ(xAxis.Tracked, (std::vector<double>{1, 2}));
    EXPECT_EQ(yAxis.Tracked, (std::vector<double>{5}));
    c->SetYAxisTrackingEnabled(false);
    c->AddXY(3, 9);
    EXPECT_EQ(yAxis.Tracked.size(), 1u);
    hasXAxis = false;  // an axis that is gone is not told
    c->AddXY(4, 9);
    EXPECT_EQ(xAxis.Tracked.size(), 3u);
}

TEST_F(ChannelCore, WithMarkersTheAxesAreToldBothMarkerEdges)
{
    TkPlotChannel* c = AddChannel();
    c->SetMarkersVisible(true);
    c->SetMarkersSize(10);  // 10 pixels are 1 unit on the X axis and 0.1 on Y (span 10 over 100 pixels)
    c->AddXY(5, 5);
    ASSERT_EQ(xAxis.Tracked.size(), 2u);
    EXPECT_DOUBLE_EQ(xAxis.Tracked[0], 6);
    EXPECT_DOUBLE_EQ(xAxis.Tracked[1], 4);
    ASSERT_EQ(yAxis.Tracked.size(), 2u);
    EXPECT_DOUBLE_EQ(yAxis.Tracked[0], 6);
    EXPECT_DOUBLE_EQ(yAxis.Tracked[1], 4);
    c->AddPointCore(6, 0, true, false);
    EXPECT_THROW(c->XPlusMarkerMargin(1), Exception);
    hasYAxis = false;
    try {
        c->YPlusMarkerMargin(0);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Y-Axis not assigned");
    }
}

TEST_F(ChannelCore, ValueTextsComeFromTheAxesOrSayTheAxisIsMissing)
{
    TkPlotChannel* c = AddChannel();
    EXPECT_EQ(c->GetXValueText(1.5), "C1.5");
    hasXAxis = hasYAxis = false;
    EXPECT_EQ(c->GetXValueText(1.5), "No X-Axis");
    EXPECT_EQ(c->GetYValueText(1.5), "No Y-Axis");
}

TEST_F(ChannelCore, LineHelpersHandleVerticalAndHorizontalLines)
{
    EXPECT_EQ(TkPlotChannelCustom::LineYAtX(5, 0, 0, 10, 20), 10);
    EXPECT_EQ(TkPlotChannelCustom::LineYAtX(5, 3, 0, 3, 20), 0);
    EXPECT_EQ(TkPlotChannelCustom::LineXAtY(10, 0, 0, 10, 20), 5);
    EXPECT_EQ(TkPlotChannelCustom::LineXAtY(10, 3, 0, 3, 20), 3);
    EXPECT_EQ(TkPlotChannelCustom::LineXAtY(10, 1, 4, 7, 4), 1);
}

TEST_F(ChannelCore, ADataStyleChangeDropsPointsKeepsAttributesAndResetsWhatPointedIntoThem)
{
    TkPlotChannel* c = AddChannel();
    c->SetColor(0x123456);
    c->SetMarkersSize(7);
    c->SetRingBufferSize(50);
    AddPoints(c, {{1, 1}, {2, 2}});
    c->CalcFirstVisibleIndex();
    c->CalcLastVisibleIndex();
    ASSERT_EQ(c->GetLastVisibleIndex(), 1);
    c->SetDataStyle(kpdsCompact);
    EXPECT_EQ(c->GetCount(), 0);
    EXPECT_EQ(c->GetDataPointSize(), 8);
    EXPECT_EQ(c->GetColor(), 0x123456);
    EXPECT_EQ(c->GetMarkersSize(), 7);
    EXPECT_EQ(c->GetRingBufferSize(), 50);
    EXPECT_EQ(c->GetFirstVisibleIndex(), -1);
    EXPECT_EQ(c->GetLastVisibleIndex(), -1);
    EXPECT_EQ(c->GetStatsCount(), 0);
    EXPECT_EQ(c->GetYMax(), -1e300);
}

TEST_F(ChannelCore, DefaultsAfterConstruction)
{
    TkPlotChannel* c = AddChannel();
    EXPECT_EQ(c->GetTraceLineWidth(), 1);
    EXPECT_EQ(c->GetMarkersPenColor(), clRed);
    EXPECT_TRUE(c->GetMarkersFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(c->GetMarkersFont()->GetColor(), clWhite);
    EXPECT_EQ(c->GetDataStyle(), kpdsStandard);
    EXPECT_EQ(c->GetDataPointSize(), 24);
}

// ---- log

class ChannelLog : public ChannelTest {
protected:
    TkPlotChannel* LoggingChannel(int BufferSize)
    {
        TkPlotChannel* c = AddChannel();
        c->SetLogFileName(dir.File("log.txt"));
        c->SetLogBufferSize(BufferSize);
        c->LogActivate(false);
        return c;
    }
    std::string Log() const { return ReadRaw(dir.File("log.txt")); }
    TempDir dir;
};

TEST_F(ChannelLog, ActivationNeedsANameAndIsRefusedTwice)
{
    TkPlotChannel* c = AddChannel();
    c->SetLogFileName("  ");
    try {
        c->LogActivate(false);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Log File Name not Defined");
    }
    try {
        c->LogDeactivate();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Logging not Active");
    }
    c->SetLogFileName(dir.File("a.txt"));
    c->LogActivate(false);
    try {
        c->LogActivate(true);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Logging Already Active");
    }
    EXPECT_THROW(c->SetLogFileName(dir.File("b.txt")), Exception);
    EXPECT_EQ(c->GetLogFileName(), dir.File("a.txt"));
}

TEST_F(ChannelLog, WithoutABufferEveryPointIsWrittenAtOnceWithDotsAndTheSeparator)
{
    TkPlotChannel* c = LoggingChannel(1);
    c->AddXY(1.5, -2.25);
    EXPECT_EQ(Log(), "1.5\t-2.25\r\n");
    plot.separator = ',';
    c->AddPointCore(2, 0, true, false);
    EXPECT_EQ(Log(), "1.5\t-2.25\r\n2,0\r\n");
}

TEST_F(ChannelLog, ABufferOfTenWritesEveryTenthPointAndDeactivationTheRest)
{
    TkPlotChannel* c = LoggingChannel(10);
    for (int i = 0; i < 9; ++i)
        c->AddXY(i, i);
    EXPECT_EQ(Log(), "");
    c->AddXY(9, 9);
    const std::string tenth = Log();
    EXPECT_EQ(std::count(tenth.begin(), tenth.end(), '\n'), 10);
    c->AddXY(10, 10);
    c->AddXY(11, 11);
    c->LogDeactivate();
    const std::string log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 12);
    EXPECT_EQ(log.substr(log.size() - 14), "10\t10\r\n11\t11\r\n");
    EXPECT_FALSE(c->GetLoggingActive());
}

TEST_F(ChannelLog, AppendKeepsTheFileAndCreationEmptiesIt)
{
    WriteRaw(dir.File("log.txt"), "old\r\n");
    TkPlotChannel* c = AddChannel();
    c->SetLogFileName(dir.File("log.txt"));
    c->LogActivate(true);
    c->AddXY(1, 2);
    EXPECT_EQ(Log(), "old\r\n1\t2\r\n");
    c->LogDeactivate();
    c->LogActivate(false);
    EXPECT_EQ(Log(), "");
}

TEST_F(ChannelLog, ABufferLargerThanTheRingLosesNoPoint)
{
    TkPlotChannel* c = AddChannel();
    c->SetRingBufferSize(3);
    c->SetLogFileName(dir.File("log.txt"));
    c->SetLogBufferSize(10);
    c->LogActivate(false);
    for (int i = 1; i <= 7; ++i)
        c->AddXY(i, i);
    c->LogDeactivate();
    EXPECT_EQ(Log(), "1\t1\r\n2\t2\r\n3\t3\r\n4\t4\r\n5\t5\r\n6\t6\r\n7\t7\r\n");
}

TEST_F(ChannelLog, ADataStyleChangeWritesWhatTheLogStillOwes)
{
    TkPlotChannel* c = LoggingChannel(10);
    c->AddXY(1, 2);
    c->AddXY(3, 4);
    c->SetDataStyle(kpdsFullFeature);
    EXPECT_EQ(Log(), "1\t2\r\n3\t4\r\n");
    EXPECT_TRUE(c->GetLoggingActive());
    c->AddXY(5, 6);
    c->LogDeactivate();
    EXPECT_EQ(Log(), "1\t2\r\n3\t4\r\n5\t6\r\n");
}

TEST_F(ChannelLog, ALogFileThatWentAwayStartsAgainAndTheUserHearsOfIt)
{
    const std::string sub = dir.File("sub/");
    ASSERT_TRUE(ForceDirectories(sub));
    TkPlotChannel* c = AddChannel();
    c->SetLogFileName(sub + "log.txt");
    c->LogActivate(false);
    c->AddXY(1, 1);
    ASSERT_TRUE(DeleteFile(sub + "log.txt"));
    ASSERT_EQ(::rmdir(sub.c_str()), 0);
    EXPECT_NO_THROW(c->AddXY(2, 2));
    EXPECT_EQ(c->GetCount(), 2);
    ASSERT_TRUE(ForceDirectories(sub));
    c->AddXY(3, 3);
    EXPECT_EQ(ReadRaw(sub + "log.txt"), "2\t2\r\n3\t3\r\n");
    // Once that it cannot write, once that the file began anew.
    ASSERT_EQ(plot.logNotices.size(), 2u);
    EXPECT_NE(plot.logNotices[1].find(sub + "log.txt"), std::string::npos);
    EXPECT_NE(plot.logNotices[1].find("started again"), std::string::npos);
}

TEST_F(ChannelLog, ALogTheDiskRefusesKeepsItsPointsTellsOnceAndWritesOnLater)
{
    TkPlotChannel* c = LoggingChannel(1);
    c->SetRingBufferSize(2);
    c->AddXY(1, 1);
    std::string failure;
    {
        const FileSizeLimit full(Log().size());
        // More points than the ring holds wait for the disk.
        for (int i = 2; i <= 4; ++i)
            EXPECT_NO_THROW(c->AddXY(i, i));
        EXPECT_TRUE(c->GetLoggingActive());
        failure = c->GetLogFailure();
    }
    EXPECT_NE(failure.find(dir.File("log.txt")), std::string::npos);
    ASSERT_EQ(plot.logNotices.size(), 1u);
    EXPECT_EQ(plot.logNotices[0].rfind(failure, 0), 0u);
    c->AddXY(5, 5);
    EXPECT_EQ(c->GetLogFailure(), "");
    EXPECT_EQ(Log(), "1\t1\r\n2\t2\r\n3\t3\r\n4\t4\r\n5\t5\r\n");
    EXPECT_EQ(plot.logNotices.size(), 1u);
}

TEST_F(ChannelLog, ARowCutByAFullDiskIsTakenOffAndTheLogReadsBackWhole)
{
    TkPlotChannel* c = LoggingChannel(1);
    c->AddXY(1, 1);
    {
        const FileSizeLimit full(Log().size() + 6);
        try {
            c->AddXY(420, 14420);
        } catch (const std::exception&) {
            // Whether the adder hears of it is another matter.
        }
        EXPECT_EQ(Log(), "1\t1\r\n");
    }
    c->AddXY(421, 1421);
    EXPECT_EQ(Log(), "1\t1\r\n420\t14420\r\n421\t1421\r\n");
    TkPlotChannel* back = AddChannel();
    back->LoadDataFromFile(dir.File("log.txt"), true);
    ASSERT_EQ(back->GetCount(), 3);
    EXPECT_EQ(back->GetDataX(1), 420);
    EXPECT_EQ(back->GetDataY(1), 14420);
    EXPECT_EQ(back->GetDataY(2), 1421);
}

TEST_F(ChannelLog, PointsLeftUnwrittenWhenLoggingStopsAreToldAsLost)
{
    TkPlotChannel* c = LoggingChannel(10);
    c->AddXY(1, 1);
    {
        const FileSizeLimit full(0);
        EXPECT_NO_THROW(c->Clear());
    }
    EXPECT_FALSE(c->GetLoggingActive());
    EXPECT_NE(c->GetLogFailure().find("rows not written: 1"), std::string::npos);
    ASSERT_EQ(plot.logNotices.size(), 1u);
    EXPECT_EQ(plot.logNotices[0], c->GetLogFailure());
}

TEST_F(ChannelLog, ClearStopsLoggingAndWritesThePendingPoints)
{
    TkPlotChannel* c = LoggingChannel(10);
    c->AddXY(1, 2);
    c->Clear();
    EXPECT_FALSE(c->GetLoggingActive());
    EXPECT_EQ(Log(), "1\t2\r\n");
}

// ---- point files

TEST_F(ChannelLog, SavedPointsSkipEmptyOnesAndWriteNullAsAWord)
{
    TkPlotChannel* c = AddChannel();
    c->AddXY(0.5, 1e20);
    c->AddPointCore(1, 0, true, false);
    c->AddPointCore(2, 0, false, true);
    c->AddXY(3, -4);
    plot.separator = ',';
    c->SaveDataToFile(dir.File("d.txt"));
    EXPECT_EQ(ReadRaw(dir.File("d.txt")), "0.5,1E20\r\n1,Null\r\n3,-4\r\n");
}

TEST_F(ChannelLog, LoadingDetectsTheSeparatorAndReadsNullInAnyCase)
{
    WriteRaw(dir.File("d.txt"), "1,2\r\n5, nULl\r\n,7\r\n6,2.5\r\n");
    TkPlotChannel* c = AddChannel();
    c->AddXY(100, 100);
    c->LoadDataFromFile(dir.File("d.txt"), true);
    ASSERT_EQ(c->GetCount(), 3);
    EXPECT_EQ(c->GetDataX(1), 5);
    EXPECT_TRUE(c->GetDataNull(1));
    EXPECT_EQ(c->GetDataY(2), 2.5);
    WriteRaw(dir.File("t.txt"), "7\t8\r\n");
    c->LoadDataFromFile(dir.File("t.txt"), false);
    ASSERT_EQ(c->GetCount(), 4);
    EXPECT_EQ(c->GetDataY(3), 8);
}

TEST_F(ChannelLog, ALineThatDoesNotReadLeavesTheOldPoints)
{
    WriteRaw(dir.File("bad.txt"), "1\t2\r\n2\tabc\r\n");
    TkPlotChannel* c = AddChannel();
    AddPoints(c, {{10, 1}, {11, 2}});
    c->SetLogFileName(dir.File("log.txt"));
    c->LogActivate(false);
    EXPECT_THROW(c->LoadDataFromFile(dir.File("bad.txt"), true), EConvertError);
    ASSERT_EQ(c->GetCount(), 2);
    EXPECT_EQ(c->GetDataX(0), 10);
    EXPECT_TRUE(c->GetLoggingActive());
}

// ---- the plot's clear-all

TEST_F(ChannelCore, ClearAllDataEmptiesEveryChannel)
{
    TkPlotChannel* a = AddChannel();
    TkPlotChannel* b = AddChannel();
    a->AddXY(1, 1);
    b->AddXY(1, 1);
    b->AddXY(2, 1);
    master->ClearAllData();
    EXPECT_EQ(a->GetCount(), 0);
    EXPECT_EQ(b->GetCount(), 0);
    EXPECT_EQ(b->GetStatsCount(), 0);
}

}  // namespace
