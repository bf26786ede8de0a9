#include "app/DeviceChart.h"

#include "app/SamplingRun.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotAxis.h"

#include <algorithm>
#include <cmath>

void TDeviceChart::ApplyStoredLayout()
{
    if (TkPlotAxis* x = XAxis()) {
        x->SetTrackingStyle(kptsScrollSmooth);
        x->SetDateTimeFormat("hh:nn:ss");
    }
    // A press selects what it hits, and a selected data view frames itself
    // with a dotted rectangle until another object is selected; nothing
    // else of this chart is ever selected, so the frame would stay after
    // every zoom box. The view takes presses without being selected.
    for (int i = 0; i < FPlot->GetDataViewCount(); ++i) {
        FPlot->GetDataView(i)->SetEnabled(false);
        FPlot->GetDataView(i)->SetCanFocus(false);
    }
    if (auto* cursor = static_cast<TkPlotDataCursor*>(Cursor())) {
        cursor->SetVisible(false);
        cursor->SetStyle(kpcsValueX);
        cursor->SetChannelName("<All>");
    }
    for (int i = 0; i < FPlot->GetToolBarCount(); ++i)
        FPlot->GetToolBar(i)->SetVisible(false);
    for (int i = 0; i < FPlot->GetLegendCount(); ++i)
        FPlot->GetLegend(i)->SetVisible(false);
    for (int i = 0; i < FPlot->GetLabelCount(); ++i)
        FPlot->GetLabel(i)->SetVisible(false);
}

void TDeviceChart::Build(int ChannelCount, int RingBufferSize)
{
    FPlot->BeginUpdate();
    FPlot->RemoveAllYAxes();
    FPlot->RemoveAllChannels();
    const double band = 100.0 / std::max(ChannelCount, 1);
    for (int i = 0; i < ChannelCount; ++i) {
        TkPlotAxis* axis = FPlot->GetYAxis(FPlot->AddYAxis());
        axis->SetZOrder(1);
        axis->SetStartStopPercent(100 - band * (i + 1), 100 - band * i);
        axis->SetTitle("CH" + std::to_string(i + 1));
        axis->SetTitleShow(true);
        axis->GetTitleFont()->SetName("Arial");
        axis->GetTitleFont()->SetSize(8);
        axis->GetTitleFont()->SetStyle(TFontStyles{});
        axis->GetLabelsFont()->SetColor(DeviceChartAxisColor);
        axis->GetTitleFont()->SetColor(DeviceChartAxisColor);
        axis->SetScaleLinesColor(DeviceChartAxisColor);
        axis->SetLabelsPrecisionStyle(kpsFixedDecimalPoints);
        axis->SetTitleRotated(true);
        axis->SetPopupEnabled(false);

        TkPlotChannel* channel = FPlot->Channel(FPlot->AddChannel());
        channel->SetYAxisName(axis->GetName());
        channel->SetColor(TColor(255));
        channel->SetTraceLineWidth(1);
        channel->SetRingBufferSize(RingBufferSize);
    }
    FPlot->EndUpdate();
}

void TDeviceChart::SetYAxisTitle(int Channel, const std::string& Title)
{
    if (TkPlotAxis* axis = YAxis(Channel))
        axis->SetTitle(Title);
}

void TDeviceChart::SetXAxisColor(std::uint32_t Color)
{
    if (TkPlotAxis* x = XAxis()) {
        x->GetLabelsFont()->SetColor(TColor(Color));
        x->SetScaleLinesColor(TColor(Color));
    }
}

void TDeviceChart::ApplyChannelRange(int Channel, double RangeLow, double RangeHigh, int WorkDP)
{
    TkPlotAxis* axis = YAxis(Channel);
    if (!axis)
        return;
    double low = std::min(RangeHigh, RangeLow);
    double span = std::fabs(RangeHigh - RangeLow);
    // A range of one value has no height to draw in: the value goes in
    // the middle of a span of two.
    if (!(span > 0)) {
        low -= 1;
        span = 2;
    }
    axis->SetMinSpan(low, span);
    axis->SetLabelsPrecision(WorkDP);
}

void TDeviceChart::SetAxisFormat(int Format, double Span, TDateTime Now)
{
    TkPlotAxis* x = XAxis();
    if (!x)
        return;
    switch (Format) {
    case 0:
        x->SetLabelsFormatStyle(kptfDateTime);
        x->SetLegendDateTimeFormat("hh:nn:ss");
        x->SetMinSpan(Now, Span);
        break;
    case 1:
        x->SetLabelsFormatStyle(kptfValue);
        x->SetLabelsPrecisionStyle(kpsFixedDecimalPoints);
        x->SetLabelsPrecision(3);
        x->SetMinSpan(0, Span);
        break;
    case 2:
        x->SetLabelsFormatStyle(kptfValue);
        x->SetLabelsPrecisionStyle(kpsFixedDecimalPoints);
        x->SetLabelsPrecision(0);
        x->SetMinSpan(1, Span);
        break;
    default: break;
    }
}

void TDeviceChart::SetRingBufferSize(int Size)
{
    for (int i = 0; i < FPlot->GetChannelCount(); ++i)
        FPlot->Channel(i)->SetRingBufferSize(Size);
}

