#pragma once
// A main window stand-in for whole runs: records what the run shows and
// answers the questions it asks.
#include "app/RecordingControl.h"

#include <functional>
#include <string>
#include <vector>

class TFakeRecordingView : public TRecordingView {
public:
    void SetLogState(const std::string& Text) override
    {
        LogStates.push_back(Text);
        if (OnLogState)
            OnLogState(Text);
    }
    void SetElapsed(const std::string& Text) override { Elapsed = Text; }
    void SetPollProgress(int PartsComplete, const std::string& StationText) override
    {
        Progress.push_back(PartsComplete);
        PollingIds.push_back(StationText);
    }
    void PostStopMessage() override { ++StopMessages; }
    void SetRunState(bool Running) override { RunStates.push_back(Running); }
    void ShowError(const std::string& Text) override
    {
        Errors.push_back(Text);
        RunningAtErrors.push_back(!RunStates.empty() && RunStates.back());
    }
    bool Confirm(const std::string& Text) override
    {
        Questions.push_back(Text);
        return ConfirmAnswer;
    }
    bool AskLogFileName(const std::string& InitialDir, std::string& FileName) override
    {
        AskedDir = InitialDir;
        FileName = LogFileName;
        return !LogFileName.empty();
    }

    std::vector<std::string> LogStates;
    std::string Elapsed;
    std::vector<int> Progress;
    std::vector<std::string> PollingIds;
    int StopMessages = 0;
    std::vector<bool> RunStates;
    std::vector<std::string> Errors;
    std::vector<bool> RunningAtErrors;  // whether the window looked running when each error came
    std::vector<std::string> Questions;
    bool ConfirmAnswer = true;
    std::string AskedDir;
    std::string LogFileName;
    std::function<void(const std::string&)> OnLogState;
};
