#include "app/ChannelUnit.h"

#include "app/AppImages.h"
#include "controls/VcFormBuilder.h"
#include "rtl/NumberFormat.h"
#include "ui/Bitmap.h"

#include <functional>

namespace {

// The largest height from Max down to Min at which Width(height) is at most
// Room; Min when none is.
int FittingHeight(int Max, int Min, int Room, const std::function<int(int)>& Width)
{
    int Height = Max;
    while (Height > Min && Width(Height) > Room)
        --Height;
    return Height;
}

// Drops the last character of UTF-8 Text.
void DropLastCharacter(std::string& Text)
{
    while (!Text.empty() && (static_cast<unsigned char>(Text.back()) & 0xC0) == 0x80)
        Text.pop_back();
    if (!Text.empty())
        Text.pop_back();
}

}  // namespace

TChannelStateImage::TChannelStateImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 16, 16);
}

void TChannelStateImage::SetPictureName(const std::string& Name)
{
    if (Name == FPictureName)
        return;
    FPictureName = Name;
    Invalidate();
}

void TChannelStateImage::Paint()
{
    if (TBitmap* Picture = TAppImages::ChannelStateBitmap(FPictureName))
        Canvas->Draw(0, 0, Picture);
}

TfraChannel::TfraChannel(TComponent* AOwner, int Index) : TFrame(AOwner), TChannelModel(Index)
{
    SetBounds(0, 0, FrameWidth, FrameHeight);
    auto Forward = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        VcPanel1MouseDown(Sender, Button, Shift, X, Y);
    };

    const TVcFormBuilder Build(this, this);
    VcPanel1 = Build.Add<TVcPanel>("VcPanel1");
    VcPanel1->SetAlign(alClient);
    VcPanel1->SetColor(16244940);
    VcPanel1->SetGradient(false);
    VcPanel1->SetCursor(crHandPoint);
    VcPanel1->OnMouseDown = Forward;

    const TVcFormBuilder Face = Build.On(VcPanel1);
    lblChannelId = Face.Add<TVcLabel>("lblChannelId", 4, 3, 30, 14);
    lblChannelId->SetHint("通道编号");
    lblChannelId->SetShowHint(true);
    lblChannelId->Font->SetName("Arial");
    lblChannelId->Font->SetColor(clGray);
    lblChannelId->SetText("CH" + IntToStr(Index + 1));
    lblChannelId->OnMouseDown = Forward;

    lblValue = Face.Add<TVcLabel>("lblValue");
    lblValue->SetAutoSize(false);
    // Right of the widest channel number ("CH12"), so a long value never
    // runs into it.
    lblValue->SetBounds(ValueLeft, 1, FrameWidth - ValueLeft - 4, 35);
    lblValue->SetAlignment(taRightJustify);
    lblValue->SetLayout(tlCenter);
    lblValue->SetHint("测量值");
    lblValue->SetShowHint(true);
    lblValue->Font->SetName("Arial");
    lblValue->Font->SetHeight(-ValueFontHeight);
    lblValue->Font->SetColor(InitialValueColor);
    lblValue->OnMouseDown = Forward;

    pnlBottom = Face.Add<TVcPanel>("pnlBottom");
    pnlBottom->SetAlign(alBottom);
    pnlBottom->SetHeight(20);
    pnlBottom->SetColor(16244940);
    pnlBottom->SetGradient(false);
    pnlBottom->SetBorderStyle(vbsNone);
    pnlBottom->OnMouseDown = Forward;

    const TVcFormBuilder Bottom = Build.On(pnlBottom);
    lblValueName = Bottom.Add<TVcLabel>("lblValueName", NameLeft, 3, 80, 14);
    lblValueName->SetHint("测量值名称");
    lblValueName->SetShowHint(true);
    lblValueName->OnMouseDown = Forward;

    lblUnit = Bottom.Add<TVcLabel>("lblUnit", 86, 3, 30, 14);
    lblUnit->SetHint("测量单位");
    lblUnit->SetShowHint(true);

    const struct {
        TChannelStateImage** Image;
        const char* Name;
        const char* Hint;
    } Images[] = {
        {&imgStartTrigger, "imgStartTrigger", "开始记录触发状态"},
        {&imgStopTrigger, "imgStopTrigger", "停止记录触发状态"},
        {&imgAlarmLow, "imgAlarmLow", "下限报警状态"},
        {&imgAlarmHigh, "imgAlarmHigh", "上限报警状态"},
    };
    int Left = FrameWidth - 4 - 4 * 17;
    for (const auto& I : Images) {
        TChannelStateImage* Image = *I.Image = Bottom.Add<TChannelStateImage>(I.Name, Left, 2, 16, 16);
        Image->SetHint(I.Hint);
        Image->SetShowHint(true);
        Image->OnMouseDown = Forward;
        Left += 17;
    }

    ResetChannel();
}

