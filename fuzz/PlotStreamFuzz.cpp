// A plot's form data read from an untrusted stream: the device chart's
// plot (three traces on stacked Y axes, an X axis, a data cursor and a
// legend) either refuses the stream with a read error and stays exactly as
// it was (the same bytes written, the same objects by kind and name), or
// takes it and is left a plot that paints and whose own stream and full
// image read back into the same bytes.
//
// Run with --write-seeds=DIR, it writes its seed streams there and ends.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/core/kPlotAxis.h"
#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"

namespace {

constexpr int ChannelCount = 3;
constexpr int PlotWidth = 480;
constexpr int PlotHeight = 320;

// Variant 0 is the plot every input is read into; variant 1 has other
// values in the same objects, for a seed.
std::unique_ptr<TkPlot> MakePlot(int Variant)
{
    auto plot = std::make_unique<TkPlot>(nullptr);
    plot->SetBounds(0, 0, PlotWidth, PlotHeight);
    plot->BeginUpdate();
    TkPlotAxis* x = plot->GetXAxis(0);
    x->SetMinSpan(Variant ? 100 : 0, Variant ? 3.5 : 60);
    x->SetDateTimeFormat("hh:nn:ss");
    plot->RemoveAllYAxes();
    plot->RemoveAllChannels();
    const double band = 100.0 / ChannelCount;
    for (int i = 0; i < ChannelCount; ++i) {
        TkPlotAxis* y = plot->GetYAxis(plot->AddYAxis());
        y->SetStartStopPercent(100 - band * (i + 1), 100 - band * i);
        y->SetTitle("CH" + std::to_string(i + 1));
        y->SetMinSpan(Variant ? -5.0 * i : 0, Variant ? 2.5 : 100);
        y->SetLabelsPrecision(Variant ? 3 : 1);
        TkPlotChannel* channel = plot->Channel(plot->AddChannel());
        channel->SetYAxisName(y->GetName());
        channel->SetColor(TColor(Variant ? 0x00FF00 + i : 0x0000FF));
        channel->SetTraceLineWidth(Variant ? 2 : 1);
        channel->SetRingBufferSize(Variant ? 50 : 100);
        for (int p = 0; p < 20; ++p)
            channel->AddXY(x->GetMin() + p * x->GetSpan() / 20, y->GetMin() + (p * (i + 3) % 17) * y->GetSpan() / 17);
    }
    auto* cursor = static_cast<TkPlotDataCursor*>(plot->GetDataCursor(0));
    cursor->SetStyle(Variant ? kpcsDeltaX : kpcsValueX);
    cursor->SetChannelName(Variant ? "Channel 2" : "<All>");
    cursor->SetPointer1Position(Variant ? 20 : 50);
    cursor->SetVisible(true);
    auto* legend = static_cast<TkPlotLegend*>(plot->GetLegend(0));
    legend->SetShowColumnYValue(Variant != 0);
    legend->SetCaptionColumnTitle(Variant ? "通道" : "Channel");
    plot->EndUpdate();
    return plot;
}

std::string StreamOf(const TkPlot& Plot, bool FullImage)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteDefaults = FullImage;
    writer.WriteRoot(&Plot);
    return stream.Bytes();
}

// Work-around until fonts limit their size: a font size or height beyond
// a thousand (points or pixels) is taken down to a thousand in the input
// before it is read. Larger ones overflow the conversion of a size to a
// height, or keep the search for a cell's pixel size busy for minutes;
// neither is the plot's reading.
std::string WithFontSizesInRange(std::string Bytes)
{
    constexpr std::int64_t Limit = 1000;
    std::string lower = Bytes;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return std::tolower(c); });
    for (const std::string name : {"font.size", "font.height"})
        for (auto at = lower.find(name); at != std::string::npos; at = lower.find(name, at + 1)) {
            const std::size_t value = at + name.size();
            if (value + 9 > Bytes.size() || Bytes[value] != static_cast<char>(TValueType::vaInt))
                continue;
            std::int64_t size;
            std::memcpy(&size, &Bytes[value + 1], sizeof size);
            size = std::clamp(size, -Limit, Limit);
            std::memcpy(&Bytes[value + 1], &size, sizeof size);
        }
    return Bytes;
}

