#pragma once
// The plot's data file: the points of all its channels as a text table
// (an X and a Y column per channel, tab or comma separated) or in the
// compact-interval layout (see kPlotDataFormat.h), and the reading of
// either, or of the plot's log, back into the channels.
#include <functional>
#include <string>
#include <vector>

class TkPlotDataHost;
class TkPlotDataPoints;
struct TkPlotDataPoint;

class TkPlotDataFile {
public:
    explicit TkPlotDataFile(const TkPlotDataHost& Plot) : FPlot(Plot) {}

    // The file's bytes in the plot's DataFileFormat.
    std::string Bytes() const;
    // Writes them, replacing the file whole.
    void Save(const std::string& FileName) const;
    // Appends the points of a file in either layout to the plot's channels
    // by position; columns of channels the plot lacks are ignored. Raises
    // Exception "Invalid Data" for a cut compact-interval file, or the
    // conversion's message; the points read so far stay.
    void Load(const std::string& FileName);
    void Read(const std::string& Bytes);
    // Raises what Load would raise for the file, adding no point: lets a
    // caller that clears the channels first keep them when the file is bad.
    void Check(const std::string& FileName) const;

    // The plot's channels in index order; none for one that holds no points.
    static std::vector<TkPlotDataPoints*> Channels(const TkPlotDataHost& Plot);

private:
    std::string TextBytes() const;
    std::string CompactBytes() const;
    // Hands each point read to Take with the channel it belongs to.
    using TPointSink = std::function<void(TkPlotDataPoints& Channel, const TkPlotDataPoint& Point)>;
    void Parse(const std::string& Bytes, const TPointSink& Take) const;
    void ReadText(const std::string& Bytes, const TPointSink& Take) const;
    void ReadCompact(const std::string& Bytes, const TPointSink& Take) const;

    const TkPlotDataHost& FPlot;
};
