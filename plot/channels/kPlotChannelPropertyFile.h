#pragma once
// A channel's configuration file: "File Type = Plot Channel Config", then
// the channel's properties in the section "Channel", without its name. A
// load checks every value before it sets any, so a file that fails leaves
// the channel as it was.
#include <string>

class TkPlotObject;

class TkPlotChannelPropertyFile {
public:
    explicit TkPlotChannelPropertyFile(TkPlotObject& Channel) : FChannel(Channel) {}

    // Raise "Error Saving Properties - " or "Error Loading Properties - "
    // followed by the failure's message (a wrong file type:
    // "Incompatible Plot Channel Configuration File Type").
    void Save(const std::string& FileName) const;
    void Load(const std::string& FileName);

private:
    TkPlotObject& FChannel;
};
