#pragma once
// The display of one instrument: a body panel (where the device chart
// goes), a vertical toolbar, and a movable meter panel holding the channel
// frames and the zero button; over the device state it inherits. The
// device registry creates, lists and frees the frames.
#include "app/ChannelUnit.h"
#include "app/DeviceChart.h"
#include "app/DeviceModel.h"
#include "controls/VcLabel.h"
#include "controls/VcPanel.h"
#include "controls/VcToolButton.h"
#include "controls/VcToolbar.h"
#include "ui/Frame.h"
#include "ui/ImageList.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"

#include <string>
#include <vector>

class TDeviceStore;
class TkPlot;

class TfraDevice : public TFrame, public TDeviceModel {
public:
    static constexpr int MinHeight = 210;

    // Builds the frame from Info; Store receives every later setting
    // (none: nothing is written).
    TfraDevice(TComponent* AOwner, const TDeviceInfo& Info, TDeviceStore* Store);
    ~TfraDevice() override;

    TfraChannel* Channel(int Index) const { return static_cast<TfraChannel*>(Channels(Index)); }

    TVcPanel* pnlDeviceBody;
    TVcToolbar* toolDevice;
    TVcToolButton* btnShowMeter;
    TVcToolButton* btnShowCurve;
    TVcToolButton* btnZoom;
    TVcToolButton* btnCursor;
    TVcToolButton* btnPause;
    TVcToolButton* btnResume;
    TVcToolButton* btnEnlarge;
    TVcToolButton* btnShrink;
    TkPlot* pltDevice;
    TVcPanel* pnlDevice;
    TVcLabel* lblDeviceSection;
    TVcToolbar* toolZero;
    TVcToolButton* btnZero;
    TPopupMenu* pmZero;
    TImageList* imlDevice;

    // The frame's OnCanResize: a height below MinHeight is refused,
    // whoever asks for it (the shrink button or dragging the bottom edge).
    void FrameCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
    // Left of the meter panel when "MeterPosX" is not stored.
    int DefaultMeterLeft() const;

    void btnShowMeterClick(TObject* Sender);
    void btnEnlargeClick(TObject* Sender);
    void btnShrinkClick(TObject* Sender);
    void pmZeroPopup(TObject* Sender);
    void pnlDeviceMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void pnlDeviceBodyMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void pnlDeviceBodyMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // ---- the device chart
    TDeviceChart& Chart() { return *FChart; }
    // One stacked Y axis and one trace per channel, channel 1 on top.
    void BuildChart();
    // Channel's Y axis from its range, with its decimal places.
    void ApplyChannelRange(TfraChannel* Channel);
    // Stores the format and sets the X axis: 0 time of day from now, 1
    // seconds from 0, 2 sample numbers from 1; the span from the options.
    void SetAxisFormat(int Value) override;
    // The "ChannelRingBufferSize" option for every trace.
    void ApplyRingBufferSize();
    // Clears the chart, then resets every channel.
    void ResetDevice() override;
    void AddChartPoints(double X, const std::vector<double>& Values) override;

    void btnShowCurveClick(TObject* Sender);
    void btnZoomClick(TObject* Sender);
    void btnCursorClick(TObject* Sender);
    void btnPauseClick(TObject* Sender);
    void btnResumeClick(TObject* Sender);
    void pltDeviceMouseDownDataView(int Index, TMouseButton Button, TShiftState Shift, int X, int Y);
    void pltDeviceDataCursorChange(int Index);
    void pltDeviceAfterPaint(TObject* Sender);

protected:
    std::unique_ptr<TChannelModel> CreateChannel(int Index) override;
    void BuildingChannels() override;
    void ChannelsBuilt() override;

private:
    void BuildZeroMenu();
    void PlaceChannels();
    void ZeroMenuClick(const TZeroMenuItem& Item);
    void FollowCursor();
    static void ShowRefusal(const std::string& Text);

    std::vector<std::pair<TMenuItem*, TZeroMenuItem>> FZeroItems;
    std::unique_ptr<TDeviceChart> FChart;
};
