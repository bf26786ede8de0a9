#include "app/ChannelUnit.h"

#include "app/AppImages.h"
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
    lblValue->SetBounds(ValueLeft, 1, FrameWidth - ValueLeft - 4, 35);
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
    lblValueName->SetBounds(NameLeft, 3, 80, 14);
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
    // A pixel to spare on each side for glyphs that ink past their advance.
    const int Room = lblValue->GetClientWidth() - 2;
    TBitmap Measure;
    TFont* Font = Measure.Canvas->Font;
    Font->Assign(lblValue->Font);
    const int Height = FittingHeight(ValueFontHeight, MinValueFontHeight, Room, [&](int H) {
        Font->SetHeight(-H);
        return Measure.Canvas->TextWidth(Text);
    });
    lblValue->Font->SetHeight(-Height);
    lblValue->SetText(Text);
    lblValue->Font->SetColor(LabelColor());
}

void TfraChannel::ValueNameChanged()
{
    PlaceNameAndUnit();
}

void TfraChannel::WorkUnitChanged()
{
    PlaceNameAndUnit();
}

void TfraChannel::PlaceNameAndUnit()
{
    const std::string& Unit = WorkUnit();
    const int Room = imgStartTrigger->GetLeft() - 2 - NameLeft;
    TBitmap Measure;
    TFont* Font = Measure.Canvas->Font;
    Font->Assign(lblValueName->Font);
    auto Width = [&](int H, const std::string& Name) {
        Font->SetHeight(-H);
        const int UnitWidth = Unit.empty() ? 0 : UnitGap + Measure.Canvas->TextWidth(Unit);
        return Measure.Canvas->TextWidth(Name) + UnitWidth;
    };
    std::string Name = ValueName();
    const int Height =
        FittingHeight(NameFontHeight, MinNameFontHeight, Room, [&](int H) { return Width(H, Name); });
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