void ReadInto(TkPlot& Plot, const std::string& Bytes)
{
    TMemoryStream stream(Bytes);
    TReader reader(stream);
    reader.ReadRoot(&Plot);
}

// The plot as its form data shows it: the stream, the full image, and
// the names of its objects, kind by kind in each kind's order.
struct TPlotImage {
    std::string Stream;
    std::string Full;
    std::map<std::string, std::vector<std::string>> Names;

    bool operator==(const TPlotImage&) const = default;
};

TPlotImage ImageOf(const TkPlot& Plot)
{
    TPlotImage image{StreamOf(Plot, false), StreamOf(Plot, true), {}};
    const TkPlotObjectManager* all = Plot.GetObjectManager();
    for (int i = 0; i < all->GetCount(); ++i)
        image.Names[std::string(all->GetObject(i)->Kind().Name)].push_back(all->GetObject(i)->GetName());
    return image;
}

// Where a plot that refused a stream changed, for whoever looks into it.
void ReportChange(const std::string& Error, const TPlotImage& Was, const TPlotImage& Now)
{
    auto at = [](const std::string& A, const std::string& B) {
        return std::mismatch(A.begin(), A.end(), B.begin(), B.end()).first - A.begin();
    };
    std::fprintf(stderr, "read error: %s\nstream changed at byte %td, full image at byte %td, names %s\n",
                 Error.c_str(), at(Was.Stream, Now.Stream), at(Was.Full, Now.Full),
                 Was.Names == Now.Names ? "kept" : "changed");
}

// On a bitmap of the plot's first size, whatever size the stream gave it:
// a plot that a stream made huge lays out as such, but its picture would
// take a gigabyte to no purpose here.
void Paint(TkPlot& Plot)
{
    TBitmap bitmap(PlotWidth, PlotHeight);
    Plot.PaintToCanvas(bitmap.Canvas);
}

void WriteSeed(const std::string& Directory, const char* Name, const std::string& Bytes)
{
    std::ofstream(Directory + "/" + Name, std::ios::binary) << Bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Application->Initialize();
    const char flag[] = "--write-seeds=";
    for (int i = 1; i < *argc; ++i) {
        const char* arg = (*argv)[i];
        if (std::strncmp(arg, flag, sizeof flag - 1) != 0)
            continue;
        const std::string directory = arg + sizeof flag - 1;
        WriteSeed(directory, "plot", StreamOf(*MakePlot(0), false));
        WriteSeed(directory, "plot-full", StreamOf(*MakePlot(0), true));
        WriteSeed(directory, "variant", StreamOf(*MakePlot(1), false));
        // An X-Y channel beside the traces: its stream names its class.
        std::unique_ptr<TkPlot> curves = MakePlot(1);
        curves->XYChannel(curves->AddXYChannel())->SetOPCItem2Name("Rig.Flow");
        WriteSeed(directory, "xy-channel", StreamOf(*curves, false));
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const TPlotImage knownGood = ImageOf(*MakePlot(0));
    std::unique_ptr<TkPlot> plot = MakePlot(0);
    try {
        ReadInto(*plot, WithFontSizesInRange(std::string(reinterpret_cast<const char*>(Data), Size)));
    } catch (const EReadError& e) {
        const TPlotImage now = ImageOf(*plot);
        if (!(now == knownGood))
            ReportChange(e.Message, knownGood, now);
        FUZZ_CHECK(now == knownGood);
        return 0;
    }
    Paint(*plot);
    // Its own stream, and the full image a failed read would restore it
    // from, each read back into the same bytes.
    for (bool full : {false, true}) {
        const std::string written = StreamOf(*plot, full);
        ReadInto(*plot, written);
        FUZZ_CHECK(StreamOf(*plot, full) == written);
    }
    return 0;
}
