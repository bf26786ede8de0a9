#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotPropertyFile.h"
#include "rtl/Exception.h"
#include "rtl/PublishedProperties.h"
#include "rtl/StringList.h"
#include "ui/Application.h"

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

std::string GoldenFile(const char* Name)
{
    return std::string(PLOT_GOLDEN_DIR) + "/" + Name;
}

// Empty when equal, else the first line where A and B differ.
std::string FirstDifference(const std::string& A, const std::string& B)
{
    std::istringstream a(A), b(B);
    std::string lineA, lineB;
    for (int n = 1;; ++n) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA)), moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return "";
        if (moreA != moreB || lineA != lineB)
            return "line " + std::to_string(n) + ": \"" + (moreA ? lineA : "<end>") + "\" vs \"" +
                   (moreB ? lineB : "<end>") + "\"";
    }
}

std::string ConfigText(const TkPlotComponent& Plot)
{
    TStringList lines;
    TkPlotPropertyFile(const_cast<TkPlotComponent&>(Plot)).WriteConfig(lines);
    return lines.Text();
}

void SetByPath(TObject* Object, const std::string& Path, const std::string& Value)
{
    ReadObjectProperty(Object, Path, Value, '.');
}

class kPlotPropertyFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        char pattern[] = "/tmp/plotfilesXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        FDir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }
    std::string Path(const std::string& Name) const { return FDir + "/" + Name; }

    // A fresh plot with two channels and the objects every plot starts with.
    static std::unique_ptr<TkPlot> TwoChannelPlot()
    {
        auto plot = std::make_unique<TkPlot>(nullptr);
        plot->AddChannel();
        return plot;
    }

    // The configuration file of Plot, loaded into a fresh plot.
    std::unique_ptr<TkPlot> ThroughFile(TkPlot& Plot, const std::string& Name)
    {
        Plot.SavePropertiesToFile(Path(Name));
        auto copy = std::make_unique<TkPlot>(nullptr);
        copy->LoadPropertiesFromFile(Path(Name));
        return copy;
    }

    std::string FDir;
};

TEST_F(kPlotPropertyFileTest, DefaultTwoChannelPlotMatchesTheGoldenFiles)
{
    for (const bool differential : {false, true}) {
        auto plot = TwoChannelPlot();
        plot->SetDifferentialPropertySave(differential);
        const char* golden = differential ? "plot-config-differential.txt" : "plot-config-full.txt";
        plot->SavePropertiesToFile(Path(golden));
        if (std::getenv("KALVO_WRITE_GOLDEN"))
            WriteBytes(GoldenFile(golden), ReadBytes(Path(golden)));
        EXPECT_EQ(FirstDifference(ReadBytes(Path(golden)), ReadBytes(GoldenFile(golden))), "") << golden;
    }
}

TEST_F(kPlotPropertyFileTest, EveryKindRoundTripsFullAndDifferential)
{
    auto plot = TwoChannelPlot();
    plot->AddXAxis();
    plot->AddYAxis();
    plot->AddLegend();
    plot->AddTable();
    plot->AddLimit();
    plot->AddDataCursor();
    plot->AddLabel();
    SetByPath(plot->GetChannel(1), "TraceLineWidth", "3");
    plot->Channel(1)->SetTitleText("Two\r\nlines #13");
    SetByPath(plot->GetChannel(0), "Color", "255");  // the declared default
    SetByPath(plot->GetXAxis(1), "Min", "46000.000011574074");
    SetByPath(plot->GetLabel(1), "Caption", "Second label");
    SetByPath(plot.get(), "OuterMarginLeft", "17");
    for (const bool differential : {false, true}) {
        plot->SetDifferentialPropertySave(differential);
        auto copy = ThroughFile(*plot, "roundtrip.txt");
        EXPECT_EQ(copy->GetChannelCount(), 2);
        EXPECT_EQ(copy->GetXAxisCount(), 2);
        EXPECT_EQ(copy->GetLimitCount(), 1);
        EXPECT_EQ(copy->GetTableCount(), 1);
        EXPECT_EQ(copy->GetLabelCount(), 2);
        EXPECT_EQ(copy->Channel(0)->GetColor(), TColor(255));
        EXPECT_EQ(copy->Channel(1)->GetTitleText(), "Two\r\nlines #13");
        EXPECT_EQ(copy->GetXAxis(1)->GetMin(), 46000.000011574074);
        EXPECT_EQ(FirstDifference(ConfigText(*copy), ConfigText(*plot)), "")
            << (differential ? "differential" : "full");
        EXPECT_EQ(copy->GetLastPropertyFileName(), Path("roundtrip.txt"));
    }
}

