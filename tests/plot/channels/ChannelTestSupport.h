#pragma once
// Channels on a plot of their own: a fake plot that records the events
// channels and cursors fire, and axes that map their range linearly onto a
// pixel range and report every value they are told to track.
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../core/PlotObjectSupport.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotChannelAxis.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotPixels.h"
#include "rtl/NumberFormat.h"
#include "ui/Application.h"

struct FakeAxis : TkPlotChannelAxis {
    double Min = 0;
    double Span = 10;
    int Pixel0 = 0;    // pixel of Min
    int Pixel1 = 100;  // pixel of Min + Span
    double Scaler = 1;
    std::vector<double> Tracked;

    double GetMin() const override { return Min; }
    double GetSpan() const override { return Span; }
    int ValueToPixel(double Value) const override
    {
        // Far values stop at the pixel limit, as a real axis's do.
        return RoundPixel(Pixel0 + (Value - Min) / Span * (Pixel1 - Pixel0));
    }
    double PixelToValue(int Pixel) const override { return Min + double(Pixel - Pixel0) / (Pixel1 - Pixel0) * Span; }
    std::string GetLabelText(double Value) override { return "L" + FloatToStr(Value); }
    std::string GetCursorText(double Value) override { return "C" + FloatToStr(Value); }
    std::string GetCursorPlainText(double Value) override { return "P" + FloatToStr(Value); }
    double GetCursorScaler() const override { return Scaler; }
    void TrackNewValue(double Value) override { Tracked.push_back(Value); }
};

struct ChannelPlot : FakePlot {
    char separator = '\t';
    std::vector<std::string> cursorEvents;
    std::map<std::string, std::string> translations;

    char GetDataFileSeparatorChar() const override { return separator; }
    // What logs had the user told, in order.
    std::vector<std::string> logNotices;
    void DoLogNotice(const std::string& Text) override { logNotices.push_back(Text); }
    void DoBeforeDataCursorUpdate(TkPlotObject* o) override { cursorEvents.push_back("before " + o->GetName()); }
    void DoDataCursorChange(TkPlotObject* o) override { cursorEvents.push_back("change " + o->GetName()); }
    std::vector<std::string> clicks;
    void DoObjectClick(TkPlotObject* o) override { clicks.push_back(o->GetName()); }
    // Appended to every data cursor hint, when set.
    std::string hintSuffix;
    void DoDataCursorCustomizeHint(TkPlotObject*, std::string& Text) override { Text += hintSuffix; }
    // Limit and annotation events, and the plot's select mode.
    std::vector<std::string> objectEvents;
    bool selectMode = false;
    bool clipAnnotations = false;
    void DoLimitLinePositionChange(TkPlotObject* o, int Line, double Old, double New) override
    {
        objectEvents.push_back(o->GetName() + " line " + std::to_string(Line) + " " + FloatToStr(Old) + " > " +
                               FloatToStr(New));
    }
    void DoAnnotationEvent(TkPlotObject* o, TAnnotationEvent Event) override
    {
        const char* names[] = {"coordinates", "moved", "resized", "finished"};
        objectEvents.push_back(o->GetName() + " " + names[static_cast<int>(Event)]);
    }
    bool GetSelectMode() const override { return selectMode; }
    bool ClipsAnnotationsToAxes() const override { return clipAnnotations; }
    std::string TranslateText(const std::string& Text) override
    {
        auto it = translations.find(Text);
        return it == translations.end() ? Text : it->second;
    }
};

// A plot with the kinds of this library, and two axes that channels find by
// the names "X" and "Y".
class ChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
        yAxis.Pixel0 = 100;  // Y grows upwards on screen
        yAxis.Pixel1 = 0;
    }

    TkPlotChannel* AddChannel()
    {
        return static_cast<TkPlotChannel*>(AddChannelOf(PlotObjectClassOf<TkPlotChannel>()));
    }

    // A channel of Class drawn against the test axes.
    TkPlotChannelCustom* AddChannelOf(const TkPlotObjectClass& Class)
    {
        TkPlotChannelCustom* channel = master->ChannelManager()->GetItem(master->Add(TkPlotObjectKind::Channel, Class));
        channel->SetXAxisName("X");
        channel->SetYAxisName("Y");
        channel->AxisFinder = [this](const TkPlotKind& Kind, const std::string& Name) -> TkPlotChannelAxis* {
            if (Kind == TkPlotObjectKind::XAxis && Name == "X" && hasXAxis)
                return &xAxis;
            if (Kind == TkPlotObjectKind::YAxis && Name == "Y" && hasYAxis)
                return &yAxis;
            return nullptr;
        };
        return channel;
    }

    static void AddPoints(TkPlotChannelCustom* Channel, const std::vector<std::pair<double, double>>& Points)
    {
        for (auto [x, y] : Points)
            Channel->AddXY(x, y);
    }

    ChannelPlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
    FakeAxis xAxis;
    FakeAxis yAxis;
    bool hasXAxis = true;
    bool hasYAxis = true;
};
