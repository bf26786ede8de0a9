// The sampling thread on a line that fails under it, on a fake serial
// device whose far end the test holds.
#include "app/SerialPortSampleThreadUnit.h"

#include "../app/ModbusFrames.h"
#include "../app/SampleFakes.h"
#include "../app/ScratchDir.h"
#include "UiLoop.h"
#include "comm/FakeDevice.h"
#include "serial/CPort.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// The line goes just after the port has counted the bytes of a reply and
// before it reads them: its event thread ends on the hang-up and throws
// the unread bytes away, so the read fails. The request out will never be
// answered, and no error may escape to a box while the run goes on: the
// poll ends at once, as for any line that went away.
TEST(SampleThreadLineTest, AReadThatFailsAsTheLineGoesEndsTheRunAtOnceWithoutABox)
{
    // Errors that escape to the program's handler of stray errors become
    // boxes, answered here and kept.
    Application->ProcessMessages();
    std::vector<std::string> boxes;
    const TDialogResponder former = SetDialogResponder([&](const TDialogRequest& R) {
        boxes.push_back(R.Text);
        TDialogAnswer answer;
        answer.Result = IDOK;
        return answer;
    });
    const std::string name = "kalvo-sample-thread-line-test";
    auto device = comm::FakeDevice::Create(name);
    TFakeSampleDevice press(1, 0, 0, 1);
    TFakeSampleView view;
    TScratchDir dir;
    TSampleSettings settings;
    settings.PollDelay = 0;
    // Far beyond the test's patience: a time-out must not be what ends it.
    settings.PollTimeout = 600000;
    auto thread = std::make_unique<TSerialPortSampleThread>(TSampleLine{name, 9600, 0}, dir / "run.tmp",
                                                            dir / "run.csv", settings, &view);
    thread->AddDevice(&press);

    // Called by the port between counting what arrived and reading it.
    TComLink hold;
    bool held = false;
    bool purged = false;
    hold.OnRxActivity = [&](TObject*, bool Arrived) {
        if (!Arrived || held)
            return;
        held = true;
        device->HangUp();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!(purged = thread->Port().InputCount() == 0) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
    };
    thread->Port().RegisterLink(&hold);
    thread->Resume();
    // The first request is set up in a hand-over.
    std::string request;
    ASSERT_TRUE(ServeUntil([&] {
        request += device->Receive(8 - request.size(), 0);
        return request.size() == 8;
    }));
    device->Send(Reply(1, {9}));

    EXPECT_TRUE(ServeUntil([&] { return thread->Finished(); }, 20000));
    EXPECT_TRUE(held);
    EXPECT_TRUE(purged);
    EXPECT_EQ("ReadFile function failed (Error: 31)", thread->LineError());
    EXPECT_FALSE(press.Online());
    EXPECT_EQ("-------", press.DisplayText(0));
    EXPECT_TRUE(boxes.empty()) << boxes.front();

    thread->Port().UnregisterLink(&hold);
    thread.reset();
    SetDialogResponder(former);
}

}  // namespace