TEST_F(kPlotPropertyFileTest, SectionsOutOfOrderAndBlankLinesAreRead)
{
    auto plot = TwoChannelPlot();
    WriteBytes(Path("mixed.txt"),
               "XAxisCount = 1\r\nChannelCount = 2\r\nXAxis0.Title = Time\r\n\r\n"
               "Channel1.TraceLineWidth = 4\r\nFile Type = plot config\r\n"
               "Channel0.TitleText = First\r\n  \r\nOuterMarginTop = 9\r\n");
    plot->LoadPropertiesFromFile(Path("mixed.txt"));
    EXPECT_EQ(plot->GetChannelCount(), 2);
    EXPECT_EQ(plot->Channel(0)->GetTitleText(), "First");
    EXPECT_EQ(plot->Channel(1)->GetTraceLineWidth(), 4);
    EXPECT_EQ(plot->GetXAxis(0)->GetTitle(), "Time");
    EXPECT_EQ(plot->GetOuterMarginTop(), 9);
    EXPECT_EQ(plot->GetLegendCount(), 0);   // no count line: none
    EXPECT_EQ(plot->GetToolBarCount(), 1);  // toolbars are never removed
    EXPECT_EQ(plot->GetLabelCount(), 1);    // nor the title label
}

TEST_F(kPlotPropertyFileTest, ABadFileLeavesThePlotAsItWas)
{
    auto plot = TwoChannelPlot();
    SetByPath(plot->GetChannel(1), "TraceLineWidth", "2");
    const std::string before = ConfigText(*plot);
    const std::string good =
        "File Type = Plot Config\r\nChannelCount = 1\r\nLegendCount = 0\r\n"
        "Channel0.TraceLineWidth = 5\r\nTitleText = Replaced\r\n";
    for (const std::string& bad : std::vector<std::string>{
             good + "Channel0.Visible = 2\r\n", good + "OuterMarginLeft = wide\r\n",
             good + "OuterMarginLeft = 99999999999\r\n", good + "Channel0.MarkersFont.Style = 16\r\n",
             "File Type = Plot Config\r\nChannelCount = -1\r\n", "File Type = Plot Channel Config\r\n" + good,
             good.substr(good.find('\n') + 1)}) {
        WriteBytes(Path("bad.txt"), bad);
        try {
            plot->LoadPropertiesFromFile(Path("bad.txt"));
            ADD_FAILURE() << bad;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message.rfind("Error Loading Properties - ", 0), 0u) << e.Message;
        }
        EXPECT_EQ(FirstDifference(ConfigText(*plot), before), "") << bad;
        EXPECT_EQ(plot->GetChannelCount(), 2);
        EXPECT_EQ(plot->GetLegendCount(), 1);
    }
    WriteBytes(Path("bad.txt"), "File Type = Plot Channel Config\r\n");
    try {
        plot->LoadPropertiesFromFile(Path("bad.txt"));
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Error Loading Properties - Incompatible Plot Configuration File Type");
    }
    EXPECT_THROW(plot->SavePropertiesToFile(Path("missing/dir/plot.txt")), Exception);
}

