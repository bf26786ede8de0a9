#include "app/AppImages.h"

#include "ui/Bitmap.h"
#include "ui/ImageList.h"

#include <map>
#include <memory>
#include <vector>

namespace {

constexpr TColor Back = clFuchsia;  // transparent key
constexpr TColor Idle = 0xA0A0A0;
constexpr TColor Green = RGB(0, 160, 0);
constexpr TColor Red = RGB(220, 0, 0);
constexpr TColor Orange = RGB(240, 140, 0);
constexpr TColor Blue = RGB(0, 102, 204);

std::unique_ptr<TBitmap> Blank()
{
    auto B = std::make_unique<TBitmap>(16, 16);
    B->Canvas->Brush->Color = Back;
    B->Canvas->FillRect(Rect(0, 0, 16, 16));
    B->SetTransparentColor(Back);
    B->Transparent = true;
    return B;
}

void Fill(TCanvas* C, TColor Color)
{
    C->Pen->Color = Color;
    C->Brush->Color = Color;
}

// A right-pointing triangle: logging starts.
void StartIcon(TCanvas* C, TColor Color)
{
    Fill(C, Color);
    C->Polygon({Point(4, 2), Point(13, 8), Point(4, 14)});
}

// A square: logging stops.
void StopIcon(TCanvas* C, TColor Color)
{
    Fill(C, Color);
    C->Rectangle(3, 3, 13, 13);
}

// An arrow up to a bar (high alarm) or down to a bar (low alarm).
void AlarmIcon(TCanvas* C, TColor Color, bool High)
{
    Fill(C, Color);
    if (High) {
        C->Rectangle(2, 1, 14, 3);
        C->Polygon({Point(8, 4), Point(13, 10), Point(3, 10)});
        C->Rectangle(6, 10, 10, 15);
    } else {
        C->Rectangle(2, 13, 14, 15);
        C->Polygon({Point(8, 12), Point(13, 6), Point(3, 6)});
        C->Rectangle(6, 1, 10, 6);
    }
}

std::unique_ptr<TBitmap> MakeStateBitmap(const std::string& Name)
{
    auto B = Blank();
    TCanvas* C = B->Canvas;
    if (Name == "imgStartTriggerActive")
        StartIcon(C, Green);
    else if (Name == "imgStartTriggerInactive")
        StartIcon(C, Idle);
    else if (Name == "imgStopTriggerActive")
        StopIcon(C, Red);
    else if (Name == "imgStopTriggerInactive")
        StopIcon(C, Idle);
    else if (Name == "imgAlarmHighActive")
        AlarmIcon(C, Red, true);
    else if (Name == "imgAlarmHighInactive")
        AlarmIcon(C, Idle, true);
    else if (Name == "imgAlarmLowActive")
        AlarmIcon(C, Orange, false);
    else if (Name == "imgAlarmLowInactive")
        AlarmIcon(C, Idle, false);
    else
        return nullptr;
    return B;
}

void DrawDeviceImage(TCanvas* C, int Index)
{
    Fill(C, Blue);
    switch (Index) {
    case TAppImages::diShowMeter:  // a display with a digit bar
        C->Brush->Style = bsClear;
        C->Rectangle(1, 3, 15, 13);
        C->Brush->Style = bsSolid;
        C->Rectangle(4, 6, 12, 10);
        break;
    case TAppImages::diShowCurve:  // a trace over an axis
        C->MoveTo(1, 1);
        C->LineTo(1, 15);
        C->LineTo(15, 15);
        C->Polyline({Point(2, 12), Point(6, 6), Point(9, 10), Point(14, 3)});
        break;
    case TAppImages::diZoom:  // a magnifier
        C->Brush->Style = bsClear;
        C->Ellipse(1, 1, 11, 11);
        C->Brush->Style = bsSolid;
        C->Polygon({Point(9, 10), Point(10, 9), Point(15, 14), Point(14, 15)});
        break;
    case TAppImages::diCursor:  // a vertical read-out line
        C->Rectangle(7, 1, 9, 15);
        C->Polygon({Point(4, 1), Point(12, 1), Point(8, 5)});
        break;
    case TAppImages::diPause:
        C->Rectangle(3, 2, 7, 14);
        C->Rectangle(9, 2, 13, 14);
        break;
    case TAppImages::diResume: C->Polygon({Point(4, 2), Point(13, 8), Point(4, 14)}); break;
    case TAppImages::diEnlarge:  // arrows pointing apart
        C->Polygon({Point(8, 0), Point(13, 5), Point(3, 5)});
        C->Polygon({Point(8, 15), Point(13, 10), Point(3, 10)});
        C->Rectangle(7, 5, 9, 11);
        break;
    case TAppImages::diShrink:  // arrows pointing together
        C->Polygon({Point(8, 7), Point(13, 2), Point(3, 2)});
        C->Polygon({Point(8, 9), Point(13, 14), Point(3, 14)});
        break;
    case TAppImages::diZero:  // a zero
        C->Brush->Style = bsClear;
        C->Pen->Width = 2;
        C->Ellipse(4, 1, 13, 15);
        C->Pen->Width = 1;
        C->Brush->Style = bsSolid;
        break;
    }
}

}  // namespace

TBitmap* TAppImages::ChannelStateBitmap(const std::string& Name)
{
    static std::map<std::string, std::unique_ptr<TBitmap>> Cache;
    auto It = Cache.find(Name);
    if (It == Cache.end())
        It = Cache.emplace(Name, MakeStateBitmap(Name)).first;
    return It->second.get();
}

void TAppImages::LoadDeviceImages(TImageList* Images)
{
    Images->Clear();
    Images->SetWidth(16);
    Images->SetHeight(16);
    for (int i = 0; i < DeviceImageCount; ++i) {
        auto B = Blank();
        DrawDeviceImage(B->Canvas, i);
        Images->AddMasked(B.get(), Back);
    }
}
