#pragma once
// The plot's property-text files: the configuration file ("File Type =
// Plot Config", a count line and a section per object of every kind the
// file holds, then the plot's own properties) and the annotation file.
// The sections are those of the kinds' descriptions (ConfigRank,
// ConfigLoad), so a kind that registers is saved and loaded with the rest.
//
// A load reads and checks the whole file before it changes the plot: a
// file that fails leaves the plot as it was.
#include <string>

class TStrings;
class TkPlotComponent;

class TkPlotPropertyFile {
public:
    explicit TkPlotPropertyFile(TkPlotComponent& Plot) : FPlot(Plot) {}

    // Append the lines of the configuration file, of the annotation file.
    void WriteConfig(TStrings& Lines) const;
    void WriteAnnotations(TStrings& Lines) const;
    // Apply such lines (consuming them); raise Exception "Incompatible
    // Plot Configuration File Type", or the conversion's message, having
    // changed nothing.
    void ReadConfig(TStrings& Lines);
    void ReadAnnotations(TStrings& Lines);

    // The same, from and to files (replaced whole, never left half written).
    void SaveConfig(const std::string& FileName) const;
    void LoadConfig(const std::string& FileName);
    void SaveAnnotations(const std::string& FileName) const;
    void LoadAnnotations(const std::string& FileName);

private:
    TkPlotComponent& FPlot;
};
