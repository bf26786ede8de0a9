// The axis object: its settings, the range setters and the events they
// fire, the texts of its values, selection, renames and streaming.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PlotAxisSupport.h"
#include "plot/core/kGPFunctions.h"
#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "rtl/PublishedProperties.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "ui/Font.h"

namespace {

using Strings = std::vector<std::string>;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

class AxisTest : public ::testing::Test {
protected:
    AxisPlot plot;
    AxisCallbacks callbacks;
    AxisPtr<TkPlotYAxis> axis = MakeYAxis(plot, callbacks);
};

TEST_F(AxisTest, NewAxesHaveTheirKindsDefaults)
{
    EXPECT_EQ(axis->GetMin(), 0);
    EXPECT_EQ(axis->GetSpan(), 100);
    EXPECT_EQ(axis->GetTitleFont()->GetName(), "Arial");
    EXPECT_EQ(axis->GetTitleFont()->GetSize(), 10);
    EXPECT_TRUE(axis->GetTitleFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(axis->GetTitleFont()->GetColor(), clWhite);
    EXPECT_EQ(axis->GetLabelsFont()->GetColor(), clWhite);
    EXPECT_EQ(axis->GetCartesianChildRefAxisName(), "<None>");
    EXPECT_EQ(axis->GetAlignRefAxisName(), "<None>");
    EXPECT_EQ(axis->GetTrackingStyle(), kptsScaleMinMax);
    EXPECT_EQ(axis->GetTrackingAlignFirstStyle(), kpafsNone);

    AxisCallbacks xCallbacks;
    auto x = MakeXAxis(plot, xCallbacks);
    EXPECT_EQ(x->GetTrackingStyle(), kptsScaleMinMax);
    EXPECT_EQ(x->GetTrackingAlignFirstStyle(), kpafsAuto);
    AxisPlot published;
    published.published = true;
    auto scrolling = MakeXAxis(published, xCallbacks);
    EXPECT_EQ(scrolling->GetTrackingStyle(), kptsScrollSmooth);
}

TEST_F(AxisTest, EveryTablePropertyIsPublishedAndFontsAreReachedByPath)
{
    for (const char* name : {"Min",
                             "Span",
                             "DesiredStart",
                             "DesiredIncrement",
                             "ReverseScale",
                             "InnerMargin",
                             "OuterMargin",
                             "Title",
                             "TitleMargin",
                             "TitleFont",
                             "TitleShow",
                             "TitleRotated",
                             "MajorLength",
                             "MinorLength",
                             "MinorCount",
                             "LabelsVisible",
                             "LabelsMargin",
                             "LabelsFont",
                             "LabelSeparation",
                             "LabelsRotation",
                             "LabelsPrecision",
                             "LabelsPrecisionStyle",
                             "LabelsFormatStyle",
                             "DateTimeFormat",
                             "LabelsMinLength",
                             "LabelsMinLengthAutoAdjust",
                             "ScaleLineShow",
                             "ScaleLinesShow",
                             "ScaleLinesColor",
                             "StackingEndsMargin",
                             "ScaleType",
                             "TrackingEnabled",
                             "TrackingStyle",
                             "TrackingIncrementStyle",
                             "TrackingAlignFirstStyle",
                             "TrackingScrollCompressMax",
                             "TrackingSpanMinimum",
                             "TrackingMaxMargin",
                             "TrackingMinMargin",
                             "CursorUseDefaultFormat",
                             "CursorFormatStyle",
                             "CursorDateTimeFormat",
                             "CursorPrecisionStyle",
                             "CursorPrecision",
                             "CursorMinLength",
                             "CursorMinLengthAutoAdjust",
                             "LegendUseDefaultFormat",
                             "LegendFormatStyle",
                             "LegendDateTimeFormat",
                             "LegendPrecisionStyle",
                             "LegendPrecision",
                             "LegendMinLength",
                             "LegendMinLengthAutoAdjust",
                             "CursorScaler",
                             "ScrollMinMaxEnabled",
                             "ScrollMax",
                             "ScrollMin",
                             "RestoreValuesOnResume",
                             "MasterUIInput",
                             "CartesianStyle",
                             "CartesianChildRefAxisName",
                             "CartesianChildRefValue",
                             "AlignRefAxisName",
                             "GridLinesVisible",
                             "ForceStacking",
                             "StartPercent"})
        EXPECT_NE(GetPropInfo(axis.get(), name), nullptr) << name;

    TPropLocation color = FindPropertyByPath(axis.get(), "LabelsFont.Color");
    ASSERT_TRUE(color);
    SetOrdProp(color.Instance, *color.Info, clRed);
    EXPECT_EQ(axis->GetLabelsFont()->GetColor(), clRed);
    TPropLocation rotation = FindPropertyByPath(axis.get(), "LabelsRotation");
    SetOrdProp(rotation.Instance, *rotation.Info, GetEnumValue(*rotation.Info, "ira270"));
    EXPECT_EQ(axis->GetLabelsRotation(), ira270);
}

TEST_F(AxisTest, SettersSignalAChangeOnlyWhenTheValueDiffers)
{
    axis->SetMinorCount(1);
    axis->SetTitle("");
    EXPECT_EQ(callbacks.changes, 0);
    axis->SetMinorCount(4);
    axis->SetReverseScale(true);
    axis->SetDateTimeFormat("hh:nn");
    EXPECT_EQ(callbacks.changes, 3);
    axis->GetTitleFont()->SetSize(12);
    axis->GetLabelsFont()->SetColor(clYellow);
    EXPECT_EQ(callbacks.changes, 5);
}

TEST_F(AxisTest, RangeIsClampedAndNonNumbersAreRefused)
{
    axis->SetSpan(0);
    EXPECT_EQ(axis->GetSpan(), 1e-300);
    axis->SetSpan(-7);
    EXPECT_EQ(axis->GetSpan(), 1e-300);
    axis->SetSpan(1e301);
    EXPECT_EQ(axis->GetSpan(), 1e300);
    axis->SetMin(-1e305);
    EXPECT_EQ(axis->GetMin(), -1e300);
    axis->SetDesiredIncrement(-3);
    EXPECT_EQ(axis->GetDesiredIncrement(), 0);
    axis->SetDesiredIncrement(1e302);
    EXPECT_EQ(axis->GetDesiredIncrement(), 1e300);

    axis->SetMinSpan(5, 50);
    axis->SetDesiredIncrement(10);
    axis->SetDesiredStart(7);
    for (double bad : {NaN, Inf, -Inf}) {
        axis->SetMin(bad);
        axis->SetSpan(bad);
        axis->SetDesiredIncrement(bad);
        axis->SetDesiredStart(bad);
        axis->SetLabelSeparation(bad);
        axis->SetMinSpan(bad, bad);
    }
    EXPECT_EQ(axis->GetMin(), 5);
    EXPECT_EQ(axis->GetSpan(), 50);
    EXPECT_EQ(axis->GetDesiredIncrement(), 10);
    EXPECT_EQ(axis->GetDesiredStart(), 7);
    EXPECT_EQ(axis->GetLabelSeparation(), 2);
}

TEST_F(AxisTest, MinAndSpanFireTheirEventsWithOldAndNewValues)
{
    axis->SetMin(10);
    axis->SetSpan(50);
    axis->SetSpan(50);
    EXPECT_EQ(plot.events, (Strings{"min 0 10", "minspan 0 100 10 100", "span 100 50", "minspan 10 100 10 50"}));
}

TEST_F(AxisTest, SetMinSpanFiresEachEventOnceWhileTheSettersAreHeld)
{
    axis->SetMinSpan(20, 30);
    EXPECT_EQ(plot.events, (Strings{"min 0 20", "span 100 30", "minspan 0 100 20 30"}));
    plot.events.clear();
    axis->SetMinSpan(20, 30);
    EXPECT_TRUE(plot.events.empty());
    axis->SetMinSpan(25, 30);
    EXPECT_EQ(plot.events, (Strings{"min 20 25", "minspan 20 30 25 30"}));
    plot.events.clear();
    // Clamped back to what it is: nothing changed, nothing to tell.
    axis->SetSpan(1e-300);
    plot.events.clear();
    axis->SetMinSpan(25, 0);
    axis->SetMinSpan(NaN, NaN);
    EXPECT_TRUE(plot.events.empty());
}

TEST_F(AxisTest, ALogAxisKeepsMinAboveZeroHoweverItIsSet)
{
    axis->SetMin(-5);
    plot.events.clear();
    axis->SetScaleType(kpstLog10);
    EXPECT_EQ(axis->GetMin(), 1);
    EXPECT_TRUE(plot.events.empty());
    axis->SetMin(-3);
    EXPECT_EQ(axis->GetMin(), 1);
    axis->SetMin(0.5);
    axis->SetMin(0);
    EXPECT_EQ(axis->GetMin(), 1);
    axis->SetMinSpan(-2, -2);
    EXPECT_EQ(axis->GetMin(), 1);
    EXPECT_EQ(axis->GetSpan(), 1);
}

TEST_F(AxisTest, LabelCursorAndLegendTexts)
{
    EXPECT_EQ(axis->GetLabelText(10), "10");
    axis->SetSpan(10);
    EXPECT_EQ(axis->GetLabelText(10), "10.0");
    EXPECT_EQ(axis->GetCursorText(10), "10.0");
    axis->SetCursorUseDefaultFormat(false);
    axis->SetCursorPrecisionStyle(kpsFixedDecimalPoints);
    axis->SetCursorPrecision(3);
    EXPECT_EQ(axis->GetCursorText(10), "10.000");
    axis->SetLegendUseDefaultFormat(false);
    axis->SetLegendFormatStyle(kptfPrefix);
    EXPECT_EQ(axis->GetLegendText(1500), "1.50K");

    axis->SetLabelsFormatStyle(kptfDateTime);
    EXPECT_EQ(axis->GetLabelText(0.5), "12:00:00");
    axis->SetCursorUseDefaultFormat(true);
    EXPECT_EQ(axis->GetCursorText(0.5), "12:00:00");
    EXPECT_EQ(axis->GetCursorPlainText(0.5), "0.5");
}

TEST_F(AxisTest, ThePlotMayReplaceATextAndReadoutsStayOnOneLine)
{
    plot.customize = [](double, std::string& Label) { Label = "top\r\nbottom"; };
    EXPECT_EQ(axis->GetLabelText(3), "top\r\nbottom");
    EXPECT_EQ(axis->GetCursorText(3), "top bottom");
    EXPECT_EQ(axis->GetLegendText(3), "top bottom");
    EXPECT_EQ(plot.events, (Strings{"label 3", "label 3", "label 3"}));

    plot.events.clear();
    axis->SetScaleType(kpstLog10);
    EXPECT_EQ(axis->GetLabelText(0), "Unknown");
    EXPECT_TRUE(plot.events.empty());
}

TEST_F(AxisTest, MinimumWidthsAndTheWidestLabel)
{
    TRecordingCanvas canvas;
    canvas.Font->SetHeight(-10);  // "0" is 5 pixels wide here
    EXPECT_EQ(axis->GetLegendMinWidth(&canvas), 25);
    axis->SetCursorUseDefaultFormat(false);
    axis->SetCursorMinLength(3);
    EXPECT_EQ(axis->GetCursorMinWidth(&canvas), 15);

    // The widest label grows the minimum length to its sample's text when
    // asked to, and only then.
    axis->SetMinSpan(0, 1000000);
    axis->GetLabelsFont()->SetHeight(-10);
    EXPECT_EQ(axis->GetMaxLabelWidth(&canvas), 35);  // "1000000"
    EXPECT_EQ(axis->GetLabelsMinLength(), 5);
    axis->SetLabelsMinLengthAutoAdjust(true);
    axis->GetMaxLabelWidth(&canvas);
    EXPECT_EQ(axis->GetLabelsMinLength(), 7);
    axis->GetLabelText(1);
    EXPECT_EQ(axis->GetLabelsMinLength(), 7);
}

TEST_F(AxisTest, SelectingAnotherObjectDropsTheSelectionUnlessAxesAreGathered)
{
    AxisCallbacks otherCallbacks;
    auto other = MakeYAxis(plot, otherCallbacks);
    axis->SetFocused(true);
    axis->SetShiftState(ssShift);
    axis->ObjectFocused(other.get());
    EXPECT_TRUE(axis->GetFocused());
    axis->ObjectFocused(axis.get());
    EXPECT_TRUE(axis->GetFocused());
    axis->SetShiftState(0);
    axis->ObjectFocused(other.get());
    EXPECT_FALSE(axis->GetFocused());
}

TEST_F(AxisTest, TheCartesianReferenceFollowsTheRenameOfTheOtherKindsAxis)
{
    AxisCallbacks xCallbacks;
    auto x = MakeXAxis(plot, xCallbacks);
    x->SetName("X-Axis 1");
    axis->SetCartesianChildRefAxisName("x-axis 1");
    axis->SetAlignRefAxisName("X-Axis 1");
    x->SetName("Time");
    axis->ObjectRenamed(x.get());
    EXPECT_EQ(axis->GetCartesianChildRefAxisName(), "Time");
    EXPECT_EQ(axis->GetAlignRefAxisName(), "X-Axis 1");
}

// ---------------------------------------------------------------- streaming

std::string Save(const TPersistent* Object)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRoot(Object);
    return stream.Bytes();
}

void Load(TPersistent* Object, const std::string& Bytes)
{
    TMemoryStream stream(Bytes);
    TReader reader(stream);
    reader.ReadRoot(Object);
}

TEST_F(AxisTest, SettingsSurviveTheComponentStream)
{
    axis->SetMinSpan(-4, 8);
    axis->SetTitleMargin(0);
    axis->SetLabelSeparation(0);
    axis->SetLabelsRotation(ira090);
    axis->SetTitle("Pressure");
    axis->GetTitleFont()->SetStyle(TFontStyles{});
    axis->GetLabelsFont()->SetStyle(TFontStyles{fsItalic});

    AxisCallbacks loadedCallbacks;
    auto loaded = MakeYAxis(plot, loadedCallbacks);
    Load(loaded.get(), Save(axis.get()));
    EXPECT_EQ(loaded->GetMin(), -4);
    EXPECT_EQ(loaded->GetSpan(), 8);
    EXPECT_EQ(loaded->GetTitleMargin(), 0);
    EXPECT_EQ(loaded->GetLabelSeparation(), 0);
    EXPECT_EQ(loaded->GetLabelsRotation(), ira090);
    EXPECT_EQ(loaded->GetTitle(), "Pressure");
    // A plain title must not come back bold.
    EXPECT_TRUE(loaded->GetTitleFont()->GetStyle().Empty());
    EXPECT_TRUE(loaded->GetLabelsFont()->GetStyle().Contains(fsItalic));
}

TEST_F(AxisTest, AnOlderStreamsSpanUnderItsOtherNameIsRead)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WritePropName("Span_2");
    writer.WriteFloat(42);
    writer.WriteListEnd();
    Load(axis.get(), stream.Bytes());
    EXPECT_EQ(axis->GetSpan(), 42);
    // Never written back under that name.
    EXPECT_EQ(Save(axis.get()).find("Span_2"), std::string::npos);
}