TEST_F(kPlotPropertyFileTest, ToolBarSectionsLandOnTheFirstAndLabelZeroIsTheTitle)
{
    auto plot = TwoChannelPlot();
    WriteBytes(Path("bars.txt"),
               "File Type = Plot Config\r\nToolBarCount = 2\r\nLabelCount = 1\r\n"
               "ToolBar0.Visible = 0\r\nToolBar0.ShowZoomBoxButton = 0\r\n"
               "ToolBar1.Visible = 1\r\nLabel0.Caption = Pressure\r\n");
    int before = 0, after = 0;
    plot->OnBeforeLoadProperties = [&](TObject*) { before = plot->GetChannelCount(); };
    plot->OnAfterLoadProperties = [&](TObject*) { after = plot->GetChannelCount(); };
    plot->LoadPropertiesFromFile(Path("bars.txt"));
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 0);
    ASSERT_EQ(plot->GetToolBarCount(), 1);
    EXPECT_TRUE(plot->GetToolBar(0)->GetVisible());  // the second section won
    EXPECT_FALSE(static_cast<TkPlotToolBar*>(plot->GetToolBar(0))->GetShowZoomBoxButton());
    EXPECT_EQ(plot->GetLabelCount(), 1);
    EXPECT_EQ(plot->GetTitleText(), "Pressure");
}

TEST_F(kPlotPropertyFileTest, AnnotationsHaveAFileOfTheirOwn)
{
    auto plot = TwoChannelPlot();
    plot->AddAnnotation();
    plot->AddAnnotation();
    plot->SaveAnnotationsToFile(Path("notes.txt"));
    EXPECT_EQ(ReadBytes(Path("notes.txt")).rfind("AnnotationCount = 2\r\n", 0), 0u);
    auto copy = TwoChannelPlot();
    copy->AddAnnotation();
    copy->AddAnnotation();
    copy->AddAnnotation();
    copy->LoadAnnotationsFromFile(Path("notes.txt"));
    EXPECT_EQ(copy->GetAnnotationCount(), 2);
    // A plot configuration holds none, and loading one removes them.
    plot->SavePropertiesToFile(Path("plot.txt"));
    EXPECT_EQ(ReadBytes(Path("plot.txt")).find("Annotation0."), std::string::npos);
    copy->LoadPropertiesFromFile(Path("plot.txt"));
    EXPECT_EQ(copy->GetAnnotationCount(), 0);
    WriteBytes(Path("bad.txt"), "AnnotationCount = many\r\n");
    EXPECT_THROW(copy->LoadAnnotationsFromFile(Path("bad.txt")), Exception);
}

