#pragma once
// The display of one measuring channel: its number, live value, name, unit
// and four state icons, over the channel state it inherits.
#include "app/ChannelModel.h"
#include "controls/VcLabel.h"
#include "controls/VcPanel.h"
#include "ui/Frame.h"
#include "ui/GraphicControl.h"

#include <memory>

class TBitmap;
class TCanvas;

// A 16 x 16 picture showing one named state bitmap, or nothing.
class TChannelStateImage : public TGraphicControl {
public:
    explicit TChannelStateImage(TComponent* AOwner);
    const std::string& PictureName() const { return FPictureName; }
    void SetPictureName(const std::string& Name);

protected:
    void Paint() override;

private:
    std::string FPictureName;
};

class TfraChannel : public TFrame, public TChannelModel {
public:
    static constexpr int FrameWidth = 189;
    static constexpr int FrameHeight = 57;
    // Character height of the value in pixels; a value too wide for its
    // label at this height is shown smaller, down to the least height.
    static constexpr int ValueFontHeight = 29;
    static constexpr int MinValueFontHeight = 8;
    static constexpr int ValueLeft = 38;
    // The name and, right after it, the unit share the bottom row left of
    // the state icons, in one font: smaller when they do not fit at full
    // height, and the name cut short with an ellipsis when even the least
    // height is too big.
    static constexpr int NameFontHeight = 11;
    static constexpr int MinNameFontHeight = 8;
    static constexpr int NameLeft = 4;
    static constexpr int UnitGap = 6;

    TfraChannel(TComponent* AOwner, int Index);
    ~TfraChannel() override;

    TVcPanel* VcPanel1;
    TVcLabel* lblChannelId;
    TVcLabel* lblValue;
    TVcPanel* pnlBottom;
    TVcLabel* lblValueName;
    TVcLabel* lblUnit;
    TChannelStateImage* imgStartTrigger;
    TChannelStateImage* imgStopTrigger;
    TChannelStateImage* imgAlarmLow;
    TChannelStateImage* imgAlarmHigh;

    // Hands a press anywhere on the channel to the parent's mouse-down
    // handler, so that dragging a channel drags the meter panel.
    void VcPanel1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // The device chart follows the channel: its Y axis takes the value
    // name as title, and the range and decimal places as scale.
    TNotifyEvent OnValueNameChange;
    TNotifyEvent OnRangeChange;

protected:
    void UpdateTriggerImages() override;
    void UpdateAlarmImages() override;
    void UpdateValueLabel() override;
    void ValueNameChanged() override;
    void WorkUnitChanged() override;
    void RangeChanged() override;

private:
    void PlaceNameAndUnit();
    // A canvas in Font to measure label texts on.
    TCanvas* MeasuringCanvas(const TFont* Font);

    // The value changes at every poll: its measuring surface is made once.
    std::unique_ptr<TBitmap> FMeasure;
};
