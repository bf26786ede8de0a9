#pragma once
// The program's four forms, created as the program block creates them, in
// a scratch directory that stands in for the executable's; every dialog
// is answered from a script and recorded.
#include "ScratchDir.h"

#include "app/DeviceListUnit.h"
#include "app/MainUnit.h"
#include "app/NewDeviceUnit.h"
#include "app/SetupUnit.h"
#include "rtl/FileUtils.h"
#include "rtl/Thread.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class TProgramForms {
public:
    // Files is run before the forms exist, to place "config.ini" or
    // "Devices.db" in the directory.
    explicit TProgramForms(const std::function<void(const TScratchDir&)>& Files = nullptr)
    {
        SetExeDirForTesting(Dir.Path());
        if (Files)
            Files(Dir);
        SetDialogResponder([this](const TDialogRequest& R) { return Answer(R); });
        Application->CreateForm(frmMain);
        Application->CreateForm(frmSetup);
        Application->CreateForm(frmDeviceList);
        Application->CreateForm(frmNewDevice);
    }
    ~TProgramForms()
    {
        delete frmNewDevice;
        delete frmDeviceList;
        delete frmMain;
        delete frmSetup;
        SetDialogResponder(nullptr);
        SetExeDirForTesting("");
    }
    TProgramForms(const TProgramForms&) = delete;
    TProgramForms& operator=(const TProgramForms&) = delete;

    // Shows the main form as the message loop does at start-up.
    void Start() { frmMain->Show(); }

    std::string Read(const std::string& Name) const { return TScratchDir::Read(Dir.File(Name)); }
    void Write(const std::string& Name, const std::string& Bytes) const { TScratchDir::Write(Dir.File(Name), Bytes); }

    // Handles posted messages and hand-overs until Done or the time-out.
    static bool ServeUntil(const std::function<bool()>& Done, int TimeoutMs = 30000)
    {
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
        for (;;) {
            Application->ProcessMessages();
            if (Done())
                return true;
            if (std::chrono::steady_clock::now() >= Deadline)
                return false;
            CheckSynchronize(10);
        }
    }

    // Runs Action inside Form's next ShowModal, once its own show handler ran.
    static void WhenShown(TForm* Form, std::function<void()> Action)
    {
        auto Original = Form->OnShow;
        Form->OnShow = [Form, Original, Action](TObject* Sender) {
            // Restoring the handler frees this closure: work on copies.
            const auto Show = Original;
            const auto Then = Action;
            Form->OnShow = Show;
            if (Show)
                Show(Sender);
            Then();
        };
    }

    TScratchDir Dir;
    // Every dialog asked, in order.
    std::vector<TDialogRequest> Asked;
    // Answers for the next message boxes (IDYES, IDNO, ...); IDNO when empty.
    std::deque<int> Answers;
    // Runs inside the next message box before it is answered (for messages
    // that arrive while a box is open).
    std::function<void()> WhileAsking;
    // The name the save dialog returns; empty cancels it.
    std::string SaveFileName;

private:
    TDialogAnswer Answer(const TDialogRequest& R)
    {
        Asked.push_back(R);
        TDialogAnswer A;
        if (R.Kind == TDialogKind::SaveFile) {
            A.Result = SaveFileName.empty() ? 2 : 1;
            if (!SaveFileName.empty())
                A.FileNames.push_back(SaveFileName);
            return A;
        }
        if (WhileAsking) {
            auto Run = std::move(WhileAsking);
            WhileAsking = nullptr;
            Run();
        }
        if (Answers.empty()) {
            A.Result = (R.Flags & 0x0F) == 0 ? 1 : 7;
        } else {
            A.Result = Answers.front();
            Answers.pop_front();
        }
        return A;
    }
};