TEST_F(kPlotPropertyFileTest, AChannelHasAFileOfItsOwn)
{
    auto plot = TwoChannelPlot();
    plot->Channel(1)->SetTraceLineWidth(3);
    plot->Channel(1)->SetTitleText("Flow #10");
    plot->Channel(1)->SavePropertiesToFile(Path("channel.txt"));
    const std::string text = ReadBytes(Path("channel.txt"));
    EXPECT_EQ(text.rfind("File Type = Plot Channel Config\r\nChannel.Visible = 1\r\n", 0), 0u);
    EXPECT_EQ(text.find("Channel.Name"), std::string::npos);
    plot->Channel(0)->LoadPropertiesFromFile(Path("channel.txt"));
    EXPECT_EQ(plot->Channel(0)->GetTraceLineWidth(), 3);
    EXPECT_EQ(plot->Channel(0)->GetTitleText(), "Flow #10");
    EXPECT_EQ(plot->Channel(0)->GetName(), "Channel 1");

    WriteBytes(Path("bad.txt"),
               "File Type = Plot Channel Config\r\nChannel.TraceLineWidth = 7\r\nChannel.Visible = 3\r\n");
    EXPECT_THROW(plot->Channel(0)->LoadPropertiesFromFile(Path("bad.txt")), Exception);
    EXPECT_EQ(plot->Channel(0)->GetTraceLineWidth(), 3);  // nothing was set
    plot->SavePropertiesToFile(Path("plot.txt"));
    try {
        plot->Channel(0)->LoadPropertiesFromFile(Path("plot.txt"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Error Loading Properties - Incompatible Plot Channel Configuration File Type");
    }
}

// The plot's TitleFont is the title label's font under a name of the
// plot's own: a file sets it by either path, and a saved file holds both.
TEST_F(kPlotPropertyFileTest, TheTitleFontIsReadAndWrittenByItsOwnPathToo)
{
    auto plot = TwoChannelPlot();
    WriteBytes(Path("title.txt"),
               "File Type = Plot Config\r\nLabelCount = 1\r\nTitleFont.Size = 21\r\n"
               "TitleFont.Name = Tahoma\r\n");
    plot->LoadPropertiesFromFile(Path("title.txt"));
    ASSERT_EQ(plot->GetLabelCount(), 1);
    TFont* font = static_cast<TkPlotLabel*>(plot->GetLabel(0))->GetFont();
    EXPECT_EQ(plot->GetTitleFont(), font);
    EXPECT_EQ(font->GetSize(), 21);
    EXPECT_EQ(font->GetName(), "Tahoma");

    WriteBytes(Path("label.txt"), "File Type = Plot Config\r\nLabelCount = 1\r\nLabel0.Font.Size = 15\r\n");
    plot->LoadPropertiesFromFile(Path("label.txt"));
    EXPECT_EQ(font->GetSize(), 15);

    font->SetColor(0x123456);
    for (const bool differential : {false, true}) {
        plot->SetDifferentialPropertySave(differential);
        plot->SavePropertiesToFile(Path("saved.txt"));
        const std::string text = ReadBytes(Path("saved.txt"));
        for (const char* line : {"\r\nTitleFont.Size = 15\r\n", "\r\nTitleFont.Height = -20\r\n",
                                 "\r\nTitleFont.Color = 1193046\r\n", "\r\nTitleFont.Name = Tahoma\r\n"})
            EXPECT_NE(text.find(line), std::string::npos) << line << (differential ? " differential" : " full");
        auto copy = std::make_unique<TkPlot>(nullptr);
        copy->LoadPropertiesFromFile(Path("saved.txt"));
        EXPECT_EQ(copy->GetTitleFont()->GetSize(), 15);
        EXPECT_EQ(copy->GetTitleFont()->GetColor(), TColor(0x123456));
    }
}

// A file the program wrote reads back into the same file, whether its
// fonts were given by a height in pixels (which a whole size in points may
// not hit) or by a size.
TEST_F(kPlotPropertyFileTest, FontsGivenByHeightOrBySizeReadBackIntoTheSameFile)
{
    for (int step = 0; step < 12; ++step) {
        const int height = -9 - 3 * step;  // -9 .. -42
        const int size = 6 + 2 * step;     // 6 .. 28
        SCOPED_TRACE(::testing::Message() << "height " << height << ", size " << size);
        auto plot = TwoChannelPlot();
        plot->GetXAxis(0)->GetLabelsFont()->SetHeight(height);
        plot->GetYAxis(0)->GetTitleFont()->SetHeight(height - 1);
        plot->GetTitleFont()->SetHeight(height - 2);
        plot->GetXAxis(0)->GetTitleFont()->SetSize(size);
        plot->Channel(1)->GetMarkersFont()->SetSize(size + 1);
        plot->SavePropertiesToFile(Path("first.txt"));
        auto copy = std::make_unique<TkPlot>(nullptr);
        copy->LoadPropertiesFromFile(Path("first.txt"));
        EXPECT_EQ(copy->GetXAxis(0)->GetLabelsFont()->GetHeight(), height);
        EXPECT_EQ(copy->GetYAxis(0)->GetTitleFont()->GetHeight(), height - 1);
        EXPECT_EQ(copy->GetTitleFont()->GetHeight(), height - 2);
        EXPECT_EQ(copy->GetXAxis(0)->GetTitleFont()->GetSize(), size);
        EXPECT_EQ(copy->Channel(1)->GetMarkersFont()->GetSize(), size + 1);
        copy->SavePropertiesToFile(Path("second.txt"));
        auto again = std::make_unique<TkPlot>(nullptr);
        again->LoadPropertiesFromFile(Path("second.txt"));
        again->SavePropertiesToFile(Path("third.txt"));
        EXPECT_EQ(FirstDifference(ReadBytes(Path("second.txt")), ReadBytes(Path("first.txt"))), "");
        EXPECT_EQ(FirstDifference(ReadBytes(Path("third.txt")), ReadBytes(Path("first.txt"))), "");
    }
}

}  // namespace
