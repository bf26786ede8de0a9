// The registry is the one owner of the device frames and of "Devices.db":
// what it frees, in which order, and what stays.
#include "app/DeviceRegistry.h"
#include "app/DeviceStore.h"
#include "app/DeviceUnit.h"
#include "rtl/FileUtils.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ScrollBox.h"

#include "FreeWatch.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const ThreeDevices =
    "[Device1]\r\nDeviceName=Press\r\n[Device2]\r\nDeviceName=Oven\r\nChannelCount=3\r\n"
    "[Device5]\r\nDeviceName=Mixer\r\n";

class DeviceRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SetExeDirForTesting(Dir.Path());
        TScratchDir::Write(Dir.File("Devices.db"), ThreeDevices);
        Box = std::make_unique<TScrollBox>(nullptr);
        Box->SetBounds(0, 0, 1400, 800);
        Registry = std::make_unique<TDeviceRegistry>(Dir.File("Devices.db"), Box.get());
    }
    void TearDown() override
    {
        Registry.reset();
        Box.reset();
        SetExeDirForTesting("");
    }

    // Watches every frame now listed; Freed receives their names as they go.
    void WatchFrames()
    {
        for (TfraDevice* Frame : Registry->Frames())
            Watch.Watch(Frame);
    }

    TScratchDir Dir;
    std::unique_ptr<TScrollBox> Box;
    std::unique_ptr<TDeviceRegistry> Registry;
    std::vector<std::string> Freed;
    TFreeWatch Watch{[this](TComponent* C) { Freed.push_back(C->GetName()); }};
};

TEST_F(DeviceRegistryTest, FramesAreShownInTheBoxButOwnedByTheRegistryAlone)
{
    ASSERT_EQ(Registry->LoadDevices(), 3);
    ASSERT_EQ(Registry->size(), 3u);
    for (TfraDevice* Frame : Registry->Frames()) {
        EXPECT_EQ(Frame->GetParent(), Box.get());
        EXPECT_EQ(Frame->GetOwner(), nullptr);
    }
    EXPECT_EQ(Box->ComponentCount(), 0);
    EXPECT_EQ(Box->ControlCount(), 3);
}

TEST_F(DeviceRegistryTest, FramesGoLastFirstAndTheStoreOutlivesThem)
{
    Registry->LoadDevices();
    WatchFrames();
    // Each frame, as it goes, can still reach the store it writes to.
    TDeviceRegistry* Going = Registry.get();
    std::vector<std::string> NamesReadMeanwhile;
    TFreeWatch Reader([&](TComponent*) {
        NamesReadMeanwhile.push_back(Going->Store().ReadString("Device1", "DeviceName", "<none>"));
    });
    for (TfraDevice* Frame : Registry->Frames())
        Reader.Watch(Frame);

    Registry.reset();

    EXPECT_EQ((std::vector<std::string>{"fraDevice3", "fraDevice2", "fraDevice1"}), Freed);
    EXPECT_EQ((std::vector<std::string>{"Press", "Press", "Press"}), NamesReadMeanwhile);
    // The box is left empty and usable.
    EXPECT_EQ(Box->ControlCount(), 0);
    Box->Realign();
}

TEST_F(DeviceRegistryTest, LoadingAgainFreesTheOldFramesBeforeBuildingTheNew)
{
    Registry->LoadDevices();
    WatchFrames();
    std::vector<int> LeftInTheBox;
    TFreeWatch Counter([&](TComponent*) { LeftInTheBox.push_back(Box->ControlCount()); });
    for (TfraDevice* Frame : Registry->Frames())
        Counter.Watch(Frame);
    TScratchDir::Write(Dir.File("Devices.db"), "[Device4]\r\nDeviceName=Kiln\r\n");
    ASSERT_EQ(Registry->LoadDevices(), 1);
    EXPECT_EQ((std::vector<std::string>{"fraDevice3", "fraDevice2", "fraDevice1"}), Freed);
    EXPECT_EQ((std::vector<int>{2, 1, 0}), LeftInTheBox);
    ASSERT_EQ(Registry->size(), 1u);
    EXPECT_EQ((*Registry)[0]->Section(), "Device4");
    EXPECT_EQ(Box->ControlCount(), 1);
}

TEST_F(DeviceRegistryTest, DeletingFreesThatFrameOnlyAndNeverDuringARun)
{
    Registry->LoadDevices();
    WatchFrames();
    TfraDevice* Oven = (*Registry)[1];

    Registry->DeleteDevice(Oven, true);
    EXPECT_TRUE(Freed.empty());
    EXPECT_EQ(Registry->size(), 3u);
    EXPECT_NE(TScratchDir::Read(Dir.File("Devices.db")).find("[Device2]"), std::string::npos);

    Registry->DeleteDevice(Oven, false);
    EXPECT_EQ((std::vector<std::string>{"fraDevice2"}), Freed);
    ASSERT_EQ(Registry->size(), 2u);
    EXPECT_EQ((*Registry)[0]->Section(), "Device1");
    EXPECT_EQ((*Registry)[1]->Section(), "Device5");
    EXPECT_EQ(Box->ControlCount(), 2);
    EXPECT_EQ(TScratchDir::Read(Dir.File("Devices.db")).find("[Device2]"), std::string::npos);
    EXPECT_EQ(Registry->NextDeviceNumber(), 2);
}

// The window showing the frames may be destroyed before the registry: it
// frees them with the box, as a parent frees its children, and the registry
// lets go of them and of the box instead of freeing them again.
TEST_F(DeviceRegistryTest, AWindowDestroyedFirstTakesTheFramesAlongAndTheRegistryLetsGo)
{
    auto Window = std::make_unique<TForm>(nullptr);
    auto* Shown = new TScrollBox(Window.get());
    Shown->SetParent(Window.get());
    Registry = std::make_unique<TDeviceRegistry>(Dir.File("Devices.db"), Shown);
    ASSERT_EQ(Registry->LoadDevices(), 3);
    WatchFrames();

    Window.reset();
    EXPECT_EQ((std::vector<std::string>{"fraDevice3", "fraDevice2", "fraDevice1"}), Freed);
    EXPECT_TRUE(Registry->empty());
    EXPECT_TRUE(Registry->Frames().empty());

    Registry.reset();
    EXPECT_EQ(Freed.size(), 3u);
}

}  // namespace