TfraChannel::~TfraChannel() = default;

TCanvas* TfraChannel::MeasuringCanvas(const TFont* Font)
{
    if (!FMeasure)
        FMeasure = std::make_unique<TBitmap>();
    FMeasure->Canvas->Font->Assign(Font);
    return FMeasure->Canvas;
}

void TfraChannel::VcPanel1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TWinControl* P = GetParent();
    if (P && P->OnMouseDown)
        P->OnMouseDown(Sender, Button, Shift, X, Y);
}

void TfraChannel::UpdateTriggerImages()
{
    imgStartTrigger->SetPictureName(StartTriggerImage());
    imgStopTrigger->SetPictureName(StopTriggerImage());
}

void TfraChannel::UpdateAlarmImages()
{
    imgAlarmHigh->SetPictureName(AlarmHighImage());
    imgAlarmLow->SetPictureName(AlarmLowImage());
}

void TfraChannel::UpdateValueLabel()
{
    const std::string Text = LabelText();
    // A pixel to spare on each side for glyphs that ink past their advance.
    const int Room = lblValue->GetClientWidth() - 2;
    TCanvas* Measure = MeasuringCanvas(lblValue->Font);
    const int Height = FittingHeight(ValueFontHeight, MinValueFontHeight, Room, [&](int H) {
        Measure->Font->SetHeight(-H);
        return Measure->TextWidth(Text);
    });
    lblValue->Font->SetHeight(-Height);
    lblValue->SetText(Text);
    lblValue->Font->SetColor(LabelColor());
}

void TfraChannel::ValueNameChanged()
{
    PlaceNameAndUnit();
    if (OnValueNameChange)
        OnValueNameChange(this);
}

void TfraChannel::RangeChanged()
{
    if (OnRangeChange)
        OnRangeChange(this);
}

void TfraChannel::WorkUnitChanged()
{
    PlaceNameAndUnit();
}

void TfraChannel::PlaceNameAndUnit()
{
    const std::string& Unit = WorkUnit();
    const int Room = imgStartTrigger->GetLeft() - 2 - NameLeft;
    TCanvas* Measure = MeasuringCanvas(lblValueName->Font);
    auto Width = [&](int H, const std::string& Name) {
        Measure->Font->SetHeight(-H);
        const int UnitWidth = Unit.empty() ? 0 : UnitGap + Measure->TextWidth(Unit);
        return Measure->TextWidth(Name) + UnitWidth;
    };
    std::string Name = ValueName();
    const int Height = FittingHeight(NameFontHeight, MinNameFontHeight, Room, [&](int H) { return Width(H, Name); });
    // Even the least height is too big: the name gives way, letter by letter.
    if (Width(Height, Name) > Room) {
        const std::string Ellipsis = "…";
        while (!Name.empty() && Width(Height, Name + Ellipsis) > Room)
            DropLastCharacter(Name);
        Name += Ellipsis;
    }
    for (TVcLabel* L : {lblValueName, lblUnit})
        L->Font->SetHeight(-Height);
    lblValueName->SetText(Name);
    lblUnit->SetText(Unit);
    const int Top = (pnlBottom->GetHeight() - lblValueName->GetHeight()) / 2;
    lblValueName->SetBounds(NameLeft, Top, lblValueName->GetWidth(), lblValueName->GetHeight());
    lblUnit->SetBounds(NameLeft + lblValueName->GetWidth() + UnitGap, Top, lblUnit->GetWidth(), lblUnit->GetHeight());
}
