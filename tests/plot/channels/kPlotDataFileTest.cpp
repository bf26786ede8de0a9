#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <unistd.h>

#include "FileSizeLimitSupport.h"
#include "plot/channels/kPlot.h"
#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"

namespace {

std::string ReadBytes(const std::string& FileName)
{
    std::ifstream in(FileName, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& FileName, const std::string& Bytes)
{
    std::ofstream(FileName, std::ios::binary) << Bytes;
}

std::string Singles(std::initializer_list<float> Values)
{
    std::string bytes;
    for (const float v : Values) {
        const auto bits = std::bit_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    return bytes;
}

// The trailer: "X64:" and the X of rows 0 and 1 of each channel as doubles.
std::string Trailer(std::initializer_list<double> Values)
{
    std::string bytes = "X64:";
    for (const double v : Values) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    return bytes;
}

class kPlotDataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        char pattern[] = "/tmp/plotdataXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        FDir = pattern;
        FPlot = std::make_unique<TkPlot>(nullptr);
        FPlot->AddChannel();
        A()->SetTitleText("A");
        B()->SetTitleText("B");
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }
    std::string Path(const std::string& Name) const { return FDir + "/" + Name; }
    TkPlotChannel* A() const { return FPlot->Channel(0); }
    TkPlotChannel* B() const { return FPlot->Channel(1); }
    // A plot like the one under test, with no points.
    static std::unique_ptr<TkPlot> EmptyTwin()
    {
        auto plot = std::make_unique<TkPlot>(nullptr);
        plot->AddChannel();
        return plot;
    }

    std::string FDir;
    std::unique_ptr<TkPlot> FPlot;
};

TEST_F(kPlotDataFileTest, TextTableHasTwoColumnsPerChannelAndEmptyCellsPastItsPoints)
{
    A()->AddXY(0, 1.5);
    A()->AddXY(1, 2);
    A()->AddXY(2, 3);
    B()->AddXY(10, -4);
    int saved = 0;
    FPlot->OnAfterSaveData = [&](TObject*) { ++saved; };
    FPlot->SaveData(Path("data.txt"));
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(ReadBytes(Path("data.txt")), "A(X)\tA(Y)\tB(X)\tB(Y)\r\n0\t1.5\t10\t-4\r\n1\t2\t\t\r\n2\t3\t\t\r\n");
    EXPECT_EQ(FPlot->GetLastDataFileName(), Path("data.txt"));
    FPlot->SetDataFileColumnSeparator(kpdfcsComma);
    FPlot->SaveData(Path("data.csv"));
    EXPECT_EQ(ReadBytes(Path("data.csv")), "A(X),A(Y),B(X),B(Y)\r\n0,1.5,10,-4\r\n1,2,,\r\n2,3,,\r\n");

    for (const char* name : {"data.txt", "data.csv"}) {
        auto twin = EmptyTwin();
        int loaded = 0;
        twin->OnAfterLoadData = [&](TObject*) { ++loaded; };
        twin->LoadDataFromFile(Path(name));
        EXPECT_EQ(loaded, 1);
        EXPECT_EQ(twin->GetLastDataFileName(), Path(name));
        ASSERT_EQ(twin->Channel(0)->GetCount(), 3) << name;
        ASSERT_EQ(twin->Channel(1)->GetCount(), 1) << name;
        EXPECT_EQ(twin->Channel(0)->GetDataY(0), 1.5);
        EXPECT_EQ(twin->Channel(1)->GetDataX(0), 10);
    }
}

TEST_F(kPlotDataFileTest, SavingToADeviceWritesIntoItAndAFullOneFails)
{
    A()->AddXY(0, 1.5);
    int saved = 0;
    FPlot->OnAfterSaveData = [&](TObject*) { ++saved; };
    // A link of our own to the device, so that a faulty save could only
    // ever replace the link, never the machine's device.
    if (!std::filesystem::is_character_file("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    std::filesystem::create_symlink("/dev/full", Path("full.txt"));
    try {
        FPlot->SaveData(Path("full.txt"));
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message.rfind("Error Saving Data - ", 0), 0u) << e.Message;
        EXPECT_NE(e.Message.find(std::strerror(ENOSPC)), std::string::npos) << e.Message;
    }
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(std::filesystem::read_symlink(Path("full.txt")), "/dev/full");
}

TEST_F(kPlotDataFileTest, NullAndEmptyPointsTravelAsWords)
{
    A()->AddXY(1, 5);
    A()->AddPointCore(2, 0, true, false);
    A()->AddPointCore(3, 0, false, true);
    FPlot->SaveData(Path("data.txt"));
    EXPECT_EQ(ReadBytes(Path("data.txt")), "A(X)\tA(Y)\tB(X)\tB(Y)\r\n1\t5\t\t\r\n2\tNull\t\t\r\n3\tEmpty\t\t\r\n");
    WriteBytes(Path("lower.txt"), "A(X),A(Y)\r\n2,null\r\n3,EMPTY\r\n");
    for (const char* name : {"data.txt", "lower.txt"}) {
        auto twin = EmptyTwin();
        twin->LoadDataFromFile(Path(name));
        TkPlotChannel* c = twin->Channel(0);
        ASSERT_GE(c->GetCount(), 2) << name;
        EXPECT_TRUE(c->GetDataNull(c->GetCount() - 2)) << name;
        EXPECT_TRUE(c->GetDataEmpty(c->GetCount() - 1)) << name;
    }
}

TEST_F(kPlotDataFileTest, SeparatorsInTitlesDoNotBreakTheHeader)
{
    A()->SetTitleText("p\tq,r\r\ns");
    A()->AddXY(1, 2);
    FPlot->SaveData(Path("data.txt"));
    EXPECT_EQ(ReadBytes(Path("data.txt")).substr(0, 25), "p q,r  s(X)\tp q,r  s(Y)\tB");
    FPlot->SetDataFileColumnSeparator(kpdfcsComma);
    FPlot->SetLogFileName(Path("log.csv"));
    FPlot->LogActivate(false);
    FPlot->LogDeactivate();
    EXPECT_EQ(ReadBytes(Path("log.csv")), "(X),p\tq r  s(Y),B(Y)\r\n");
}

TEST_F(kPlotDataFileTest, CompactIntervalLayoutByteForByte)
{
    FPlot->SetDataFileFormat(kpdffCompactInterval);
    A()->AddXY(0, 10);
    A()->AddXY(0.5, 11);
    A()->AddXY(1, 12);
    B()->AddXY(7, 1);
    FPlot->SaveData(Path("data.bin"));
    EXPECT_EQ(ReadBytes(Path("data.bin")), "Compact Interval\r\n2\r\n" +
                                               Singles({0, 10, 7, 1, 0.5, 11, 1e38f, 1e38f, 12, 1e38f, 2e38f}) +
                                               Trailer({0, 0.5, 7, std::nan("")}));
    auto twin = EmptyTwin();
    twin->LoadDataFromFile(Path("data.bin"));
    ASSERT_EQ(twin->Channel(0)->GetCount(), 3);
    ASSERT_EQ(twin->Channel(1)->GetCount(), 1);  // its 1e38 places are skipped
    // X of the later rows follows from the interval of the first two.
    EXPECT_EQ(twin->Channel(0)->GetDataX(2), 1);
    EXPECT_EQ(twin->Channel(0)->GetDataY(2), 12);
}

TEST_F(kPlotDataFileTest, CompactIntervalKeepsTheSamplingIntervalOfDatesAndTimes)
{
    // One second apart, in days: more than a single's seven digits.
    FPlot->SetDataFileFormat(kpdffCompactInterval);
    for (int i = 0; i < 4; ++i)
        A()->AddXY(46000 + i / 86400.0, i);
    FPlot->SaveData(Path("data.bin"));
    auto twin = EmptyTwin();
    twin->LoadDataFromFile(Path("data.bin"));
    ASSERT_EQ(twin->Channel(0)->GetCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(twin->Channel(0)->GetDataX(i), 46000 + i / 86400.0, 1e-9) << i;
}

TEST_F(kPlotDataFileTest, CompactIntervalReadingEndsAndFails)
{
    // No channel: nothing to read however many bytes follow.
    WriteBytes(Path("none.bin"), "Compact Interval\r\n0\r\n" + Singles({1, 2, 3}));
    FPlot->LoadDataFromFile(Path("none.bin"));
    EXPECT_EQ(A()->GetCount(), 0);
    WriteBytes(Path("cut.bin"), "compact interval\n1\n" + Singles({0, 1, 1, 2}) + "ab");
    try {
        FPlot->LoadDataFromFile(Path("cut.bin"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Error Loading Data - Invalid Data");
    }
    EXPECT_EQ(A()->GetCount(), 2);  // what was read stays
}

TEST_F(kPlotDataFileTest, ACheckRaisesWhatTheLoadWouldAndAddsNoPoint)
{
    WriteBytes(Path("cut.bin"), "compact interval\n1\n" + Singles({0, 1, 1, 2}) + "ab");
    try {
        FPlot->CheckDataFile(Path("cut.bin"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Error Loading Data - Invalid Data");
    }
    WriteBytes(Path("log.txt"), "(X)\tA(Y)\tB(Y)\r\n1\t10\t20\r\n");
    FPlot->CheckDataFile(Path("log.txt"));
    EXPECT_EQ(A()->GetCount(), 0);
    EXPECT_EQ(B()->GetCount(), 0);
}

TEST_F(kPlotDataFileTest, LogFileWithOneSharedXLoadsBack)
{
    WriteBytes(Path("log.txt"), "(X)\tA(Y)\tB(Y)\r\n1\t10\t20\r\n2\tNull\t\r\n");
    FPlot->LoadDataFromFile(Path("log.txt"));
    ASSERT_EQ(A()->GetCount(), 2);
    ASSERT_EQ(B()->GetCount(), 1);
    EXPECT_EQ(B()->GetDataX(0), 1);
    EXPECT_EQ(B()->GetDataY(0), 20);
    EXPECT_TRUE(A()->GetDataNull(1));
    // A table whose first title is empty is no log.
    A()->SetTitleText("");
    auto plot = EmptyTwin();
    plot->Channel(0)->SetTitleText("");
    plot->Channel(0)->AddXY(1, 2);
    plot->Channel(1)->AddXY(3, 4);
    plot->SaveData(Path("untitled.txt"));
    auto twin = EmptyTwin();
    twin->LoadDataFromFile(Path("untitled.txt"));
    ASSERT_EQ(twin->Channel(1)->GetCount(), 1);
    EXPECT_EQ(twin->Channel(1)->GetDataX(0), 3);
}

TEST_F(kPlotDataFileTest, LoggingWritesRowsAtTheBufferSizeAndWhenItStops)
{
    FPlot->SetLogFileName(Path("log.txt"));
    FPlot->SetLogBufferSize(2);
    FPlot->LogActivate(false);
    const std::string header = "(X)\tA(Y)\tB(Y)\r\n";
    EXPECT_EQ(ReadBytes(Path("log.txt")), header);
    A()->AddXY(1, 10);
    B()->AddXY(1, 20);
    A()->AddXY(2, 11);
    EXPECT_EQ(ReadBytes(Path("log.txt")), header);  // one row complete of two
    B()->AddPointCore(2, 0, true, false);
    EXPECT_EQ(ReadBytes(Path("log.txt")), header + "1\t10\t20\r\n2\t11\tNull\r\n");
    A()->AddXY(3, 12);
    EXPECT_THROW(FPlot->SetLogFileName(Path("other.txt")), Exception);
    FPlot->LogDeactivate();
    EXPECT_EQ(ReadBytes(Path("log.txt")), header + "1\t10\t20\r\n2\t11\tNull\r\n3\t12\t\r\n");
    EXPECT_FALSE(FPlot->GetLoggingActive());
    // Appending continues the file without a second header.
    FPlot->LogActivate(true);
    A()->AddXY(4, 13);
    FPlot->ClearAllData();  // stops logging first
    EXPECT_FALSE(FPlot->GetLoggingActive());
    EXPECT_EQ(ReadBytes(Path("log.txt")), header + "1\t10\t20\r\n2\t11\tNull\r\n3\t12\t\r\n4\t13\t\r\n");
    EXPECT_EQ(A()->GetCount(), 0);
}

TEST_F(kPlotDataFileTest, APlotFreedWhileLoggingWritesItsPendingRows)
{
    FPlot->SetLogFileName(Path("log.txt"));
    FPlot->SetLogBufferSize(10);
    FPlot->LogActivate(false);
    A()->AddXY(1, 10);
    B()->AddXY(1, 20);
    FPlot.reset();
    EXPECT_EQ(ReadBytes(Path("log.txt")), "(X)\tA(Y)\tB(Y)\r\n1\t10\t20\r\n");
}

TEST_F(kPlotDataFileTest, CompactLogCarriesXInItsFirstTwoRowsOnly)
{
    FPlot->SetDataFileFormat(kpdffCompactInterval);
    FPlot->SetLogFileName(Path("log.bin"));
    FPlot->LogActivate(false);
    for (int i = 0; i < 3; ++i) {
        A()->AddXY(i, 10 + i);
        B()->AddXY(i, 20 + i);
    }
    const std::string rows = Singles({0, 10, 0, 20, 1, 11, 1, 21, 12, 22});
    EXPECT_EQ(ReadBytes(Path("log.bin")), "Compact Interval\r\n2\r\n" + rows);
    FPlot->LogDeactivate();
    const std::string end = Singles({2e38f}) + Trailer({0, 1, 0, 1});
    EXPECT_EQ(ReadBytes(Path("log.bin")), "Compact Interval\r\n2\r\n" + rows + end);
    // Appended rows are later rows: Y only, before the end again.
    FPlot->LogActivate(true);
    A()->AddXY(3, 13);
    B()->AddXY(3, 23);
    FPlot->LogDeactivate();
    EXPECT_EQ(ReadBytes(Path("log.bin")), "Compact Interval\r\n2\r\n" + rows + Singles({13, 23}) + end);
}

TEST_F(kPlotDataFileTest, LoggingErrors)
{
    auto message = [](auto Call) {
        try {
            Call();
        } catch (const Exception& e) {
            return e.Message;
        }
        return std::string("no error");
    };
    FPlot->SetLogFileName("  ");
    EXPECT_EQ(message([&] { FPlot->LogActivate(false); }), "Log File Name not Defined");
    EXPECT_EQ(message([&] { FPlot->LogDeactivate(); }), "Logging not Active");
    FPlot->SetLogFileName(Path("log.txt"));
    FPlot->LogActivate(false);
    EXPECT_EQ(message([&] { FPlot->LogActivate(false); }), "Logging Already Active");
    FPlot->LogDeactivate();
    EXPECT_EQ(message([&] { FPlot->SaveData(Path("missing/dir/data.txt")); }).rfind("Error Saving Data - ", 0), 0u);
    EXPECT_EQ(message([&] { FPlot->LoadDataFromFile(Path("missing.txt")); }).rfind("Error Loading Data - ", 0), 0u);
}

// Logs on a disk that fills up or loses their file: the message boxes the
// user would see are kept instead.
class kPlotDataLogTrouble : public kPlotDataFileTest {
protected:
    void SetUp() override
    {
        kPlotDataFileTest::SetUp();
        FPrevious = SetDialogResponder([this](const TDialogRequest& R) {
            Boxes.push_back(R.Text);
            TDialogAnswer answer;
            answer.Result = IDOK;
            return answer;
        });
    }
    void TearDown() override
    {
        SetDialogResponder(FPrevious);
        kPlotDataFileTest::TearDown();
    }
    void AddRow(double X, double Y)
    {
        A()->AddXY(X, Y);
        B()->AddXY(X, Y + 10);
    }
    void ExpectReadsBack(const std::string& FileName, const std::vector<double>& Xs)
    {
        auto twin = EmptyTwin();
        twin->LoadDataFromFile(FileName);
        for (int c = 0; c < 2; ++c) {
            ASSERT_EQ(twin->Channel(c)->GetCount(), static_cast<int>(Xs.size())) << c;
            for (std::size_t i = 0; i < Xs.size(); ++i) {
                EXPECT_EQ(twin->Channel(c)->GetDataX(static_cast<int>(i)), Xs[i]) << c << " " << i;
                EXPECT_EQ(twin->Channel(c)->GetDataY(static_cast<int>(i)), Xs[i] * 100 + c * 10) << c << " " << i;
            }
        }
    }

    std::vector<std::string> Boxes;

private:
    TDialogResponder FPrevious;
};

TEST_F(kPlotDataLogTrouble, ADiskThatRefusesTheLogNeverReachesTheAdderAndIsToldOnceFromTheMessageLoop)
{
    FPlot->SetLogFileName(Path("log.txt"));
    FPlot->LogActivate(false);
    AddRow(1, 100);
    {
        const FileSizeLimit full(ReadBytes(Path("log.txt")).size());
        EXPECT_NO_THROW(AddRow(2, 200));
        EXPECT_NO_THROW(AddRow(3, 300));
        EXPECT_TRUE(Boxes.empty());  // not from inside the adding
        EXPECT_NE(FPlot->GetLogFailure().find(Path("log.txt")), std::string::npos);
        EXPECT_TRUE(FPlot->GetLoggingActive());
        Application->ProcessMessages();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].rfind(FPlot->GetLogFailure(), 0), 0u);
    }
    AddRow(4, 400);
    EXPECT_EQ(FPlot->GetLogFailure(), "");
    FPlot->LogDeactivate();
    Application->ProcessMessages();
    EXPECT_EQ(Boxes.size(), 1u);
    ExpectReadsBack(Path("log.txt"), {1, 2, 3, 4});
}

TEST_F(kPlotDataLogTrouble, RowsCutByAFullDiskAreTakenOffAndTheLogReadsBackWhole)
{
    FPlot->SetLogFileName(Path("log.txt"));
    FPlot->LogActivate(false);
    AddRow(1, 100);
    {
        const FileSizeLimit full(ReadBytes(Path("log.txt")).size() + 6);
        try {
            AddRow(4.2, 420);
        } catch (const std::exception&) {
            // Whether the adder hears of it is another matter.
        }
    }
    AddRow(4.21, 421);
    FPlot->LogDeactivate();
    EXPECT_EQ(ReadBytes(Path("log.txt")), "(X)\tA(Y)\tB(Y)\r\n1\t100\t110\r\n4.2\t420\t430\r\n4.21\t421\t431\r\n");
    // The same with the compact layout, cut inside a value.
    FPlot->SetDataFileFormat(kpdffCompactInterval);
    FPlot->SetLogFileName(Path("log.bin"));
    FPlot->LogActivate(false);
    AddRow(1, 100);
    AddRow(2, 200);
    {
        const FileSizeLimit full(ReadBytes(Path("log.bin")).size() + 6);
        try {
            AddRow(3, 300);
        } catch (const std::exception&) {
        }
    }
    AddRow(4, 400);
    FPlot->LogDeactivate();
    ExpectReadsBack(Path("log.bin"), {1, 2, 3, 4});
}

TEST_F(kPlotDataLogTrouble, RowsTheDiskStillRefusesWhenLoggingStopsAreToldAsLostAndTheRestReadsBack)
{
    FPlot->SetDataFileFormat(kpdffCompactInterval);
    FPlot->SetLogFileName(Path("log.bin"));
    FPlot->SetLogBufferSize(10);
    FPlot->LogActivate(false);
    AddRow(1, 100);
    AddRow(2, 200);
    FPlot->SetLogBufferSize(1);
    AddRow(3, 300);
    {
        const FileSizeLimit full(ReadBytes(Path("log.bin")).size());
        AddRow(4, 400);
        EXPECT_NO_THROW(FPlot->LogDeactivate());
    }
    EXPECT_FALSE(FPlot->GetLoggingActive());
    EXPECT_NE(FPlot->GetLogFailure().find("rows not written: 1"), std::string::npos);
    Application->ProcessMessages();
    // The failure and what it cost came before the message loop ran: one box.
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].find(FPlot->GetLogFailure()), std::string::npos);
    ExpectReadsBack(Path("log.bin"), {1, 2, 3});
}

TEST_F(kPlotDataLogTrouble, ALogFileDeletedWhileLoggingStartsAgainWithItsHeaderAndTheUserHearsOfIt)
{
    FPlot->SetLogFileName(Path("log.txt"));
    FPlot->LogActivate(false);
    AddRow(1, 100);
    ASSERT_EQ(::unlink(Path("log.txt").c_str()), 0);
    AddRow(2, 200);
    EXPECT_EQ(ReadBytes(Path("log.txt")), "(X)\tA(Y)\tB(Y)\r\n2\t200\t210\r\n");
    Application->ProcessMessages();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].find(Path("log.txt")), std::string::npos);
    FPlot->LogDeactivate();
    // A compact file begun again carries X in its first two rows again.
    FPlot->SetDataFileFormat(kpdffCompactInterval);
    FPlot->SetLogFileName(Path("log.bin"));
    FPlot->LogActivate(false);
    AddRow(1, 100);
    AddRow(2, 200);
    AddRow(3, 300);
    ASSERT_EQ(::unlink(Path("log.bin").c_str()), 0);
    AddRow(5, 500);
    AddRow(6, 600);
    FPlot->LogDeactivate();
    ExpectReadsBack(Path("log.bin"), {5, 6});
}

}  // namespace
