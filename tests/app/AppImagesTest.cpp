#include "app/AppImages.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/ImageList.h"

#include <gtest/gtest.h>

namespace {

int CountColor(TBitmap* B, TColor Color)
{
    int N = 0;
    for (int X = 0; X < B->GetWidth(); ++X)
        for (int Y = 0; Y < B->GetHeight(); ++Y)
            if (B->Canvas->Pixels[X][Y] == Color)
                ++N;
    return N;
}

TEST(AppImagesTest, StateIconsAreSixteenPixelsInTheirColours)
{
    Application->Initialize();
    const struct {
        const char* Name;
        TColor Color;
    } Icons[] = {
        {"imgStartTriggerActive", RGB(0, 160, 0)}, {"imgStartTriggerInactive", 0xA0A0A0},
        {"imgStopTriggerActive", RGB(220, 0, 0)},  {"imgStopTriggerInactive", 0xA0A0A0},
        {"imgAlarmHighActive", RGB(220, 0, 0)},    {"imgAlarmHighInactive", 0xA0A0A0},
        {"imgAlarmLowActive", RGB(240, 140, 0)},   {"imgAlarmLowInactive", 0xA0A0A0},
    };
    for (const auto& Icon : Icons) {
        TBitmap* B = TAppImages::ChannelStateBitmap(Icon.Name);
        ASSERT_NE(B, nullptr) << Icon.Name;
        EXPECT_EQ(B->GetWidth(), 16);
        EXPECT_EQ(B->GetHeight(), 16);
        EXPECT_GT(CountColor(B, Icon.Color), 30) << Icon.Name;
        EXPECT_GT(CountColor(B, clFuchsia), 30) << Icon.Name;
    }
    EXPECT_EQ(TAppImages::ChannelStateBitmap("imgStartTriggerActive"),
              TAppImages::ChannelStateBitmap("imgStartTriggerActive"));
    EXPECT_EQ(TAppImages::ChannelStateBitmap(""), nullptr);
    EXPECT_EQ(TAppImages::ChannelStateBitmap("imgOther"), nullptr);
}

TEST(AppImagesTest, DeviceToolbarImages)
{
    Application->Initialize();
    TImageList Images;
    TAppImages::LoadDeviceImages(&Images);
    EXPECT_EQ(Images.GetCount(), int(TAppImages::DeviceImageCount));
    EXPECT_EQ(Images.GetWidth(), 16);
    // Every image draws something.
    for (int i = 0; i < Images.GetCount(); ++i) {
        TBitmap B;
        Images.GetBitmap(i, &B);
        EXPECT_GT(CountColor(&B, RGB(0, 102, 204)), 5) << i;
    }
}

}  // namespace