void TDeviceChart::ClearData()
{
    FPlot->GetMasterManager().ClearAllData();
}

void TDeviceChart::AddPoint(int Channel, double X, double Value, bool TimeOfDay)
{
    TkPlotChannel* channel = ChartChannel(Channel);
    if (!channel)
        return;
    if (TimeOfDay && channel->GetCount() == 0)
        if (TkPlotAxis* x = XAxis())
            x->SetMin(X);
    channel->AddXY(X, Value);
}

void TDeviceChart::AddPoints(double X, const std::vector<double>& Values, bool TimeOfDay)
{
    // Held until all are in: the first point would otherwise be painted at
    // once and the rest a frame later, two repaints for one step.
    FPlot->BeginUpdate();
    try {
        for (std::size_t i = 0; i < Values.size(); ++i)
            AddPoint(static_cast<int>(i), X, Values[i], TimeOfDay);
    } catch (...) {
        FPlot->EndUpdate();
        throw;
    }
    FPlot->EndUpdate();
}

int TDeviceChart::PointCount(int Channel) const
{
    const TkPlotChannel* channel = ChartChannel(Channel);
    return channel ? channel->GetCount() : 0;
}

// The plot's toolbar does these, with its events; a chart whose toolbar
// the user deleted still pauses, resumes and shows its cursor.
void TDeviceChart::Pause()
{
    if (TkPlotToolBar* bar = ToolBar())
        bar->ClickPause();
    else
        FPlot->DisableAllTracking();
}

void TDeviceChart::Resume()
{
    if (TkPlotToolBar* bar = ToolBar()) {
        bar->ClickResume();
        return;
    }
    SetCursorShown(false);
    FPlot->GetMasterManager().ClearFocus();
    FPlot->EnableAllTracking();
}

void TDeviceChart::SetZoomBox(bool Down)
{
    if (TkPlotToolBar* bar = ToolBar(); bar && bar->GetZoomBoxDown() != Down)
        bar->ClickZoomBox();
    if (FPlot->GetDataViewCount() > 0)
        FPlot->GetDataView(0)->SetEnabled(Down);
}

void TDeviceChart::SetCursorShown(bool Shown)
{
    if (TkPlotToolBar* bar = ToolBar()) {
        if (bar->GetCursorDown() != Shown)
            bar->ClickCursor();
        return;
    }
    if (CursorShown() == Shown)
        return;
    for (int i = 0; i < FPlot->GetDataCursorCount(); ++i)
        FPlot->GetDataCursor(i)->SetVisible(Shown);
    if (!Shown)
        return;
    FPlot->DisableAllTracking();
    if (TkPlotObject* cursor = Cursor())
        cursor->SetFocused(true);
}

bool TDeviceChart::CursorShown() const
{
    const TkPlotObject* cursor = Cursor();
    return cursor && cursor->GetVisible();
}

bool TDeviceChart::CursorY(int Channel, double& Y) const
{
    const auto* cursor = static_cast<const TkPlotDataCursor*>(Cursor());
    const TkPlotChannel* channel = ChartChannel(Channel);
    return cursor && cursor->GetVisible() && channel && channel->GetYAtX(cursor->GetValueX(), Y);
}

bool TDeviceChart::AnyAxisTracking(bool On) const
{
    for (int i = 0; i < FPlot->GetXAxisCount(); ++i)
        if (FPlot->GetXAxis(i)->GetTrackingEnabled() == On)
            return true;
    for (int i = 0; i < FPlot->GetYAxisCount(); ++i)
        if (FPlot->GetYAxis(i)->GetTrackingEnabled() == On)
            return true;
    return false;
}

double TDeviceChart::XSpanToAxisUnits(double Span, int TimeBase, int Format)
{
    if (Format == 2)
        return std::max(std::nearbyint(Span) - 1, 1.0);
    // Spans are taken as given: rounding half a minute to a whole one
    // would give no span at all, or one and a half nearly double.
    const double seconds = TSampleSettings::DurationSeconds(Span, TimeBase);
    if (!(seconds > 0))
        return Format == 0 ? 1.0 / 86400 : 1.0;
    return Format == 0 ? seconds / 86400 : seconds;
}

TkPlotAxis* TDeviceChart::YAxis(int Index) const
{
    return Index >= 0 && Index < FPlot->GetYAxisCount() ? FPlot->GetYAxis(Index) : nullptr;
}

TkPlotAxis* TDeviceChart::XAxis() const
{
    return FPlot->GetXAxisCount() > 0 ? FPlot->GetXAxis(0) : nullptr;
}

TkPlotChannel* TDeviceChart::ChartChannel(int Index) const
{
    return Index >= 0 && Index < FPlot->GetChannelCount() ? FPlot->Channel(Index) : nullptr;
}

TkPlotToolBar* TDeviceChart::ToolBar() const
{
    return FPlot->GetToolBarCount() > 0 ? static_cast<TkPlotToolBar*>(FPlot->GetToolBar(0)) : nullptr;
}

TkPlotObject* TDeviceChart::Cursor() const
{
    return FPlot->GetDataCursorCount() > 0 ? FPlot->GetDataCursor(0) : nullptr;
}