// A font size no screen could show is refused where files are read, as
// any other value out of its property's range, and leaves the font as it
// was; a size that overflowed on its way to pixels read back as another.
TEST_F(AxisTest, FontSizesBeyondAnyScreenAreRefusedByStreamsAndPropertyTexts)
{
    TFont& font = *axis->GetLabelsFont();
    font.SetSize(12);
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WritePropName("LabelsFont.Size");
    writer.WriteInteger(146851795);
    writer.WriteListEnd();
    EXPECT_THROW(Load(axis.get(), stream.Bytes()), EReadError);
    EXPECT_THROW(ReadObjectProperty(axis.get(), "LabelsFont.Size", "146851795", '.'), EConvertError);
    EXPECT_THROW(ReadObjectProperty(axis.get(), "LabelsFont.Height", "-2147483648", '.'), EConvertError);
    EXPECT_EQ(font.GetSize(), 12);

    // The largest sizes and heights still go through, both ways round.
    ReadObjectProperty(axis.get(), "LabelsFont.Size", "-24575", '.');
    EXPECT_EQ(font.GetHeight(), 32767);
    ReadObjectProperty(axis.get(), "LabelsFont.Height", "-32767", '.');
    EXPECT_EQ(font.GetSize(), 24575);
    AxisCallbacks loadedCallbacks;
    auto loaded = MakeYAxis(plot, loadedCallbacks);
    Load(loaded.get(), Save(axis.get()));
    EXPECT_EQ(loaded->GetLabelsFont()->GetHeight(), -32767);
}

}  // namespace
