#include "app/ChannelUnit.h"

#include "app/AppImages.h"
#include "rtl/NumberFormat.h"
#include "ui/Bitmap.h"

#include <algorithm>

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

    VcPanel1 = new TVcPanel(this);
    VcPanel1->SetName("VcPanel1");
    VcPanel1->SetParent(this);
    VcPanel1->SetAlign(alClient);
    VcPanel1->SetColor(16244940);
    VcPanel1->SetGradient(false);
    VcPanel1->SetCursor(crHandPoint);
    VcPanel1->OnMouseDown = Forward;

    lblChannelId = new TVcLabel(this);
    lblChannelId->SetName("lblChannelId");
    lblChannelId->SetParent(VcPanel1);
    lblChannelId->SetBounds(4, 3, 30, 14);
    lblChannelId->SetHint("通道编号");
    lblChannelId->SetShowHint(true);
    lblChannelId->Font->SetName("Arial");
    lblChannelId->Font->SetColor(clGray);
    lblChannelId->SetText("CH" + IntToStr(Index + 1));
    lblChannelId->OnMouseDown = Forward;

    lblValue = new TVcLabel(this);
    lblValue->SetName("lblValue");
    lblValue->SetParent(VcPanel1);
    lblValue->SetAutoSize(false);
    // Right of the widest channel number ("CH12"), so a long value never
    // runs into it.
    lblValue->SetBounds(ValueLeft, 1, FrameWidth - ValueLeft - 4, 33);
    lblValue->SetAlignment(taRightJustify);
    lblValue->SetLayout(tlCenter);
    lblValue->SetHint("测量值");
    lblValue->SetShowHint(true);
    lblValue->Font->SetName("Arial");
    lblValue->Font->SetHeight(-ValueFontHeight);
    lblValue->Font->SetColor(InitialValueColor);
    lblValue->OnMouseDown = Forward;

    pnlBottom = new TVcPanel(this);
    pnlBottom->SetName("pnlBottom");
    pnlBottom->SetParent(VcPanel1);
    pnlBottom->SetAlign(alBottom);
    pnlBottom->SetHeight(20);
    pnlBottom->SetColor(16244940);
    pnlBottom->SetGradient(false);
    pnlBottom->SetBorderStyle(vbsNone);
    pnlBottom->OnMouseDown = Forward;

    lblValueName = new TVcLabel(this);
    lblValueName->SetName("lblValueName");
    lblValueName->SetParent(pnlBottom);
    lblValueName->SetBounds(4, 3, 80, 14);
    lblValueName->SetHint("测量值名称");
    lblValueName->SetShowHint(true);
    lblValueName->OnMouseDown = Forward;

    lblUnit = new TVcLabel(this);
    lblUnit->SetName("lblUnit");
    lblUnit->SetParent(pnlBottom);
    lblUnit->SetBounds(86, 3, 30, 14);
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
        *I.Image = new TChannelStateImage(this);
        (*I.Image)->SetName(I.Name);
        (*I.Image)->SetParent(pnlBottom);
        (*I.Image)->SetBounds(Left, 2, 16, 16);
        (*I.Image)->SetHint(I.Hint);
        (*I.Image)->SetShowHint(true);
        (*I.Image)->OnMouseDown = Forward;
        Left += 17;
    }

    ResetChannel();
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
    lblValue->Font->SetHeight(-FittingValueHeight(Text));
    lblValue->SetText(Text);
    lblValue->Font->SetColor(LabelColor());
}

int TfraChannel::FittingValueHeight(const std::string& Text) const
{
    // A pixel to spare on each side for glyphs that ink past their advance.
    const int Room = lblValue->GetClientWidth() - 2;
    TBitmap Measure;
    TFont* Font = Measure.Canvas->Font;
    Font->Assign(lblValue->Font);
    Font->SetHeight(-ValueFontHeight);
    const int FullWidth = Measure.Canvas->TextWidth(Text);
    if (FullWidth <= Room)
        return ValueFontHeight;
    // Widths grow about in step with the height: start from that guess and
    // step down until the text fits.
    int Height = std::max(MinValueFontHeight, ValueFontHeight * Room / std::max(1, FullWidth));
    for (; Height > MinValueFontHeight; --Height) {
        Font->SetHeight(-Height);
        if (Measure.Canvas->TextWidth(Text) <= Room)
            break;
    }
    return Height;
}

void TfraChannel::ValueNameChanged()
{
    lblValueName->SetText(ValueName());
}

void TfraChannel::WorkUnitChanged()
{
    lblUnit->SetText(WorkUnit());
}
